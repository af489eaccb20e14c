#pragma once

namespace qsim {

// Clears the upper halves of the vector registers, if the processor has them.
//
// AVX code that leaves them dirty (something in the start of a program linked with
// Qt does) makes every later SSE instruction of the thread wait on a merge with
// them: a run of the engine then took more than twice its time in the shells,
// though not in the benchmarks, which link no Qt.
// Calling this before the hot loop of a run gives back the clean state; the state
// belongs to the thread, so it is called on the thread that runs.
inline void ClearUpperVectorState() {
#if defined(__x86_64__) && !defined(__AVX__)
  // vzeroupper is an AVX instruction: without AVX it would fault.
  if (__builtin_cpu_supports("avx"))
    __asm__ __volatile__("vzeroupper" ::: "memory");
#endif
}

}  // namespace qsim
