#include "tests/standalone/StandaloneFixtures.h"

#include <gtest/gtest.h>

namespace
{
class StandalonePanel : public StandalonePanelFixture {};
} // namespace

TEST_F (StandalonePanel, ControlsHoldTheirRangesAndStartStatesAfterConstruction)
{
    auto& p = *panel;

    struct Knob
    {
        juce::Slider* slider;
        const char* name;
        double min, max, step, start;
    };

    const Knob knobs[] = {
        { p.ampatk, "ampatk knob", 3, 5000, 3, 3 },
        { p.ampdcy, "ampdcy knob", 10, 5000, 3, 10 },
        { p.ampsus, "ampsus knob", 0, 1, 0.001, 0 },
        { p.amprls, "amprls knob", 1, 5000, 3, 1 },
        { p.ampall, "ampall knob", 0, 1, 0.001, 0 },
        { p.fltatk, "fltatk knob", 1, 3000, 10, 1 },
        { p.fltdcy, "fltdcy knob", 1, 3000, 10, 1 },
        { p.fltsus, "fltsus knob", 0.01, 1, 0.01, 0.01 },
        { p.fltrls, "fltrls knob", 1, 3000, 10, 1 },
        { p.fltcut, "fltcut knob", 0, 5000, 10, 0 },
        { p.fltres, "fltres knob", 0, 1, 0.001, 0 },
        { p.fltamt, "fltamt knob", 0, 1, 0.001, 0 },
        { p.dlyfbk, "dlyfbk knob", 0, 1, 0.01, 0 },
        { p.dlylvl, "dlylvl knob", 0, 1, 0.01, 0 },
        { p.lforate, "lforate knob", 0, 20, 0.01, 0 },
        { p.lfoamt, "lfoamt knob", 0, 1, 0.01, 0 },
        { p.pw[0], "pw0 knob", 0, 0.5, 0.01, 0.5 },
        { p.pw[1], "pw1 knob", 0, 0.5, 0.01, 0.5 },
        { p.pw[2], "pw2 knob", 0, 0.5, 0.01, 0.5 },
        { p.lvl[0], "lvl0 knob", 0, 1, 0.001, 0 },
        { p.lvl[1], "lvl1 knob", 0, 1, 0.001, 0 },
        { p.lvl[2], "lvl2 knob", 0, 1, 0.001, 0 },
        { p.dtn[0], nullptr, -24, 24, 1, 0 },
        { p.dtn[1], nullptr, -24, 24, 1, 0 },
        { p.dtn[2], nullptr, -24, 24, 1, 0 },
        { p.cent[0], nullptr, -100, 100, 1, 0 },
        { p.cent[1], nullptr, -100, 100, 1, 0 },
        { p.cent[2], nullptr, -100, 100, 1, 0 },
    };

    for (const auto& k : knobs)
    {
        SCOPED_TRACE (k.slider->getName());

        if (k.name != nullptr)
        {
            EXPECT_EQ (k.slider->getName(), k.name);
        }

        EXPECT_EQ (k.slider->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
        EXPECT_EQ (k.slider->getMinimum(), k.min);
        EXPECT_EQ (k.slider->getMaximum(), k.max);
        EXPECT_EQ (k.slider->getInterval(), k.step);
        EXPECT_DOUBLE_EQ (k.slider->getValue(), k.start);
        EXPECT_TRUE (k.slider->getTooltip().isEmpty());
        EXPECT_EQ (k.slider->getParentComponent(), &p);
    }

    for (int b = 0; b < 8; ++b)
    {
        auto* eq = p.eq[b];
        EXPECT_EQ (eq->getName(), "eq" + juce::String (b) + " slider");
        EXPECT_EQ (eq->getSliderStyle(), juce::Slider::LinearVertical);
        EXPECT_EQ (eq->getMinimum(), -8.0);
        EXPECT_EQ (eq->getMaximum(), 8.0);
        EXPECT_EQ (eq->getInterval(), 0.01);
        EXPECT_EQ (eq->getValue(), 0.0);
    }

    for (int o = 0; o < 3; ++o)
    {
        EXPECT_TRUE (p.oscSwitch[o]->on);
        EXPECT_TRUE (p.doubleSwitch[o]->on);
        EXPECT_TRUE (p.squareButton[o]->selected);
        EXPECT_FALSE (p.sawtoothButton[o]->selected);
        EXPECT_FALSE (p.triangleButton[o]->selected);
        EXPECT_FALSE (p.sineButton[o]->selected);
        EXPECT_FALSE (p.noiseButton[o]->selected);
    }

    EXPECT_TRUE (p.filterSwitch->on);
    EXPECT_FALSE (p.lfoSwitch->on);
    EXPECT_FALSE (p.eqSwitch->on);
    EXPECT_TRUE (p.lfoPulseButton->selected);
    EXPECT_FALSE (p.lfoSawtoothButton->selected);
    EXPECT_FALSE (p.lfoTriangleButton->selected);

    // The selectors show the images of their kinds.
    EXPECT_EQ (p.lfoPulseButton->getName(), "button5");
    EXPECT_EQ (p.lfoSawtoothButton->getName(), "button1");
    EXPECT_EQ (p.lfoTriangleButton->getName(), "button6");
    EXPECT_EQ (p.sineButton[2]->getName(), "button3");
    EXPECT_EQ (p.triangleButton[2]->getName(), "button2");
    EXPECT_EQ (p.noiseButton[0]->getName(), "button4");

    EXPECT_EQ (p.statusLabel->getText(), "zarN:   Hello!");
    EXPECT_EQ (p.statusLabel->getJustificationType(), juce::Justification (juce::Justification::left));
    EXPECT_EQ (p.statusLabel->getFont().getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_EQ (p.statusLabel->getFont().getHeight(), 15.0f);
    EXPECT_EQ (p.statusLabel->getFont().getStyleFlags(), juce::Font::plain);
    EXPECT_EQ (p.presetsLabel->getText(), "Presets");
    EXPECT_EQ (p.presetsLabel->getFont().getHeight(), 15.0f);
    EXPECT_EQ (p.presetsLabel->getJustificationType(), juce::Label().getJustificationType());

    EXPECT_EQ (p.presetsBox->getName(), "presets");
    EXPECT_EQ (p.presetsBox->getNumItems(), 0);
    EXPECT_EQ (p.presetsBox->getJustificationType(), juce::Justification (juce::Justification::centred));

    const int squareEnds = juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight;

    for (auto* button : { p.optionsButton, p.saveButton, p.loadButton })
    {
        EXPECT_EQ (button->getConnectedEdgeFlags(), squareEnds);
        EXPECT_TRUE (button->getTooltip().isEmpty());
    }

    EXPECT_EQ (p.optionsButton->getButtonText(), "Options");
    EXPECT_EQ (p.saveButton->getButtonText(), "save");
    EXPECT_EQ (p.loadButton->getButtonText(), "load");

    EXPECT_EQ (p.keyboard->getRangeStart(), 53);
    EXPECT_EQ (p.keyboard->getRangeEnd(), 100);
    EXPECT_EQ (p.keyboard->getOrientation(), juce::KeyboardComponentBase::horizontalKeyboard);

    EXPECT_EQ (p.getWidth(), 800);
    EXPECT_EQ (p.getHeight(), 550);
    EXPECT_EQ (p.getChildComponent (0), p.ampatk);
    EXPECT_EQ (p.getChildComponent (p.getNumChildComponents() - 1), p.loadButton);

    ASSERT_NE (p.welcomeWindow, nullptr);
    EXPECT_TRUE (p.welcomeWindow->isVisible());
    EXPECT_EQ (p.welcomeWindow->getName(), "zarN Synth bids you Welcome!");
    EXPECT_TRUE (p.isTimerRunning());
    EXPECT_EQ (p.getTimerInterval(), 2000);
}

TEST_F (StandalonePanel, QueuedPulseWidthChangesArriveAfterConstruction)
{
    EXPECT_EQ (panel->statusLabel->getText(), "zarN:   Hello!");
    EXPECT_EQ (eqChangeCount, 0);

    StandaloneRig::pumpPending();

    // Each pulse-width knob is handled as a changed oscillator knob: its text, then a pass.
    EXPECT_EQ (panel->statusLabel->getText(), "Pulse width:  100 %");
    EXPECT_EQ (eqChangeCount, 24);

    for (int o = 0; o < 3; ++o)
        EXPECT_EQ (panel->pw[o]->getTooltip(), "100%");

    EXPECT_TRUE (panel->ampatk->getTooltip().isEmpty());
}

TEST_F (StandalonePanel, EveryControlSitsWhereTheLayoutTableSays)
{
    auto& p = *panel;
    using R = juce::Rectangle<int>;

    const std::pair<juce::Component*, R> placed[] = {
        { p.ampatk, { 18, 470, 52, 52 } },   { p.ampdcy, { 88, 470, 52, 52 } },
        { p.ampsus, { 154, 470, 52, 52 } },  { p.amprls, { 225, 470, 52, 52 } },
        { p.ampall, { 18, 402, 52, 52 } },   { p.fltcut, { 532, 114, 52, 52 } },
        { p.fltatk, { 599, 114, 52, 52 } },  { p.fltdcy, { 668, 114, 52, 52 } },
        { p.fltres, { 532, 182, 52, 52 } },  { p.fltsus, { 599, 182, 52, 52 } },
        { p.fltrls, { 668, 182, 52, 52 } },  { p.fltamt, { 737, 142, 52, 52 } },
        { p.dlyfbk, { 648, 390, 52, 52 } },  { p.dlylvl, { 738, 390, 52, 52 } },
        { p.lforate, { 404, 390, 52, 52 } }, { p.lfoamt, { 470, 390, 52, 52 } },
        { p.oscSwitch[0], { 29, 98, 20, 20 } },     { p.oscSwitch[1], { 29, 188, 20, 20 } },
        { p.oscSwitch[2], { 29, 280, 20, 20 } },    { p.doubleSwitch[0], { 403, 126, 20, 20 } },
        { p.doubleSwitch[1], { 403, 232, 20, 20 } }, { p.doubleSwitch[2], { 403, 328, 20, 20 } },
        { p.lfoSwitch, { 382, 384, 20, 20 } },      { p.filterSwitch, { 480, 189, 20, 20 } },
        { p.pw[0], { 92, 104, 52, 52 } },   { p.pw[1], { 92, 207, 52, 52 } },   { p.pw[2], { 92, 307, 52, 52 } },
        { p.lvl[0], { 159, 104, 52, 52 } }, { p.lvl[1], { 159, 207, 52, 52 } }, { p.lvl[2], { 159, 307, 52, 52 } },
        { p.dtn[0], { 227, 104, 52, 52 } }, { p.dtn[1], { 227, 207, 52, 52 } }, { p.dtn[2], { 227, 307, 52, 52 } },
        { p.cent[0], { 296, 104, 52, 52 } }, { p.cent[1], { 296, 207, 52, 52 } }, { p.cent[2], { 296, 307, 52, 52 } },
        { p.keyboard, { 301, 463, 476, 72 } },
        { p.eq[0], { 481, 268, 30, 100 } }, { p.eq[1], { 519, 268, 30, 100 } },
        { p.eq[2], { 557, 268, 30, 100 } }, { p.eq[3], { 595, 268, 30, 100 } },
        { p.eq[4], { 633, 268, 30, 100 } }, { p.eq[5], { 671, 268, 30, 100 } },
        { p.eq[6], { 709, 268, 30, 100 } }, { p.eq[7], { 747, 268, 30, 100 } },
        { p.eqSwitch, { 589, 255, 12, 12 } },
        { p.statusLabel, { 583, 28, 180, 35 } }, { p.optionsButton, { 12, 15, 54, 21 } },
        { p.presetsBox, { 537, 68, 140, 24 } },  { p.presetsLabel, { 487, 70, 60, 20 } },
        { p.saveButton, { 677, 68, 50, 24 } },   { p.loadButton, { 727, 68, 50, 24 } },
    };

    for (const auto& [component, bounds] : placed)
    {
        SCOPED_TRACE (component->getName());
        EXPECT_EQ (component->getBounds(), bounds);
        EXPECT_TRUE (p.getLocalBounds().contains (component->getBounds()));
    }

    // Selectors are one frame of their image: half its width by its height, unscaled.
    const int fw = StandaloneRig::selectorImageWidth / 2;
    const int fh = StandaloneRig::selectorImageHeight;
    const int rows[] = { 71, 175, 277 };

    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ (p.squareButton[k]->getBounds(), R (66, rows[k], fw, fh));
        EXPECT_EQ (p.sawtoothButton[k]->getBounds(), R (155, rows[k], fw, fh));
        EXPECT_EQ (p.triangleButton[k]->getBounds(), R (221, rows[k], fw, fh));
        EXPECT_EQ (p.sineButton[k]->getBounds(), R (288, rows[k], fw, fh));
        EXPECT_EQ (p.noiseButton[k]->getBounds(), R (356, rows[k], fw, fh));
    }

    EXPECT_EQ (p.lfoPulseButton->getBounds(), R (190, 408, fw, fh));
    EXPECT_EQ (p.lfoSawtoothButton->getBounds(), R (264, 408, fw, fh));
    EXPECT_EQ (p.lfoTriangleButton->getBounds(), R (330, 408, fw, fh));

    // The welcome window is a desktop window: screen coordinates.
    ASSERT_NE (p.welcomeWindow, nullptr);
    EXPECT_TRUE (p.welcomeWindow->isOnDesktop());
    EXPECT_EQ (p.welcomeWindow->getScreenBounds(), R (480, 254, 334, 240));

    // Laid out again after the window was moved away, it comes back.
    p.welcomeWindow->setTopLeftPosition (10, 10);
    p.resized();
    EXPECT_EQ (p.welcomeWindow->getScreenBounds(), R (480, 254, 334, 240));
}

TEST_F (StandalonePanel, VoicePointersAreTheSynthesisersVoicesInOrder)
{
    ASSERT_EQ (synth().getNumVoices(), 32);
    ASSERT_EQ (synth().getNumSounds(), 1);

    for (int i = 0; i < 32; ++i)
    {
        EXPECT_NE (panel->voices[i], nullptr);
        EXPECT_EQ (panel->voices[i], synth().getVoice (i));
    }
}

TEST_F (StandalonePanel, SlidersSnapToWholeStepsFromTheirMinimumThenClamp)
{
    auto& p = *panel;

    struct Case
    {
        juce::Slider* slider;
        double requested, expected;
    };

    const Case cases[] = {
        { p.ampatk, 0, 3 },        { p.ampatk, 4.4, 3 },      { p.ampatk, 4.6, 6 },
        { p.ampatk, 4998.4, 4998 }, { p.ampatk, 4999.6, 5000 }, { p.ampatk, 5000, 5000 },
        { p.ampdcy, 5000, 4999 },  { p.amprls, 5000, 4999 },  { p.amprls, 2.4, 1 },
        { p.fltatk, 2995, 2991 },  { p.fltatk, 2996.5, 3000 }, { p.fltrls, 3000, 3000 },
        { p.fltsus, 0, 0.01 },     { p.eq[3], 12, 8 },        { p.eq[0], -9, -8 },
        { p.dtn[0], 2.6, 3 },      { p.cent[1], -100.4, -100 }, { p.pw[2], 0.7, 0.5 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.slider->getName() + " <- " + juce::String (c.requested));
        c.slider->setValue (c.requested, juce::dontSendNotification);
        EXPECT_NEAR (c.slider->getValue(), c.expected, 1e-9);
    }

    // Attack runs 3, 6, ... 4998, then 5000.
    for (int k = 0; k <= 1666; ++k)
    {
        const double step = 3.0 + 3.0 * k;
        p.ampatk->setValue (step, juce::dontSendNotification);
        ASSERT_EQ (p.ampatk->getValue(), k == 1666 ? 5000.0 : step);
    }
}
