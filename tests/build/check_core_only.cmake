# cmake -DPROGRAM=... -DMAP=... -DPRESETS=... -P check_core_only.cmake: the program linked the
# framework's core library and not zarn_juce (its link map lists every input file), and it runs.
file(READ ${MAP} map)
if(NOT map MATCHES "libzarn_juce_core\\.a")
    message(FATAL_ERROR "${MAP} does not list libzarn_juce_core.a: not the link map of a program of the engine")
endif()
if(map MATCHES "libzarn_juce\\.a")
    message(FATAL_ERROR "The engine or the timbre reader links zarn_juce, the framework's GUI library (${MAP})")
endif()
execute_process(COMMAND ${PROGRAM} ${PRESETS} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${PROGRAM} failed: ${failed}")
endif()
