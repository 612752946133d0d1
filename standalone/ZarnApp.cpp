#include "standalone/ZarnApp.h"

#include "standalone/ZarnStartup.h"

ZarnApp::ZarnApp() = default;

ZarnApp::~ZarnApp() = default;

void ZarnApp::initialise (const juce::String&)
{
    mainWindow = std::make_unique<ZarnWindow>();
    mainWindow->setResizable (false, false);
    mainWindow->setTitleBarTextCentred (true);
    startTimer (2000);
}

void ZarnApp::shutdown()
{
    mainWindow = nullptr;
}

const juce::String ZarnApp::getApplicationName()
{
    return appName;
}

const juce::String ZarnApp::getApplicationVersion()
{
    return "1.0";
}

bool ZarnApp::moreThanOneInstanceAllowed()
{
    return true;
}

void ZarnApp::timerCallback()
{
    if (mainWindow != nullptr)
        mainWindow->setVisible (true);

    stopTimer();
}
