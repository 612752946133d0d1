# What the 32-bit Windows build adds to the project's settings.

# 32-bit x86 computes with the x87 unit by default, whose extended precision rounds differently:
# SSE2 arithmetic, without fused multiply-adds, gives the samples that the 64-bit build gives.
add_compile_options(-msse2 -mfpmath=sse -ffp-contract=off)

# No runtime DLLs beside the binaries: the C++ runtime, libgcc and winpthreads are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

# A native build of the same sources (tools/build-windows.sh makes it): it runs the artwork
# generator for this build, and the Windows tests compare with its library, program and samples.
set(ZARN_HOST_BUILD "" CACHE PATH "A native build of this project")
if(NOT EXISTS "${ZARN_HOST_BUILD}/CMakeCache.txt")
    message(FATAL_ERROR "Set ZARN_HOST_BUILD to a native build of this project (see tools/build-windows.sh)")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/WindowsJuce.cmake)
