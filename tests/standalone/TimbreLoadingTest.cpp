#include "engine/WaveType.h"
#include "plugin/ZarnEditorComponent.h"
#include "plugin/ZarnJuceFilter.h"
#include "timbre/TimbreDocument.h"
#include "timbre/TimbreFile.h"
#include "tests/standalone/StandaloneFixtures.h"
#include "tests/support/LfoShape.h"
#include "tests/support/TimbreText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Settings = TimbreText::Attributes;

// The panel's own start values, as a timbre.
Settings startValues()
{
    Settings s;

    for (int o = 0; o < 3; ++o)
    {
        const auto p = "osc" + std::to_string (o);
        s[p + "switch"] = "1";
        s[p + "wave"] = "0";
        s[p + "lvl"] = "0";
        s[p + "dtn"] = "0";
        s[p + "cent"] = "0";
        s[p + "pw"] = "0.5";
        s[p + "double"] = "1";
    }

    s["moogSwitch"] = "1";
    s["moogAtk"] = "1";
    s["moogDcy"] = "1";
    s["moogSus"] = "0.01";
    s["moogRls"] = "1";
    s["moogCutoff"] = "0";
    s["moogRes"] = "0";
    s["moogDepth"] = "0";
    s["ampGain"] = "0";
    s["ampAtk"] = "3";
    s["ampDcy"] = "10";
    s["ampSus"] = "0";
    s["ampRls"] = "1";
    s["delayFbk"] = "0";
    s["delayLvl"] = "0";
    s["lfoSwitch"] = "0";
    s["lfoWave"] = "5";
    s["lfoRate"] = "0";
    s["lfoDepth"] = "0";
    s["eqSwitch"] = "0";

    for (int b = 0; b < 8; ++b)
        s["eq" + std::to_string (b)] = "0";

    return s;
}

using TimbreText::document;
using TimbreText::element;

// Everything the panel shows: the 36 knob and slider values, the 10 switches, the 18 selectors.
struct PanelState
{
    std::vector<double> values;
    std::vector<bool> flags;

    bool operator== (const PanelState& other) const { return values == other.values && flags == other.flags; }
};

PanelState stateOf (ZarnPanel& p)
{
    PanelState s;

    for (auto* slider : std::initializer_list<juce::Slider*> { p.ampatk, p.ampdcy, p.ampsus, p.amprls, p.ampall, p.fltatk,
                                                               p.fltdcy, p.fltsus, p.fltrls, p.fltres, p.fltcut, p.fltamt,
                                                               p.dlyfbk, p.dlylvl, p.lforate, p.lfoamt })
        s.values.push_back (slider->getValue());

    for (int o = 0; o < 3; ++o)
        for (auto* slider : { p.pw[o], p.lvl[o], p.dtn[o], p.cent[o] })
            s.values.push_back (slider->getValue());

    for (auto* eq : p.eq)
        s.values.push_back (eq->getValue());

    for (int o = 0; o < 3; ++o)
    {
        s.flags.push_back (p.oscSwitch[o]->on);
        s.flags.push_back (p.doubleSwitch[o]->on);

        for (auto* b : { p.squareButton[o], p.sawtoothButton[o], p.triangleButton[o], p.sineButton[o], p.noiseButton[o] })
            s.flags.push_back (b->selected);
    }

    for (auto* sw : { p.lfoSwitch, p.filterSwitch, p.eqSwitch })
        s.flags.push_back (sw->on);

    for (auto* b : { p.lfoPulseButton, p.lfoSawtoothButton, p.lfoTriangleButton })
        s.flags.push_back (b->selected);

    return s;
}

class StandaloneTimbre : public StandalonePanelFixture
{
protected:
    void SetUp() override
    {
        StandalonePanelFixture::SetUp();
        StandaloneRig::pumpPending();
        file = StandaloneRig::workingDirectory().getChildFile ("timbres.xml");
    }

    // Loads the named timbre of a document written for the test, and lets its changes arrive.
    void load (const juce::String& elements, const juce::String& name)
    {
        file.replaceWithText (document (elements));
        panel->loadTimbre (file.getFullPathName(), name);
        StandaloneRig::pumpPending();
    }

    void loadOne (const Settings& settings) { load (element ("t", settings), "t"); }

    juce::String status() const { return panel->statusLabel->getText(); }

