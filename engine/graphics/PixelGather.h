#pragma once

#include <cstdint>

// to[i] = from[indices[i]] for i below count, where every index lies within the count cells of
// from. Processors with AVX2 take eight cells at a time.
void gatherWords(const uint16_t* from, int64_t cells, const int32_t* indices, int count, uint16_t* to);
void gatherBytes(const uint8_t* from, int64_t cells, const int32_t* indices, int count, uint8_t* to);
