# The VST 2.4 effect base classes' sources: for zarn_vstbase and for their 32-bit test build
# (tests/vst32, a project of its own).
set(zarn_vstbase_sources AudioEffect.cpp AudioEffectX.cpp)
list(TRANSFORM zarn_vstbase_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
