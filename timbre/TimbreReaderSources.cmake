# The timbre reader's sources: all of zarn_timbre but SettingWriter, which writes into the voices.
# For zarn_timbre and for the reader's fuzz target (tests/fuzz, a project of its own). How a file
# is read whole and how a replaced file keeps its permissions differ by platform: linux/ and
# windows/ hold the two ways.
if(WIN32)
    set(platform_folder windows)
else()
    set(platform_folder linux)
endif()
set(zarn_timbre_reader_sources
    SettingsTable.cpp
    ValueText.cpp
    NumberText.cpp
    ${platform_folder}/SmallFile.cpp
    ${platform_folder}/FilePermissions.cpp
    TimbreDocument.cpp
    TimbreFile.cpp)
unset(platform_folder)
list(TRANSFORM zarn_timbre_reader_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
