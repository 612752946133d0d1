#include "standalone/ZarnApp.h"

#include "standalone/ZarnStartup.h"

ZarnApp::ZarnApp (ZarnStartup& startupObjects)
    : startup (startupObjects)
{
}

ZarnApp::~ZarnApp() = default;

void ZarnApp::initialise (const juce::String&)
{
    mainWindow = std::make_unique<ZarnWindow> (startup.appName, startup.audioInit, startup.startFolder(), startup.eqChangeCount);
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
    return startup.appName;
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
