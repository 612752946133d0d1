#pragma once

#include "engine/ZarnSynthesiser.h"
#include "engine/ZarnVoice.h"
#include "standalone/HelloWindow.h"
#include "widgets/ZarnButton.h"
#include "widgets/ZarnKeyboard.h"
#include "widgets/ZarnKnob.h"
#include "widgets/ZarnSlider.h"
#include "widgets/ZarnSwitch.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The instrument panel of the standalone program, 800 by 550 pixels: knobs, sliders, switches
// and waveform buttons that write every change into all 32 voices (through the synthesiser's
// setters), a status line that echoes each change, the preset list, the timbre file buttons,
// the options menu and the on-screen keyboard.
class ZarnUI : public juce::Component,
               public juce::Button::Listener,
               public juce::Slider::Listener,
               public juce::ComboBox::Listener,
               public juce::Timer
{
public:
    ZarnUI();
    ~ZarnUI() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void comboBoxChanged (juce::ComboBox* box) override;
    void timerCallback() override;

    // Timbre files.
    void saveTimbreAs();
    // Writes the panel's settings as the one timbre of `file`; says so on the status line when
    // nothing could be written.
    void saveTimbre (const juce::File& file, const juce::String& timbreName);
    void chooseTimbreToLoad();
    void loadTimbre (const juce::String& path, const juce::String& timbreName);
    void fillPresetList();

    // Equaliser passes of the whole program, eight per pass; the greeting shows at 143.
    static int eqChangeCount;

    juce::Image backgroundImage; // null when "GUI Resource/background.png" is missing or unreadable

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
    ZarnVoice* voices[ZarnSynthesiser::numVoices] = {};
    juce::ComboBox* presetsBox = nullptr;
    juce::Label* presetsLabel = nullptr;
    juce::TextButton* saveButton = nullptr;
    juce::TextButton* loadButton = nullptr;
    std::unique_ptr<HelloWindow> welcomeWindow; // the welcome window, later the About window
    juce::TextButton* optionsButton = nullptr;

private:
    ZarnSynthesiser& synth() const;

    ZarnKnob* addKnob (const juce::String& name, double min, double max, double step);
    ZarnSlider* addSlider (const juce::String& name, double min, double max, double step);
    ZarnSwitch* addSwitch (bool isEq);
    ZarnButton* addSelector (int kind);
    juce::TextButton* addTextButton (const juce::String& text);

    // The rows of the slider table; false when the call goes on to the equaliser pass.
    bool handleSliderRow (juce::Slider* slider, double v);
    void equaliserPass (juce::Slider* slider, double v);
    void show (juce::Slider* slider, const juce::String& status, const juce::String& tooltip);
    void setStatus (const juce::String& text);

    void selectOscWave (int o, ZarnButton* clicked, int waveType);
    void selectLfoWave (ZarnButton* clicked, int waveType, const juce::String& status);
    void showOptionsMenu();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnUI)
};
