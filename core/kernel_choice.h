#pragma once

#include <string_view>
#include <utility>
#include <vector>

// The vectorised kernels of a count come in an SSE2 version, which every x86-64 processor runs, and
// an AVX2 version where the library was built with one (QYTXT_AVX2_KERNELS). Which one runs is
// decided once, on the processor at hand.
#if defined(QYTXT_AVX2_KERNELS)
#define QYTXT_AVX2_KERNEL(kernel) kernel
#else
#define QYTXT_AVX2_KERNEL(kernel) nullptr
#endif

namespace qytxt::core {

// The kernels this processor can run, named, the fastest last.
template <typename Kernel> std::vector<std::pair<std::string_view, Kernel>> kernelsHere(Kernel sse2, Kernel avx2OrNull)
{
    std::vector<std::pair<std::string_view, Kernel>> kernels{{"sse2", sse2}};
    if (avx2OrNull != nullptr && __builtin_cpu_supports("avx2"))
        kernels.emplace_back("avx2", avx2OrNull);
    return kernels;
}

} // namespace qytxt::core
