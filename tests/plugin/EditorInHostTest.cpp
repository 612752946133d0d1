// The built library's editor inside a host's X window on the test display: our dlopen host makes
// a plain window, opens the editor in it and sends effEditIdle every 20 ms while it handles its
// own X events, as desktop hosts do; xdotool clicks and drags with the server's real pointer.
#include "EditorDriving.h"
#include "HostWindow.h"
#include "PluginUnderTest.h"

#include "widgets/PanelLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

using namespace testhost;

namespace
{
constexpr std::uint32_t hostBackground = 0xff00ff;
// The host's window is larger than the editor, so that what lies outside the editor shows.
constexpr int hostWidth = 840, hostHeight = 590;

// A drag on the cutoff knob, 60 pixels up in steps.
std::string dragTheCutoffKnobUp (const HostWindow& window)
{
    std::string steps;

    for (int i = 0; i < 6; ++i)
        steps += " mousemove_relative -- 0 -10 sleep 0.02";

    return "mousemove 1 1 sleep 0.1 " + inWindow (window, PanelLayout::fltcut().getCentre()) + " mousedown 1"
           + steps + " mouseup 1";
}

// An image file's pixels as 0xRRGGBB, read through ImageMagick; empty when unreadable.
std::vector<std::uint32_t> readImage (const std::string& path, size_t expectedPixels)
{
    std::vector<std::uint32_t> pixels;
    FILE* pipe = popen (("convert '" + path + "' -depth 8 rgb:-").c_str(), "r");

    if (pipe == nullptr)
        return pixels;

    unsigned char rgb[3];

    while (std::fread (rgb, 1, 3, pipe) == 3)
        pixels.push_back (static_cast<std::uint32_t> (rgb[0] << 16 | rgb[1] << 8 | rgb[2]));

    pclose (pipe);

    if (pixels.size() != expectedPixels)
        pixels.clear();

    return pixels;
}

std::filesystem::path pluginFolder()
{
    return std::filesystem::path (ZARN_PLUGIN_PATH).parent_path();
}

std::string shotPath (const std::string& name)
{
    const char* build = std::getenv ("ZARN_BINARY_DIR");
    const auto folder = std::filesystem::path (build != nullptr ? build : ".") / "tests" / "plugin" / "shots";
    std::filesystem::create_directories (folder);
    return (folder / name).string();
}

// The bytes that the process holds from the heap.
size_t heapInUse()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

std::vector<std::uint32_t> pixelsOf (const HostWindow& window, juce::Rectangle<int> r)
{
    return window.pixels (r.getX(), r.getY(), r.getWidth(), r.getHeight());
}

class EditorInHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (pluginLibrary().isLoaded()) << ZARN_PLUGIN_PATH;
        ASSERT_TRUE (window.isOpen()) << "no X display";
        ASSERT_NE (fx.effect(), nullptr);
        fx.dispatch (effOpen);
        fx.received.automated.clear(); // what the processor's first editor, made here, loaded
    }

    void TearDown() override
    {
        if (fx.effect() != nullptr)
            fx.dispatch (effEditClose);
    }

    void open()
    {
        ASSERT_NE (getRect (fx), nullptr);
        ASSERT_EQ (fx.dispatch (effEditOpen, 0, 0, window.id()), 1);
        ASSERT_TRUE (idleUntil (fx, window, [this] { return ! window.children().empty(); }));
        idle (fx, window, 300);
        // What the editor sent while it was built (its controls' read-back) is not looked at.
        fx.received.automated.clear();
    }

    HostWindow window { 100, 100, hostWidth, hostHeight, hostBackground };
    Instance fx { pluginLibrary() };
};
} // namespace

// Hosts ask for the rectangle before or after opening the editor; either way the editor is one
// child window of the host's, at its top-left corner, 800 x 550, painted over all of it.
TEST_F (EditorInHost, OpensInTheHostsWindowAndPaints)
{
    const auto background = readImage ((pluginFolder() / "GUI Resource" / "background.png").string(), 800 * 550);
    ASSERT_FALSE (background.empty());

    for (bool rectFirst : { true, false })
    {
        SCOPED_TRACE (rectFirst ? "rectangle asked first" : "rectangle asked after opening");
        Rect* rect = rectFirst ? getRect (fx) : nullptr;
        ASSERT_EQ (fx.dispatch (effEditOpen, 0, 0, window.id()), 1);

        if (! rectFirst)
            rect = getRect (fx);

        ASSERT_NE (rect, nullptr);
        EXPECT_EQ (rect->top, 0);
        EXPECT_EQ (rect->left, 0);
        EXPECT_EQ (rect->bottom, 550);
        EXPECT_EQ (rect->right, 800);

        // Painted: inside the editor no pixel shows the host's background.
        const auto hostColouredInEditor = [&] {
            const auto shown = window.pixels (0, 0, 800, 550);
            return std::count (shown.begin(), shown.end(), hostBackground);
        };
        EXPECT_TRUE (idleUntil (fx, window, [&] { return hostColouredInEditor() == 0; }));

        const auto children = window.children();
        ASSERT_EQ (children.size(), 1u);
        EXPECT_EQ (children[0].x, 0);
        EXPECT_EQ (children[0].y, 0);
        EXPECT_EQ (children[0].width, 800);
        EXPECT_EQ (children[0].height, 550);
        EXPECT_TRUE (children[0].viewable);

        // Most of the editor shows the panel's own background image exactly (the controls cover
        // the rest); outside it the host's background shows.
        const auto shown = window.pixels (0, 0, hostWidth, hostHeight);
        int asBackground = 0;

        for (int y = 0; y < 550; ++y)
            for (int x = 0; x < 800; ++x)
                asBackground += shown[static_cast<size_t> (y * hostWidth + x)] == background[static_cast<size_t> (y * 800 + x)];

        EXPECT_GT (asBackground, 800 * 550 / 2);
        EXPECT_EQ (shown[static_cast<size_t> (10 * hostWidth + 820)], hostBackground);
        EXPECT_EQ (shown[static_cast<size_t> (570 * hostWidth + 10)], hostBackground);

        if (rectFirst)
        {
            EXPECT_TRUE (window.saveScreenshot (shotPath ("editor.png")));
        }

        EXPECT_EQ (fx.dispatch (effEditClose), 0);
        EXPECT_TRUE (window.children().empty());
    }
}

