#include "tests/widgets/WidgetTestSupport.h"

#include "widgets/GuiImageFolder.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"
#include "widgets/ZarnSwitch.h"

using namespace widgettest;

TEST (WidgetsMissingImages, WithoutALocatorNothingIsFoundAndNothingIsDrawn)
{
    GuiImageFolder::setLocator (nullptr);
    EXPECT_FALSE (GuiImageFolder::locate ("RotarySlider.png").exists());

    ZarnKnob knob ("k");
    ZarnSwitch sw (false);
    ZarnSwitch eq (true);
    ZarnButton button (2);

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

TEST (WidgetsMissingImages, UnreadableFileGivesANullImage)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zarn-bad-images-" + juce::Uuid().toString());
    ASSERT_TRUE (folder.createDirectory());
    folder.getChildFile ("SwitchButton.png").replaceWithText ("not a picture");
    GuiImageFolder::setLocator ([folder] (const juce::String& name) { return folder.getChildFile (name); });

    ZarnSwitch sw (false);
    EXPECT_TRUE (sw.image.isNull());
    sw.setSize (20, 20);
    EXPECT_TRUE (isFullyTransparent (paint (sw)));

    GuiImageFolder::setLocator (nullptr);
    folder.deleteRecursively();
}
