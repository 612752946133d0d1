#include "standalone/ZarnStartup.h"
#include "standalone/ZarnUI.h"
#include "tests/standalone/StandaloneRig.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// Notes each message box that the framework builds, and what it says.
struct BoxRecorder : public juce::LookAndFeel_V4
{
    juce::AlertWindow* createAlertWindow (const juce::String& title, const juce::String& message,
                                          const juce::String& button1, const juce::String& button2,
                                          const juce::String& button3, juce::MessageBoxIconType iconType,
                                          int numButtons, juce::Component* associatedComponent) override
    {
        ++boxes;
        lastTitle = title;
        lastMessage = message;
        lastIcon = iconType;
        lastNumButtons = numButtons;
        return LookAndFeel_V4::createAlertWindow (title, message, button1, button2, button3,
                                                  iconType, numButtons, associatedComponent);
    }

    int boxes = 0;
    juce::String lastTitle, lastMessage;
    juce::MessageBoxIconType lastIcon = juce::MessageBoxIconType::NoIcon;
    int lastNumButtons = 0;
};

// Presses the button of the box that is showing, as the user would.
struct Dismisser : public juce::Timer
{
    void timerCallback() override
    {
        auto* box = dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());

        if (box == nullptr || ! box->isShowing())
            return;

        for (auto* child : box->getChildren())
            if (auto* button = dynamic_cast<juce::Button*> (child))
            {
                ++dismissed;
                button->triggerClick();
                return;
            }
    }

    int dismissed = 0;
};
} // namespace

TEST (StandaloneNoDevice, WarnsOnceThenStartsUnconnected)
{
    StandaloneRig::prepare (StandaloneRig::Output::noDevice);
    StandaloneRig::initialiseFramework();
    StandaloneRig::writeGuiResource();
    std::unique_ptr<ZarnStartup> startup;

    {
        BoxRecorder recorder;
        juce::LookAndFeel::setDefaultLookAndFeel (&recorder);

        Dismisser dismisser;
        dismisser.startTimer (100);

        startup = std::make_unique<ZarnStartup>(); // returns once the box is dismissed
        dismisser.stopTimer();

        EXPECT_EQ (recorder.boxes, 1);
        EXPECT_EQ (dismisser.dismissed, 1);
        EXPECT_EQ (recorder.lastTitle, "zarN");
        EXPECT_EQ (recorder.lastIcon, juce::MessageBoxIconType::WarningIcon);
        EXPECT_EQ (recorder.lastNumButtons, 1);

        // The framework's error text stands on its own line, after an empty one.
        const juce::String lead ("Couldn't open an output device!\n\n");
        EXPECT_TRUE (recorder.lastMessage.startsWith (lead)) << recorder.lastMessage;
        const auto error = recorder.lastMessage.substring (lead.length());
        EXPECT_TRUE (error.isNotEmpty());
        EXPECT_FALSE (error.startsWithChar ('\n'));

        // Unconnected: no source, no callback (the device did not open).
        auto& audio = startup->audioInit;
        EXPECT_EQ (audio.audioSourcePlayer.getCurrentSource(), nullptr);
        EXPECT_EQ (audio.deviceManager.getCurrentAudioDevice(), nullptr);

        // The rest starts as usual, and no other box appears.
        {
            ZarnUI panel (audio.audioSource.synth, audio.deviceManager, audio.audioSource.keyboardState,
                          startup->startFolder(), startup->eqChangeCount);
            StandaloneRig::pumpPending();
            EXPECT_EQ (panel.statusLabel->getText(), "Pulse width:  100 %");
        }

        EXPECT_EQ (recorder.boxes, 1);
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    startup = nullptr;
    juce::shutdownJuce_GUI();
}
