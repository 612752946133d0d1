#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"

using namespace widgettest;

namespace
{
class WidgetsFilmStrip : public ImageFolderTest {};

struct FrameCase
{
    double minimum, maximum, value;
    int frame;
};

// index = (value - min) / (max - min) * 63, truncated.
const FrameCase frameCases[] = {
    { 0.0, 1.0, 0.0, 0 },
    { 0.0, 1.0, 1.0, 63 },
    { 0.0, 1.0, 0.5, 31 },      // 31.5 truncated
    { 3.0, 5000.0, 3.0, 0 },
    { 3.0, 5000.0, 5000.0, 63 },
    { 3.0, 5000.0, 2501.5, 31 },
    { -8.0, 8.0, 0.0, 31 },
    { -8.0, 8.0, 8.0, 63 },
    { 0.0, 63.0, 62.5, 62 },
    { 0.0, 63.0, 1.0, 1 },
};

template <typename Widget>
void expectFrames (const char* widgetName, int frameWidth, int frameHeight)
{
    for (const auto& c : frameCases)
    {
        Widget widget ("t");
        widget.setRange (c.minimum, c.maximum);
        widget.setValue (c.value, juce::dontSendNotification);
        widget.setSize (frameWidth, frameHeight);

        EXPECT_TRUE (allPixelsAre (paint (widget), frameColour (c.frame)))
            << widgetName << " range " << c.minimum << ".." << c.maximum << " value " << c.value;
    }
}
}

TEST_F (WidgetsFilmStrip, KnobAndSliderShowTheFrameOfTheirValue)
{
    writeImage ("RotarySlider.png", stackedStrip (6, 5, 64));
    writeImage ("VerticalSlider.png", stackedStrip (4, 7, 64));

    expectFrames<ZarnKnob> ("knob", 6, 5);
    expectFrames<ZarnSlider> ("slider", 4, 7);
}

TEST_F (WidgetsFilmStrip, SkewPlaysNoPartInTheFrameChoice)
{
    writeImage ("RotarySlider.png", stackedStrip (6, 5, 64));
    ZarnKnob knob ("t");
    knob.setRange (0.0, 1.0);
    knob.setSkewFactor (0.2);
    knob.setValue (0.5, juce::dontSendNotification);
    knob.setSize (6, 5);

    EXPECT_TRUE (allPixelsAre (paint (knob), frameColour (31)));
}

TEST_F (WidgetsFilmStrip, StripHeightNotAMultipleOf64LeavesTheLastRowsUndrawn)
{
    // 3330 / 64 = 52: frame 63 is rows 3276..3327, the two rows below are never shown.
    writeImage ("RotarySlider.png", stackedStrip (52, 52, 64, 2));
    ZarnKnob knob ("t");
    EXPECT_EQ (knob.filmStrip.getHeight(), 3330);
    EXPECT_EQ (knob.frameWidth, 52);
    EXPECT_EQ (knob.frameHeight, 52);

    knob.setRange (0.0, 1.0);
    knob.setSize (52, 52);
    knob.setValue (1.0, juce::dontSendNotification);
    EXPECT_TRUE (allPixelsAre (paint (knob), frameColour (63)));
    knob.setValue (0.0, juce::dontSendNotification);
    EXPECT_TRUE (allPixelsAre (paint (knob), frameColour (0)));
}

TEST_F (WidgetsFilmStrip, FrameIsScaledOntoTheWholeWidget)
{
    writeImage ("VerticalSlider.png", stackedStrip (3, 10, 64));
    ZarnSlider slider ("t");
    slider.setRange (-8.0, 8.0);
    slider.setValue (-8.0, juce::dontSendNotification);
    slider.setSize (30, 100);

    // Resampling softens only the outermost pixels' alpha.
    EXPECT_TRUE (allPixelsAre (paint (slider), frameColour (0), 3));
}

TEST_F (WidgetsFilmStrip, NamesAndTextBoxFollowTheImage)
{
    writeImage ("RotarySlider.png", stackedStrip (6, 5, 64));

    ZarnKnob knob ("ampatk");
    EXPECT_EQ (knob.getName(), "ampatk knob");
    EXPECT_EQ (knob.getTextBoxPosition(), juce::Slider::NoTextBox);

    // No "VerticalSlider.png" in the folder: the slider keeps its text box and draws nothing.
    ZarnSlider slider ("eq3");
    EXPECT_EQ (slider.getName(), "eq3 slider");
    EXPECT_TRUE (slider.filmStrip.isNull());
    EXPECT_NE (slider.getTextBoxPosition(), juce::Slider::NoTextBox);

    slider.setRange (-8.0, 8.0);
    slider.setSize (30, 100);
    juce::Image image (juce::Image::ARGB, 30, 100, true);
    {
        juce::Graphics g (image);
        slider.paint (g);
    }
    EXPECT_TRUE (isFullyTransparent (image));
}
