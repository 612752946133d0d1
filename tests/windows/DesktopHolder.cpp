// desktop_holder: keeps Wine's desktop up for the whole test run. Wine starts its desktop process
// when a program first needs it and ends it soon after the last program has gone, so without a
// holder every program under test would start a new one; and under an emulator a start now and
// then fails to load the X11 driver, which leaves that program without windows. This program
// makes a hidden top-level window, which only a desktop with its display driver can give, prints
// "ready" and then runs its message loop until it is killed. It ends with 1 at once when the
// window can't be made.
#include <windows.h>

#include <cstdio>

int main()
{
    HWND window = CreateWindowExW (0, L"STATIC", L"zarN desktop holder", WS_POPUP, 0, 0, 1, 1,
                                   nullptr, nullptr, GetModuleHandleW (nullptr), nullptr);

    if (window == nullptr)
    {
        std::printf ("no window: error %lu\n", GetLastError());
        return 1;
    }

    std::printf ("ready\n");
    std::fflush (stdout);

    MSG message;

    while (GetMessageW (&message, nullptr, 0, 0) > 0)
        DispatchMessageW (&message);

    return 0;
}
