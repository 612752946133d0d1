// The plug-in's editor in-process on the test X server, on a real processor whose parameter
// changes a recording listener hears as the host would. Its plug-in folder is this program's
// folder, where the tests write "presets.xml" (one test at a time).
#include "engine/Oscillator.h"
#include "engine/WaveType.h"
#include "plugin/PluginFolder.h"
#include "plugin/ZarnEditorComponent.h"
#include "plugin/ZarnJuceFilter.h"
#include "tests/support/LfoShape.h"
#include "tests/support/TimbreText.h"
#include "timbre/SettingsTable.h"
#include "timbre/TimbreFile.h"
#include "timbre/ValueText.h"
#include "widgets/GuiPicture.h"
#include "widgets/linux/WindowManagerAtoms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the index-based parameter calls

namespace
{
using Change = std::pair<int, float>;
using Changes = std::vector<Change>;

// What the wrapper passes on to the host: every change that the processor's listeners hear.
struct HostRecorder : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        changes.emplace_back (index, value);
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    Changes changes;
};

// Runs the message loop until every message queued so far, and those they queue, is handled.
void pump()
{
    for (int round = 0; round < 2; ++round)
    {
        bool arrived = false;
        juce::MessageManager::callAsync ([&arrived] { arrived = true; });

        while (! arrived)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }
}

// The first component under `root` (itself included) that is a T and satisfies `wanted`.
template <typename T>
T* findIn (juce::Component& root, const std::function<bool (T&)>& wanted)
{
    if (auto* c = dynamic_cast<T*> (&root); c != nullptr && wanted (*c))
        return c;

    for (auto* child : root.getChildren())
        if (auto* found = findIn<T> (*child, wanted))
            return found;

    return nullptr;
}

class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PluginFolder::installImageLocator();
        presets().deleteFile();
        processor = std::make_unique<ZarnJuceFilter>();
        processor->addListener (&host);
    }

    void TearDown() override
    {
        editor = nullptr;
        pump();
        processor->removeListener (&host);
        processor = nullptr;
        presets().deleteFile();
    }

    static juce::File presets() { return PluginFolder::get().getChildFile ("presets.xml"); }

    // An editor as the host opens one, once the messages that its construction queued are handled.
    void open()
    {
        editor = nullptr;
        editor.reset (dynamic_cast<ZarnEditorComponent*> (processor->createEditorIfNeeded()));
        ASSERT_NE (editor, nullptr);
        pump();
    }

    // A change as the user makes it, and what the host heard of it.
    Changes change (juce::Slider* slider, double value)
    {
        host.changes.clear();
        slider->setValue (value, juce::sendNotificationAsync);
        pump();
        return host.changes;
    }

    Changes click (juce::Button* button)
    {
        host.changes.clear();
        button->triggerClick();
        pump();
        return host.changes;
    }

    std::vector<float> parameters() const
    {
        std::vector<float> values;

        for (int i = 0; i < ZarnJuceFilter::numParams; ++i)
            values.push_back (processor->getParameter (i));

        return values;
    }

    juce::String status() const { return editor->statusLabel->getText(); }

    // Sixteen blocks of 256 samples from the processor, each block's two channels one after the
    // other; with `startChord`, the notes 45, 57, 64 and 72 start at the first sample and are held.
    std::vector<float> render (bool startChord)
    {
        juce::AudioBuffer<float> buffer (2, 256);
        std::vector<float> out;

        for (int block = 0; block < 16; ++block)
        {
            juce::MidiBuffer midi;

            if (startChord && block == 0)
                for (int note : { 45, 57, 64, 72 })
                    midi.addEvent (juce::MidiMessage::noteOn (1, note, 1.0f), 0);

            processor->processBlock (buffer, midi);

            for (int ch = 0; ch < 2; ++ch)
                out.insert (out.end(), buffer.getReadPointer (ch), buffer.getReadPointer (ch) + 256);
        }

        return out;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    HostRecorder host;
    std::unique_ptr<ZarnJuceFilter> processor;
    std::unique_ptr<ZarnEditorComponent> editor;
};
} // namespace

