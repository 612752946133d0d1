#include "tests/plugin/TestHost.h"

#include <filesystem>

namespace testhost
{
int threadsInProcess()
{
    int count = 0;

    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator ("/proc/self/task"))
        ++count;

    return count;
}

// The plug-in runs its own message thread here.
void handleHostMessages() {}
} // namespace testhost
