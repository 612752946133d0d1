# cmake -DNM=... -DOBJECTS=... -P check_avx2_unit.cmake: the unit built for AVX2 defines no symbol
# but its kernel record. An inline function or a template that it instantiated would be a weak
# symbol, and the linker may keep that AVX2 copy for every caller, so a processor without AVX2
# would meet AVX2 instructions outside the kernel it never chooses.
list(FILTER OBJECTS INCLUDE REGEX "LaneKernelAvx2\\.cpp\\.o(bj)?$")
list(LENGTH OBJECTS found)
if(NOT found EQUAL 1)
    message(FATAL_ERROR "No object of LaneKernelAvx2.cpp among the engine's objects")
endif()
execute_process(COMMAND ${NM} --defined-only --extern-only ${OBJECTS}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${NM} failed on ${OBJECTS}")
endif()
string(REPLACE "\n" ";" symbols "${symbols}")
foreach(line IN LISTS symbols)
    # The sanitizers' own records (ODR indicators, the personality routine's reference) are the
    # same in every unit.
    if(line STREQUAL "" OR line MATCHES " (DW\\.ref\\.__gxx_personality_v0|__odr_asan\\..*)$")
        continue()
    endif()
    if(NOT line MATCHES " [DR] laneKernelAvx2$")
        message(FATAL_ERROR "The AVX2 unit defines more than its kernel: ${line}")
    endif()
endforeach()