    juce::File file;
};
} // namespace

TEST_F (StandaloneTimbre, ASavedTimbreLoadsBackIntoEveryControl)
{
    auto& p = *panel;

    // A timbre unlike the start values in every setting.
    auto mine = startValues();
    const char* values[][2] = {
        { "osc0wave", "1" }, { "osc0lvl", "0.7" }, { "osc0dtn", "-5" }, { "osc0cent", "12" }, { "osc0pw", "0.3" }, { "osc0double", "0" },
        { "osc1switch", "0" }, { "osc1wave", "4" }, { "osc1lvl", "0.25" }, { "osc1dtn", "7" }, { "osc1cent", "-40" }, { "osc1pw", "0.1" },
        { "osc2wave", "2" }, { "osc2lvl", "0.9" }, { "osc2dtn", "24" }, { "osc2cent", "-100" }, { "osc2pw", "0.45" },
        { "moogSwitch", "1" }, { "moogAtk", "51" }, { "moogDcy", "211" }, { "moogSus", "0.4" }, { "moogRls", "901" },
        { "moogCutoff", "2500" }, { "moogRes", "0.3" }, { "moogDepth", "0.6" }, { "ampGain", "0.75" }, { "ampAtk", "30" },
        { "ampDcy", "400" }, { "ampSus", "0.6" }, { "ampRls", "700" }, { "delayFbk", "0.35" }, { "delayLvl", "0.2" },
        { "lfoSwitch", "1" }, { "lfoWave", "2" }, { "lfoRate", "4.5" }, { "lfoDepth", "0.05" }, { "eqSwitch", "1" },
        { "eq0", "3" }, { "eq1", "-2.5" }, { "eq2", "1" }, { "eq3", "8" }, { "eq4", "-8" }, { "eq5", "0.5" }, { "eq6", "-1" }, { "eq7", "2" },
    };

    for (const auto& [key, value] : values)
        mine[key] = value;

    loadOne (mine);
    const auto saved = stateOf (p);
    ASSERT_FALSE (p.oscSwitch[1]->on);
    ASSERT_TRUE (p.noiseButton[1]->selected);

    const auto target = StandaloneRig::workingDirectory().getChildFile ("mine.xml");
    p.saveTimbre (target, "mine");

    // One timbre under the root, named as asked, with the 49 settings in the format's order.
    const auto root = juce::XmlDocument::parse (target);
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "USERTIMBRE");
    ASSERT_EQ (root->getNumChildElements(), 1);
    const auto* timbre = root->getChildElement (0);
    EXPECT_EQ (timbre->getTagName(), "mine");
    ASSERT_EQ (timbre->getNumAttributes(), TimbreFile::numAttributes);

    for (int i = 0; i < TimbreFile::numAttributes; ++i)
        EXPECT_EQ (timbre->getAttributeName (i), TimbreFile::attributes[i].name);

    EXPECT_EQ (timbre->getStringAttribute ("osc1wave"), "4") << "wave types come from the first voice";
    EXPECT_EQ (timbre->getStringAttribute ("lfoWave"), "2");
    EXPECT_EQ (timbre->getStringAttribute ("osc1switch"), "0");
    EXPECT_EQ (timbre->getStringAttribute ("moogCutoff"), "2500");
    EXPECT_EQ (timbre->getStringAttribute ("eq1"), "-2.5");

    // Something else, then the saved file back.
    loadOne (startValues());
    ASSERT_FALSE (stateOf (p) == saved);

    panel->loadTimbre (target.getFullPathName(), "mine");
    StandaloneRig::pumpPending();
    EXPECT_TRUE (stateOf (p) == saved);
    EXPECT_EQ (synth().getOscWave (1), WhiteNoise);
    EXPECT_EQ (synth().getLfoWave(), Triangle);
}

TEST_F (StandaloneTimbre, AFailedSaveSaysSo)
{
    const auto blocker = StandaloneRig::workingDirectory().getChildFile ("not-a-folder");
    blocker.replaceWithText ("a file where a folder would have to be");

    panel->saveTimbre (blocker.getChildFile ("bass.xml"), "bass");
    EXPECT_EQ (status(), "Couldn't save the timbre!");
}

