#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Shared by the widget tests: a temporary image folder that the widgets find their images in,
// test images with a distinct colour per frame, and painting a component into an image.
namespace widgettest
{
// A colour per film-strip frame, all different, fully opaque.
juce::Colour frameColour (int frame);

// Width x (frames * frameHeight), frame i filled with frameColour (i); rows past the last
// frame (when extraRows > 0) get a colour of their own.
juce::Image stackedStrip (int width, int frameHeight, int frames, int extraRows = 0);

// Two frames side by side of frameWidth each, left `left`, right `right`, and `extraColumns`
// more columns in `extra`.
juce::Image twoFrames (int frameWidth, int height, juce::Colour left, juce::Colour right,
                       int extraColumns = 0, juce::Colour extra = juce::Colours::magenta);

// The component painted (with its children) into a transparent image of its size.
juce::Image paint (juce::Component& component);

// Every pixel of the image equals the colour, within `tolerance` per channel
// (the colour compared unpremultiplied, as Image::getPixelAt returns it).
::testing::AssertionResult allPixelsAre (const juce::Image& image, juce::Colour expected, int tolerance = 0);
::testing::AssertionResult pixelIs (const juce::Image& image, int x, int y, juce::Colour expected, int tolerance = 0);

bool isFullyTransparent (const juce::Image& image);

// A folder of test images that GuiImageFolder::locate looks in while the fixture lives.
class ImageFolderTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void writeImage (const juce::String& name, const juce::Image& image);

    juce::File folder;
};
}