TEST_F (Editor, ControlsReadTheParametersBackWhenBuilt)
{
    struct Case
    {
        const char* what;
        Changes parameters;
        std::function<bool (ZarnEditorComponent&)> shows;
    };

    const auto onlySelected = [] (std::initializer_list<ZarnButton*> group, ZarnButton* selected) {
        for (auto* b : group)
            if (b->selected != (b == selected))
                return false;

        return true;
    };

    const Case cases[] = {
        { "filter switch 0.7 shows off", { { 21, 0.7f } }, [] (ZarnEditorComponent& e) { return ! e.filterSwitch->on; } },
        { "filter switch 1.9 shows on", { { 21, 1.9f } }, [] (ZarnEditorComponent& e) { return e.filterSwitch->on; } },
        { "switches from their parameters", { { 0, 1 }, { 13, 1 }, { 36, 1 }, { 40, 1 } },
          [] (ZarnEditorComponent& e) {
              return e.oscSwitch[0]->on && ! e.oscSwitch[1]->on && ! e.oscSwitch[2]->on && ! e.doubleSwitch[0]->on
                  && e.doubleSwitch[1]->on && e.lfoSwitch->on && e.eqSwitch->on;
          } },
        { "wave 2 selects triangle only", { { 8, 2 } },
          [&] (ZarnEditorComponent& e) {
              return onlySelected ({ e.squareButton[1], e.sawtoothButton[1], e.triangleButton[1], e.sineButton[1], e.noiseButton[1] },
                                   e.triangleButton[1]);
          } },
        { "wave 5 selects none", { { 15, 5 } },
          [&] (ZarnEditorComponent& e) {
              return onlySelected ({ e.squareButton[2], e.sawtoothButton[2], e.triangleButton[2], e.sineButton[2], e.noiseButton[2] }, nullptr)
                  && e.squareButton[0]->selected;
          } },
        { "LFO 2 selects triangle", { { 37, 2 } },
          [&] (ZarnEditorComponent& e) { return onlySelected ({ e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton }, e.lfoTriangleButton); } },
        { "LFO 1 selects sawtooth", { { 37, 1 } },
          [&] (ZarnEditorComponent& e) { return onlySelected ({ e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton }, e.lfoSawtoothButton); } },
        { "LFO 0 leaves pulse", { { 37, 0 } },
          [&] (ZarnEditorComponent& e) { return onlySelected ({ e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton }, e.lfoPulseButton); } },
        { "LFO 3 leaves pulse", { { 37, 3 } },
          [&] (ZarnEditorComponent& e) { return onlySelected ({ e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton }, e.lfoPulseButton); } },
        { "knobs and sliders show their parameters, on their steps", { { 30, 300 }, { 26, 660 }, { 38, 4.5f }, { 2, 0.3f }, { 44, 12 } },
          [] (ZarnEditorComponent& e) {
              return e.ampatk->getValue() == 300.0 && e.fltcut->getValue() == 660.0 && e.lforate->getValue() == 4.5
                  && std::abs (e.lvl[0]->getValue() - 0.3) < 1e-9
                  && e.eq[3]->getValue() == 8.0 && e.ampdcy->getValue() == 10.0;
          } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        editor = nullptr;
        processor = nullptr;
        processor = std::make_unique<ZarnJuceFilter>();
        processor->addListener (&host);

        for (auto [index, value] : c.parameters)
            processor->setParameter (index, value);

        open();
        EXPECT_TRUE (c.shows (*editor));
        processor->removeListener (&host);
    }
}

// What the construction queues reaches the handlers once, as if the user had moved those
// controls: the oscillator knobs and the equaliser sliders send the values they read back.
TEST_F (Editor, OscillatorKnobsAndEqualiserSlidersSendWhatTheyReadBack)
{
    for (auto [index, value] : Changes { { 0, 1 }, { 5, 0.3f }, { 2, 0.6f }, { 10, -7 }, { 43, 2.5f } })
        processor->setParameter (index, value);

    const auto before = parameters();
    open();

    EXPECT_EQ (parameters(), before);
    EXPECT_EQ (status(), "Equalizer:  2.5 dB");

    // Oscillator 0 is on: its pulse width and level go out; oscillator 1 is off, so its pitch
    // knob only runs the equaliser pass, as the other two pulse-width knobs do.
    const Changes expected { { 5, 0.3f }, { 2, 0.6f }, { 43, 2.5f } };
    EXPECT_EQ (host.changes, expected);
    EXPECT_EQ (processor->eqChangeCount, 6 * 8) << "six changes handled, each ending in the pass";
}

TEST_F (Editor, IsThePanelWithoutOptionsStatusHelloAndNoWelcome)
{
    open();
    EXPECT_EQ (status(), "zarN:   Hello!");
    EXPECT_EQ (editor->getWidth(), 800);
    EXPECT_EQ (editor->getHeight(), 550);
    for (auto* child : editor->getChildren())
        EXPECT_FALSE (child->getBounds().contains (12, 15)) << "nothing where the standalone's Options button sits";
    EXPECT_EQ (editor->keyboard->getParentComponent(), editor.get());
    EXPECT_EQ (editor->keyboard->getRangeStart(), 53);
    EXPECT_EQ (editor->keyboard->getRangeEnd(), 100);
    EXPECT_EQ (editor->presetsBox->getNumItems(), 0);
    EXPECT_EQ (juce::TopLevelWindow::getNumTopLevelWindows(), 0);
}

TEST_F (Editor, EveryKnobAndSliderSetsItsParameterWithItsTextAndTooltip)
{
    for (int on : { 0, 7, 14, 36 })
        processor->setParameter (on, 1.0f);

    open();
    auto& e = *editor;

    struct Row
    {
        juce::Slider* slider;
        double value;
        int index;
        const char* status;
        const char* tooltip;
    };

    const Row rows[] = {
        { e.fltcut, 660, 26, "Cutoff:  660 hz", "660 Hz" },
        { e.fltres, 0.5, 27, "Resonance:  50 %", "50%" },
        { e.fltatk, 101, 22, "Filter attack:  101 ms", "101 ms" },
        { e.fltdcy, 301, 23, "Filter decay:  301 ms", "301 ms" },
        { e.fltsus, 0.89, 24, "Filter sustain:  89 %", "89%" },
        { e.fltrls, 1201, 25, "Filter release:  1201 ms", "1201 ms" },
        { e.fltamt, 0.3, 28, "Filter depth:  30 %", "30%" },
        { e.ampatk, 999, 30, "Amp attack:  999 ms", "999 ms" },
        { e.ampdcy, 19, 31, "Amp decay:  19 ms", "19 ms" },
        { e.ampsus, 0.89, 32, "Amp sustain:  89 %", "89%" },
        { e.amprls, 451, 33, "Amp release:  451 ms", "451 ms" },
        { e.ampall, 0.7, 29, "Gain:  70 %", "70%" },
        { e.dlyfbk, 0.4, 34, "Delay feedback: 40 %", "40%" },
        { e.dlylvl, 0.3, 35, "Delay level: 30 %", "30%\nTo turn of the Delay just set this to 0" },
        { e.lforate, 4, 38, "Lfo rate:    4 Hz", "4 Hz" },
        { e.lfoamt, 0.5, 39, "Lfo depth:    50 %", "50%" },
        { e.lvl[1], 0.6, 9, "OSC level:  60 %", "60%" },
        { e.dtn[1], -12, 10, "OSC pitch:  -12 semitones", "-12 semitones" },
        { e.dtn[0], 3, 3, "OSC pitch:  +3 semitones", "+3 semitones" },
        { e.cent[2], 5, 18, "OSC fine:  +5 cents", "+5 cents" },
        { e.pw[2], 0.25, 19, "Pulse width:  50 %", "50%" },
        { e.eq[2], 3.5, 43, "Equalizer:  3.5 dB", "3.5 dB" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.slider->getName() + " = " + juce::String (row.value));
        EXPECT_EQ (change (row.slider, row.value), Changes ({ { row.index, (float) row.value } }));
        EXPECT_EQ (processor->getParameter (row.index), (float) row.value);
        EXPECT_EQ (status(), row.status);
        EXPECT_EQ (row.slider->getTooltip(), row.tooltip);
    }

    // A knob of a switched-off oscillator sends nothing and shows nothing; the pass still runs.
    click (e.oscSwitch[1]);
    e.statusLabel->setText ("mark", juce::dontSendNotification);
    const int count = processor->eqChangeCount;
    EXPECT_TRUE (change (e.dtn[1], 7).empty());
    EXPECT_EQ (status(), "mark");
    EXPECT_EQ (e.dtn[1]->getTooltip(), "-12 semitones");
    EXPECT_EQ (processor->eqChangeCount, count + 8);
}

TEST_F (Editor, SwitchesAndWaveButtonsSendTheirParameters)
{
    for (auto [index, value] : Changes { { 0, 1 }, { 7, 1 }, { 14, 1 }, { 36, 1 }, { 38, 4 }, { 39, 0.5f } })
        processor->setParameter (index, value);

    open();
    auto& e = *editor;

    struct Case
    {
        juce::Button* button;
        Changes sent;
        const char* status; // null: unchanged
    };

    const Case cases[] = {
        { e.filterSwitch, { { 21, 1 } }, nullptr },
        { e.eqSwitch, { { 40, 1 } }, "Equalizer is now  On" },
        { e.eqSwitch, { { 40, 0 } }, "Equalizer is now  Off" },
        { e.oscSwitch[2], { { 14, 0 } }, "Oscillator C is Off" },
        { e.oscSwitch[2], { { 14, 1 } }, "Oscillator C is On" },
        { e.doubleSwitch[1], { { 13, 1 } }, nullptr },
        { e.lfoSwitch, { { 36, 0 }, { 39, 0 } }, "Lfo is now   Off" },
        { e.lfoSwitch, { { 36, 1 }, { 38, 4 }, { 39, 0.5f } }, "Lfo is now   On" },
        { e.sineButton[0], { { 1, 3 } }, nullptr },
        { e.triangleButton[2], { { 15, 2 } }, nullptr },
        { e.noiseButton[1], { { 8, 4 } }, nullptr },
        { e.lfoPulseButton, { { 37, 5 } }, "Lfo:  Pulse Wave" },
        { e.lfoSawtoothButton, { { 37, 1 } }, "Lfo:  Sawtooth Wave" },
        { e.lfoTriangleButton, { { 37, 2 } }, "Lfo:  Triangle Wave" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.button->getName() + (c.status != nullptr ? juce::String (" ") + c.status : juce::String()));
        e.statusLabel->setText ("mark", juce::dontSendNotification);
        EXPECT_EQ (click (c.button), c.sent);
        EXPECT_EQ (status(), c.status != nullptr ? c.status : "mark");
    }

    // The radio groups follow the clicks.
    EXPECT_TRUE (e.sineButton[0]->selected && ! e.squareButton[0]->selected);
    EXPECT_TRUE (e.lfoTriangleButton->selected && ! e.lfoPulseButton->selected && ! e.lfoSawtoothButton->selected);

    // Switched on, an oscillator sounds at the processor's fixed level, whatever its knob shows.
    EXPECT_TRUE (processor->synth.readVoice (0, [] (ZarnVoice& v) { return v.oscLevel[2].value == 1.0 && v.doubleLevel[2].value == 0.19; }));
}

TEST_F (Editor, SelectWaveButtonClearsTheRestOfItsGroup)
{
    open();
    auto& e = *editor;

    struct Case
    {
        int o;
        ZarnButton::Kind kind;
        bool lfo;
        std::vector<ZarnButton*> cleared;
    };

    const Case cases[] = {
        { 1, ZarnButton::Kind::sine, false, { e.squareButton[1], e.sawtoothButton[1], e.triangleButton[1], e.noiseButton[1] } },
        { 0, ZarnButton::Kind::triangle, true, {} }, // the LFO group has no kind 2
        { 2, ZarnButton::Kind::triangleLfo, true, { e.lfoPulseButton, e.lfoSawtoothButton } },
    };

    std::vector<ZarnButton*> all { e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton };

    for (int o = 0; o < 3; ++o)
        all.insert (all.end(), { e.squareButton[o], e.sawtoothButton[o], e.triangleButton[o], e.sineButton[o], e.noiseButton[o] });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.o) + " " + juce::String ((int) c.kind) + (c.lfo ? " lfo" : ""));

        for (auto* b : all)
            b->selected = true;

        e.selectWaveButton (c.o, c.kind, c.lfo);

        for (auto* b : all)
            EXPECT_EQ (b->selected, std::find (c.cleared.begin(), c.cleared.end(), b) == c.cleared.end()) << b->getName();
    }
}