TEST_F (StandaloneTimbre, TheLoaderReadsSwitchesAsItsKeysSayAndLetsTheControlsSnap)
{
    auto& p = *panel;

    // Boolean text for the double switch; integer text (no digits: 0) for the oscillator switch.
    p.doubleSwitch[0]->triggerClick();
    StandaloneRig::pumpPending();
    ASSERT_FALSE (p.doubleSwitch[0]->on);

    auto s = startValues();
    s["osc0double"] = "true";
    s["osc1switch"] = "true";
    loadOne (s);
    EXPECT_TRUE (p.doubleSwitch[0]->on);
    EXPECT_FALSE (p.oscSwitch[1]->on);
    EXPECT_TRUE (synth().readVoice (5, [] (ZarnVoice& v) { return v.doubleLevel[0].value == 0.19 && v.oscLevel[1].value == 0.0; }));

    // Values outside a range or between steps land on the control's nearest step.
    s = startValues();
    s["ampAtk"] = "0";
    s["eq3"] = "12";
    s["osc0dtn"] = "2.6";
    s["moogSus"] = "junk";
    loadOne (s);
    EXPECT_EQ (p.ampatk->getValue(), 3.0);
    EXPECT_EQ (p.eq[3]->getValue(), 8.0);
    EXPECT_EQ (p.dtn[0]->getValue(), 3.0);
    EXPECT_EQ (p.fltsus->getValue(), 0.01);

    // A missing key reads as 0 or false: here the filter switch turns off.
    s = startValues();
    s.erase ("moogSwitch");
    loadOne (s);
    EXPECT_FALSE (p.filterSwitch->on);
    EXPECT_TRUE (synth().readVoice (0, [] (ZarnVoice& v) { return ! v.filterOn; }));
}

TEST_F (StandaloneTimbre, UnknownWaveNumbersAndUnchangedSwitchesChangeNothing)
{
    auto& p = *panel;
    p.lfoTriangleButton->triggerClick();
    p.sineButton[1]->triggerClick();
    p.doubleSwitch[0]->triggerClick(); // second phase of oscillator 0 off: level 0
    StandaloneRig::pumpPending();
    ASSERT_TRUE (synth().readVoice (0, [] (ZarnVoice& v) { return v.doubleLevel[0].value == 0.0; }));

    for (const char* lfoWave : { "0", "3" })
    {
        SCOPED_TRACE (lfoWave);
        auto s = startValues();
        s["lfoWave"] = lfoWave;
        s["osc1wave"] = "7";
        s["osc0double"] = "0";
        p.statusLabel->setText ("mark", juce::dontSendNotification);
        loadOne (s);

        EXPECT_TRUE (p.lfoTriangleButton->selected);
        EXPECT_FALSE (p.lfoPulseButton->selected);
        EXPECT_EQ (synth().getLfoWave(), Triangle);
        EXPECT_TRUE (p.sineButton[1]->selected);
        EXPECT_EQ (synth().getOscWave (1), Sine);

        // osc0switch 1 while on: its handler doesn't run (it would give the second phase 0.14).
        EXPECT_TRUE (synth().readVoice (0, [] (ZarnVoice& v) { return v.doubleLevel[0].value == 0.0; }));

        // Every value equals the control's own: no change message, so the status line stays.
        EXPECT_EQ (status(), "mark");
    }
}

// lfoWave 5 selects the Pulse button alone, from either other shape, and every voice's LFO then
// plays Pulse.
TEST_F (StandaloneTimbre, LfoWaveFiveMovesTheLfoToPulse)
{
    auto& p = *panel;

    for (auto* before : { p.lfoTriangleButton, p.lfoSawtoothButton })
    {
        SCOPED_TRACE (before == p.lfoTriangleButton ? "from triangle" : "from sawtooth");
        before->triggerClick();
        StandaloneRig::pumpPending();
        ASSERT_NE (synth().getLfoWave(), Pulse);

        loadOne (startValues()); // lfoWave 5
        EXPECT_TRUE (p.lfoPulseButton->selected);
        EXPECT_FALSE (p.lfoSawtoothButton->selected);
        EXPECT_FALSE (p.lfoTriangleButton->selected);

        for (int i = 0; i < synth().getNumVoices(); ++i)
            EXPECT_TRUE (synth().readVoice (i, [] (ZarnVoice& v) { return LfoShape::playsPulse (v.lfo); })) << "voice " << i;
    }
}

