#include "engine/Envelope.h"
#include "engine/Oscillator.h"
#include "engine/WaveType.h"
#include "standalone/HelloWindow.h"
#include "standalone/ZarnApp.h"
#include "standalone/ZarnWindow.h"
#include "tests/standalone/StandaloneFixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <utility>

namespace
{
using VoiceCheck = std::function<bool (ZarnVoice&)>;

Envelope envelopeWith (void (Envelope::*set) (double), double ms)
{
    Envelope e;
    (e.*set) (ms);
    return e;
}

bool tableIs (const Oscillator& oscillator, const std::array<double, Oscillator::tableSize>& expected)
{
    return std::equal (expected.begin(), expected.end(), oscillator.table);
}

std::array<double, Oscillator::tableSize> waveTable (int wave)
{
    std::array<double, Oscillator::tableSize> table {};
    Oscillator::buildTable (wave, table.data());
    return table;
}

// A press and release of the left mouse button at `point` of the top-level `window`, handed to
// its peer as the X server's button events are: the click is handled before this returns.
void clickAt (juce::Component& window, juce::Point<int> point)
{
    auto* peer = window.getPeer();
    ASSERT_NE (peer, nullptr);
    const auto at = point.toFloat();
    const auto now = juce::Time::currentTimeMillis();

    for (const auto& [buttons, time] : { std::pair (juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), now),
                                         std::pair (juce::ModifierKeys(), now + 100) })
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, buttons, juce::MouseInputSource::defaultPressure,
                                juce::MouseInputSource::defaultOrientation, time);
}

// The panel once the messages queued by its construction are handled.
class StandaloneHandling : public StandalonePanelFixture
{
protected:
    void SetUp() override
    {
        StandalonePanelFixture::SetUp();
        StandaloneRig::pumpPending();
    }

    bool everyVoice (const VoiceCheck& check)
    {
        for (int i = 0; i < synth().getNumVoices(); ++i)
            if (! synth().readVoice (i, check))
                return false;

        return true;
    }

    // A change as the user makes it: the slider's change message arrives through the loop.
    void change (juce::Slider* slider, double value)
    {
        slider->setValue (value, juce::sendNotificationAsync);
        StandaloneRig::pumpPending();
    }

    void click (juce::Button* button)
    {
        button->triggerClick();
        StandaloneRig::pumpPending();
    }

    juce::String status() const { return panel->statusLabel->getText(); }
};
} // namespace

