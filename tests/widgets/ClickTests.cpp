// Real input on the test X server: xdotool moves the pointer and presses its button while the
// test pumps JUCE's message loop, so the widgets see the X events a user's mouse makes.
#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnSwitch.h"
#include "widgets/linux/WindowManagerAtoms.h"

#include <cstdlib>

using namespace widgettest;

namespace
{
void pump (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

::testing::AssertionResult xdotool (const juce::String& arguments)
{
    const auto command = "xdotool " + arguments;

    if (std::system (command.toRawUTF8()) == 0)
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "failed: " << command;
}

juce::String at (juce::Point<int> p)
{
    return juce::String (p.x) + " " + juce::String (p.y);
}

// A window on the X server holding one widget.
class WindowTest : public ImageFolderTest
{
protected:
    void SetUp() override
    {
        ImageFolderTest::SetUp();
        // As the program does before its first window.
        ASSERT_TRUE (WindowManagerAtoms::openDisplayWithThem()) << "no X display";
    }

    void show (juce::Component& widget, juce::Rectangle<int> windowOnScreen, juce::Rectangle<int> widgetInWindow)
    {
        window.setBounds (windowOnScreen);
        widget.setBounds (widgetInWindow);
        window.addAndMakeVisible (widget);
        window.addToDesktop (0);
        window.setVisible (true);
        pump (500);
        ASSERT_TRUE (window.isOnDesktop());
        // Start every gesture from outside the window, so the widget sees the pointer enter.
        ASSERT_TRUE (xdotool ("mousemove 2 2"));
        pump (200);
    }

    void TearDown() override
    {
        window.removeFromDesktop();
        window.removeAllChildren();
        ImageFolderTest::TearDown();
    }

    juce::Component window;
};

class WidgetsSwitchClicks : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        writeImage ("SwitchButton.png", twoFrames (20, 20, juce::Colours::red, juce::Colours::blue));
    }
};

// Records the switch's state as each click reaches the listeners.
struct SwitchListener : juce::Button::Listener
{
    void buttonClicked (juce::Button* button) override
    {
        seen.push_back (static_cast<ZarnSwitch*> (button)->on);
    }

    std::vector<bool> seen;
};
}

TEST_F (WidgetsSwitchClicks, ACompletedClickInvertsOnOnceBeforeTheListenerHears)
{
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    SwitchListener listener;
    sw.addListener (&listener);
    show (sw, { 200, 200, 240, 160 }, { 40, 40, 40, 40 });

    const auto centre = sw.getScreenBounds().getCentre();
    ASSERT_TRUE (xdotool ("mousemove " + at (centre) + " click 1"));
    pump (400);

    EXPECT_FALSE (sw.on);
    EXPECT_EQ (listener.seen, std::vector<bool> { false });

    ASSERT_TRUE (xdotool ("mousemove 2 2 sleep 0.2 mousemove " + at (centre) + " click 1"));
    pump (400);

    EXPECT_TRUE (sw.on);
    EXPECT_EQ (listener.seen, (std::vector<bool> { false, true }));
    EXPECT_FALSE (sw.getToggleState());
    sw.removeListener (&listener);
}

TEST_F (WidgetsSwitchClicks, APressDraggedOffAndReleasedOutsideDoesNothing)
{
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    SwitchListener listener;
    sw.addListener (&listener);
    show (sw, { 200, 200, 240, 160 }, { 40, 40, 40, 40 });

    const auto centre = sw.getScreenBounds().getCentre();
    const juce::Point<int> releases[] = {
        sw.getScreenBounds().getBottomRight() + juce::Point<int> (60, 40), // in the window, off the switch
        window.getScreenBounds().getBottomRight() + juce::Point<int> (80, 80), // outside the window
    };

    for (auto release : releases)
    {
        ASSERT_TRUE (xdotool ("mousemove " + at (centre) + " sleep 0.1 mousedown 1 sleep 0.1 mousemove "
                              + at (release) + " sleep 0.1 mouseup 1"));
        pump (400);

        EXPECT_TRUE (sw.on) << "released at " << at (release);
        EXPECT_TRUE (listener.seen.empty()) << "released at " << at (release);

        ASSERT_TRUE (xdotool ("mousemove 2 2"));
        pump (200);
    }

    sw.removeListener (&listener);
}

namespace
{
class WidgetsKeyboardHover : public WindowTest {};
}

TEST_F (WidgetsKeyboardHover, TheKeyUnderTheMouseIsDrawnFullyOpaque)
{
    const juce::Colour whiteUp (0xff30a0ff), blackUp (0xff102080);
    writeImage ("WhiteNote.png", twoFrames (17, 72, whiteUp, juce::Colours::orange));
    writeImage ("BlackNote.png", twoFrames (12, 50, blackUp, juce::Colours::darkred));

    juce::MidiKeyboardState state;
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    show (keyboard, { 200, 400, 476, 72 }, { 0, 0, 476, 72 });

    const auto white = juce::Colours::white; // the framework's keyboard background
    const auto origin = keyboard.getScreenPosition().toFloat();

    struct Case
    {
        int hovered, other;
        float y;
        juce::Colour image;
        float alpha;
    };

    const Case cases[] = {
        { 62, 64, 62.0f, whiteUp, 0.88f }, // white keys, low where no black key lies
        { 66, 68, 20.0f, blackUp, 0.93f }, // black keys
    };

    for (const auto& c : cases)
    {
        const auto target = keyboard.getRectangleForKey (c.hovered).getCentre().withY (c.y);
        ASSERT_TRUE (xdotool ("mousemove " + at ((origin + target).roundToInt())));
        pump (400);

        const auto image = paint (keyboard);
        const auto other = keyboard.getRectangleForKey (c.other).getCentre().withY (c.y);

        // Over a white key: the image over the white background; over a black key, the black key
        // image covers the white key (itself drawn at 0.88) beneath it.
        const auto base = juce::MidiMessage::isMidiNoteBlack (c.hovered) ? white.overlaidWith (whiteUp.withAlpha (0.88f)) : white;

        EXPECT_TRUE (pixelIs (image, (int) target.x, (int) target.y, base.overlaidWith (c.image), 2)) << "hovered " << c.hovered;
        EXPECT_TRUE (pixelIs (image, (int) other.x, (int) other.y, base.overlaidWith (c.image.withAlpha (c.alpha)), 2)) << "other " << c.other;
        EXPECT_FALSE (state.isNoteOn (1, c.hovered));
    }
}