TEST_F (StandaloneTimbre, NamesMatchIgnoringCaseAndTheFirstOfEqualNamesLoads)
{
    auto first = startValues();
    first["ampAtk"] = "300";
    auto second = startValues();
    second["ampAtk"] = "600";

    load (element ("Default", first) + element ("default", second), "default");
    EXPECT_EQ (panel->ampatk->getValue(), 300.0);

    // A file whose timbre has another name loads nothing.
    load (element ("bass", second), "lead");
    EXPECT_EQ (panel->ampatk->getValue(), 300.0);
}

TEST_F (StandaloneTimbre, ThePresetListComesFromPresetsXmlAndItsFirstTimbreWins)
{
    auto defaults = startValues();
    defaults["ampAtk"] = "102";
    defaults["ampDcy"] = "502";
    auto lead = startValues();
    lead["ampAtk"] = "201";

    StandaloneRig::writePresets (document (element ("lead", lead) + element ("default", defaults)));
    buildPanel();

    // "default" is applied during construction; the first listed one once the loop runs.
    EXPECT_EQ (panel->ampatk->getValue(), 102.0);
    EXPECT_EQ (panel->presetsBox->getNumItems(), 2);
    EXPECT_EQ (panel->presetsBox->getItemText (0), "lead");
    EXPECT_EQ (panel->presetsBox->getItemText (1), "default");

    StandaloneRig::pumpPending();
    EXPECT_EQ (panel->presetsBox->getText(), "lead");
    EXPECT_EQ (panel->ampatk->getValue(), 201.0);
    EXPECT_EQ (panel->ampdcy->getValue(), 10.0);

    panel->presetsBox->setSelectedItemIndex (1, juce::sendNotificationAsync);
    StandaloneRig::pumpPending();
    EXPECT_EQ (panel->ampatk->getValue(), 102.0);
    EXPECT_EQ (panel->ampdcy->getValue(), 502.0);
}

// A held note of the source rendered for a while: true when every sample is finite.
bool aNoteRendersFinite (ZarnAudioSource& source)
{
    juce::AudioBuffer<float> buffer (2, 256);
    const juce::AudioSourceChannelInfo block (&buffer, 0, 256);
    bool finite = true;
    source.keyboardState.noteOn (1, 69, 1.0f);

    for (int b = 0; b < 200; ++b)
    {
        if (b == 100)
            source.keyboardState.allNotesOff (1);

        source.getNextAudioBlock (block);

        for (int c = 0; c < 2; ++c)
            for (int n = 0; n < 256; ++n)
                finite = finite && std::isfinite (buffer.getSample (c, n));
    }

    return finite;
}

// Each hostile file of tests/hostile as "presets.xml", with the panel's own start-up: a file
// of another shape lists and loads nothing; a file whose harm is in a value loads, and that
// value (osc0lvl: not a finite number) reads as 0. No control ever holds a number that is not
// finite, and loading the file again changes nothing.
TEST_F (StandaloneTimbre, HostilePresetFilesLoadNothingOrZero)
{
    const auto untouched = stateOf (*panel);
    const auto hostile = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_SOURCE_DIR", {})).getChildFile ("tests/hostile");
    const auto files = hostile.findChildFiles (juce::File::findFiles, false, "*.xml");
    ASSERT_FALSE (files.isEmpty());

    for (const auto& hostileFile : files)
    {
        SCOPED_TRACE (hostileFile.getFileName());
        ASSERT_TRUE (hostileFile.copyFileTo (StandaloneRig::workingDirectory().getChildFile ("presets.xml")));
        buildPanel();
        StandaloneRig::pumpPending();
        const auto state = stateOf (*panel);

        for (const auto value : state.values)
            EXPECT_TRUE (std::isfinite (value));

        if (TimbreDocument::read (hostileFile) == nullptr)
        {
            EXPECT_EQ (panel->presetsBox->getNumItems(), 0);
            EXPECT_TRUE (state == untouched);
        }
        else
        {
            EXPECT_EQ (panel->presetsBox->getText(), "default");
            EXPECT_EQ (panel->lvl[0]->getValue(), 0.0);
        }

        panel->loadTimbre ("presets.xml", "default");
        StandaloneRig::pumpPending();
        EXPECT_TRUE (stateOf (*panel) == state);
        EXPECT_TRUE (aNoteRendersFinite (source));
    }
}

