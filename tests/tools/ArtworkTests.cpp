// The generated "GUI Resource" folders: every file there, with the sizes and frame layouts that
// the widgets and the panel layout assume.
#include <gtest/gtest.h>

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/PanelLayout.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"

#include <cstdlib>
#include <iterator>
#include <sys/wait.h>

namespace
{
juce::File binaryDir()
{
    return juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_BINARY_DIR", {}));
}

juce::File standaloneFolder() { return binaryDir().getChildFile ("standalone/GUI Resource"); }
juce::File pluginFolder()     { return binaryDir().getChildFile ("plugin/GUI Resource"); }

juce::Image load (const juce::String& name)
{
    return juce::ImageFileFormat::loadFrom (standaloneFolder().getChildFile (name));
}

struct ImageSize
{
    const char* name;
    int width, height;
};

namespace F = GuiImageFiles;

// One row for each file of the list.
const ImageSize imageSizes[] = {
    { F::rotarySlider, 52, 64 * 52 },
    { F::verticalSlider, 30, 64 * 100 },
    { F::switchButton, 40, 20 },
    { F::eqButton, 24, 12 },
    { F::whiteNote, 34, 72 },
    { F::blackNote, 24, 50 },
    { F::square, 88, 24 },
    { F::sawtooth, 88, 24 },
    { F::triangle, 88, 24 },
    { F::sine, 88, 24 },
    { F::wNoise, 88, 24 },
    { F::squareLfo, 88, 24 },
    { F::triangleLfo, 88, 24 },
    { F::background, 800, 550 },
    { F::welcome, 300, 240 },
    { F::icon, 64, 64 },
};
static_assert (std::size (imageSizes) == std::size (GuiImageFiles::all));

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

bool isOpaque (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 255)
                return false;

    return true;
}

juce::Image frame (const juce::Image& strip, int index, int width, int height, bool stacked)
{
    return strip.getClippedImage (stacked ? juce::Rectangle<int> (0, index * height, width, height)
                                          : juce::Rectangle<int> (index * width, 0, width, height));
}

// The film-strip controls of fixed size that a selector button must not touch.
std::vector<juce::Rectangle<int>> fixedControls()
{
    using L = PanelLayout;
    std::vector<juce::Rectangle<int>> all = {
        L::ampatk(), L::ampdcy(), L::ampsus(), L::amprls(), L::ampall(), L::fltcut(), L::fltatk(), L::fltdcy(),
        L::fltres(), L::fltsus(), L::fltrls(), L::fltamt(), L::dlyfbk(), L::dlylvl(), L::lforate(), L::lfoamt(),
        L::lfoSwitch(), L::filterSwitch(), L::keyboard(), L::eqSwitch(),
    };

    for (int k = 0; k < 3; ++k)
        for (auto r : { L::oscSwitch (k), L::doubleSwitch (k), L::pw (k), L::lvl (k), L::dtn (k), L::cent (k) })
            all.push_back (r);

    for (int b = 0; b < 8; ++b)
        all.push_back (L::eq (b));

    return all;
}
}

TEST (ArtworkFiles, EveryImageLiesBesideBothDeliverablesWithItsSize)
{
    for (const auto& expected : imageSizes)
    {
        for (const auto& folder : { standaloneFolder(), pluginFolder() })
        {
            const auto file = folder.getChildFile (expected.name);
            ASSERT_TRUE (file.existsAsFile()) << file.getFullPathName();

            const auto image = juce::ImageFileFormat::loadFrom (file);
            ASSERT_TRUE (image.isValid()) << file.getFullPathName();
            EXPECT_EQ (image.getWidth(), expected.width) << expected.name;
            EXPECT_EQ (image.getHeight(), expected.height) << expected.name;
        }

        EXPECT_TRUE (standaloneFolder().getChildFile (expected.name).hasIdenticalContentTo (pluginFolder().getChildFile (expected.name)))
            << expected.name;
    }
}

TEST (ArtworkFiles, EveryFrameOfAFilmStripShowsItsOwnState)
{
    struct Strip
    {
        const char* name;
        int frames, width, height;
        bool stacked;
    };

    const Strip strips[] = {
        { F::rotarySlider, 64, 52, 52, true },
        { F::verticalSlider, 64, 30, 100, true },
        { F::switchButton, 2, 20, 20, false },
        { F::eqButton, 2, 12, 12, false },
        { F::whiteNote, 2, 17, 72, false },
        { F::blackNote, 2, 12, 50, false },
        { F::square, 2, 44, 24, false },
        { F::sawtooth, 2, 44, 24, false },
        { F::triangle, 2, 44, 24, false },
        { F::sine, 2, 44, 24, false },
        { F::wNoise, 2, 44, 24, false },
        { F::squareLfo, 2, 44, 24, false },
        { F::triangleLfo, 2, 44, 24, false },
    };

    for (const auto& s : strips)
    {
        const auto image = load (s.name);
        ASSERT_TRUE (image.isValid()) << s.name;

        for (int i = 0; i + 1 < s.frames; ++i)
            EXPECT_FALSE (samePixels (frame (image, i, s.width, s.height, s.stacked), frame (image, i + 1, s.width, s.height, s.stacked)))
                << s.name << " frames " << i << " and " << i + 1;
    }

    // The seven selector pictures are seven different waves.
    const auto kindImage = [] (int kind) { return load (ZarnButton::imageFileNameForKind (static_cast<ZarnButton::Kind> (kind))); };

    for (int a = 0; a < 7; ++a)
        for (int b = a + 1; b < 7; ++b)
            EXPECT_FALSE (samePixels (kindImage (a), kindImage (b))) << "kinds " << a << " and " << b;
}

