#include "plugin/PluginFolder.h"

#include <windows.h>

#include <vector>

namespace
{
// Any code address inside the library: its module handle names the library's file.
void anchor() {}
}

juce::File PluginFolder::get()
{
    HMODULE module = nullptr;

    if (! GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCWSTR> (&anchor), &module))
        return {};

    // The path may be longer than MAX_PATH: grow the buffer until the whole name fits.
    std::vector<wchar_t> path (MAX_PATH);

    for (;;)
    {
        const DWORD length = GetModuleFileNameW (module, path.data(), static_cast<DWORD> (path.size()));

        if (length == 0)
            return {};

        if (length < path.size())
            return juce::File (juce::String (path.data(), length)).getParentDirectory();

        path.resize (path.size() * 2);
    }
}
