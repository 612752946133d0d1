# The JUCE modules that zarN builds on: those of zarn_juce_core (all that the engine and the timbre
# reader may use) and those of zarn_juce (the rest), see ZarnTargets.cmake.
include_guard(GLOBAL)
set(zarn_juce_core_modules juce_core juce_audio_basics)
set(zarn_juce_gui_modules
    juce_events juce_data_structures juce_graphics juce_gui_basics juce_gui_extra
    juce_audio_devices juce_audio_formats juce_audio_processors juce_audio_utils)
set(zarn_juce_modules ${zarn_juce_core_modules} ${zarn_juce_gui_modules})
