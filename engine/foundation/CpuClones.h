#pragma once

// Hot loops are built twice, for AVX2 and for any x86-64, and the loader picks one when the
// library loads. ThreadSanitizer instruments that picker, which runs before its runtime has
// started, so its builds keep the plain loop alone.
#if defined(__SANITIZE_THREAD__)
#define KESTRUM_CPU_CLONES
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KESTRUM_CPU_CLONES
#endif
#endif
#ifndef KESTRUM_CPU_CLONES
#define KESTRUM_CPU_CLONES __attribute__((target_clones("avx2", "default")))
#endif