TEST (ArtworkFiles, PanelPicturesAreOpaque)
{
    EXPECT_TRUE (isOpaque (load (F::background)));
    EXPECT_TRUE (isOpaque (load (F::welcome)));
}

TEST (ArtworkFiles, SelectorButtonsFitTheirPlacesWithoutTouchingAnything)
{
    const auto folder = standaloneFolder();
    GuiImageFolder::setLocator ([folder] (const juce::String& name) { return folder.getChildFile (name); });

    using L = PanelLayout;
    using K = ZarnButton::Kind;
    std::vector<std::pair<K, juce::Point<int>>> places = {
        { K::squareLfo, L::lfoPulseButton() }, { K::sawtooth, L::lfoSawtoothButton() }, { K::triangleLfo, L::lfoTriangleButton() },
    };

    for (int k = 0; k < 3; ++k)
    {
        places.push_back ({ K::square, L::squareButton (k) });
        places.push_back ({ K::sawtooth, L::sawtoothButton (k) });
        places.push_back ({ K::triangle, L::triangleButton (k) });
        places.push_back ({ K::sine, L::sineButton (k) });
        places.push_back ({ K::whiteNoise, L::noiseButton (k) });
    }

    std::vector<juce::Rectangle<int>> buttons;

    for (auto [kind, position] : places)
    {
        ZarnButton button (kind);
        ASSERT_GT (button.frameWidth, 0) << "kind " << (int) kind;
        buttons.push_back (L::oneFrame (position, button.frameWidth, button.frameHeight));
    }

    const auto controls = fixedControls();

    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const auto& b = buttons[i];
        EXPECT_TRUE (L::bounds().contains (b)) << b.toString();

        for (const auto& c : controls)
            EXPECT_FALSE (b.intersects (c)) << b.toString() << " touches " << c.toString();

        for (size_t j = i + 1; j < buttons.size(); ++j)
            EXPECT_FALSE (b.intersects (buttons[j])) << b.toString() << " touches " << buttons[j].toString();
    }

    GuiImageFolder::setLocator (nullptr);
}

TEST (ArtworkFiles, KeyImagesFitTheKeysAsTheKeyboardLaysThemOut)
{
    const auto folder = standaloneFolder();
    GuiImageFolder::setLocator ([folder] (const juce::String& name) { return folder.getChildFile (name); });

    juce::MidiKeyboardState state;
    ZarnKeyboard keyboard (state);
    keyboard.setAvailableRange (53, 100);
    keyboard.setBounds (PanelLayout::keyboard());

    // 28 white keys of 17 pixels fill the keyboard exactly; the images need no vertical scaling.
    EXPECT_EQ (keyboard.getKeyWidth(), 17.0f);
    EXPECT_FLOAT_EQ (keyboard.getRectangleForKey (100).getRight(), (float) PanelLayout::keyboard().getWidth());
    EXPECT_EQ (keyboard.whiteNoteImage.getHeight(), PanelLayout::keyboard().getHeight());

    // A black key frame is within half a pixel of the key the framework lays out.
    const auto blackKey = keyboard.getRectangleForKey (54);
    EXPECT_NEAR (keyboard.blackNoteImage.getWidth() / 2, blackKey.getWidth(), 0.5f);
    EXPECT_NEAR (keyboard.blackNoteImage.getHeight(), blackKey.getHeight(), 0.5f);

    GuiImageFolder::setLocator (nullptr);
}

TEST (ArtworkGenerator, RunsWithoutADisplayAndFailsLoudlyWithoutItsFonts)
{
    const auto out = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zarn-artwork-" + juce::Uuid().toString());
    const juce::String tool (ZARN_ARTWORK_TOOL);

    const auto good = "env -u DISPLAY \"" + tool + "\" \"" ZARN_FONT_DIR "\" \"" + out.getFullPathName() + "/a\" \"" + out.getFullPathName() + "/b\"";
    ASSERT_EQ (std::system (good.toRawUTF8()), 0) << good;

    for (const auto& expected : imageSizes)
        for (const auto* sub : { "a", "b" })
            EXPECT_TRUE (out.getChildFile (sub).getChildFile (expected.name).existsAsFile()) << sub << "/" << expected.name;

    const auto noFonts = "env -u DISPLAY \"" + tool + "\" \"" + out.getFullPathName() + "/nofonts\" \"" + out.getFullPathName() + "/c\" 2>/dev/null";
    const int status = std::system (noFonts.toRawUTF8());
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << status;
    EXPECT_FALSE (out.getChildFile ("c").getChildFile (F::background).exists());

    out.deleteRecursively();
}
