#pragma once

#include "engine/ZarnSynthesiser.h"
#include "timbre/SettingsTable.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"
#include "widgets/ZarnSwitch.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// The instrument panel that the standalone program and the plug-in's editor both show, 800 by 550
// pixels on a background picture: the knobs, sliders, switches and waveform buttons of the 49
// settings, the on-screen keyboard, the status line, the preset list and the timbre file buttons.
// It builds and lays out the controls, answers their changes with the status texts, tooltips,
// radio groups and the equaliser pass, and saves what the controls show.
//
// The component that shows it (`face`) derives from this class and supplies what differs: what
// a change does (apply), how a timbre is loaded, the file dialogs and the preset box's answer.
class ZarnPanel : public juce::Button::Listener,
                  public juce::Slider::Listener,
                  public juce::ComboBox::Listener
{
public:
    ~ZarnPanel() override;

    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;

    // The radio rule of a wave group: oscillator o's five waveform buttons, or the three LFO
    // shape buttons. When a button of the group has `kind`, every other button of the group is
    // unselected (the caller selects that one); the panel is repainted in every case.
    void selectWaveButton (int o, ZarnButton::Kind kind, bool lfoGroup);

    // Timbre files.
    virtual void saveTimbreAs() = 0;
    virtual void chooseTimbreToLoad() = 0;
    virtual void loadTimbre (const juce::String& path, const juce::String& timbreName) = 0;
    // Writes what the controls show (the wave types: the synthesiser's first voice) as the one
    // timbre of `file`; says so on the status line when nothing could be written.
    void saveTimbre (const juce::File& file, const juce::String& timbreName);
    // Lists the timbres of the preset file and selects the first, with a change message.
    void fillPresetList();

    GuiPicture backgroundImage; // null when "background.png" is missing or unreadable

    ZarnKnob* ampatk = nullptr;
    ZarnKnob* ampdcy = nullptr;
    ZarnKnob* ampsus = nullptr;
    ZarnKnob* amprls = nullptr;
    ZarnKnob* ampall = nullptr;
    ZarnKnob* fltatk = nullptr;
    ZarnKnob* fltdcy = nullptr;
    ZarnKnob* fltsus = nullptr;
    ZarnKnob* fltrls = nullptr;
    ZarnKnob* fltres = nullptr;
    ZarnKnob* fltcut = nullptr;
    ZarnKnob* fltamt = nullptr;
    ZarnKnob* dlyfbk = nullptr;
    ZarnKnob* dlylvl = nullptr;
    ZarnKnob* lforate = nullptr;
    ZarnKnob* lfoamt = nullptr;
    ZarnKnob* pw[3] = {};
    ZarnKnob* lvl[3] = {};
    ZarnKnob* dtn[3] = {};
    ZarnKnob* cent[3] = {};
    ZarnSwitch* oscSwitch[3] = {};
    ZarnSwitch* doubleSwitch[3] = {};
    ZarnSwitch* lfoSwitch = nullptr;
    ZarnSwitch* filterSwitch = nullptr;
    ZarnSwitch* eqSwitch = nullptr;
    ZarnSlider* eq[8] = {};
    ZarnButton* squareButton[3] = {};
    ZarnButton* sawtoothButton[3] = {};
    ZarnButton* sineButton[3] = {};
    ZarnButton* triangleButton[3] = {};
    ZarnButton* noiseButton[3] = {};
    ZarnButton* lfoPulseButton = nullptr;
    ZarnButton* lfoSawtoothButton = nullptr;
    ZarnButton* lfoTriangleButton = nullptr;
    ZarnKeyboard* keyboard = nullptr;
    juce::Label* statusLabel = nullptr;
    juce::TooltipWindow tooltipWindow;
    juce::ComboBox* presetsBox = nullptr;
    juce::Label* presetsLabel = nullptr;
    juce::TextButton* saveButton = nullptr;
    juce::TextButton* loadButton = nullptr;

protected:
    // `folder` holds "presets.xml"; the images come through GuiImageFolder. The equaliser pass
    // counts in `eqChangeCount` and greets when the count stands at `greetingAt`.
    ZarnPanel (juce::Component& face, ZarnSynthesiser& synth, juce::MidiKeyboardState& keyboardState,
               const juce::File& folder, int& eqChangeCount, int greetingAt);

    // What a change of setting `index` does: `value` in the setting's units (a switch 1 or 0, a
    // wave its WaveType). Called by the handlers only where the change applies.
    virtual void apply (int index, double value) = 0;

    // Called while the controls are built, once oscillator o's four knobs exist and before its
    // waveform buttons do.
    virtual void oscillatorKnobsAdded (int o);

    // Construction, in this order: the controls of the 49 settings, the keyboard and the status
    // line; the preset box (filled, with this panel as its listener); its label and the save and
    // load buttons. The component adds its own controls between these steps.
    void addControls();
    void addPresetsBox();
    void addPresetsLabelAndButtons();
    juce::TextButton* addTextButton (const juce::String& text);

    void paintBackground (juce::Graphics& g);
    // Every control's bounds but the component's own extras.
    void layOutControls();

    void setStatus (const juce::String& text);

    // The control of setting `index`: its knob or slider, or its switch; null for other kinds.
    juce::Slider* slider (int index) const;
    ZarnSwitch* toggle (int index) const;

    struct Selector
    {
        ZarnButton* button;
        ZarnButton::Kind kind;
        int waveType;
    };

    // The buttons of a wave row's group, each with its kind and the WaveType it selects.
    std::vector<Selector> waveGroup (int index) const;
    // Selects the button of `waveType` in the group of wave row `index` and unselects the rest;
    // false, leaving the group as it was, when the group has no such button.
    bool showWave (int index, int waveType);
    // The button that selects `waveType` in the group of wave row `index`, or null.
    ZarnButton* waveButton (int index, int waveType) const;

    juce::File presetFile() const;
    juce::String selectedPreset() const;

    ZarnSynthesiser& synth;

private:
    ZarnKnob* addKnob (int index);
    ZarnSlider* addSlider (int index);
    void addValueControl (juce::Slider& control, int index, juce::Slider::SliderStyle style);
    ZarnSwitch* addSwitch (int index);
    ZarnButton* addSelector (ZarnButton::Kind kind);

    // The slider table's row of a knob: false (nothing done) when its gating switch is off.
    bool runKnobRow (int index);
    void equaliserPass (juce::Slider* changed);
    void waveChosen (int index, const Selector& chosen);
    void switchClicked (int index);

    juce::Component& face;
    juce::MidiKeyboardState& keys;
    const juce::File dataFolder;
    int& eqChangeCount;
    const int greetingAt;

    // The knob, slider or switch of each setting, by row index; null for the wave rows.
    juce::Component* controls[SettingsTable::count] = {};

    JUCE_DECLARE_NON_COPYABLE (ZarnPanel)
};