TEST_F (Editor, TheFifteenthEqualiserPassGreetsOncePerProcessor)
{
    const auto passUntilGreeting = [this] {
        int passes = processor->eqChangeCount / 8;
        juce::String last;

        while (processor->eqChangeCount < 112)
        {
            ++passes;
            change (editor->eq[4], passes % 2 == 0 ? 1.0 : 2.0);
            last = status();
        }

        EXPECT_EQ (passes, 14);
        EXPECT_TRUE (last.startsWith ("Equalizer:  "));
        change (editor->eq[4], 3.0);
        return status();
    };

    open();
    EXPECT_EQ (passUntilGreeting(), "^_^zarN says:  Hello!");
    EXPECT_EQ (processor->eqChangeCount, 120);

    // A reopened editor counts on from there.
    open();
    change (editor->eq[4], -1.0);
    EXPECT_EQ (status(), "Equalizer:  -1 dB");

    // A new instance has a count of its own.
    editor = nullptr;
    processor->removeListener (&host);
    processor = std::make_unique<ZarnJuceFilter>();
    processor->addListener (&host);
    open();
    EXPECT_EQ (passUntilGreeting(), "^_^zarN says:  Hello!");
}

TEST_F (Editor, TheLoaderSetsTheParametersInTheTablesOrderThenShowsThem)
{
    open();

    // Every attribute a value of its own; switches as the editor reads them (integers), values
    // beyond the controls' ranges passed on as read, a missing attribute read as 0.
    TimbreText::Attributes attributes;
    std::map<int, float> expected;
    const char* keys[] = { "osc0switch", "osc0wave", "osc0lvl", "osc0dtn", "osc0cent", "osc0pw", "osc0double",
                           "osc1switch", "osc1wave", "osc1lvl", "osc1dtn", "osc1cent", "osc1pw", "osc1double",
                           "osc2switch", "osc2wave", "osc2lvl", "osc2dtn", "osc2cent", "osc2pw", "osc2double",
                           "moogSwitch", "moogAtk", "moogDcy", "moogSus", "moogRls", "moogCutoff", "moogRes", "moogDepth",
                           "ampGain", "ampAtk", "ampDcy", "ampSus", "ampRls", "delayFbk", "delayLvl",
                           "lfoSwitch", "lfoWave", "lfoRate", "lfoDepth", "eqSwitch",
                           "eq0", "eq1", "eq2", "eq3", "eq4", "eq5", "eq6", "eq7" };
    const std::pair<const char*, float> values[] = {
        { "2", 1 }, { "7", 7 }, { "0.25", 0.25f }, { "-5.5", -5.5f }, { "12", 12 }, { "0.3", 0.3f }, { "true", 0 },
        { "0", 0 }, { "4", 4 }, { "0.5", 0.5f }, { "7", 7 }, { "-40", -40 }, { "0.1", 0.1f }, { "1", 1 },
        { "1", 1 }, { "2", 2 }, { "0.9", 0.9f }, { "24", 24 }, { "-100", -100 }, { "0.45", 0.45f }, { "0", 0 },
        { "3", 1 }, { "51", 51 }, { "211", 211 }, { "0.4", 0.4f }, { "901", 901 }, { "2500", 2500 }, { "0.3", 0.3f }, { "0.6", 0.6f },
        { "0.75", 0.75f }, { nullptr, 0 }, { "400", 400 }, { "0.6", 0.6f }, { "0", 0 }, { "0.35", 0.35f }, { "0.2", 0.2f },
        { "1", 1 }, { "2", 2 }, { "4.5", 4.5f }, { "0.05", 0.05f }, { "1", 1 },
        { "3", 3 }, { "-2.5", -2.5f }, { "1", 1 }, { "12", 12 }, { "-8", -8 }, { "0.5", 0.5f }, { "-1", -1 }, { "2", 2 },
    };

    for (int i = 0; i < 49; ++i)
    {
        if (values[i].first != nullptr)
            attributes[keys[i]] = values[i].first;

        expected[i] = values[i].second;
    }

    const auto file = juce::File::createTempFile (".xml");
    file.replaceWithText (TimbreText::document (TimbreText::element ("Lead", attributes)));
    editor->statusLabel->setText ("mark", juce::dontSendNotification);

    host.changes.clear();
    editor->loadTimbre (file.getFullPathName(), "lead");
    const auto sent = host.changes;
    pump();
    file.deleteFile();

    // Each switch before what it gates, the LFO shape after its rate and depth.
    const int order[] = { 0, 1, 2, 5, 3, 4, 6, 7, 8, 9, 12, 10, 11, 13, 14, 15, 16, 19, 17, 18, 20,
                          26, 27, 22, 23, 24, 25, 28, 21, 29, 30, 31, 32, 33, 34, 35, 36, 38, 39, 37, 40,
                          41, 42, 43, 44, 45, 46, 47, 48 };
    ASSERT_EQ (sent.size(), 49u);

    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ (sent[i], Change (order[i], expected[order[i]])) << "step " << i + 1;

    // The controls show the parameters, without a change of their own.
    auto& e = *editor;
    EXPECT_EQ (host.changes.size(), 49u);
    EXPECT_EQ (status(), "mark");
    EXPECT_EQ (e.ampatk->getValue(), 3.0) << "parameter 30 is 0";
    EXPECT_EQ (e.eq[3]->getValue(), 8.0) << "parameter 44 keeps 12";
    EXPECT_EQ (processor->getParameter (44), 12.0f);
    EXPECT_EQ (e.dtn[0]->getValue(), -5.0);
    EXPECT_EQ (e.fltcut->getValue(), 2500.0);
    EXPECT_TRUE (e.oscSwitch[0]->on && ! e.oscSwitch[1]->on && e.filterSwitch->on && e.lfoSwitch->on && e.eqSwitch->on);
    EXPECT_FALSE (e.doubleSwitch[0]->on);
    EXPECT_TRUE (e.squareButton[0]->selected) << "wave 7 leaves oscillator 0's buttons as they were";
    EXPECT_TRUE (e.noiseButton[1]->selected && ! e.squareButton[1]->selected);
    EXPECT_TRUE (e.triangleButton[2]->selected);
    EXPECT_TRUE (e.lfoTriangleButton->selected && ! e.lfoPulseButton->selected);
}

