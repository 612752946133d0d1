// zarn_panel_look GUI_RESOURCE_DIR OUT.png: the instrument panel that both deliverables show, with
// some knobs turned and some switches on, drawn into a picture. Needs no audio device and no host.
#include "panel/ZarnPanel.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/PanelLayout.h"

#include <iostream>

namespace
{
// The shared panel with the standalone program's options button, whose changes go nowhere.
class PanelLook : public juce::Component,
                  public ZarnPanel
{
public:
    PanelLook (const juce::File& folder, juce::MidiKeyboardState& keyboardState)
        : ZarnPanel (*this, silentSynth, keyboardState, folder, eqCount, -1)
    {
        addControls();
        options = addTextButton ("Options");
        addPresetsBox();
        presetsBox->addItem ("default", 1);
        presetsBox->setSelectedId (1, juce::dontSendNotification);
        addPresetsLabelAndButtons();
        setSize (PanelLayout::width, PanelLayout::height);

        const std::pair<juce::Slider*, double> values[] = {
            { ampatk, 40 }, { ampdcy, 1200 }, { ampsus, 0.7 }, { amprls, 900 }, { ampall, 0.8 },
            { fltcut, 2600 }, { fltatk, 20 }, { fltdcy, 1500 }, { fltres, 0.35 }, { fltsus, 0.5 },
            { fltrls, 700 }, { fltamt, 0.6 }, { dlyfbk, 0.4 }, { dlylvl, 0.25 }, { lforate, 5 },
            { pw[1], 0.3 }, { pw[2], 0.1 }, { lvl[0], 0.9 }, { lvl[1], 0.6 }, { lvl[2], 0.3 },
            { dtn[1], -12 }, { cent[2], 7 },
            { eq[0], 4 }, { eq[1], 2 }, { eq[3], -1.5 }, { eq[4], -3 }, { eq[6], 2.5 }, { eq[7], 6 },
        };

        for (auto [control, value] : values)
            control->setValue (value, juce::dontSendNotification);

        oscSwitch[2]->on = false;
        doubleSwitch[1]->on = false;
        doubleSwitch[2]->on = false;
        lfoSwitch->on = true;
        eqSwitch->on = true;
        showWave (SettingsTable::indexOf (SettingsTable::oscWave, 1), 1);
        showWave (SettingsTable::indexOf (SettingsTable::oscWave, 2), 3);
        showWave (SettingsTable::indexOf (SettingsTable::lfoWave), 2);
    }

    ~PanelLook() override { deleteAllChildren(); }

    void paint (juce::Graphics& g) override { paintBackground (g); }

    void resized() override
    {
        layOutControls();
        options->setBounds (PanelLayout::optionsButton());
    }

    void comboBoxChanged (juce::ComboBox*) override {}
    void saveTimbreAs() override {}
    void chooseTimbreToLoad() override {}
    void loadTimbre (const juce::String&, const juce::String&) override {}

private:
    void apply (int, double) override {}

    ZarnSynthesiser silentSynth;
    int eqCount = 0;
    juce::TextButton* options = nullptr;
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
