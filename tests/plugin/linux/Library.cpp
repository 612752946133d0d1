#include "tests/plugin/TestHost.h"

#include <dlfcn.h>

namespace testhost
{
Library::Library (const std::string& path)
{
    handle = dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

Library::~Library()
{
    if (handle != nullptr)
        dlclose (handle);
}

void* Library::symbol (const char* name) const
{
    return handle != nullptr ? dlsym (handle, name) : nullptr;
}
} // namespace testhost
