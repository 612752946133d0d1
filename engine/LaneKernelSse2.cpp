// The lane kernel for SSE2, which every x86-64 processor has: 4 lanes.
#define ZARN_LANE_WIDTH 4
#include "engine/LaneKernelBody.h"

extern const LaneKernel laneKernelSse2 = { W, runChain, addOutput };
