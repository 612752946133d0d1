# The JUCE modules, each compiled once, in two static libraries shared by every target of the
# project: zarn_juce_core holds juce_core and juce_audio_basics, all that the engine and the timbre
# reader may use; zarn_juce holds the rest (messages, graphics, windows, audio and MIDI devices,
# plug-in hosting) on top of it. The engine and the timbre reader link only zarn_juce_core, so a
# GUI class used there fails the link.
include(${CMAKE_CURRENT_LIST_DIR}/ZarnJuceModules.cmake)

# zarn_juce_modules_into(target module...): compiles the modules' sources into `target` and gives
# it their usage requirements. A module's target brings the modules it builds on, sources and all,
# which would compile juce_core a second time into zarn_juce; so the modules' own properties are
# taken here, the links to other modules left out (zarn_juce has those through zarn_juce_core).
function(zarn_juce_modules_into target)
    foreach(module ${ARGN})
        set(m juce::${module})
        get_target_property(sources ${m} INTERFACE_SOURCES)
        target_sources(${target} PRIVATE ${sources})
        foreach(kind COMPILE_DEFINITIONS COMPILE_FEATURES INCLUDE_DIRECTORIES COMPILE_OPTIONS
                     LINK_DIRECTORIES LINK_OPTIONS LINK_LIBRARIES)
            get_target_property(values ${m} INTERFACE_${kind})
            if(NOT values)
                continue()
            endif()
            if(kind STREQUAL "COMPILE_DEFINITIONS")
                target_compile_definitions(${target} PUBLIC ${values})
            elseif(kind STREQUAL "COMPILE_FEATURES")
                target_compile_features(${target} PUBLIC ${values})
            elseif(kind STREQUAL "INCLUDE_DIRECTORIES")
                target_include_directories(${target} SYSTEM PUBLIC ${values})
            elseif(kind STREQUAL "COMPILE_OPTIONS")
                target_compile_options(${target} PRIVATE ${values})
            elseif(kind STREQUAL "LINK_DIRECTORIES")
                target_link_directories(${target} PUBLIC ${values})
            elseif(kind STREQUAL "LINK_OPTIONS")
                target_link_options(${target} PUBLIC ${values})
            else()
                foreach(library ${values})
                    string(REGEX REPLACE "^juce::" "" name "${library}")
                    if(NOT name IN_LIST zarn_juce_modules)
                        target_link_libraries(${target} PRIVATE ${library})
                    endif()
                endforeach()
            endif()
        endforeach()
    endforeach()
endfunction()

add_library(zarn_juce_core STATIC)
zarn_juce_modules_into(zarn_juce_core ${zarn_juce_core_modules})
target_compile_definitions(zarn_juce_core PUBLIC
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_STRICT_REFCOUNTEDPOINTER=1)

add_library(zarn_juce STATIC)
zarn_juce_modules_into(zarn_juce ${zarn_juce_gui_modules})
target_link_libraries(zarn_juce PUBLIC zarn_juce_core)
if(WIN32)
    # Audio through Windows Audio and DirectSound, MIDI through the multimedia MIDI functions.
    # zarn_image_libraries (libpng, libjpeg, zlib) is built for the target by WindowsJuce.cmake.
    target_compile_definitions(zarn_juce PUBLIC JUCE_WASAPI=1 JUCE_DIRECTSOUND=1 JUCE_ASIO=0 JUCE_USE_WINRT_MIDI=0)
else()
    add_library(zarn_image_libraries INTERFACE) # the system's libpng and libjpeg
    target_link_libraries(zarn_image_libraries INTERFACE juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
    target_compile_definitions(zarn_juce PUBLIC JUCE_JACK=1 JUCE_ALSA=1)
endif()
target_link_libraries(zarn_juce PRIVATE zarn_image_libraries)

# Warnings and defaults for the project's own targets (not for JUCE's sources).
function(zarn_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
