#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <optional>

// The instrument's 49 settings, described once for every reader: the timbre file (its attribute
// keys and their order), the plug-in's processor (the parameter index is the row's index, and
// which values it keeps whole), both panels (the control each setting has, its range, its texts,
// the switch that gates it) and the loaders (the order in which a timbre is applied).
class SettingsTable
{
public:
    static constexpr int count = 49;

    // What a setting is. The oscillator rows and the equaliser gains have a part: the
    // oscillator 0..2 or the band 0..7.
    enum What
    {
        oscSwitch, oscWave, oscLevel, oscSemitones, oscCents, oscPulseWidth, oscDouble,
        filterSwitch, filterAttack, filterDecay, filterSustain, filterRelease,
        cutoff, resonance, filterDepth,
        gain, ampAttack, ampDecay, ampSustain, ampRelease,
        echoFeedback, echoLevel,
        lfoSwitch, lfoWave, lfoRate, lfoDepth,
        eqSwitch, eqGain,
        nothing // no setting: the gate of an ungated row
    };

    // The control that shows a setting on the panels.
    enum class Widget
    {
        knob,           // ZarnKnob, rotary
        eqSlider,       // ZarnSlider, vertical
        toggle,         // ZarnSwitch with the switch image
        eqToggle,       // ZarnSwitch with the equaliser image
        oscWaveButtons, // the five waveform buttons of an oscillator
        lfoWaveButtons  // the three LFO shape buttons
    };

    // How the attribute is written to and read from a timbre file.
    enum class FileValue
    {
        onOff,   // integer text; read as on when not 0
        integer, // integer text
        decimal  // "%.9g" text
    };

    // What the status line and a knob's tooltip say about a change.
    enum class TextForm
    {
        none,        // nothing
        value,       // label + T(scale v) + statusUnit; tooltip T(scale v) + tooltipUnit + note
        signedValue, // as value, with "+" before values from 0 up
        onOff,       // label + "On" or "Off"
        lfoShape     // label + the LFO shape's name + " Wave"
    };

    struct Text
    {
        TextForm form;
        const char* label;
        double scale;
        const char* statusUnit;
        const char* tooltipUnit;
        const char* tooltipNote; // a further line of the tooltip, or empty
    };

    struct Row
    {
        const char* key;     // the timbre attribute
        What what;
        int part;            // oscillator or band; 0 elsewhere
        int loadStep;        // 1..49: the order in which the loaders apply a timbre
        Widget widget;
        const char* name;    // the name given to a knob's or slider's widget; empty for the others
        double minimum, maximum, step;
        double start;        // the control's value once the panel is built (a switch: 1 on, 0 off;
                             // a wave group: the WaveType selected)
        FileValue file;
        bool panelReadsText; // the standalone panel reads the attribute as boolean text
        bool storedWhole;    // the processor keeps the value truncated toward zero
        Text text;
        What gate;           // the switch (of the same part) that must be on for a change to apply
        bool equaliserPass;  // a change of the control ends in the panel's equaliser pass
    };

    // In the order of the timbre file's attributes, which is the order of the plug-in's parameters.
    static const Row rows[count];

    // The row index of a setting; -1 when there is none.
    static int indexOf (What what, int part = 0) noexcept;

    // Row indices in the order in which a loaded timbre is applied: an oscillator's switch before
    // its level and second phase, the LFO switch before its rate and depth.
    static const std::array<int, count>& loadOrder() noexcept;

    // What the voices take when setting `index` is set to `value`: the one bound of every setting,
    // whichever road (a control, a timbre file, a host) its value comes by.
    // - A value that is not a finite number changes nothing (no value).
    // - A switch is on (1) when its value truncated toward zero is not 0, off (0) otherwise.
    // - A wave is its number truncated toward zero; a number that names no WaveType changes
    //   nothing (were it kept as the oscillator's wave, that oscillator's pulse width would stop
    //   working and a saved timbre would carry the number on).
    // - A knob or slider takes its value limited to the control's range, truncated toward zero
    //   where the row is kept whole (semitones and cents).
    static std::optional<double> forVoices (int index, double value) noexcept;

    // A value truncated toward zero as an int, saturated at the ends of the int range; 0 for a
    // value that is not a finite number.
    static int wholeNumber (double value) noexcept;

    // The status text and the tooltip of a change of setting `index` to `value` (a switch: 1 on,
    // 0 off; a wave: its WaveType); empty where the row shows none.
    static juce::String statusText (int index, double value);
    static juce::String tooltipText (int index, double value);
};
