#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/GuiImageFolder.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSwitch.h"

using namespace widgettest;

namespace
{
class WidgetsPictures : public ImageFolderTest
{
protected:
    void SetUp() override
    {
        ImageFolderTest::SetUp();
        writeImage ("SwitchButton.png", twoFrames (20, 20, red, blue));
        writeImage ("RotarySlider.png", stackedStrip (10, 10, 64));
    }

    const juce::Colour red { 0xffd02020 }, blue { 0xff2040e0 }, green { 0xff20c040 };
};
} // namespace

// Widgets take their size from the file's header and decode nothing until one of them is drawn;
// then the picture is decoded once and every widget draws the same pixels, by reference.
TEST_F (WidgetsPictures, DecodedAtTheFirstPaintOnceForEveryWidget)
{
    const int before = GuiPicture::decodeCount();

    ZarnKnob a ("a"), b ("b");
    ZarnSwitch s1 (ZarnSwitch::Kind::power), s2 (ZarnSwitch::Kind::power);
    EXPECT_EQ (a.frameWidth, 10);
    EXPECT_EQ (a.frameHeight, 10);
    EXPECT_EQ (s1.image.getWidth(), 40);
    EXPECT_EQ (GuiPicture::decodeCount(), before) << "built, not shown: nothing decoded";

    for (juce::Component* c : { static_cast<juce::Component*> (&a), static_cast<juce::Component*> (&b),
                                static_cast<juce::Component*> (&s1), static_cast<juce::Component*> (&s2) })
    {
        c->setSize (20, 20);
        EXPECT_FALSE (isFullyTransparent (paint (*c)));
        paint (*c);
    }

    EXPECT_EQ (GuiPicture::decodeCount(), before + 2);
    EXPECT_EQ (s1.image.image().getPixelData(), s2.image.image().getPixelData());
    EXPECT_EQ (a.filmStrip.image().getPixelData(), b.filmStrip.image().getPixelData());
}

// A file written again with the same content is not decoded again. A file whose content changed
// gives the widgets built afterwards its new picture, decoded anew; those built before keep
// theirs. A file gone gives later widgets no picture.
TEST_F (WidgetsPictures, DecodedAgainOnlyWhenTheFileChanged)
{
    ZarnSwitch first (ZarnSwitch::Kind::power);
    first.setSize (20, 20);
    paint (first);
    const int before = GuiPicture::decodeCount();

    writeImage ("SwitchButton.png", twoFrames (20, 20, red, blue));
    ZarnSwitch same (ZarnSwitch::Kind::power);
    same.setSize (20, 20);
    EXPECT_TRUE (allPixelsAre (paint (same), blue.withAlpha (0.89f), 2));
    EXPECT_EQ (GuiPicture::decodeCount(), before);
    EXPECT_EQ (same.image.image().getPixelData(), first.image.image().getPixelData());

    writeImage ("SwitchButton.png", twoFrames (30, 10, red, green));
    ZarnSwitch changed (ZarnSwitch::Kind::power);
    changed.setSize (20, 20);
    EXPECT_EQ (changed.image.getWidth(), 60);
    EXPECT_TRUE (allPixelsAre (paint (changed), green.withAlpha (0.89f), 2));
    EXPECT_EQ (GuiPicture::decodeCount(), before + 1);
    EXPECT_TRUE (allPixelsAre (paint (first), blue.withAlpha (0.89f), 2)) << "built before the change: its own picture";

    ASSERT_TRUE (folder.getChildFile ("SwitchButton.png").deleteFile());
    ZarnSwitch gone (ZarnSwitch::Kind::power);
    EXPECT_TRUE (gone.image.isNull());
    EXPECT_TRUE (allPixelsAre (paint (changed), green.withAlpha (0.89f), 2));
}
