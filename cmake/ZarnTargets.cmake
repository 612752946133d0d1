# One compiled copy of the JUCE modules, shared by every target of the project.
add_library(zarn_juce STATIC)
target_link_libraries(zarn_juce PRIVATE
    juce::juce_core
    juce::juce_events
    juce::juce_data_structures
    juce::juce_graphics
    juce::juce_gui_basics
    juce::juce_gui_extra
    juce::juce_audio_basics
    juce::juce_audio_devices
    juce::juce_audio_formats
    juce::juce_audio_processors
    juce::juce_audio_utils)
target_compile_definitions(zarn_juce PUBLIC
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_STRICT_REFCOUNTEDPOINTER=1)
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
target_compile_definitions(zarn_juce INTERFACE
    $<TARGET_PROPERTY:zarn_juce,COMPILE_DEFINITIONS>)
target_include_directories(zarn_juce SYSTEM INTERFACE
    $<TARGET_PROPERTY:zarn_juce,INCLUDE_DIRECTORIES>)
set_target_properties(zarn_juce PROPERTIES POSITION_INDEPENDENT_CODE ON)

# Warnings and defaults for the project's own targets (not for JUCE's sources).
function(zarn_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
