#include "timbre/SettingsTable.h"

#include "engine/WaveType.h"
#include "timbre/ValueText.h"

#include <cmath>
#include <limits>

namespace
{
using S = SettingsTable;

struct Control
{
    S::Widget widget;
    const char* name;
    double minimum, maximum, step, start;
};

constexpr Control knob (const char* name, double minimum, double maximum, double step, double start)
{
    return { S::Widget::knob, name, minimum, maximum, step, start };
}

constexpr Control eqSlider (const char* name)
{
    return { S::Widget::eqSlider, name, -8.0, 8.0, 0.01, 0.0 };
}

constexpr Control toggle (bool on)
{
    return { S::Widget::toggle, "", 0.0, 1.0, 1.0, on ? 1.0 : 0.0 };
}

constexpr Control eqToggle (bool on)
{
    return { S::Widget::eqToggle, "", 0.0, 1.0, 1.0, on ? 1.0 : 0.0 };
}

constexpr Control oscWaves()
{
    return { S::Widget::oscWaveButtons, "", Square, WhiteNoise, 1.0, Square };
}

constexpr Control lfoWaves()
{
    return { S::Widget::lfoWaveButtons, "", Sawtooth, Pulse, 1.0, Pulse };
}

// How a row's attribute is read: the standalone panel reads the second phase and filter switches
// as boolean text, the editor every switch as an integer.
enum class File { onOff, onOffOrText, integer, decimal };

enum class Stored { exact, whole };
enum class Pass { no, yes };

constexpr S::Text noText { S::TextForm::none, "", 1.0, "", "", "" };

constexpr S::Text valueText (const char* label, double scale, const char* statusUnit, const char* tooltipUnit,
                             const char* tooltipNote = "")
{
    return { S::TextForm::value, label, scale, statusUnit, tooltipUnit, tooltipNote };
}

constexpr S::Text percent (const char* label, const char* tooltipNote = "")
{
    return valueText (label, 100.0, " %", "%", tooltipNote);
}

constexpr S::Text ms (const char* label)
{
    return valueText (label, 1.0, " ms", " ms");
}

constexpr S::Text signedValue (const char* label, const char* unit)
{
    return { S::TextForm::signedValue, label, 1.0, unit, unit, "" };
}

constexpr S::Text onOff (const char* label)
{
    return { S::TextForm::onOff, label, 1.0, "", "", "" };
}

constexpr S::Text lfoShape (const char* label)
{
    return { S::TextForm::lfoShape, label, 1.0, "", "", "" };
}

constexpr S::Row row (const char* key, S::What what, int part, int loadStep, Control control, File file,
                      Stored stored, S::Text text, S::What gate = S::nothing, Pass pass = Pass::no)
{
    return { key, what, part, loadStep,
             control.widget, control.name, control.minimum, control.maximum, control.step, control.start,
             file == File::decimal ? S::FileValue::decimal
                                   : file == File::integer ? S::FileValue::integer : S::FileValue::onOff,
             file == File::onOffOrText,
             stored == Stored::whole,
             text, gate, pass == Pass::yes };
}

constexpr auto exact = Stored::exact;
constexpr auto whole = Stored::whole;
constexpr auto pass = Pass::yes;

constexpr const char* delayNote = "\nTo turn of the Delay just set this to 0";

juce::String T (double x)
{
    return ValueText::of (x);
}
} // namespace

