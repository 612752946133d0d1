#include "standalone/ZarnUI.h"

#include "panel/TimbreDialogs.h"
#include "timbre/SettingWriter.h"
#include "timbre/SettingsTable.h"
#include "timbre/TimbreFile.h"
#include "widgets/PanelLayout.h"

#include <juce_audio_utils/juce_audio_utils.h>

namespace
{
using S = SettingsTable;

// What the standalone's switches give the second phase: switching an oscillator on gives it 0.14,
// its own switch 0.19 (the voice's level at start), each whatever the other switch shows. The
// plug-in's switches give 0.19 for both (ZarnJuceFilter): the two deliverables sound different here.
constexpr double switchedDoubleLevel = 0.14;
constexpr double doubleSwitchLevel = 0.19;

// The count of equaliser changes at which the panel greets: in the eighteenth pass of the
// program's run, eight changes a pass.
constexpr int greetingCount = 143;
} // namespace

//==============================================================================
ZarnUI::ZarnUI (ZarnSynthesiser& synthToPlay, juce::AudioDeviceManager& deviceManager, juce::MidiKeyboardState& keyboardState,
                const juce::File& folder, int& equaliserCount)
    : ZarnPanel (*this, synthToPlay, keyboardState, folder, equaliserCount, greetingCount),
      devices (deviceManager)
{
    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        voices[i] = synth.getZarnVoice (i);

    addControls();

    startTimer (2000);

    welcomeWindow = std::make_unique<HelloWindow>();
    welcomeWindow->setVisible (true);

    optionsButton = addTextButton ("Options");

    addPresetsBox();
    addPresetsLabelAndButtons();

    loadTimbre (presetFile().getFullPathName(), "default");

    setSize (PanelLayout::width, PanelLayout::height);
}

ZarnUI::~ZarnUI()
{
    deleteAllChildren();
    welcomeWindow = nullptr;
}

//==============================================================================
void ZarnUI::paint (juce::Graphics& g)
{
    paintBackground (g);
}

void ZarnUI::resized()
{
    layOutControls();
    optionsButton->setBounds (PanelLayout::optionsButton());

    // A top-level window: these are screen coordinates, wherever the main window stands.
    if (welcomeWindow != nullptr)
        welcomeWindow->setBounds (PanelLayout::welcomeWindow());
}

//==============================================================================
void ZarnUI::apply (int index, double value)
{
    const auto& row = S::rows[index];
    const bool on = value != 0.0;

    switch (row.what)
    {
        case S::oscSwitch:
            synth.setOscLevels (row.part, on ? lvl[row.part]->getValue() : 0.0, on ? switchedDoubleLevel : 0.0);
            break;
        case S::oscDouble:
            synth.setOscDoubleLevel (row.part, on ? doubleSwitchLevel : 0.0);
            break;
        case S::lfoSwitch:
            // Switched on, the panel applies the rate and depth knobs; off, the LFO runs on unheard.
            if (! on)
                synth.setLfoDepth (0.0);
            break;
        default:
            SettingWriter::write (synth, index, value);
            break;
    }
}

void ZarnUI::buttonClicked (juce::Button* button)
{
    if (button == optionsButton)
        showOptionsMenu();
    else
        ZarnPanel::buttonClicked (button);
}

void ZarnUI::showOptionsMenu()
{
    juce::PopupMenu menu;
    menu.addItem (1, "Audio settings");
    menu.addItem (2, "About");
    menu.addSeparator();
    menu.addItem (3, "Quit");

    const int chosen = menu.show();

    if (chosen == 1)
    {
        juce::AudioDeviceSelectorComponent selector (devices, 0, 1, 2, 2, true, false, true, false);
        selector.setSize (500, 400);
        juce::DialogWindow::showModalDialog ("zarN audio settings", &selector, this,
                                             juce::Colours::silver, true, false, false);
    }
    else if (chosen == 2)
    {
        welcomeWindow = nullptr;
        welcomeWindow = std::make_unique<HelloWindow>();
        welcomeWindow->setVisible (true);
        resized();
    }
    else if (chosen == 3)
    {
        juce::JUCEApplication::quit();
    }
}

void ZarnUI::timerCallback()
{
    if (welcomeWindow != nullptr)
    {
        welcomeWindow->setVisible (false);
        welcomeWindow = nullptr;
    }

    stopTimer();
    repaint();
}

//==============================================================================
void ZarnUI::saveTimbreAs()
{
    const auto target = TimbreDialogs::chooseFileToSave();

    if (target.file != juce::File())
        saveTimbre (target.file, target.timbreName);
}

void ZarnUI::chooseTimbreToLoad()
{
    const auto file = TimbreDialogs::chooseFileToLoad();

    if (file != juce::File())
        loadTimbre (file.getFullPathName(), file.getFileNameWithoutExtension());
}

void ZarnUI::loadTimbre (const juce::String& path, const juce::String& timbreName)
{
    const auto timbre = TimbreFile::findTimbre (path, timbreName);

    if (timbre == nullptr)
        return;

    for (const int index : S::loadOrder())
    {
        const double value = TimbreFile::read (*timbre, index, TimbreFile::Reader::panel);

        if (auto* knob = slider (index))
        {
            knob->setValue (value, juce::sendNotificationAsync);
        }
        else if (auto* control = toggle (index))
        {
            // A switch follows a stored state as a click would: its handler runs only on a change.
            if (control->on != (value != 0.0))
            {
                control->on = value != 0.0;
                control->repaint();
                buttonClicked (control);
            }
        }
        else if (auto* button = waveButton (index, static_cast<int> (value)))
        {
            // A wave that its group offers is clicked, also when it is selected already.
            buttonClicked (button);
        }
    }
}

void ZarnUI::comboBoxChanged (juce::ComboBox* box)
{
    if (box == presetsBox)
        loadTimbre (presetFile().getFullPathName(), selectedPreset());
}
