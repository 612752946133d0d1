#pragma once

#include "tests/plugin/TestHost.h"

namespace testhost
{
// The built plug-in library, whose path the test program's build gives as ZARN_PLUGIN_PATH,
// loaded once per test program.
inline const Library& pluginLibrary()
{
    static Library library (ZARN_PLUGIN_PATH);
    return library;
}
} // namespace testhost