// "nan", "-nan", "inf" and "1e999" in every setting load as "0" in every setting does: no
// control and no voice is left with a number that is not finite (a knob set to NaN never
// settles, and its change messages would keep the message thread busy for ever).
TEST_F (StandaloneTimbre, NumbersThatAreNotFiniteLoadAsZero)
{
    const auto everySetting = [] (const std::string& text) {
        Settings s;

        for (const auto& attribute : TimbreFile::attributes)
            s[attribute.name] = text;

        return s;
    };

    loadOne (startValues());
    loadOne (everySetting ("0"));
    const auto asZero = stateOf (*panel);

    for (const char* text : { "nan", "-nan", "inf", "1e999" })
    {
        SCOPED_TRACE (text);
        loadOne (startValues());
        loadOne (everySetting (text));
        EXPECT_TRUE (stateOf (*panel) == asZero);
        EXPECT_TRUE (aNoteRendersFinite (source));
    }
}

// Every shipped preset, chosen in the list, plays a held four-note chord cleanly.
TEST_F (StandaloneTimbre, EveryShippedPresetRendersAHeldChordCleanly)
{
    const auto shipped = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_BINARY_DIR", {}))
                             .getChildFile ("standalone/presets.xml");
    ASSERT_TRUE (shipped.existsAsFile()) << shipped.getFullPathName();
    StandaloneRig::writePresets (shipped.loadFileAsString());
    buildPanel();
    StandaloneRig::pumpPending();

    const int numPresets = panel->presetsBox->getNumItems();
    ASSERT_GT (numPresets, 0);

    const int blockSize = 256;
    juce::AudioBuffer<float> buffer (2, blockSize);
    const juce::AudioSourceChannelInfo block (&buffer, 0, blockSize);
    const double rate = synth().getSampleRate();
    const int heldBlocks = (int) (1.5 * rate / blockSize);
    const int tailBlocks = (int) (3.0 * rate / blockSize);
    const int maxEndBlocks = (int) (120.0 * rate / blockSize);

    const auto anyVoiceSounds = [this] {
        for (int v = 0; v < synth().getNumVoices(); ++v)
            if (synth().readVoice (v, [] (ZarnVoice& voice) { return voice.getCurrentlyPlayingNote() >= 0; }))
                return true;

        return false;
    };

    for (int i = 0; i < numPresets; ++i)
    {
        const auto name = panel->presetsBox->getItemText (i);
        SCOPED_TRACE (name);

        if (i > 0)
        {
            panel->presetsBox->setSelectedItemIndex (i, juce::sendNotificationAsync);
            StandaloneRig::pumpPending();
        }

        ASSERT_EQ (panel->presetsBox->getText(), name);

        for (int note : { 60, 64, 67, 72 })
            source.keyboardState.noteOn (1, note, 0.9f);

        float heldPeak = 0.0f, peak = 0.0f;
        bool finite = true;

        for (int b = 0; b < heldBlocks + tailBlocks; ++b)
        {
            if (b == heldBlocks)
                source.keyboardState.allNotesOff (1);

            source.getNextAudioBlock (block);

            for (int c = 0; c < 2; ++c)
            {
                const auto* samples = buffer.getReadPointer (c);

                for (int n = 0; n < blockSize; ++n)
                {
                    finite = finite && std::isfinite (samples[n]);
                    peak = std::max (peak, std::abs (samples[n]));
                }
            }

            if (b < heldBlocks)
                heldPeak = peak;
        }

        // The notes end on their own (a voice stopped without its tail would carry its release
        // into its next note); the rest of the tail is checked as well.
        for (int b = 0; b < maxEndBlocks && anyVoiceSounds(); ++b)
        {
            source.getNextAudioBlock (block);

            for (int c = 0; c < 2; ++c)
                for (int n = 0; n < blockSize; ++n)
                {
                    finite = finite && std::isfinite (buffer.getSample (c, n));
                    peak = std::max (peak, std::abs (buffer.getSample (c, n)));
                }
        }

        EXPECT_FALSE (anyVoiceSounds()) << "the notes end";
        EXPECT_TRUE (finite);
        EXPECT_LT (peak, 1.0f);
        EXPECT_GT (heldPeak, 1.0e-3f) << "the chord sounds";
    }
}