// The LFO shape that a timbre gives, as a whole number: 5, 1 and 2 select the Pulse, Sawtooth and
// Triangle button alone, from whichever shape was selected; any other number leaves the buttons
// as they were. The processor's LFO plays what the parameter says.
TEST_F (Editor, TheLoaderMovesTheLfoButtonsToTheTimbresShape)
{
    open();
    auto& e = *editor;

    struct Case
    {
        ZarnButton* before; // clicked before the load
        const char* lfoWave;
        ZarnButton* shown;
        int plays;
    };

    const Case cases[] = {
        { e.lfoTriangleButton, "5", e.lfoPulseButton, Pulse },
        { e.lfoSawtoothButton, "5", e.lfoPulseButton, Pulse },
        { e.lfoTriangleButton, "5.9", e.lfoPulseButton, Pulse },
        { e.lfoTriangleButton, "1", e.lfoSawtoothButton, Sawtooth },
        { e.lfoSawtoothButton, "2", e.lfoTriangleButton, Triangle },
        { e.lfoTriangleButton, "0", e.lfoTriangleButton, Square },
        { e.lfoSawtoothButton, "4", e.lfoSawtoothButton, WhiteNoise },
        { e.lfoTriangleButton, "6", e.lfoTriangleButton, Triangle }, // no such wave: the voices keep theirs
    };

    const auto file = juce::File::createTempFile (".xml");

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.before->getName() + " then lfoWave " + c.lfoWave);
        click (c.before);
        file.replaceWithText (TimbreText::document (TimbreText::element ("t", { { "lfoWave", c.lfoWave } })));
        editor->loadTimbre (file.getFullPathName(), "t");
        pump();

        for (auto* b : { e.lfoPulseButton, e.lfoSawtoothButton, e.lfoTriangleButton })
            EXPECT_EQ (b->selected, b == c.shown) << b->getName();

        EXPECT_EQ (processor->getParameter (37), std::trunc (std::stof (c.lfoWave)));

        for (int i = 0; i < processor->synth.getNumVoices(); ++i)
            EXPECT_TRUE (processor->synth.readVoice (i, [&] (ZarnVoice& v) {
                return v.lfo.waveType == c.plays && (c.plays != Pulse || LfoShape::playsPulse (v.lfo));
            })) << "voice " << i;
    }

    file.deleteFile();
}

