#include "plugin/ZarnEditorComponent.h"

#include "panel/TimbreDialogs.h"
#include "plugin/PluginFolder.h"
#include "timbre/SettingsTable.h"
#include "timbre/TimbreFile.h"
#include "widgets/PanelLayout.h"

#include <cmath>

namespace
{
using S = SettingsTable;
} // namespace

ZarnEditorComponent::ZarnEditorComponent (ZarnJuceFilter& filter)
    : juce::AudioProcessorEditor (filter),
      ZarnPanel (*this, filter.synth, filter.keyboardState, PluginFolder::get(), filter.eqChangeCount, 119),
      owner (filter)
{
    addControls();

    // The equaliser sliders tell their handler once the message loop runs, as the oscillator
    // knobs do; every other control shows its parameter silently.
    for (int b = 0; b < (int) std::size (eq); ++b)
        eq[b]->setValue (owner.getParameter (S::indexOf (S::eqGain, b)), juce::sendNotificationAsync);

    showParameters();

    // An oscillator wave that no button offers shows none selected.
    for (int o = 0; o < 3; ++o)
    {
        const int index = S::indexOf (S::oscWave, o);

        if (waveButton (index, S::wholeNumber (owner.getParameter (index))) == nullptr)
            for (const auto& s : waveGroup (index))
                s.button->selected = false;
    }

    addPresetsBox();
    // Shows the preset chosen last; the change message this posts meets skipNextPresetChange.
    presetsBox->setText (presetsBox->getItemText (owner.lastPresetIndex), juce::sendNotificationAsync);
    addPresetsLabelAndButtons();

    if (owner.editorOpenCount == 0)
    {
        loadTimbre (presetFile().getFullPathName(), "default");
        owner.editorOpenCount = 1;
    }

    owner.skipNextPresetChange = true;

    setSize (PanelLayout::width, PanelLayout::height);
    owner.addChangeListener (this);
}

ZarnEditorComponent::~ZarnEditorComponent()
{
    owner.removeChangeListener (this);
    chooser = nullptr;
    deleteAllChildren();
}

void ZarnEditorComponent::oscillatorKnobsAdded (int o)
{
    for (const auto what : { S::oscPulseWidth, S::oscLevel, S::oscSemitones, S::oscCents })
    {
        const int index = S::indexOf (what, o);
        slider (index)->setValue (owner.getParameter (index), juce::sendNotificationAsync);
    }
}

//==============================================================================
void ZarnEditorComponent::paint (juce::Graphics& g)
{
    paintBackground (g);
}

void ZarnEditorComponent::resized()
{
    layOutControls();
    repaint();
}

void ZarnEditorComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    // Waits for a block being rendered, and changes nothing.
    const juce::ScopedLock lock (owner.getCallbackLock());
}

//==============================================================================
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the index-based parameter calls

void ZarnEditorComponent::sendParameter (int index, float value)
{
    owner.setParameterNotifyingHost (index, value);
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

void ZarnEditorComponent::apply (int index, double value)
{
    sendParameter (index, static_cast<float> (value));

    // Switched off, the LFO's stored depth goes to 0 as well.
    if (S::rows[index].what == S::lfoSwitch && value == 0.0)
        sendParameter (S::indexOf (S::lfoDepth), 0.0f);
}

void ZarnEditorComponent::showParameters()
{
    for (int index = 0; index < S::count; ++index)
    {
        const float value = owner.getParameter (index);

        if (auto* knob = slider (index))
        {
            knob->setValue (value, juce::dontSendNotification);
        }
        else if (auto* control = toggle (index))
        {
            control->on = std::trunc (value) != 0.0f;
            control->repaint();
        }
        else
        {
            showWave (index, S::wholeNumber (value));
        }
    }
}

//==============================================================================
void ZarnEditorComponent::loadTimbre (const juce::String& path, const juce::String& timbreName)
{
    if (const auto timbre = TimbreFile::findTimbre (path, timbreName))
        for (const int index : S::loadOrder())
            sendParameter (index, static_cast<float> (TimbreFile::read (*timbre, index, TimbreFile::Reader::editor)));

    showParameters();
}

void ZarnEditorComponent::comboBoxChanged (juce::ComboBox* box)
{
    if (box != presetsBox)
        return;

    if (owner.skipNextPresetChange)
    {
        owner.skipNextPresetChange = false;
        return;
    }

    loadTimbre (presetFile().getFullPathName(), selectedPreset());
    owner.lastPresetIndex = presetsBox->getSelectedItemIndex();
}

void ZarnEditorComponent::saveTimbreAs()
{
    TimbreDialogs::launchSave (chooser, [this] (const TimbreDialogs::SaveTarget& target) {
        saveTimbre (target.file, target.timbreName);
    });
}

void ZarnEditorComponent::chooseTimbreToLoad()
{
    TimbreDialogs::launchLoad (chooser, [this] (const juce::File& file) {
        loadTimbre (file.getFullPathName(), file.getFileNameWithoutExtension());
    });
}