// "presets.xml" and the images belong to the folder the program started in, not to wherever the
// working directory stands when the panel is built.
TEST_F (StandaloneTimbre, PresetsAndImagesComeFromTheStartFolderWhereverTheWorkingDirectoryMoves)
{
    auto lead = startValues();
    lead["ampAtk"] = "201";
    StandaloneRig::writePresets (document (element ("lead", lead)));

    const auto elsewhere = StandaloneRig::workingDirectory().getChildFile ("elsewhere");
    ASSERT_TRUE (elsewhere.createDirectory());
    elsewhere.getChildFile ("presets.xml").replaceWithText (document (element ("other", startValues())));
    ASSERT_TRUE (elsewhere.setAsCurrentWorkingDirectory());

    buildPanel();
    StandaloneRig::pumpPending();
    StandaloneRig::workingDirectory().setAsCurrentWorkingDirectory();

    EXPECT_EQ (panel->presetsBox->getNumItems(), 1);
    EXPECT_EQ (panel->presetsBox->getText(), "lead");
    EXPECT_EQ (panel->ampatk->getValue(), 201.0);
    EXPECT_EQ (panel->backgroundImage.getWidth(), 400);
    EXPECT_EQ (panel->ampatk->filmStrip.getWidth(), 52);
}

// Both deliverables write and read the same files: a timbre saved by the standalone panel loads
// into the plug-in's editor (and its parameters), and one saved by the editor loads back here.
TEST_F (StandaloneTimbre, TimbresPassBetweenTheStandaloneAndThePlugIn)
{
    auto mine = startValues();
    const char* values[][2] = {
        { "osc0wave", "3" }, { "osc0lvl", "0.7" }, { "osc0dtn", "-5" }, { "osc0cent", "12" }, { "osc0pw", "0.3" }, { "osc0double", "0" },
        { "osc1switch", "0" }, { "osc1wave", "4" }, { "osc2wave", "2" }, { "osc2lvl", "0.45" }, { "moogSwitch", "0" },
        { "moogCutoff", "2500" }, { "moogRes", "0.3" }, { "ampAtk", "30" }, { "ampRls", "700" }, { "delayLvl", "0.2" },
        { "lfoSwitch", "1" }, { "lfoWave", "1" }, { "lfoRate", "4.5" }, { "lfoDepth", "0.05" }, { "eqSwitch", "1" }, { "eq1", "-2.5" },
    };

    for (const auto& [key, value] : values)
        mine[key] = value;

    loadOne (mine);
    const auto fromStandalone = StandaloneRig::workingDirectory().getChildFile ("cross.xml");
    panel->saveTimbre (fromStandalone, "cross");

    ZarnJuceFilter processor;
    auto editor = std::make_unique<ZarnEditorComponent> (processor);
    StandaloneRig::pumpPending();
    editor->loadTimbre (fromStandalone.getFullPathName(), "cross");
    StandaloneRig::pumpPending();

    EXPECT_TRUE (stateOf (*editor) == stateOf (*panel));
    EXPECT_EQ (processor.synth.getOscWave (0), Sine);
    EXPECT_EQ (processor.synth.getLfoWave(), Sawtooth);
    EXPECT_EQ (processor.getParameter (26), 2500.0f);

    // Changed in the editor, saved there, loaded here.
    editor->sawtoothButton[2]->triggerClick();
    editor->filterSwitch->triggerClick();
    editor->lfoTriangleButton->triggerClick();
    editor->fltcut->setValue (1230, juce::sendNotificationAsync);
    editor->eq[6]->setValue (-7.5, juce::sendNotificationAsync);
    StandaloneRig::pumpPending();
    const auto fromPlugIn = StandaloneRig::workingDirectory().getChildFile ("back.xml");
    editor->saveTimbre (fromPlugIn, "back");

    panel->loadTimbre (fromPlugIn.getFullPathName(), "back");
    StandaloneRig::pumpPending();
    EXPECT_TRUE (stateOf (*panel) == stateOf (*editor));
    EXPECT_EQ (panel->fltcut->getValue(), 1230.0);
    EXPECT_TRUE (panel->filterSwitch->on);
    EXPECT_EQ (synth().getOscWave (2), Sawtooth);
    EXPECT_EQ (synth().getLfoWave(), Triangle);
}