// A timbre file may hold anything a broken writer or a hand left there: texts that are no
// number, huge numbers and a step beyond either end of each control's range, in all 49 attributes
// at once. The processor receives each as the reader gives it, the voices stay finite while
// notes sound, and a sane timbre loaded afterwards sounds again.
TEST_F (Editor, HostileTimbresReachTheParametersAsReadAndLeaveTheVoicesFinite)
{
    using S = SettingsTable;
    open();
    processor->prepareToPlay (44100.0, 256);

    const std::function<juce::String (const S::Row&)> texts[] = {
        [] (const S::Row&) { return juce::String ("nan"); },
        [] (const S::Row&) { return juce::String ("inf"); },
        [] (const S::Row&) { return juce::String ("-inf"); },
        [] (const S::Row&) { return ValueText::of (1.0e30); },
        [] (const S::Row&) { return ValueText::of (-1.0e30); },
        [] (const S::Row&) { return ValueText::of (1.0e6); },
        [] (const S::Row&) { return ValueText::of (-1.0e6); },
        [] (const S::Row& row) { return ValueText::of (row.minimum - row.step); },
        [] (const S::Row& row) { return ValueText::of (row.maximum + row.step); },
    };

    // Sane: every control as the panel starts, made audible.
    const std::map<std::string, std::string> audible = { { "osc0lvl", "0.5" }, { "osc1lvl", "0.5" }, { "osc2lvl", "0.5" },
                                                         { "ampGain", "0.6" }, { "ampSus", "0.8" }, { "moogCutoff", "2000" } };
    juce::String elements;

    for (size_t k = 0; k <= std::size (texts); ++k)
    {
        TimbreText::Attributes attributes;

        for (const auto& row : S::rows)
            attributes[row.key] = k < std::size (texts) ? texts[k] (row).toStdString()
                                  : audible.count (row.key) != 0 ? audible.at (row.key)
                                                                 : ValueText::of (row.start).toStdString();

        elements += TimbreText::element ("t" + juce::String (k), attributes);
    }

    const auto file = juce::File::createTempFile (".xml");
    file.replaceWithText (TimbreText::document (elements));

    const auto finite = [] (const std::vector<float>& x) {
        return std::all_of (x.begin(), x.end(), [] (float v) { return std::isfinite (v); });
    };

    render (true);

    for (size_t k = 0; k <= std::size (texts); ++k)
    {
        const auto name = "t" + juce::String (k);
        SCOPED_TRACE (name);
        const auto before = parameters();
        editor->loadTimbre (file.getFullPathName(), name);
        const auto timbre = TimbreFile::findTimbre (file.getFullPathName(), name);
        ASSERT_NE (timbre, nullptr);

        // As read, kept whole where the row says; a value that is not a number changes nothing.
        for (int i = 0; i < S::count; ++i)
        {
            const auto read = static_cast<float> (TimbreFile::read (*timbre, i, TimbreFile::Reader::editor));
            const float expected = ! std::isfinite (read) ? before[(size_t) i] : S::rows[i].storedWhole ? std::trunc (read) : read;
            EXPECT_EQ (processor->getParameter (i), expected) << S::rows[i].key << "=\"" << timbre->getStringAttribute (S::rows[i].key) << "\"";
        }

        const auto out = render (false);
        EXPECT_TRUE (finite (out));

        if (k == std::size (texts))
        {
            EXPECT_GT (*std::max_element (out.begin(), out.end()), 0.01f) << "the sane timbre sounds";
        }
    }

    pump();
    file.deleteFile();
}