TEST_F (StandaloneHandling, EverySliderRowWritesTheVoicesItsTextAndItsTooltip)
{
    auto& p = *panel;
    click (p.lfoSwitch); // the LFO rows apply only while it is on

    const double sr = synth().getSampleRate();
    ASSERT_GT (sr, 0.0);

    struct Row
    {
        juce::Slider* slider;
        double value;
        VoiceCheck written;
        const char* status;
        const char* tooltip;
    };

    const auto attack = envelopeWith (&Envelope::setAttack, 101);
    const auto decay = envelopeWith (&Envelope::setDecay, 301);
    const auto release = envelopeWith (&Envelope::setRelease, 1201);
    const auto ampAttack = envelopeWith (&Envelope::setAttack, 999);
    const auto ampDecay = envelopeWith (&Envelope::setDecay, 19);
    const auto ampRelease = envelopeWith (&Envelope::setRelease, 451);

    Oscillator pitched, fine;
    pitched.setSemitones (-12);
    fine.setCents (5);

    std::array<double, Oscillator::tableSize> pulse {};
    Oscillator::buildPulseTable (0.25, pulse.data());

    ZarnVoice eqReference;
    eqReference.setCurrentPlaybackSampleRate (sr);
    eqReference.setEqGain (2, 3.5f);

    const Row rows[] = {
        { p.fltcut, 660, [] (ZarnVoice& v) { return v.filter.cutoff == 660.0f && v.filter.baseCutoff == 660.0; }, "Cutoff:  660 hz", "660 Hz" },
        { p.fltres, 0.5, [] (ZarnVoice& v) { return v.filter.resonance == 0.5f; }, "Resonance:  50 %", "50%" },
        { p.fltatk, 101, [&] (ZarnVoice& v) { return v.filterEnv.attackSamples == attack.attackSamples; }, "Filter attack:  101 ms", "101 ms" },
        { p.fltdcy, 301, [&] (ZarnVoice& v) { return v.filterEnv.decaySamples == decay.decaySamples; }, "Filter decay:  301 ms", "301 ms" },
        { p.fltsus, 0.89, [] (ZarnVoice& v) { return v.filterEnv.sustain == 0.89f; }, "Filter sustain:  89 %", "89%" },
        { p.fltrls, 1201, [&] (ZarnVoice& v) { return v.filterEnv.releaseSamples == release.releaseSamples; }, "Filter release:  1201 ms", "1201 ms" },
        { p.fltamt, 0.3, [&p] (ZarnVoice& v) { return v.filterEnvAmount == p.fltamt->getValue(); }, "Filter depth:  30 %", "30%" },
        { p.ampatk, 999, [&] (ZarnVoice& v) { return v.ampEnv.attackSamples == ampAttack.attackSamples; }, "Amp attack:  999 ms", "999 ms" },
        { p.ampdcy, 19, [&] (ZarnVoice& v) { return v.ampEnv.decaySamples == ampDecay.decaySamples; }, "Amp decay:  19 ms", "19 ms" },
        { p.ampsus, 0.89, [] (ZarnVoice& v) { return v.ampEnv.sustain == 0.89f; }, "Amp sustain:  89 %", "89%" },
        { p.amprls, 451, [&] (ZarnVoice& v) { return v.ampEnv.releaseSamples == ampRelease.releaseSamples; }, "Amp release:  451 ms", "451 ms" },
        { p.ampall, 0.7, [&p] (ZarnVoice& v) { return v.volume == p.ampall->getValue(); }, "Gain:  70 %", "70%" },
        { p.dlyfbk, 0.4, [] (ZarnVoice& v) { return v.delayL.feedback == 0.4f; }, "Delay feedback: 40 %", "40%" },
        { p.dlylvl, 0.3, [&p] (ZarnVoice& v) { return v.delayLevel == p.dlylvl->getValue(); }, "Delay level: 30 %", "30%\nTo turn of the Delay just set this to 0" },
        { p.lforate, 5, [&p, sr] (ZarnVoice& v) { return v.lfo.inc == p.lforate->getValue() * 4096.0 / sr; }, "Lfo rate:    5 Hz", "5 Hz" },
        { p.lfoamt, 0.5, [&p] (ZarnVoice& v) { return v.lfoDepth == p.lfoamt->getValue(); }, "Lfo depth:    50 %", "50%" },
        { p.lvl[1], 0.6, [&p] (ZarnVoice& v) { return v.oscLevel[1].value == p.lvl[1]->getValue(); }, "OSC level:  60 %", "60%" },
        { p.dtn[0], -12, [&] (ZarnVoice& v) { return v.osc[0].semitoneRatio == pitched.semitoneRatio; }, "OSC pitch:  -12 semitones", "-12 semitones" },
        { p.dtn[0], 0, [] (ZarnVoice& v) { return v.osc[0].semitoneRatio == 1.0; }, "OSC pitch:  +0 semitones", "+0 semitones" },
        { p.cent[2], 5, [&] (ZarnVoice& v) { return v.osc[2].centRatio == fine.centRatio; }, "OSC fine:  +5 cents", "+5 cents" },
        { p.cent[2], -7, [] (ZarnVoice& v) { return v.osc[2].centRatio < 1.0; }, "OSC fine:  -7 cents", "-7 cents" },
        { p.pw[1], 0.25, [&] (ZarnVoice& v) { return tableIs (v.osc[1], pulse); }, "Pulse width:  50 %", "50%" },
        { p.eq[2], 3.5, [&] (ZarnVoice& v) { return v.eq[2].b0 == eqReference.eq[2].b0 && v.eq[2].a1 == eqReference.eq[2].a1; }, "Equalizer:  3.5 dB", "3.5 dB" },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.slider->getName() + " = " + juce::String (row.value));
        change (row.slider, row.value);
        EXPECT_NEAR (row.slider->getValue(), row.value, 1e-12);
        EXPECT_TRUE (everyVoice (row.written));
        EXPECT_EQ (status(), row.status);
        EXPECT_EQ (row.slider->getTooltip(), row.tooltip);
    }
}

