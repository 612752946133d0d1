// zarn_panel_look GUI_RESOURCE_DIR OUT.png: lays the real widgets out on the background at their
// panel places, with some knobs turned and some switches on, and writes the picture. Needs no
// audio device and no host.
#include "widgets/GuiImageFolder.h"
#include "widgets/PanelLayout.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"
#include "widgets/ZarnSwitch.h"

#include <iostream>

namespace
{
// The panel's face with every control a child at its place.
class PanelLook : public juce::Component
{
public:
    PanelLook (const juce::File& folder, juce::MidiKeyboardState& keyboardState)
        : background (juce::ImageFileFormat::loadFrom (folder.getChildFile ("background.png")))
    {
        using L = PanelLayout;
        setSize (L::width, L::height);

        auto knob = [this] (const juce::String& name, juce::Rectangle<int> bounds, double min, double max, double value)
        {
            auto* k = own (new ZarnKnob (name));
            k->setSliderStyle (juce::Slider::RotaryVerticalDrag);
            k->setRange (min, max);
            k->setValue (value, juce::dontSendNotification);
            k->setBounds (bounds);
        };
        auto toggle = [this] (bool isEq, juce::Rectangle<int> bounds, bool on)
        {
            auto* s = own (new ZarnSwitch (isEq));
            s->on = on;
            s->setBounds (bounds);
        };
        auto selector = [this] (int kind, juce::Point<int> topLeft, bool selected)
        {
            auto* b = own (new ZarnButton (kind));
            b->selected = selected;
            b->setBounds (L::oneFrame (topLeft, b->frameWidth, b->frameHeight));
        };

        knob ("ampatk", L::ampatk(), 3, 5000, 40);
        knob ("ampdcy", L::ampdcy(), 10, 5000, 1200);
        knob ("ampsus", L::ampsus(), 0, 1, 0.7);
        knob ("amprls", L::amprls(), 1, 5000, 900);
        knob ("ampall", L::ampall(), 0, 1, 0.8);
        knob ("fltcut", L::fltcut(), 0, 5000, 2600);
        knob ("fltatk", L::fltatk(), 1, 3000, 20);
        knob ("fltdcy", L::fltdcy(), 1, 3000, 1500);
        knob ("fltres", L::fltres(), 0, 1, 0.35);
        knob ("fltsus", L::fltsus(), 0.01, 1, 0.5);
        knob ("fltrls", L::fltrls(), 1, 3000, 700);
        knob ("fltamt", L::fltamt(), 0, 1, 0.6);
        knob ("dlyfbk", L::dlyfbk(), 0, 1, 0.4);
        knob ("dlylvl", L::dlylvl(), 0, 1, 0.25);
        knob ("lforate", L::lforate(), 0, 20, 5);
        knob ("lfoamt", L::lfoamt(), 0, 1, 0);

        for (int k = 0; k < 3; ++k)
        {
            toggle (false, L::oscSwitch (k), k != 2);
            toggle (false, L::doubleSwitch (k), k == 0);
            knob ("pw" + juce::String (k), L::pw (k), 0, 0.5, 0.5 - 0.2 * k);
            knob ("lvl" + juce::String (k), L::lvl (k), 0, 1, 0.9 - 0.3 * k);
            knob ("dtn" + juce::String (k), L::dtn (k), -24, 24, k == 1 ? -12 : 0);
            knob ("cent" + juce::String (k), L::cent (k), -100, 100, k == 2 ? 7 : 0);
            selector (0, L::squareButton (k), k == 0);
            selector (1, L::sawtoothButton (k), k == 1);
            selector (2, L::triangleButton (k), false);
            selector (3, L::sineButton (k), k == 2);
            selector (4, L::noiseButton (k), false);
        }

        toggle (false, L::lfoSwitch(), true);
        toggle (false, L::filterSwitch(), true);
        toggle (true, L::eqSwitch(), true);
        selector (5, L::lfoPulseButton(), false);
        selector (1, L::lfoSawtoothButton(), false);
        selector (6, L::lfoTriangleButton(), true);

        const double gains[] = { 4, 2, 0, -1.5, -3, 0, 2.5, 6 };
        for (int b = 0; b < 8; ++b)
        {
            auto* s = own (new ZarnSlider ("eq" + juce::String (b)));
            s->setSliderStyle (juce::Slider::LinearVertical);
            s->setRange (-8, 8, 0.01);
            s->setValue (gains[b], juce::dontSendNotification);
            s->setBounds (L::eq (b));
        }

        auto* keys = own (new ZarnKeyboard (keyboardState));
        keys->setAvailableRange (53, 100);
        keys->setBounds (L::keyboard());

        auto* status = own (new juce::Label ({}, "zarN:   Hello!"));
        status->setFont (juce::Font (15.0f));
        status->setJustificationType (juce::Justification::left);
        status->setBounds (L::statusLabel());

        auto* options = own (new juce::TextButton ("Options"));
        options->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
        options->setBounds (L::optionsButton());

        auto* presets = own (new juce::ComboBox ("presets"));
        presets->addItem ("default", 1);
        presets->setSelectedId (1, juce::dontSendNotification);
        presets->setJustificationType (juce::Justification::centred);
        presets->setBounds (L::presetsBox());

        auto* label = own (new juce::Label ({}, "Presets"));
        label->setFont (juce::Font (15.0f));
        label->setBounds (L::presetsLabel());

        for (auto [text, bounds] : { std::make_pair ("save", L::saveButton()), std::make_pair ("load", L::loadButton()) })
        {
            auto* b = own (new juce::TextButton (text));
            b->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
            b->setBounds (bounds);
        }
    }

    void paint (juce::Graphics& g) override
    {
        g.setOpacity (1.0f);
        g.drawImage (background, 0, 0, getWidth(), getHeight(), 0, 0, background.getWidth(), background.getHeight());
    }

private:
    template <typename WidgetType>
    WidgetType* own (WidgetType* widget)
    {
        children.add (widget);
        addAndMakeVisible (widget);
        return widget;
    }

    juce::Image background;
    juce::OwnedArray<juce::Component> children;
};
}

int main (int argc, char* argv[])
{
    if (argc != 3)
    {
        std::cerr << "usage: zarn_panel_look GUI_RESOURCE_DIR OUT.png\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto folder = cwd.getChildFile (argv[1]);
    GuiImageFolder::setLocator ([folder] (const juce::String& name) { return folder.getChildFile (name); });

    juce::MidiKeyboardState keyboardState;
    keyboardState.noteOn (1, 60, 1.0f);
    keyboardState.noteOn (1, 64, 1.0f);
    keyboardState.noteOn (1, 67, 1.0f);
    keyboardState.noteOn (1, 70, 1.0f);

    juce::Image picture;
    {
        PanelLook panel (folder, keyboardState);
        picture = panel.createComponentSnapshot (panel.getLocalBounds(), true, 1.0f);
    }

    const auto out = cwd.getChildFile (argv[2]);
    out.deleteFile();
    juce::FileOutputStream stream (out);
    juce::PNGImageFormat png;

    if (! stream.openedOk() || ! png.writeImageToStream (picture, stream))
    {
        std::cerr << "zarn_panel_look: cannot write " << argv[2] << "\n";
        return 1;
    }

    return 0;
}
