// The built library's editors in a host that keeps Xlib's default error handler, which ends the
// process at the first failing X request, on X servers without a window manager where no client
// has made any atom yet. The host is a process of its own (forked), so that its death shows as a
// failure here; each server records every error that it sends, whoever gets it.
#include "EditorDriving.h"
#include "HostWindow.h"
#include "PluginUnderTest.h"

#include "tests/support/BareXServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace testhost;

namespace
{
// Four host windows side by side in two rows, each larger than the editor (800 x 550), with the
// screen's top-left corner free for the pointer between clicks.
constexpr int hostWidth = 840, hostHeight = 590, gap = 10;
constexpr int screenWidth = 2 * (hostWidth + gap) + gap, screenHeight = 2 * (hostHeight + gap) + gap;

// Each instance renders blocks with notes on its own thread, as a host's audio threads do, until
// this goes; what it rendered stays.
class Renderers
{
public:
    explicit Renderers (const std::vector<std::unique_ptr<Instance>>& instances) : output (instances.size())
    {
        for (size_t i = 0; i < instances.size(); ++i)
            threads.emplace_back ([this, &fx = *instances[i], &left = output[i]] {
                std::vector<float> right;
                renderNotes (fx, stop, 40, left, right);
            });
    }

    ~Renderers() { join(); }

    void join()
    {
        stop = true;

        for (auto& thread : threads)
            if (thread.joinable())
                thread.join();
    }

    std::vector<std::vector<float>> output; // each instance's left channel

private:
    std::atomic<bool> stop { false };
    std::vector<std::thread> threads;
};

// On the server `display`: `count` instances, each with its editor open in a host window of its
// own at once, clicked, idled and closed while every instance renders.
void runEditors (const std::string& display, int count)
{
    SCOPED_TRACE (std::to_string (count) + " instances on " + display);
    setenv ("DISPLAY", display.c_str(), 1); // for the plug-in, the host's windows and xdotool

    std::vector<std::unique_ptr<HostWindow>> windows;
    std::vector<std::unique_ptr<Instance>> instances;
    std::vector<OpenEditor> editors;

    for (int i = 0; i < count; ++i)
    {
        windows.push_back (std::make_unique<HostWindow> (gap + i % 2 * (hostWidth + gap), gap + i / 2 * (hostHeight + gap),
                                                         hostWidth, hostHeight, 0x808080));
        ASSERT_TRUE (windows.back()->isOpen());
        instances.push_back (std::make_unique<Instance> (pluginLibrary()));
        ASSERT_NE (instances.back()->effect(), nullptr);
        instances.back()->dispatch (effOpen);
        instances.back()->start (44100.0f, 256);
        editors.push_back ({ *instances.back(), *windows.back() });
    }

    Renderers renderers (instances);

    for (auto& editor : editors)
    {
        ASSERT_NE (getRect (editor.fx), nullptr);
        ASSERT_EQ (editor.fx.dispatch (effEditOpen, 0, 0, editor.window.id()), 1);
        editor.fx.received.automated.clear(); // what the editor sent while it was built
    }

    // Every editor on the screen, in its host's window on this server.
    EXPECT_TRUE (idleUntil (editors, [&] {
        return std::all_of (editors.begin(), editors.end(), [] (const OpenEditor& e) { return ! e.window.children().empty(); });
    }));
    idle (editors, 300);

    for (auto& editor : editors)
    {
        EXPECT_TRUE (xdotool (clickOnTheFilterSwitch (editor.window)));
        EXPECT_TRUE (idleUntil (editors, [&] { return automated (editor.fx, filterSwitchIndex).size() == 1; }));
    }

    idle (editors, 300);

    for (auto& editor : editors)
    {
        EXPECT_EQ (editor.fx.dispatch (effEditClose), 0);
        EXPECT_TRUE (editor.window.children().empty());
    }

    renderers.join();

    for (const auto& left : renderers.output)
        EXPECT_GT (*std::max_element (left.begin(), left.end()), 0.01f) << "the notes sound";

    // The instances close here, the last one shutting the framework down with its X display.
}
} // namespace

// One instance, then four at once, each on a server of its own: the second scenario comes after
// the framework has shut down and starts it anew, on a server that has never seen the first.
TEST (EditorOnABareXServer, MakesNoFailingRequest)
{
    BareXServer one (ZARN_BARE_X_DISPLAY, screenWidth, screenHeight), four (ZARN_BARE_X_DISPLAY + 1, screenWidth, screenHeight);
    ASSERT_TRUE (one.ok()) << "no Xvfb with the RECORD extension on :" << ZARN_BARE_X_DISPLAY;
    ASSERT_TRUE (four.ok()) << "no Xvfb with the RECORD extension on :" << ZARN_BARE_X_DISPLAY + 1;
    std::fflush (nullptr); // what is buffered goes out once, not from both processes

    const pid_t host = fork();
    ASSERT_NE (host, -1);

    if (host == 0)
    {
        // The host keeps the default handlers of Xlib, which the plug-in leaves alone.
        runEditors (one.display(), 1);

        if (! ::testing::Test::HasFatalFailure())
            runEditors (four.display(), 4);

        std::fflush (nullptr);
        _exit (::testing::Test::HasFailure() ? 1 : 0);
    }

    // The host finishes in seconds (minutes under a sanitizer): this only ends one that hangs.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes (8);
    int status = 0;
    pid_t ended = 0;

    while ((ended = waitpid (host, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < limit)
    {
        one.poll();
        four.poll();
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }

    if (ended == 0)
    {
        kill (host, SIGKILL);
        waitpid (host, &status, 0);
        ADD_FAILURE() << "the host did not finish";
    }

    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0)
        << "the host failed or was ended (its output is above): "
        << (WIFEXITED (status) ? "exit status " + std::to_string (WEXITSTATUS (status)) : "signal " + std::to_string (WTERMSIG (status)));
    // What the host's process was sent, and what came to a client that nobody saw; xdotool's own
    // errors (none are known) are not the plug-in's.
    for (auto* server : { &one, &four })
        for (const auto& error : server->errors())
            EXPECT_TRUE (error.process != 0 && error.process != host)
                << "sent on " << server->display() << ": " << error.text << " (" << (error.process == 0 ? "an unseen client" : error.program) << ")";
}
