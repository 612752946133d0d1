// editor_host PLUGIN_LIBRARY SECONDS: a 32-bit Windows host window for the plug-in's editor, as
// a host makes one. It makes an instance, asks for the editor's size, makes a borderless
// top-level window "zarN editor host" of that size and opens the editor in it with the window's
// HWND. Its own message loop then runs the framework's messages, and every 10 ms it renders a
// block and makes the idle call, until SECONDS have passed. It prints what it saw: the editor's
// window inside the host's, the note-ons that came back from the plug-in and the loudest sample;
// then it closes the editor. It ends with 0 when each request was answered as a host expects.
#include "tests/plugin/TestHost.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace testhost;

namespace
{
constexpr int blockFrames = 441;

Instance* instance = nullptr;
DWORD endTime = 0;
std::vector<float> left, right;

LRESULT CALLBACK hostWindowProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER)
    {
        instance->render (blockFrames, left, right);
        instance->dispatch (effEditIdle);

        if (GetTickCount() >= endTime)
            PostQuitMessage (0);

        return 0;
    }

    return DefWindowProcW (window, message, wParam, lParam);
}

bool fail (const char* what)
{
    std::printf ("FAIL: %s\n", what);
    return false;
}

bool run (const char* libraryPath, int seconds)
{
    const Library library (libraryPath);

    if (! library.isLoaded())
        return fail ("the library does not load");

    Instance fx (library);

    if (fx.effect() == nullptr)
        return fail ("no instance");

    instance = &fx;
    fx.dispatch (effOpen);
    fx.start (44100.0f, blockFrames);

    Rect* rect = nullptr;

    if (fx.dispatch (effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr)
        return fail ("effEditGetRect gives no rectangle");

    const int width = rect->right - rect->left, height = rect->bottom - rect->top;
    std::printf ("editor rectangle %dx%d\n", width, height);

    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = GetModuleHandleW (nullptr);
    windowClass.lpszClassName = L"zarNEditorHost";
    RegisterClassW (&windowClass);

    HWND hostWindow = CreateWindowExW (0, windowClass.lpszClassName, L"zarN editor host", WS_POPUP | WS_VISIBLE,
                                       100, 100, width, height, nullptr, nullptr, windowClass.hInstance, nullptr);

    if (hostWindow == nullptr)
        return fail ("no host window");

    if (fx.dispatch (effEditOpen, 0, 0, hostWindow) != 1)
        return fail ("effEditOpen does not open the editor");

    HWND editorWindow = GetWindow (hostWindow, GW_CHILD);
    RECT editorBounds {};

    if (editorWindow == nullptr || ! GetWindowRect (editorWindow, &editorBounds))
        return fail ("the editor is not a child window of the host's window");

    POINT origin { editorBounds.left, editorBounds.top };
    ScreenToClient (hostWindow, &origin);
    std::printf ("editor window %ldx%ld at %ld,%ld in the host window\n", editorBounds.right - editorBounds.left,
                 editorBounds.bottom - editorBounds.top, origin.x, origin.y);

    endTime = GetTickCount() + static_cast<DWORD> (seconds) * 1000;
    SetTimer (hostWindow, 1, 10, nullptr);
    MSG message;

    while (GetMessageW (&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage (&message);
        DispatchMessageW (&message);
    }

    KillTimer (hostWindow, 1);

    int noteOns = 0;

    for (const auto& e : fx.received.events)
        if ((e.midiData[0] & 0xf0) == 0x90 && e.midiData[2] > 0)
            ++noteOns;

    float peak = 0.0f;

    for (float x : left)
        peak = std::max (peak, std::abs (x));

    std::printf ("note-ons from the plug-in %d\nloudest sample %.4f\n", noteOns, peak);

    if (fx.dispatch (effEditClose) != 0)
        return fail ("effEditClose");

    if (GetWindow (hostWindow, GW_CHILD) != nullptr)
        return fail ("the editor's window is still there after effEditClose");

    std::printf ("editor closed\n");
    DestroyWindow (hostWindow);
    fx.dispatch (effMainsChanged, 0, 0);
    return fx.close() == 1;
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 3)
    {
        std::fprintf (stderr, "usage: %s PLUGIN_LIBRARY SECONDS\n", argv[0]);
        return 2;
    }

    const bool ok = run (argv[1], std::atoi (argv[2]));
    std::fflush (stdout);
    return ok ? 0 : 1;
}
