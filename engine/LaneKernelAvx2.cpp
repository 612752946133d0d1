// The lane kernel for AVX2: 8 lanes. Built for AVX2 and used only where the processor has it.
#define ZARN_LANE_WIDTH 8
#include "engine/LaneKernelBody.h"

extern const LaneKernel laneKernelAvx2 = { W, runChain, addOutput };