TEST_F (StandaloneHandling, OnlyTheOscillatorAndEqualiserRowsRunTheEqualiserPass)
{
    auto& p = *panel;
    EXPECT_EQ (eqChangeCount, 24); // the three queued pulse-width changes

    change (p.fltcut, 1000);
    change (p.dlylvl, 0.5);
    EXPECT_EQ (eqChangeCount, 24);
    EXPECT_EQ (p.eq[5]->getTooltip(), "0 dB");

    change (p.eq[5], -2.25);
    EXPECT_EQ (eqChangeCount, 32);

    // Every band's tooltip follows its own value.
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ (p.eq[b]->getTooltip(), b == 5 ? "-2.25 dB" : "0 dB");

    change (p.cent[0], 10);
    EXPECT_EQ (eqChangeCount, 40);
}

TEST_F (StandaloneHandling, KnobsOfASwitchedOffPartChangeNothingButTheEqualiserPass)
{
    auto& p = *panel;
    ASSERT_FALSE (p.lfoSwitch->on);
    const double incBefore = synth().readVoice (0, [] (ZarnVoice& v) { return v.lfo.inc; });
    const double depthBefore = synth().readVoice (0, [] (ZarnVoice& v) { return v.lfoDepth; });
    const auto statusBefore = status();
    const int countBefore = eqChangeCount;

    change (p.lforate, 7);
    change (p.lfoamt, 0.4);

    EXPECT_TRUE (everyVoice ([&] (ZarnVoice& v) { return v.lfo.inc == incBefore && v.lfoDepth == depthBefore; }));
    EXPECT_EQ (status(), statusBefore);
    EXPECT_TRUE (p.lforate->getTooltip().isEmpty());
    EXPECT_EQ (eqChangeCount, countBefore + 16);

    for (int b = 0; b < 8; ++b)
        EXPECT_EQ (p.eq[b]->getTooltip(), "0 dB");

    // Switching the LFO on applies both knobs, and its own text stays.
    const double sr = synth().getSampleRate();
    click (p.lfoSwitch);
    EXPECT_TRUE (p.lfoSwitch->on);
    const double rate = p.lforate->getValue(), depth = p.lfoamt->getValue();
    EXPECT_TRUE (everyVoice ([=] (ZarnVoice& v) { return v.lfo.inc == rate * 4096.0 / sr && v.lfoDepth == depth; }));
    EXPECT_EQ (status(), "Lfo is now   On");
    EXPECT_EQ (p.lforate->getTooltip(), "7 Hz");
    EXPECT_EQ (p.lfoamt->getTooltip(), "40%");

    // Off again: no depth, the rate runs on.
    click (p.lfoSwitch);
    EXPECT_TRUE (everyVoice ([=] (ZarnVoice& v) { return v.lfoDepth == 0.0 && v.lfo.inc == rate * 4096.0 / sr; }));
    EXPECT_EQ (status(), "Lfo is now   Off");

    // An oscillator knob while its oscillator is off.
    click (p.oscSwitch[1]);
    const auto statusOff = status();
    EXPECT_EQ (statusOff, "Oscillator B is Off");
    change (p.lvl[1], 0.9);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.oscLevel[1].value == 0.0; }));
    EXPECT_EQ (status(), statusOff);
    EXPECT_TRUE (p.lvl[1]->getTooltip().isEmpty());

    // Switched on, it takes the knob's level and the second phase's 0.14.
    click (p.oscSwitch[1]);
    EXPECT_EQ (status(), "Oscillator B is On");
    const double level = p.lvl[1]->getValue();
    EXPECT_TRUE (everyVoice ([=] (ZarnVoice& v) { return v.oscLevel[1].value == level && v.doubleLevel[1].value == 0.14; }));
}

