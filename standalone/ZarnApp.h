#pragma once

#include "standalone/ZarnWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class ZarnStartup;

// The application: builds the main window hidden and shows it about two seconds later, once the
// welcome window has had its time. It runs on the start-up objects, which outlive it.
class ZarnApp : public juce::JUCEApplication,
                public juce::Timer
{
public:
    explicit ZarnApp (ZarnStartup& startup);
    ~ZarnApp() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;

    void timerCallback() override;

private:
    ZarnStartup& startup;
    std::unique_ptr<ZarnWindow> mainWindow;
};
