# cmake -DSOURCE=... -DWORK=... -DFOLDER=... -P configure_without.cmake: configures a copy of the
# source tree (its folders, without build folders) in WORK with FOLDER removed, and expects the
# configure step to fail for the missing folder.
file(REMOVE_RECURSE ${WORK})
file(GLOB entries RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry ${entries})
    if(NOT entry MATCHES "^(build|\\.)")
        file(COPY ${SOURCE}/${entry} DESTINATION ${WORK}/source)
    endif()
endforeach()
if(NOT IS_DIRECTORY ${WORK}/source/${FOLDER})
    message(FATAL_ERROR "${SOURCE} has no folder ${FOLDER}")
endif()
file(REMOVE_RECURSE ${WORK}/source/${FOLDER})

execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/source -B ${WORK}/build
    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT failed)
    message(FATAL_ERROR "The configure step succeeded without ${FOLDER}")
endif()
string(REGEX REPLACE "[ \n]+" " " message "${errors}") # CMake wraps its messages
get_filename_component(leaf ${FOLDER} NAME) # named as the adding CMakeLists.txt names it
if(NOT message MATCHES "given source \"([^\"]*/)?${leaf}\" which is not an existing directory")
    message(FATAL_ERROR "The configure step failed, but not for the missing ${FOLDER}:\n${errors}")
endif()
file(REMOVE_RECURSE ${WORK})
