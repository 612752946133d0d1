#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/ZarnButton.h"
#include "widgets/ZarnSwitch.h"

using namespace widgettest;

namespace
{
class WidgetsSwitch : public ImageFolderTest
{
protected:
    void SetUp() override
    {
        ImageFolderTest::SetUp();
        // 41 pixels wide: frames of 20, the right one starting at x 20, column 40 never shown.
        writeImage ("SwitchButton.png", twoFrames (20, 20, off, on, 1, juce::Colours::magenta));
        writeImage ("EqButton.png", twoFrames (6, 6, eqOff, eqOn));
    }

    const juce::Colour off { 0xffd02020 }, on { 0xff2040e0 };
    const juce::Colour eqOff { 0xff20c040 }, eqOn { 0xffe0d020 };
};

class WidgetsSelector : public ImageFolderTest {};
}

TEST_F (WidgetsSwitch, ShowsItsStateFrameWithTheTableOpacity)
{
    struct Case
    {
        bool isOn;
        juce::Button::ButtonState state;
        float alpha;
    };

    const Case cases[] = {
        { true, juce::Button::buttonNormal, 0.89f },
        { false, juce::Button::buttonNormal, 0.7f },
        { true, juce::Button::buttonOver, 1.0f },
        { false, juce::Button::buttonOver, 1.0f },
    };

    for (const auto& c : cases)
    {
        ZarnSwitch sw (ZarnSwitch::Kind::power);
        sw.setSize (20, 20);
        sw.on = c.isOn;
        sw.setState (c.state);

        // Drawn as an image at that opacity: the tint's red, green and blue do not show.
        EXPECT_TRUE (allPixelsAre (paint (sw), (c.isOn ? on : off).withAlpha (c.alpha), 2))
            << "on " << c.isOn << " state " << (int) c.state;
    }
}

TEST_F (WidgetsSwitch, StartsOnWithItsNameAndImage)
{
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    EXPECT_TRUE (sw.on);
    EXPECT_EQ (sw.getName(), "button");
    EXPECT_EQ (sw.image.getWidth(), 41);

    ZarnSwitch eq (ZarnSwitch::Kind::equaliser);
    eq.setSize (6, 6);
    EXPECT_TRUE (allPixelsAre (paint (eq), eqOn.withAlpha (0.89f), 2));
    eq.on = false;
    EXPECT_TRUE (allPixelsAre (paint (eq), eqOff.withAlpha (0.7f), 2));
}

TEST_F (WidgetsSwitch, PaintingWhileHeldDownChangesNothing)
{
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    sw.setSize (20, 20);
    sw.on = false;
    sw.setState (juce::Button::buttonDown);

    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE (allPixelsAre (paint (sw), off, 2));

    EXPECT_FALSE (sw.on);
    EXPECT_FALSE (sw.getToggleState());
}

TEST_F (WidgetsSelector, EachKindShowsItsOwnImageAtOneFrameSize)
{
    const char* files[] = { "Square.png", "Sawtooth.png", "Triangle.png", "Sine.png",
                            "WNoise.png", "SquareLFO.png", "TriangleLFO.png" };

    auto left = [] (int kind)  { return frameColour (2 * kind); };
    auto right = [] (int kind) { return frameColour (2 * kind + 1); };

    // Sizes differ per file, some with an odd width.
    for (int kind = 0; kind < 7; ++kind)
        writeImage (files[kind], twoFrames (10 + kind, 8 + kind, left (kind), right (kind), kind % 2));

    for (int kind = 0; kind < 7; ++kind)
    {
        ZarnButton button (static_cast<ZarnButton::Kind> (kind));
        EXPECT_EQ (button.getName(), "button" + juce::String (kind));
        EXPECT_EQ (button.frameWidth, 10 + kind);
        EXPECT_EQ (button.frameHeight, 8 + kind);
        EXPECT_TRUE (button.selected);

        button.setSize (button.frameWidth, button.frameHeight);
        EXPECT_TRUE (allPixelsAre (paint (button), right (kind).withAlpha (0.9f), 2)) << "kind " << kind;
        button.selected = false;
        EXPECT_TRUE (allPixelsAre (paint (button), left (kind).withAlpha (0.9f), 2)) << "kind " << kind;
    }
}

TEST_F (WidgetsSelector, PressedLooksLikeHoveredAndOnlyThatIsOpaque)
{
    writeImage ("Sine.png", twoFrames (8, 8, juce::Colours::red, juce::Colours::blue));
    ZarnButton button (ZarnButton::Kind::sine);
    button.setSize (8, 8);

    button.setState (juce::Button::buttonOver);
    const auto over = paint (button);
    button.setState (juce::Button::buttonDown);
    const auto down = paint (button);

    EXPECT_TRUE (allPixelsAre (over, juce::Colours::blue, 1));
    EXPECT_TRUE (allPixelsAre (down, juce::Colours::blue, 1));
    EXPECT_TRUE (button.selected);
}

TEST_F (WidgetsSelector, UnknownKindHasNoImageAndDrawsNothing)
{
    writeImage ("Square.png", twoFrames (8, 8, juce::Colours::red, juce::Colours::blue));

    for (int kind : { -1, 7 })
    {
        ZarnButton button (static_cast<ZarnButton::Kind> (kind));
        EXPECT_TRUE (button.image.isNull());
        EXPECT_EQ (button.frameWidth, 0);
        EXPECT_EQ (button.frameHeight, 0);
        button.setSize (8, 8);
        EXPECT_TRUE (isFullyTransparent (paint (button)));
    }
}
