#pragma once

// What the dlopen host does with open editors: it idles them as desktop hosts do, clicks into
// them with xdotool (the X server's real pointer) and reads the automation that they send back.
#include "tests/plugin/HostWindow.h"
#include "tests/plugin/TestHost.h"

#include <juce_graphics/juce_graphics.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace testhost
{
constexpr int filterSwitchIndex = 21, cutoffIndex = 26;

// An instance with its editor open in a host window.
struct OpenEditor
{
    Instance& fx;
    HostWindow& window;
};

// The editor's rectangle (effEditGetRect); null where the instance gives none.
Rect* getRect (Instance& fx);

// Sends effEditIdle to every editor every 20 ms, handling its host window's events first, until
// `done` holds or `limitMs` have passed; says whether it holds.
template <typename Condition>
bool idleUntil (const std::vector<OpenEditor>& editors, Condition done, int limitMs = 5000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (limitMs);

    for (;;)
    {
        for (const auto& editor : editors)
        {
            editor.window.handleEvents();
            editor.fx.dispatch (effEditIdle);
        }

        if (done())
            return true;

        if (std::chrono::steady_clock::now() >= end)
            return false;

        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }
}

template <typename Condition>
bool idleUntil (Instance& fx, HostWindow& window, Condition done, int limitMs = 5000)
{
    return idleUntil ({ { fx, window } }, done, limitMs);
}

void idle (const std::vector<OpenEditor>& editors, int milliseconds);
void idle (Instance& fx, HostWindow& window, int milliseconds);

::testing::AssertionResult xdotool (const std::string& arguments);

// xdotool's pointer move to a point of the window.
std::string inWindow (const HostWindow& window, juce::Point<int> p);

// A click on the filter switch; the pointer first leaves the editor (to the screen's top-left
// corner, which the window must leave free), so each click starts anew.
std::string clickOnTheFilterSwitch (const HostWindow& window);

// Renders blocks of 256 frames into left and right as a host's audio thread does, a note held for
// 20 blocks out of every 40, until `stop` holds and at least `minimumBlocks` are rendered.
void renderNotes (Instance& fx, const std::atomic<bool>& stop, int minimumBlocks, std::vector<float>& left,
                  std::vector<float>& right);

// The values that the host heard automated for one parameter, in order.
std::vector<float> automated (const Instance& fx, int index);
} // namespace testhost
