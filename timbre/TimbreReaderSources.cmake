# The timbre reader's sources: all of zarn_timbre but SettingWriter, which writes into the voices.
# For zarn_timbre and for the reader's fuzz target (tests/fuzz, a project of its own).
set(zarn_timbre_reader_sources
    SettingsTable.cpp
    ValueText.cpp
    NumberText.cpp
    SmallFile.cpp
    TimbreDocument.cpp
    TimbreFile.cpp)
list(TRANSFORM zarn_timbre_reader_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
