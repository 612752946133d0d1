#pragma once

#include "standalone/ZarnAudioSource.h"
#include "standalone/ZarnStartup.h"
#include "standalone/ZarnUI.h"
#include "tests/standalone/StandaloneRig.h"

#include <gtest/gtest.h>

#include <memory>

// The program's start-up objects, made once for the whole test program as its main function
// makes them, with the default output in JACK (StandaloneEnvironment.cpp).
ZarnStartup& programStartup();

// A standalone panel on a synthesiser, keyboard state and device manager of the fixture's own:
// no device plays them (the source is prepared as one at the synthesiser's initial rate would
// prepare it), so a test that wants to hear a note renders the blocks itself. The
// panel's folder is the program's start folder, and its images come through the program's image
// files, as in the program. Each test starts without "presets.xml", with the messages that the
// panel's construction queued still waiting.
class StandalonePanelFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        source.prepareToPlay (256, ZarnSynthesiser::initialSampleRate);
        StandaloneRig::writePresets ({});
        buildPanel();
    }

    void TearDown() override
    {
        panel = nullptr;
        StandaloneRig::pumpPending();
    }

    // A new panel in the place of the last one, which goes once the new one stands.
    void buildPanel()
    {
        panel = std::make_unique<ZarnUI> (source.synth, deviceManager, source.keyboardState,
                                          programStartup().startFolder(), eqChangeCount);
    }

    ZarnSynthesiser& synth() { return source.synth; }

    ZarnAudioSource source;
    juce::AudioDeviceManager deviceManager;
    int eqChangeCount = 0;
    std::unique_ptr<ZarnUI> panel;
};
