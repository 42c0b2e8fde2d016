#pragma once

#include <cstdint>

// to[i] = from[indices[i]] for i below count, where every index lies within the count cells of
// from. Processors with AVX2 take eight cells at a time.
void gatherWords(const uint16_t* from, int64_t cells, const int32_t* indices, int count, uint16_t* to);
void gatherBytes(const uint8_t* from, int64_t cells, const int32_t* indices, int count, uint8_t* to);

// to[i] = from[offsets[codes[i]] + i] for i below count, where every code is below kinds:
// rows of cells that each take theirs from one of a few rows. Processors with AVX2 compare
// 128 bytes of codes at a time with each kind.
void takeCodedWords(const uint16_t* from, const int64_t* offsets, const uint16_t* codes, int kinds, int count, uint16_t* to);
void takeCodedBytes(const uint8_t* from, const int64_t* offsets, const uint8_t* codes, int kinds, int count, uint8_t* to);
