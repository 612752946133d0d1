#include "tests/plugin/TestHost.h"

#include <windows.h>

#include <tlhelp32.h>

namespace testhost
{
int threadsInProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot (TH32CS_SNAPTHREAD, 0);

    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;

    int count = 0;
    THREADENTRY32 entry {};
    entry.dwSize = sizeof (entry);

    for (BOOL more = Thread32First (snapshot, &entry); more; more = Thread32Next (snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;

    CloseHandle (snapshot);
    return count;
}

void handleHostMessages()
{
    MSG message;

    while (PeekMessageW (&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage (&message);
        DispatchMessageW (&message);
    }
}
} // namespace testhost