TEST_F (StandaloneHandling, SwitchesWriteTheirFlagsAndLevels)
{
    auto& p = *panel;
    const auto statusBefore = status();

    click (p.filterSwitch);
    EXPECT_FALSE (p.filterSwitch->on);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return ! v.filterOn; }));
    click (p.filterSwitch);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.filterOn; }));
    EXPECT_EQ (status(), statusBefore);

    click (p.eqSwitch);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.eqOn; }));
    EXPECT_EQ (status(), "Equalizer is now  On");
    click (p.eqSwitch);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return ! v.eqOn; }));
    EXPECT_EQ (status(), "Equalizer is now  Off");

    // The two switches of an oscillator act on their own.
    change (p.lvl[0], 0.5);
    click (p.doubleSwitch[0]);
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.doubleLevel[0].value == 0.0; }));
    click (p.oscSwitch[0]);
    EXPECT_EQ (status(), "Oscillator A is Off");
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.oscLevel[0].value == 0.0 && v.doubleLevel[0].value == 0.0; }));
    click (p.doubleSwitch[0]);
    EXPECT_EQ (status(), "Oscillator A is Off");
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.oscLevel[0].value == 0.0 && v.doubleLevel[0].value == 0.19; }));
    click (p.doubleSwitch[0]);
    click (p.oscSwitch[0]);
    const double level = p.lvl[0]->getValue();
    EXPECT_TRUE (everyVoice ([=] (ZarnVoice& v) { return v.oscLevel[0].value == level && v.doubleLevel[0].value == 0.14; }));

    click (p.oscSwitch[2]);
    EXPECT_EQ (status(), "Oscillator C is Off");
}

TEST_F (StandaloneHandling, WaveButtonsActAsRadioGroupsAndRebuildTheTables)
{
    auto& p = *panel;
    const auto statusBefore = status();

    click (p.sineButton[2]);
    EXPECT_TRUE (p.sineButton[2]->selected);

    for (auto* other : { p.squareButton[2], p.sawtoothButton[2], p.triangleButton[2], p.noiseButton[2] })
        EXPECT_FALSE (other->selected);

    EXPECT_TRUE (p.squareButton[1]->selected) << "another oscillator's group is left alone";
    const auto sine = waveTable (Sine);
    EXPECT_TRUE (everyVoice ([&] (ZarnVoice& v) { return v.osc[2].waveType == Sine && tableIs (v.osc[2], sine); }));
    EXPECT_TRUE (everyVoice ([] (ZarnVoice& v) { return v.osc[1].waveType == Square; }));
    EXPECT_EQ (status(), statusBefore);

    struct LfoCase
    {
        ZarnButton* button;
        int wave;
        const char* status;
    };

    for (const auto& c : { LfoCase { p.lfoTriangleButton, Triangle, "Lfo:  Triangle Wave" },
                           LfoCase { p.lfoSawtoothButton, Sawtooth, "Lfo:  Sawtooth Wave" },
                           LfoCase { p.lfoPulseButton, Pulse, "Lfo:  Pulse Wave" } })
    {
        click (c.button);
        EXPECT_EQ (status(), c.status);
        EXPECT_EQ (p.lfoPulseButton->selected, c.button == p.lfoPulseButton);
        EXPECT_EQ (p.lfoSawtoothButton->selected, c.button == p.lfoSawtoothButton);
        EXPECT_EQ (p.lfoTriangleButton->selected, c.button == p.lfoTriangleButton);
        const auto table = waveTable (c.wave);
        EXPECT_TRUE (everyVoice ([&] (ZarnVoice& v) { return v.lfo.waveType == c.wave && tableIs (v.lfo, table); }));
    }
}

