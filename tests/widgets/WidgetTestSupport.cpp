#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/GuiImageFolder.h"

namespace
{
juce::String describe (juce::Colour c)
{
    return "ARGB(" + juce::String (c.getAlpha()) + ", " + juce::String (c.getRed()) + ", "
         + juce::String (c.getGreen()) + ", " + juce::String (c.getBlue()) + ")";
}

bool near (juce::Colour a, juce::Colour b, int tolerance)
{
    auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
    return close (a.getAlpha(), b.getAlpha()) && close (a.getRed(), b.getRed())
        && close (a.getGreen(), b.getGreen()) && close (a.getBlue(), b.getBlue());
}
}

namespace widgettest
{
juce::Colour frameColour (int frame)
{
    return juce::Colour ((juce::uint8) (frame * 4), (juce::uint8) (255 - frame * 3), (juce::uint8) (frame % 2 == 0 ? 200 : 40));
}

juce::Image stackedStrip (int width, int frameHeight, int frames, int extraRows)
{
    juce::Image image (juce::Image::ARGB, width, frameHeight * frames + extraRows, true);
    juce::Graphics g (image);

    for (int i = 0; i < frames; ++i)
    {
        g.setColour (frameColour (i));
        g.fillRect (0, i * frameHeight, width, frameHeight);
    }

    g.setColour (juce::Colours::magenta);
    g.fillRect (0, frameHeight * frames, width, extraRows);
    return image;
}

juce::Image twoFrames (int frameWidth, int height, juce::Colour left, juce::Colour right,
                       int extraColumns, juce::Colour extra)
{
    juce::Image image (juce::Image::ARGB, 2 * frameWidth + extraColumns, height, true);
    juce::Graphics g (image);
    g.setColour (left);
    g.fillRect (0, 0, frameWidth, height);
    g.setColour (right);
    g.fillRect (frameWidth, 0, frameWidth, height);
    g.setColour (extra);
    g.fillRect (2 * frameWidth, 0, extraColumns, height);
    return image;
}

juce::Image paint (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()), juce::jmax (1, component.getHeight()), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, false);
    return image;
}

::testing::AssertionResult pixelIs (const juce::Image& image, int x, int y, juce::Colour expected, int tolerance)
{
    const auto actual = image.getPixelAt (x, y);

    if (near (actual, expected, tolerance))
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << describe (actual)
                                         << ", expected " << describe (expected);
}

::testing::AssertionResult allPixelsAre (const juce::Image& image, juce::Colour expected, int tolerance)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (auto result = pixelIs (image, x, y, expected, tolerance); ! result)
                return result;

    return ::testing::AssertionSuccess();
}

bool isFullyTransparent (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;

    return true;
}

void ImageFolderTest::SetUp()
{
    // Tests run in parallel processes: each gets a folder of its own.
    folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                 .getChildFile ("zarn-widget-images-" + juce::Uuid().toString());
    ASSERT_TRUE (folder.createDirectory());
    const auto root = folder;
    GuiImageFolder::setLocator ([root] (const juce::String& name) { return root.getChildFile (name); });
}

void ImageFolderTest::TearDown()
{
    GuiImageFolder::setLocator (nullptr);
    folder.deleteRecursively();
}

void ImageFolderTest::writeImage (const juce::String& name, const juce::Image& image)
{
    const auto file = folder.getChildFile (name);
    ASSERT_TRUE (file.deleteFile());
    juce::FileOutputStream out (file);
    ASSERT_TRUE (out.openedOk());
    juce::PNGImageFormat png;
    ASSERT_TRUE (png.writeImageToStream (image, out));
}
}
