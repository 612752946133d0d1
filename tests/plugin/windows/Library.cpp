#include "tests/plugin/TestHost.h"

#include <windows.h>

namespace testhost
{
Library::Library (const std::string& path)
{
    // The path arrives in UTF-8, with forward slashes.
    std::wstring widePath (static_cast<size_t> (MultiByteToWideChar (CP_UTF8, 0, path.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar (CP_UTF8, 0, path.c_str(), -1, widePath.data(), static_cast<int> (widePath.size()));

    for (auto& c : widePath)
        if (c == L'/')
            c = L'\\';

    handle = LoadLibraryW (widePath.c_str());
}

Library::~Library()
{
    if (handle != nullptr)
        FreeLibrary (static_cast<HMODULE> (handle));
}

void* Library::symbol (const char* name) const
{
    return handle != nullptr ? reinterpret_cast<void*> (GetProcAddress (static_cast<HMODULE> (handle), name)) : nullptr;
}
} // namespace testhost
