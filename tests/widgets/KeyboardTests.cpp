#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/ZarnKeyboard.h"

using namespace widgettest;

namespace
{
class WidgetsKeyboard : public ImageFolderTest
{
protected:
    const juce::Colour whiteUp { 0xff30a0ff }, whiteDown { 0xffff8020 };
    const juce::Colour blackUp { 0xff102080 }, blackDown { 0xff802010 };

    void writeKeyImages()
    {
        writeImage ("WhiteNote.png", twoFrames (17, 72, whiteUp, whiteDown));
        writeImage ("BlackNote.png", twoFrames (12, 50, blackUp, blackDown));
    }

    juce::MidiKeyboardState state;
};

// The white key whose area holds the point.
int whiteKeyAt (const juce::MidiKeyboardComponent& keyboard, juce::Point<float> point)
{
    for (int note = keyboard.getRangeStart(); note <= keyboard.getRangeEnd(); ++note)
        if (! juce::MidiMessage::isMidiNoteBlack (note) && keyboard.getRectangleForKey (note).contains (point))
            return note;

    return -1;
}
}

TEST_F (WidgetsKeyboard, KeyWidthIsOneFrameOfTheWhiteKeyImage)
{
    for (auto [imageWidth, keyWidth] : { std::pair { 34, 17.0f }, std::pair { 41, 20.0f }, std::pair { 10, 5.0f } })
    {
        writeImage ("WhiteNote.png", twoFrames (imageWidth / 2, 72, whiteUp, whiteDown, imageWidth % 2));
        ZarnKeyboard keyboard (state);
        EXPECT_EQ (keyboard.getKeyWidth(), keyWidth) << "image width " << imageWidth;
        EXPECT_EQ (keyboard.getOrientation(), juce::KeyboardComponentBase::horizontalKeyboard);
        EXPECT_TRUE (keyboard.getName().isEmpty());
    }
}

TEST_F (WidgetsKeyboard, TwentyEightSeventeenPixelKeysFillThePanelKeyboard)
{
    writeKeyImages();
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (0, 0, 476, 72);

    EXPECT_FLOAT_EQ (keyboard.getRectangleForKey (53).getX(), 0.0f);
    EXPECT_FLOAT_EQ (keyboard.getRectangleForKey (100).getRight(), 476.0f);
}

TEST_F (WidgetsKeyboard, WithoutWhiteImageTheFrameworkKeyWidthStays)
{
    ZarnKeyboard keyboard (state);
    juce::MidiKeyboardComponent plain (state, juce::KeyboardComponentBase::horizontalKeyboard);
    EXPECT_TRUE (keyboard.whiteNoteImage.isNull());
    EXPECT_EQ (keyboard.getKeyWidth(), plain.getKeyWidth());

    // Painting without images draws the framework's background and no keys.
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (0, 0, 200, 72);
    const auto image = paint (keyboard);
    EXPECT_TRUE (pixelIs (image, 100, 40, juce::Colours::white));
}

TEST_F (WidgetsKeyboard, ScrollButtonsStayHiddenWhenTheKeysDoNotFit)
{
    writeKeyImages();
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (0, 0, 200, 72);
    keyboard.setLowestVisibleKey (72);

    for (auto* child : keyboard.getChildren())
        EXPECT_FALSE (child->isVisible());
}

TEST_F (WidgetsKeyboard, KeysShowTheirUpOrDownFrameAtTheirOpacity)
{
    writeKeyImages();
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (0, 0, 476, 72);
    state.noteOn (1, 60, 1.0f);
    state.noteOn (1, 61, 1.0f);

    const auto image = paint (keyboard);
    const auto background = juce::Colours::white; // the framework's keyboard background

    auto whiteKeyColour = [&] (bool down)
    {
        return background.overlaidWith ((down ? whiteDown : whiteUp).withAlpha (0.88f));
    };

    // Low on the white keys, below the black ones.
    for (auto [note, down] : { std::pair { 60, true }, std::pair { 62, false } })
    {
        const auto centre = keyboard.getRectangleForKey (note).getCentre().withY (62.0f);
        EXPECT_TRUE (pixelIs (image, (int) centre.x, (int) centre.y, whiteKeyColour (down), 2)) << "note " << note;
    }

    // Black keys drawn over the white key beneath.
    for (auto [note, down] : { std::pair { 61, true }, std::pair { 63, false } })
    {
        const auto centre = keyboard.getRectangleForKey (note).getCentre();
        const auto under = whiteKeyColour (state.isNoteOn (1, whiteKeyAt (keyboard, centre)));
        const auto expected = under.overlaidWith ((down ? blackDown : blackUp).withAlpha (0.93f));
        EXPECT_TRUE (pixelIs (image, (int) centre.x, (int) centre.y, expected, 2)) << "note " << note;
    }
}
