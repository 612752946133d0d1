#include "tests/plugin/EditorDriving.h"

#include "widgets/PanelLayout.h"

#include <cstdlib>

namespace testhost
{
Rect* getRect (Instance& fx)
{
    Rect* rect = nullptr;
    return fx.dispatch (effEditGetRect, 0, 0, &rect) == 1 ? rect : nullptr;
}

void idle (const std::vector<OpenEditor>& editors, int milliseconds)
{
    idleUntil (editors, [] { return false; }, milliseconds);
}

void idle (Instance& fx, HostWindow& window, int milliseconds)
{
    idle ({ { fx, window } }, milliseconds);
}

::testing::AssertionResult xdotool (const std::string& arguments)
{
    const auto command = "xdotool " + arguments;

    if (std::system (command.c_str()) == 0)
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "failed: " << command;
}

std::string inWindow (const HostWindow& window, juce::Point<int> p)
{
    return "mousemove --window " + std::to_string (reinterpret_cast<unsigned long> (window.id())) + " "
           + std::to_string (p.x) + " " + std::to_string (p.y);
}

std::string clickOnTheFilterSwitch (const HostWindow& window)
{
    return "mousemove 1 1 sleep 0.1 " + inWindow (window, PanelLayout::filterSwitch().getCentre()) + " click 1";
}

void renderNotes (Instance& fx, const std::atomic<bool>& stop, int minimumBlocks, std::vector<float>& left,
                  std::vector<float>& right)
{
    for (int block = 0; ! stop.load() || block < minimumBlocks; ++block)
    {
        if (block % 40 == 0)
            fx.sendMidi ({ noteOn (60 + block / 40 % 12, 100, 0) });
        else if (block % 40 == 20)
            fx.sendMidi ({ noteOff (60 + block / 40 % 12, 0) });

        fx.render (256, left, right);
    }
}

std::vector<float> automated (const Instance& fx, int index)
{
    std::vector<float> values;

    for (const auto& [i, value] : fx.received.automated)
        if (i == index)
            values.push_back (value);

    return values;
}
} // namespace testhost