// clang-format off
constexpr SettingsTable::Row SettingsTable::rows[SettingsTable::count] = {
    //   key           what            part load control                              file                stored text                                        gate            pass
    row ("osc0switch", oscSwitch,      0,   1, toggle (true),                         File::onOff,        whole, onOff ("Oscillator A is ")),
    row ("osc0wave",   oscWave,        0,   2, oscWaves(),                            File::integer,      whole, noText),
    row ("osc0lvl",    oscLevel,       0,   3, knob ("lvl0", 0, 1, 0.001, 0),         File::decimal,      exact, percent ("OSC level:  "),               oscSwitch,      pass),
    row ("osc0dtn",    oscSemitones,   0,   5, knob ("dtn0", -24, 24, 1, 0),          File::decimal,      whole, signedValue ("OSC pitch:  ", " semitones"), oscSwitch,  pass),
    row ("osc0cent",   oscCents,       0,   6, knob ("cent0", -100, 100, 1, 0),       File::decimal,      whole, signedValue ("OSC fine:  ", " cents"),  oscSwitch,      pass),
    row ("osc0pw",     oscPulseWidth,  0,   4, knob ("pw0", 0, 0.5, 0.01, 0.5),       File::decimal,      exact, valueText ("Pulse width:  ", 200, " %", "%"), oscSwitch, pass),
    row ("osc0double", oscDouble,      0,   7, toggle (true),                         File::onOffOrText,  whole, noText),

    row ("osc1switch", oscSwitch,      1,   8, toggle (true),                         File::onOff,        whole, onOff ("Oscillator B is ")),
    row ("osc1wave",   oscWave,        1,   9, oscWaves(),                            File::integer,      whole, noText),
    row ("osc1lvl",    oscLevel,       1,  10, knob ("lvl1", 0, 1, 0.001, 0),         File::decimal,      exact, percent ("OSC level:  "),               oscSwitch,      pass),
    row ("osc1dtn",    oscSemitones,   1,  12, knob ("dtn1", -24, 24, 1, 0),          File::decimal,      whole, signedValue ("OSC pitch:  ", " semitones"), oscSwitch,  pass),
    row ("osc1cent",   oscCents,       1,  13, knob ("cent1", -100, 100, 1, 0),       File::decimal,      whole, signedValue ("OSC fine:  ", " cents"),  oscSwitch,      pass),
    row ("osc1pw",     oscPulseWidth,  1,  11, knob ("pw1", 0, 0.5, 0.01, 0.5),       File::decimal,      exact, valueText ("Pulse width:  ", 200, " %", "%"), oscSwitch, pass),
    row ("osc1double", oscDouble,      1,  14, toggle (true),                         File::onOffOrText,  whole, noText),

    row ("osc2switch", oscSwitch,      2,  15, toggle (true),                         File::onOff,        whole, onOff ("Oscillator C is ")),
    row ("osc2wave",   oscWave,        2,  16, oscWaves(),                            File::integer,      whole, noText),
    row ("osc2lvl",    oscLevel,       2,  17, knob ("lvl2", 0, 1, 0.001, 0),         File::decimal,      exact, percent ("OSC level:  "),               oscSwitch,      pass),
    row ("osc2dtn",    oscSemitones,   2,  19, knob ("dtn2", -24, 24, 1, 0),          File::decimal,      whole, signedValue ("OSC pitch:  ", " semitones"), oscSwitch,  pass),
    row ("osc2cent",   oscCents,       2,  20, knob ("cent2", -100, 100, 1, 0),       File::decimal,      whole, signedValue ("OSC fine:  ", " cents"),  oscSwitch,      pass),
    row ("osc2pw",     oscPulseWidth,  2,  18, knob ("pw2", 0, 0.5, 0.01, 0.5),       File::decimal,      exact, valueText ("Pulse width:  ", 200, " %", "%"), oscSwitch, pass),
    row ("osc2double", oscDouble,      2,  21, toggle (true),                         File::onOffOrText,  whole, noText),

    // The filter switch is kept as sent; the filter follows it truncated toward zero.
    row ("moogSwitch", filterSwitch,   0,  29, toggle (true),                         File::onOffOrText,  exact, noText),
    row ("moogAtk",    filterAttack,   0,  24, knob ("fltatk", 1, 3000, 10, 1),       File::decimal,      exact, ms ("Filter attack:  ")),
    row ("moogDcy",    filterDecay,    0,  25, knob ("fltdcy", 1, 3000, 10, 1),       File::decimal,      exact, ms ("Filter decay:  ")),
    row ("moogSus",    filterSustain,  0,  26, knob ("fltsus", 0.01, 1, 0.01, 0.01),  File::decimal,      exact, percent ("Filter sustain:  ")),
    row ("moogRls",    filterRelease,  0,  27, knob ("fltrls", 1, 3000, 10, 1),       File::decimal,      exact, ms ("Filter release:  ")),
    row ("moogCutoff", cutoff,         0,  22, knob ("fltcut", 0, 5000, 10, 0),       File::decimal,      exact, valueText ("Cutoff:  ", 1, " hz", " Hz")),
    row ("moogRes",    resonance,      0,  23, knob ("fltres", 0, 1, 0.001, 0),       File::decimal,      exact, percent ("Resonance:  ")),
    row ("moogDepth",  filterDepth,    0,  28, knob ("fltamt", 0, 1, 0.001, 0),       File::decimal,      exact, percent ("Filter depth:  ")),

    row ("ampGain",    gain,           0,  30, knob ("ampall", 0, 1, 0.001, 0),       File::decimal,      exact, percent ("Gain:  ")),
    row ("ampAtk",     ampAttack,      0,  31, knob ("ampatk", 3, 5000, 3, 3),        File::decimal,      exact, ms ("Amp attack:  ")),
    row ("ampDcy",     ampDecay,       0,  32, knob ("ampdcy", 10, 5000, 3, 10),      File::decimal,      exact, ms ("Amp decay:  ")),
    row ("ampSus",     ampSustain,     0,  33, knob ("ampsus", 0, 1, 0.001, 0),       File::decimal,      exact, percent ("Amp sustain:  ")),
    row ("ampRls",     ampRelease,     0,  34, knob ("amprls", 1, 5000, 3, 1),        File::decimal,      exact, ms ("Amp release:  ")),

    row ("delayFbk",   echoFeedback,   0,  35, knob ("dlyfbk", 0, 1, 0.01, 0),        File::decimal,      exact, percent ("Delay feedback: ")),
    row ("delayLvl",   echoLevel,      0,  36, knob ("dlylvl", 0, 1, 0.01, 0),        File::decimal,      exact, percent ("Delay level: ", delayNote)),

    row ("lfoSwitch",  lfoSwitch,      0,  37, toggle (false),                        File::onOff,        whole, onOff ("Lfo is now   ")),
    row ("lfoWave",    lfoWave,        0,  40, lfoWaves(),                            File::integer,      whole, lfoShape ("Lfo:  ")),
    row ("lfoRate",    lfoRate,        0,  38, knob ("lforate", 0, 20, 0.01, 0),      File::decimal,      exact, valueText ("Lfo rate:    ", 1, " Hz", " Hz"), lfoSwitch),
    row ("lfoDepth",   lfoDepth,       0,  39, knob ("lfoamt", 0, 1, 0.01, 0),        File::decimal,      exact, percent ("Lfo depth:    "),             lfoSwitch),

    row ("eqSwitch",   eqSwitch,       0,  41, eqToggle (false),                      File::onOff,        whole, onOff ("Equalizer is now  ")),
    row ("eq0",        eqGain,         0,  42, eqSlider ("eq0"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq1",        eqGain,         1,  43, eqSlider ("eq1"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq2",        eqGain,         2,  44, eqSlider ("eq2"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq3",        eqGain,         3,  45, eqSlider ("eq3"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq4",        eqGain,         4,  46, eqSlider ("eq4"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq5",        eqGain,         5,  47, eqSlider ("eq5"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq6",        eqGain,         6,  48, eqSlider ("eq6"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
    row ("eq7",        eqGain,         7,  49, eqSlider ("eq7"),                      File::decimal,      exact, valueText ("Equalizer:  ", 1, " dB", " dB"), nothing, pass),
};
// clang-format on

int SettingsTable::indexOf (What what, int part) noexcept
{
    for (int i = 0; i < count; ++i)
        if (rows[i].what == what && rows[i].part == part)
            return i;

    return -1;
}

const std::array<int, SettingsTable::count>& SettingsTable::loadOrder() noexcept
{
    static const auto order = [] {
        std::array<int, count> o {};

        for (int i = 0; i < count; ++i)
            o[(size_t) (rows[i].loadStep - 1)] = i;

        return o;
    }();

    return order;
}

std::optional<double> SettingsTable::forVoices (int index, double value) noexcept
{
    if (! std::isfinite (value))
        return std::nullopt;

    const auto& row = rows[index];

    switch (row.widget)
    {
        case Widget::toggle:
        case Widget::eqToggle:
            return std::trunc (value) != 0.0 ? 1.0 : 0.0;
        case Widget::oscWaveButtons:
        case Widget::lfoWaveButtons:
        {
            const int wave = wholeNumber (value);

            if (wave < Square || wave > Pulse)
                return std::nullopt;

            return wave;
        }
        case Widget::knob:
        case Widget::eqSlider:
            break;
    }

    const double limited = juce::jlimit (row.minimum, row.maximum, value);
    return row.storedWhole ? std::trunc (limited) : limited;
}

int SettingsTable::wholeNumber (double value) noexcept
{
    if (! std::isfinite (value))
        return 0;

    const double whole = std::trunc (value);

    if (whole >= (double) std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();

    if (whole <= (double) std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();

    return static_cast<int> (whole);
}

juce::String SettingsTable::statusText (int index, double value)
{
    const auto& text = rows[index].text;

    switch (text.form)
    {
        case TextForm::value:
            return text.label + T (text.scale * value) + text.statusUnit;
        case TextForm::signedValue:
            return text.label + juce::String (value >= 0.0 ? "+" : "") + T (value) + text.statusUnit;
        case TextForm::onOff:
            return text.label + juce::String (value != 0.0 ? "On" : "Off");
        case TextForm::lfoShape:
        {
            const int wave = wholeNumber (value);
            const char* name = wave == Pulse ? "Pulse" : wave == Sawtooth ? "Sawtooth" : wave == Triangle ? "Triangle" : nullptr;
            return name != nullptr ? text.label + juce::String (name) + " Wave" : juce::String();
        }
        case TextForm::none:
            break;
    }

    return {};
}

juce::String SettingsTable::tooltipText (int index, double value)
{
    const auto& text = rows[index].text;

    switch (text.form)
    {
        case TextForm::value:
            return T (text.scale * value) + text.tooltipUnit + text.tooltipNote;
        case TextForm::signedValue:
            return juce::String (value >= 0.0 ? "+" : "") + T (value) + text.tooltipUnit;
        case TextForm::onOff:
        case TextForm::lfoShape:
        case TextForm::none:
            break;
    }

    return {};
}
