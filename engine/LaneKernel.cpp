#include "engine/LaneKernel.h"

#include <algorithm>
#include <iterator>
#include <limits>

extern const LaneKernel laneKernelSse2;
#if ZARN_AVX2_KERNEL
extern const LaneKernel laneKernelAvx2;
#endif

LaneKernel::PowCache::PowCache()
{
    // The bits of a NaN, which no finite product has, and what pow gives for a NaN.
    std::fill (std::begin (product), std::end (product), ~std::uint64_t (0));
    std::fill (std::begin (factor), std::end (factor), std::numeric_limits<double>::quiet_NaN());
}

const LaneKernel& LaneKernel::sse2()
{
    return laneKernelSse2;
}

const LaneKernel* LaneKernel::avx2()
{
#if ZARN_AVX2_KERNEL
    if (__builtin_cpu_supports ("avx2"))
        return &laneKernelAvx2;
#endif
    return nullptr;
}