TEST_F (Editor, AutomationMovesNoControlUntilALoadEvenOfAMissingFile)
{
    open();
    const double cutoffShown = editor->fltcut->getValue();
    ASSERT_EQ (cutoffShown, 0.0);

    // Automation from the host: the sound changes, the knob stays, and the change message only
    // waits for the block being rendered (the callback lock, held here by a "render" thread).
    std::atomic<bool> locked { false }, released { false };
    std::thread render ([&] {
        const juce::ScopedLock lock (processor->getCallbackLock());
        locked = true;
        juce::Thread::sleep (200);
        released = true;
    });

    while (! locked)
        std::this_thread::yield();

    processor->setParameter (26, 1230.0f);
    pump();
    const bool waitedForTheBlock = released.load();
    render.join();
    EXPECT_TRUE (waitedForTheBlock) << "the change message took the callback lock";

    EXPECT_EQ (editor->fltcut->getValue(), cutoffShown);
    EXPECT_TRUE (processor->synth.readVoice (3, [] (ZarnVoice& v) { return v.filter.baseCutoff == 1230.0; }));

    // Saving writes what the controls show, and the waves that the first voice plays.
    processor->setParameter (15, 4.0f);
    const auto file = juce::File::createTempFile (".xml");
    editor->saveTimbre (file, "shown");
    const auto saved = TimbreFile::findTimbre (file.getFullPathName(), "shown");
    file.deleteFile();
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getStringAttribute ("moogCutoff"), "0") << "the knob, not the automated 1230";
    EXPECT_EQ (saved->getStringAttribute ("osc2wave"), "4");
    EXPECT_TRUE (editor->squareButton[2]->selected);

    host.changes.clear();
    editor->loadTimbre (PluginFolder::get().getChildFile ("no-such-file.xml").getFullPathName(), "default");
    EXPECT_TRUE (host.changes.empty());
    EXPECT_EQ (editor->fltcut->getValue(), 1230.0);
}

