# zarn_test_fixture(name script argument...): a fixture that tests ask for by name, set up by
# `script start argument...` before the first of them and cleaned up by `script stop argument...`
# after the last.
function(zarn_test_fixture name script)
    add_test(NAME fixture.${name}.start COMMAND ${script} start ${ARGN})
    add_test(NAME fixture.${name}.stop COMMAND ${script} stop ${ARGN})
    set_tests_properties(fixture.${name}.start PROPERTIES FIXTURES_SETUP ${name} TIMEOUT 120)
    set_tests_properties(fixture.${name}.stop PROPERTIES FIXTURES_CLEANUP ${name})
endfunction()

# zarn_test_properties(TEST name... | GTEST target
#                      [DISPLAY] [JACK] [SERIAL] [LOCK name] [TIMEOUT seconds]
#                      [FIXTURES fixture...] [ENVIRONMENT variable=value...])
# Gives tests what they run with. DISPLAY: the test Xvfb (fixture `display`, DISPLAY set).
# JACK: the test JACK server (fixture `jack`, JACK_DEFAULT_SERVER set, no server started by the
# client). SERIAL: each test runs alone, for tests that move the X server's one pointer, so that no
# other test's pointer or window gets between a press and its release. LOCK: no two tests holding
# the same lock run at once. FIXTURES and ENVIRONMENT: further fixtures and variables.
#
# TEST names tests added with add_test. GTEST names a GoogleTest program, whose tests are
# registered here and discovered when CTest runs (gtest_discover_tests). A list can't pass through
# gtest_discover_tests' PROPERTIES (it is split into words), so their properties are set by a
# script that CTest runs after adding the discovered tests; their environment (with
# ZARN_SOURCE_DIR and ZARN_BINARY_DIR) is given through `env` as the program's executor, for the
# discovery runs the program too.
function(zarn_test_properties)
    cmake_parse_arguments(ARG "DISPLAY;JACK;SERIAL" "GTEST;LOCK;TIMEOUT" "TEST;FIXTURES;ENVIRONMENT" ${ARGN})
    if(ARG_UNPARSED_ARGUMENTS OR (NOT ARG_TEST AND NOT ARG_GTEST))
        message(FATAL_ERROR "zarn_test_properties: TEST or GTEST and known options only (${ARGN})")
    endif()
    set(fixtures ${ARG_FIXTURES})
    set(environment ${ARG_ENVIRONMENT})
    if(ARG_DISPLAY)
        list(APPEND fixtures display)
        list(APPEND environment DISPLAY=:${ZARN_TEST_DISPLAY})
    endif()
    if(ARG_JACK)
        list(APPEND fixtures jack)
        list(APPEND environment JACK_DEFAULT_SERVER=${ZARN_TEST_JACK_SERVER} JACK_NO_START_SERVER=1)
    endif()

    set(properties "")
    if(fixtures)
        string(APPEND properties " FIXTURES_REQUIRED \"${fixtures}\"")
    endif()
    if(ARG_SERIAL)
        string(APPEND properties " RUN_SERIAL TRUE")
    endif()
    if(ARG_LOCK)
        string(APPEND properties " RESOURCE_LOCK ${ARG_LOCK}")
    endif()
    if(ARG_TIMEOUT)
        string(APPEND properties " TIMEOUT ${ARG_TIMEOUT}")
    endif()

    if(ARG_GTEST)
        set(target ${ARG_GTEST})
        target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
        set(executor env ZARN_SOURCE_DIR=${PROJECT_SOURCE_DIR} ZARN_BINARY_DIR=${PROJECT_BINARY_DIR} ${environment})
        set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${executor}")
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
        if(properties)
            set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_properties.cmake)
            file(WRITE ${script}
                "foreach(t IN LISTS ${target}_TESTS)\n"
                "    set_tests_properties(\"\${t}\" PROPERTIES${properties})\n"
                "endforeach()\n")
            set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
        endif()
    endif()

    if(ARG_TEST)
        if(environment)
            string(APPEND properties " ENVIRONMENT \"${environment}\"")
        endif()
        if(properties)
            foreach(t IN LISTS ARG_TEST)
                cmake_language(EVAL CODE "set_tests_properties(\"${t}\" PROPERTIES${properties})")
            endforeach()
        endif()
    endif()
endfunction()