TEST_F (StandaloneHandling, TheEighteenthEqualiserPassGreetsOnce)
{
    auto& p = *panel;
    ASSERT_EQ (eqChangeCount, 24); // three passes so far

    // Passes 4 to 17.
    for (int pass = 4; pass <= 17; ++pass)
    {
        change (p.eq[2], pass % 2 == 0 ? 1.0 : 2.0);
        ASSERT_EQ (status(), pass % 2 == 0 ? "Equalizer:  1 dB" : "Equalizer:  2 dB");
    }

    EXPECT_EQ (eqChangeCount, 136);
    change (p.eq[2], 3.0);
    EXPECT_EQ (status(), "^_^zarN says:  Hello!");
    EXPECT_EQ (eqChangeCount, 144);

    change (p.eq[2], 4.0);
    EXPECT_EQ (status(), "Equalizer:  4 dB");

    // The count is the program run's: a later panel counts on from there and greets no more.
    buildPanel();
    StandaloneRig::pumpPending();
    EXPECT_EQ (eqChangeCount, 152 + 24);
    change (panel->eq[2], 5.0);
    EXPECT_EQ (status(), "Equalizer:  5 dB");
}

TEST_F (StandaloneHandling, TheStartUpTimerTakesTheWelcomeWindowAway)
{
    ASSERT_NE (panel->welcomeWindow, nullptr);
    EXPECT_TRUE (StandaloneRig::pumpUntil ([this] { return panel->welcomeWindow == nullptr; }));
    EXPECT_FALSE (panel->isTimerRunning());
}

// The program's start with its real windows: the application builds the main window hidden, and
// its panel shows the welcome window. That window's close button only hides it; the panel's
// timer still deletes it, once, and the application's timer still shows the main window.
TEST (StandaloneStartUp, TheWelcomeWindowsCloseButtonOnlyHidesItAndTheMainWindowStillComes)
{
    StandaloneRig::writePresets ({});
    ZarnApp app (programStartup());
    app.initialise ({});

    ZarnWindow* main = nullptr;

    for (int i = 0; i < juce::TopLevelWindow::getNumTopLevelWindows(); ++i)
        if (auto* window = dynamic_cast<ZarnWindow*> (juce::TopLevelWindow::getTopLevelWindow (i)))
            main = window;

    ASSERT_NE (main, nullptr);
    auto* ui = dynamic_cast<ZarnUI*> (main->getContentComponent());
    ASSERT_NE (ui, nullptr);
    const juce::Component::SafePointer<HelloWindow> welcome (ui->welcomeWindow.get());
    ASSERT_NE (welcome, nullptr);
    auto* close = welcome->getCloseButton();
    ASSERT_NE (close, nullptr);
    EXPECT_TRUE (welcome->isVisible());
    EXPECT_FALSE (main->isVisible());

    // The click is handled before the message loop runs again, so neither timer can come first,
    // however long the start took.
    clickAt (*welcome, welcome->getLocalPoint (close, close->getLocalBounds().getCentre()));
    ASSERT_NE (welcome, nullptr) << "the close button deletes nothing";
    EXPECT_EQ (ui->welcomeWindow.get(), welcome.getComponent());
    EXPECT_FALSE (welcome->isVisible());
    EXPECT_TRUE (welcome->isOnDesktop());
    EXPECT_FALSE (main->isVisible());

    EXPECT_TRUE (StandaloneRig::pumpUntil ([&] { return main->isVisible() && welcome == nullptr; }));
    EXPECT_EQ (ui->welcomeWindow, nullptr);
    EXPECT_FALSE (ui->isTimerRunning());

    app.shutdown();
    StandaloneRig::pumpPending();
}
