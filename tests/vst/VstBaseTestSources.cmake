# The tests of the effect base classes, driven through the effect record as a host drives them:
# built for 64-bit Linux (here), for 32-bit x86 (tests/vst32, a project of its own) and for
# 32-bit Windows (tests/windows).
set(zarn_vstbase_test_sources
    VstBaseRecordTest.cpp
    VstBaseDispatchTest.cpp
    VstBaseHostTest.cpp
    VstBaseTextTest.cpp
    VstBaseSpeakerTest.cpp)
list(TRANSFORM zarn_vstbase_test_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