// A click on a switch and a drag on a knob reach the host as automation (host opcode 0) with
// the parameter's index and new value, and the controls repaint.
TEST_F (EditorInHost, ClicksAndDragsReachTheHostAsAutomation)
{
    open();
    auto* e = fx.effect();

    const float switchBefore = e->getParameter (e, filterSwitchIndex);
    const float switched = std::trunc (switchBefore) != 0.0f ? 0.0f : 1.0f;
    const auto switchLook = pixelsOf (window, PanelLayout::filterSwitch());

    ASSERT_TRUE (xdotool (clickOnTheFilterSwitch (window)));
    EXPECT_TRUE (idleUntil (fx, window, [&] {
        return ! automated (fx, filterSwitchIndex).empty() && pixelsOf (window, PanelLayout::filterSwitch()) != switchLook;
    }));

    EXPECT_EQ (fx.received.automated, (std::vector<std::pair<int, float>> { { filterSwitchIndex, switched } }));
    EXPECT_EQ (e->getParameter (e, filterSwitchIndex), switched);
    EXPECT_NE (pixelsOf (window, PanelLayout::filterSwitch()), switchLook);

    fx.received.automated.clear();
    const float cutoffBefore = e->getParameter (e, cutoffIndex);
    const auto knobLook = pixelsOf (window, PanelLayout::fltcut());

    ASSERT_TRUE (xdotool (dragTheCutoffKnobUp (window)));
    EXPECT_TRUE (idleUntil (fx, window, [&] {
        return ! fx.received.automated.empty() && pixelsOf (window, PanelLayout::fltcut()) != knobLook;
    }));
    idle (fx, window, 200); // the rest of the drag

    const auto& moves = fx.received.automated;
    ASSERT_FALSE (moves.empty());
    float last = cutoffBefore;

    for (const auto& [index, value] : moves)
    {
        EXPECT_EQ (index, cutoffIndex);
        EXPECT_GT (value, last) << "a drag up only turns the knob up";
        EXPECT_EQ (std::fmod (value, 10.0f), 0.0f) << value << " is not on the knob's steps of 10";
        last = value;
    }

    EXPECT_EQ (e->getParameter (e, cutoffIndex), last);
    EXPECT_NE (pixelsOf (window, PanelLayout::fltcut()), knobLook);
}

// A key of the on-screen keyboard clicked, and then a key typed on the computer's keyboard, play
// notes that come back to the host as the next block's MIDI output.
TEST_F (EditorInHost, TakesMouseAndKeyboardInputOnItsKeyboard)
{
    fx.start (44100.0f, 256);
    open();

    std::vector<float> left, right;

    // The notes that come back from rendering blocks while the editor idles.
    const auto notesPlayed = [&] {
        std::set<int> notes;
        idleUntil (fx, window, [&] {
            fx.render (256, left, right);

            for (const auto& event : fx.received.events)
                if ((event.midiData[0] & 0xf0) == 0x90 && event.midiData[2] > 0)
                    notes.insert (event.midiData[1]);

            return ! notes.empty();
        });
        fx.received.events.clear();
        return notes;
    };

    const auto keyboard = PanelLayout::keyboard();
    ASSERT_TRUE (xdotool ("mousemove 1 1 sleep 0.1 " + inWindow (window, { keyboard.getX() + 10, keyboard.getBottom() - 8 })
                          + " click 1"));
    EXPECT_EQ (notesPlayed(), std::set<int> { 53 }) << "the lowest key shown";

    ASSERT_TRUE (xdotool ("key a"));
    EXPECT_EQ (notesPlayed(), std::set<int> { 72 }) << "the keyboard's first mapped key";
}