TEST_F (Editor, PresetsLiveInTheProcessorAcrossEditors)
{
    TimbreText::Attributes lead { { "ampAtk", "201" }, { "osc0switch", "1" }, { "osc0pw", "0.2" } };
    TimbreText::Attributes byDefault { { "ampAtk", "102" }, { "ampDcy", "502" }, { "osc0switch", "1" } };
    TimbreText::Attributes pad { { "ampAtk", "1500" }, { "eqSwitch", "1" } };
    presets().replaceWithText (TimbreText::document (TimbreText::element ("lead", lead) + TimbreText::element ("default", byDefault)
                                               + TimbreText::element ("pad", pad)));

    // The first editor loads "default" while the box shows the first preset.
    open();
    EXPECT_EQ (processor->editorOpenCount, 1);
    EXPECT_EQ (processor->getParameter (30), 102.0f);
    EXPECT_EQ (processor->getParameter (31), 502.0f);
    EXPECT_EQ (editor->ampatk->getValue(), 102.0);
    EXPECT_EQ (editor->presetsBox->getText(), "lead");
    EXPECT_FALSE (processor->skipNextPresetChange) << "the construction's own change message met the flag";

    // Choosing a preset loads it; choosing it again sends nothing.
    host.changes.clear();
    editor->presetsBox->setSelectedItemIndex (2, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (host.changes.size(), 49u);
    EXPECT_EQ (processor->getParameter (30), 1500.0f);
    EXPECT_EQ (processor->lastPresetIndex, 2);

    host.changes.clear();
    editor->presetsBox->setSelectedItemIndex (2, juce::sendNotificationAsync);
    pump();
    EXPECT_TRUE (host.changes.empty());

    // The host moves a parameter, then closes and reopens the editor: the box shows the preset
    // chosen last, nothing is loaded, the controls show the parameters as they are.
    processor->setParameter (30, 999.0f);
    const auto before = parameters();
    open();
    EXPECT_EQ (editor->presetsBox->getText(), "pad");
    EXPECT_EQ (processor->lastPresetIndex, 2);
    EXPECT_EQ (parameters(), before);
    EXPECT_EQ (editor->ampatk->getValue(), 999.0);
    EXPECT_FALSE (processor->skipNextPresetChange);

    // Right after opening, a choice loads.
    editor->presetsBox->setSelectedItemIndex (0, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (processor->getParameter (30), 201.0f);
    EXPECT_EQ (processor->lastPresetIndex, 0);

    // "pad" chosen, then the file loses it while the editor is closed: the next editor selects
    // nothing, shows no text and loads nothing; the index waits for the user's next choice.
    editor->presetsBox->setSelectedItemIndex (2, juce::sendNotificationAsync);
    pump();
    ASSERT_EQ (processor->lastPresetIndex, 2);
    editor = nullptr;
    presets().replaceWithText (TimbreText::document (TimbreText::element ("lead", lead) + TimbreText::element ("default", byDefault)));
    const auto beforeShrunk = parameters();
    host.changes.clear();
    open();
    EXPECT_EQ (editor->presetsBox->getNumItems(), 2);
    EXPECT_EQ (editor->presetsBox->getText(), "");
    EXPECT_EQ (editor->presetsBox->getSelectedItemIndex(), -1);
    EXPECT_EQ (parameters(), beforeShrunk);
    EXPECT_TRUE (host.changes.empty());
    EXPECT_EQ (editor->ampatk->getValue(), 1500.0);
    EXPECT_EQ (processor->lastPresetIndex, 2);
    EXPECT_FALSE (processor->skipNextPresetChange);

    editor->presetsBox->setSelectedItemIndex (1, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (processor->getParameter (30), 102.0f);
    EXPECT_EQ (processor->lastPresetIndex, 1);
}

// The box lists the timbres that "presets.xml" held when the editor opened, and each choice reads
// the file again: a timbre changed there sounds the new way at its next selection.
TEST_F (Editor, EachPresetChoiceReadsThePresetFileAgain)
{
    const TimbreText::Attributes silent { { "ampAtk", "300" }, { "ampGain", "0.6" }, { "ampSus", "0.8" } };
    const TimbreText::Attributes pad { { "ampAtk", "1500" } };
    presets().replaceWithText (TimbreText::document (TimbreText::element ("lead", silent) + TimbreText::element ("pad", pad)));
    open();
    processor->prepareToPlay (44100.0, 256);

    const auto choose = [this] (int index) {
        editor->presetsBox->setSelectedItemIndex (index, juce::sendNotificationAsync);
        pump();
    };
    const auto peakOf = [] (const std::vector<float>& samples) {
        float peak = 0.0f;

        for (float x : samples)
            peak = std::max (peak, std::abs (x));

        return peak;
    };

    choose (1);
    choose (0);
    ASSERT_EQ (processor->getParameter (30), 300.0f);
    EXPECT_EQ (peakOf (render (true)), 0.0f) << "no oscillator is on";

    // The file changes while the box is open: "lead" now plays a sine an octave up, filtered open.
    const TimbreText::Attributes sine { { "osc0switch", "1" }, { "osc0wave", "3" }, { "osc0lvl", "0.5" }, { "osc0dtn", "12" },
                                        { "moogSwitch", "1" }, { "moogCutoff", "2000" }, { "moogSus", "1" }, { "ampAtk", "3" },
                                        { "ampDcy", "10" }, { "ampGain", "0.6" }, { "ampSus", "0.8" } };
    presets().replaceWithText (TimbreText::document (TimbreText::element ("lead", sine) + TimbreText::element ("pad", pad)));

    choose (1);
    EXPECT_EQ (processor->getParameter (30), 1500.0f);
    host.changes.clear();
    choose (0);
    EXPECT_EQ (host.changes.size(), 49u);
    EXPECT_EQ (editor->presetsBox->getText(), "lead");

    for (auto [index, value] : Changes { { 0, 1 }, { 1, 3 }, { 2, 0.5f }, { 3, 12 }, { 21, 1 }, { 26, 2000 }, { 30, 3 } })
        EXPECT_EQ (processor->getParameter (index), value) << "parameter " << index;

    Oscillator octaveUp;
    octaveUp.setSemitones (12);

    for (int i = 0; i < processor->synth.getNumVoices(); ++i)
        EXPECT_TRUE (processor->synth.readVoice (i, [&] (ZarnVoice& v) {
            return v.osc[0].waveType == Sine && v.osc[0].semitoneRatio == octaveUp.semitoneRatio && v.oscLevel[0].value == 0.5
                && v.filter.baseCutoff == 2000.0;
        })) << "voice " << i;

    EXPECT_GT (peakOf (render (false)), 0.01f) << "the held chord sounds";
    EXPECT_EQ (editor->ampatk->getValue(), 3.0);
    EXPECT_TRUE (editor->sineButton[0]->selected && ! editor->squareButton[0]->selected);
}

// The dialogs run without a modal loop inside the host's call, and the editor owns the open one.
TEST_F (Editor, FileDialogsReturnAtOnceAndEndWithTheEditor)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "a platform file dialog (zenity or kdialog) is installed; these drive the framework's own";

    // As a host request does before the first editor: the dialogs are top-level windows.
    ASSERT_TRUE (WindowManagerAtoms::openDisplayWithThem()) << "no X display";

    const auto home = juce::File::createTempFile ("home");
    ASSERT_TRUE (home.createDirectory());
    const auto previousHome = juce::SystemStats::getEnvironmentVariable ("HOME", {});
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);

    for (auto [index, value] : Changes { { 0, 1 }, { 1, 3 }, { 30, 777 }, { 37, 2 } })
        processor->setParameter (index, value);

    open();

    const auto dialog = [] { return dynamic_cast<juce::FileChooserDialogBox*> (juce::Component::getCurrentlyModalComponent()); };

    // Types a name into the open dialog and presses its action button.
    const auto choose = [&] (const juce::String& name) {
        auto* browser = findIn<juce::FileBrowserComponent> (*dialog(), [] (auto&) { return true; });
        ASSERT_NE (browser, nullptr);
        browser->setFileName (name);
        auto* action = findIn<juce::TextButton> (*dialog(), [verb = browser->getActionVerb()] (juce::TextButton& b) {
            return b.getButtonText() == verb;
        });
        ASSERT_NE (action, nullptr);
        action->triggerClick();
        pump();
    };

    // Saving: the title, the ".xml" rule, what the controls show and the first voice's waves.
    editor->saveButton->triggerClick();
    pump();
    ASSERT_NE (dialog(), nullptr);
    EXPECT_EQ (dialog()->getName(), "Save your timbre as an xml file...");
    choose ("bass.txt");
    EXPECT_EQ (dialog(), nullptr);
    const auto saved = TimbreFile::findTimbre (home.getChildFile ("bass.xml").getFullPathName(), "bass");
    ASSERT_NE (saved, nullptr);
    EXPECT_EQ (saved->getStringAttribute ("ampAtk"), "777");
    EXPECT_EQ (saved->getStringAttribute ("osc0wave"), "3");
    EXPECT_EQ (saved->getStringAttribute ("lfoWave"), "2");

    // A name whose folder is a file: nothing is written, and the status line says so.
    const auto notAFolder = home.getChildFile ("not-a-folder");
    ASSERT_TRUE (notAFolder.replaceWithText ("a file"));
    editor->statusLabel->setText ("mark", juce::dontSendNotification);
    editor->saveButton->triggerClick();
    pump();
    choose ("not-a-folder/lead");
    EXPECT_EQ (dialog(), nullptr);
    EXPECT_EQ (status(), "Couldn't save the timbre!");
    EXPECT_EQ (notAFolder.loadFileAsString(), "a file");

    // The same name again: the dialog warns before it overwrites.
    editor->saveButton->triggerClick();
    pump();
    choose ("bass.xml");
    EXPECT_NE (dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent()), nullptr);
    juce::Component::getCurrentlyModalComponent()->exitModalState (0);
    pump();
    ASSERT_NE (dialog(), nullptr);

    // Closing the editor with the dialog open ends the dialog; nothing is called afterwards.
    editor = nullptr;
    pump();
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);

    // Loading: the timbre named like the file, through the parameters. The preset chosen last
    // stays chosen, in the box and in the processor, and a reopened editor shows it again.
    presets().replaceWithText (TimbreText::document (TimbreText::element ("lead", { { "ampAtk", "201" } })
                                                     + TimbreText::element ("pad", { { "ampAtk", "1500" } })));
    open();
    editor->presetsBox->setSelectedItemIndex (1, juce::sendNotificationAsync);
    pump();
    ASSERT_EQ (processor->getParameter (30), 1500.0f);
    ASSERT_EQ (processor->lastPresetIndex, 1);
    editor->loadButton->triggerClick();
    pump();
    ASSERT_NE (dialog(), nullptr);
    EXPECT_EQ (dialog()->getName(), "Load a timbre from an xml file...");
    host.changes.clear();
    choose (home.getChildFile ("bass.xml").getFullPathName());
    EXPECT_EQ (host.changes.size(), 49u);
    EXPECT_EQ (processor->getParameter (30), 777.0f);
    EXPECT_EQ (editor->ampatk->getValue(), 777.0);
    EXPECT_EQ (processor->lastPresetIndex, 1);
    EXPECT_EQ (editor->presetsBox->getSelectedItemIndex(), 1);
    EXPECT_EQ (editor->presetsBox->getText(), "pad");

    const auto loaded = parameters();
    open();
    EXPECT_EQ (editor->presetsBox->getSelectedItemIndex(), 1);
    EXPECT_EQ (editor->presetsBox->getText(), "pad");
    EXPECT_EQ (parameters(), loaded);
    EXPECT_EQ (editor->ampatk->getValue(), 777.0);

    setenv ("HOME", previousHome.toRawUTF8(), 1);
    home.deleteRecursively();
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

