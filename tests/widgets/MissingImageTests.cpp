#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/GuiImageFolder.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"
#include "widgets/ZarnSwitch.h"

#include <sys/stat.h>

using namespace widgettest;

TEST (WidgetsMissingImages, WithoutALocatorNothingIsFoundAndNothingIsDrawn)
{
    GuiImageFolder::setLocator (nullptr);
    EXPECT_FALSE (GuiImageFolder::locate ("RotarySlider.png").exists());

    ZarnKnob knob ("k");
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    ZarnSwitch eq (ZarnSwitch::Kind::equaliser);
    ZarnButton button (ZarnButton::Kind::triangle);

    EXPECT_TRUE (knob.filmStrip.isNull());
    EXPECT_EQ (knob.frameWidth, 0);
    EXPECT_TRUE (sw.image.isNull());

    for (juce::Component* c : { static_cast<juce::Component*> (&sw), static_cast<juce::Component*> (&eq),
                                static_cast<juce::Component*> (&button) })
    {
        c->setSize (20, 20);
        EXPECT_TRUE (isFullyTransparent (paint (*c))) << c->getName();
    }

    juce::MidiKeyboardState state;
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (0, 0, 476, 72);
    state.noteOn (1, 61, 1.0f);
    paint (keyboard);
}

// What is no sound PNG gives a null image, which draws nothing, as a missing file does: the
// hostile pictures of tests/hostile (damaged data, a file cut short, a header that claims 60000 by
// 60000 pixels), other bytes, a pipe without a writer (which would block a reader for ever), a
// folder. None of it may crash, as the framework's own loader does with the system's libpng.
TEST (WidgetsMissingImages, BrokenFilesGiveANullImage)
{
    const auto hostile = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_SOURCE_DIR", {})).getChildFile ("tests/hostile");
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zarn-bad-images-" + juce::Uuid().toString());
    ASSERT_TRUE (folder.createDirectory());

    auto files = hostile.findChildFiles (juce::File::findFiles, false, "*.png");
    EXPECT_EQ (files.size(), 3);

    files.add (folder.getChildFile ("text.png"));
    files.getReference (files.size() - 1).replaceWithText ("not a picture");
    files.add (folder.getChildFile ("pipe.png"));
    ASSERT_EQ (mkfifo (files.getLast().getFullPathName().toRawUTF8(), 0600), 0);
    files.add (folder.getChildFile ("folder.png"));
    ASSERT_TRUE (files.getLast().createDirectory());

    for (const auto& file : files)
        EXPECT_TRUE (GuiImageFolder::load (file).isNull()) << file.getFileName();

    // Widgets whose images are such files. A file cut short is told at once from its chunks: the
    // knob keeps its text box, as without a file. Data damaged inside whole chunks show only when
    // decoded, at the first paint, which then draws nothing.
    GuiImageFolder::setLocator ([hostile] (const juce::String&) { return hostile.getChildFile ("truncated.png"); });
    ZarnKnob knob ("k");
    EXPECT_TRUE (knob.filmStrip.isNull());
    EXPECT_NE (knob.getTextBoxPosition(), juce::Slider::NoTextBox);

    GuiImageFolder::setLocator ([hostile] (const juce::String&) { return hostile.getChildFile ("corrupt.png"); });
    ZarnSwitch sw (ZarnSwitch::Kind::power);
    EXPECT_TRUE (sw.image.isValid());
    sw.setSize (20, 20);
    EXPECT_TRUE (isFullyTransparent (paint (sw)));
    EXPECT_TRUE (sw.image.image().isNull());

    GuiImageFolder::setLocator (nullptr);
    folder.deleteRecursively();
}

// A sound picture decodes to exactly what the framework's loader gives: the shipped artwork,
// and pictures with and without alpha.
TEST (WidgetsMissingImages, SoundFilesDecodeAsTheFrameworkDecodesThem)
{
    auto files = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_BINARY_DIR", {}))
                     .getChildFile ("standalone/GUI Resource")
                     .findChildFiles (juce::File::findFiles, false, "*.png");
    EXPECT_EQ (files.size(), 16);

    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zarn-good-images-" + juce::Uuid().toString());
    ASSERT_TRUE (folder.createDirectory());

    for (const auto format : { juce::Image::ARGB, juce::Image::RGB })
    {
        juce::Image image (format, 37, 23, true);
        juce::Graphics g (image);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0x20ff8000), 0, 0, juce::Colour (0xf00080ff), 37, 23, false));
        g.fillAll();
        files.add (folder.getChildFile (format == juce::Image::ARGB ? "argb.png" : "rgb.png"));
        juce::FileOutputStream out (files.getLast());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));
    }

    for (const auto& file : files)
    {
        const auto ours = GuiImageFolder::load (file);
        const auto theirs = juce::ImageFileFormat::loadFrom (file);
        ASSERT_TRUE (theirs.isValid()) << file.getFileName();
        ASSERT_EQ (ours.getFormat(), theirs.getFormat()) << file.getFileName();
        ASSERT_EQ (ours.getBounds(), theirs.getBounds()) << file.getFileName();

        int differing = 0;

        for (int y = 0; y < ours.getHeight(); ++y)
            for (int x = 0; x < ours.getWidth(); ++x)
                differing += ours.getPixelAt (x, y) != theirs.getPixelAt (x, y);

        EXPECT_EQ (differing, 0) << file.getFileName();
    }

    folder.deleteRecursively();
}
