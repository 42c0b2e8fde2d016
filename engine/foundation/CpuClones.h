#pragma once

// Hot loops are built for AVX2 (the wide ones for AVX-512 too) and for any x86-64, and the
// loader picks one when the library loads. ThreadSanitizer instruments that picker, which runs
// before its runtime has started, so its builds keep the plain loop alone.
#if defined(__SANITIZE_THREAD__)
#define KESTRUM_PLAIN_LOOPS_ONLY
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KESTRUM_PLAIN_LOOPS_ONLY
#endif
#endif
#ifdef KESTRUM_PLAIN_LOOPS_ONLY
#define KESTRUM_CPU_CLONES
#define KESTRUM_WIDE_CPU_CLONES
#else
#define KESTRUM_CPU_CLONES __attribute__((target_clones("avx2", "default")))
#define KESTRUM_WIDE_CPU_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
