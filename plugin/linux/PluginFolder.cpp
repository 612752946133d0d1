#include "plugin/PluginFolder.h"

#include <dlfcn.h>

namespace
{
// Any code address inside the library: dladdr names the file that maps it.
void anchor() {}
}

juce::File PluginFolder::get()
{
    Dl_info info {};

    if (dladdr (reinterpret_cast<void*> (&anchor), &info) == 0 || info.dli_fname == nullptr)
        return {};

    // A library loaded through a relative path is named relative to the working directory.
    return juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (info.dli_fname))
        .getParentDirectory();
}