// Closing while a menu or a file dialog of the editor is open takes it away with the editor, and
// the instance goes on: an editor opens again and takes clicks.
TEST_F (EditorInHost, ClosingDismissesAnOpenMenuOrDialog)
{
    const struct
    {
        const char* what;
        juce::Rectangle<int> opener;
    } cases[] = { { "the presets menu", PanelLayout::presetsBox() }, { "the load dialog", PanelLayout::loadButton() } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        open();
        const int windowsBefore = window.viewableTopLevelWindows();

        ASSERT_TRUE (xdotool ("mousemove 1 1 sleep 0.1 " + inWindow (window, c.opener.getCentre()) + " click 1"));
        ASSERT_TRUE (idleUntil (fx, window, [&] { return window.viewableTopLevelWindows() == windowsBefore + 1; }))
            << c.what << " did not open";

        EXPECT_EQ (fx.dispatch (effEditClose), 0);
        EXPECT_TRUE (window.children().empty());

        // Without idling, which would let the framework tidy up on its own; a dialog of another
        // program (a desktop's file chooser) goes when that program is ended.
        for (int i = 0; i < 100 && window.viewableTopLevelWindows() != windowsBefore; ++i)
            std::this_thread::sleep_for (std::chrono::milliseconds (20));

        EXPECT_EQ (window.viewableTopLevelWindows(), windowsBefore);
    }

    open();
    ASSERT_TRUE (xdotool (clickOnTheFilterSwitch (window)));
    EXPECT_TRUE (idleUntil (fx, window, [&] { return automated (fx, filterSwitchIndex).size() == 1; }));
}

// Twenty editors in turn, each clicked; every close leaves the host's window empty and gives
// back what the editor held (a leaked editor would keep its controls, about 110 kB: the pictures
// are the process's, shared by every editor), and the leak checker of the AddressSanitizer build finds nothing left at exit.
TEST_F (EditorInHost, CloseAndReopenTwentyTimes)
{
    size_t heapAfterWarmUp = 0;

    for (int i = 0; i < 20; ++i)
    {
        ASSERT_NE (getRect (fx), nullptr) << i;
        ASSERT_EQ (fx.dispatch (effEditOpen, 0, 0, window.id()), 1) << i;
        ASSERT_TRUE (idleUntil (fx, window, [this] { return ! window.children().empty(); })) << i;
        idle (fx, window, 60);
        ASSERT_TRUE (xdotool (clickOnTheFilterSwitch (window)));
        EXPECT_TRUE (idleUntil (fx, window, [&] { return automated (fx, filterSwitchIndex).size() == static_cast<size_t> (i + 1); }))
            << i;
        EXPECT_EQ (fx.dispatch (effEditClose), 0);
        EXPECT_TRUE (window.children().empty()) << i;

        // The first editors fill the framework's caches (glyphs, fonts, the X connection).
        if (i == 4)
            heapAfterWarmUp = heapInUse();
    }

    const auto grown = static_cast<double> (heapInUse()) - static_cast<double> (heapAfterWarmUp);
    std::printf ("heap after 5 editors: %zu bytes; grown by %.0f bytes over 15 more\n", heapAfterWarmUp, grown);
    EXPECT_LT (grown, 1.0e6);
}

// As in a host whose editor thread is not the thread that made the instance: the instance is
// made and opened here, the editor requests (with clicks and drags) come from a thread of their
// own, the audio thread renders notes meanwhile and this thread automates parameters. The
// ThreadSanitizer build proves every value crosses whole.
TEST_F (EditorInHost, EditorOnOneThreadWhileAnotherRenders)
{
    fx.start (44100.0f, 256);
    auto* e = fx.effect();
    std::atomic<bool> editorDone { false };
    std::vector<float> left, right;

    std::thread audio ([&] { renderNotes (fx, editorDone, 100, left, right); });

    std::thread editor ([&] {
        for (int round = 0; round < 3; ++round)
        {
            if (getRect (fx) == nullptr || fx.dispatch (effEditOpen, 0, 0, window.id()) != 1)
                break;

            idle (fx, window, 200);
            const auto heard = automated (fx, filterSwitchIndex).size();
            (void) xdotool (clickOnTheFilterSwitch (window));
            idleUntil (fx, window, [&] { return automated (fx, filterSwitchIndex).size() > heard; });
            (void) xdotool (dragTheCutoffKnobUp (window));
            idle (fx, window, 200);
            fx.dispatch (effEditClose);
        }

        editorDone = true;
    });

    for (int i = 0; ! editorDone.load(); ++i)
    {
        e->setParameter (e, 27, static_cast<float> (i % 10) / 10.0f);
        e->setParameter (e, 44, static_cast<float> (i % 16 - 8));
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }

    editor.join();
    audio.join();

    EXPECT_EQ (automated (fx, filterSwitchIndex).size(), 3u);
    EXPECT_FALSE (automated (fx, cutoffIndex).empty());
    EXPECT_TRUE (window.children().empty());
    EXPECT_TRUE (std::all_of (left.begin(), left.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_GT (*std::max_element (left.begin(), left.end()), 0.01f);
}