// A host opening a session makes an editor for every instance at effOpen and deletes it unseen:
// those decode no picture. The pictures beside the library are decoded when an editor is first
// drawn, once for every editor of every instance, which all draw the same pixels.
TEST_F (Editor, PicturesAreDecodedOnceWhenFirstDrawnAndSharedByEveryEditor)
{
    const auto pictures = PluginFolder::get().getChildFile ("GUI Resource");
    const auto shipped = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_BINARY_DIR", {})).getChildFile ("plugin/GUI Resource");
    ASSERT_TRUE (shipped.isDirectory());
    pictures.deleteRecursively();
    ASSERT_TRUE (shipped.createSymbolicLink (pictures, true));

    const int before = GuiPicture::decodeCount();
    std::vector<std::unique_ptr<ZarnJuceFilter>> instances;

    for (int i = 0; i < 3; ++i)
    {
        instances.push_back (std::make_unique<ZarnJuceFilter>());
        std::unique_ptr<juce::AudioProcessorEditor> unseen (instances.back()->createEditorIfNeeded());
        ASSERT_NE (unseen, nullptr);
        pump();
    }

    EXPECT_EQ (GuiPicture::decodeCount(), before) << "editors that were never drawn";

    juce::Image firstBackground;

    for (int round = 0; round < 2; ++round)
    {
        for (auto& instance : instances)
        {
            std::unique_ptr<ZarnEditorComponent> shown (dynamic_cast<ZarnEditorComponent*> (instance->createEditorIfNeeded()));
            ASSERT_NE (shown, nullptr);
            pump();
            const auto drawn = shown->createComponentSnapshot (shown->getLocalBounds());
            EXPECT_NE (drawn.getPixelAt (400, 275), juce::Colour()) << "the panel shows its background";

            if (firstBackground.isNull())
                firstBackground = shown->backgroundImage.image();

            EXPECT_EQ (shown->backgroundImage.image().getPixelData(), firstBackground.getPixelData());
        }
    }

    // The 13 widget pictures and the background; the standalone program's welcome picture and
    // icon are not the editor's.
    EXPECT_EQ (GuiPicture::decodeCount() - before, 14);

    instances.clear();
    pump();
    pictures.deleteFile();
}
