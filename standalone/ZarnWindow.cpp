#include "standalone/ZarnWindow.h"

#include "standalone/ZarnAudioInit.h"
#include "standalone/ZarnUI.h"
#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

ZarnWindow::ZarnWindow (const juce::String& title, ZarnAudioInit& audioInit, const juce::File& folder, int& eqChangeCount)
    : juce::DocumentWindow (title, juce::Colours::silver,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, true)
{
    // The audio start-up object is held for a moment as the first content and then only taken
    // out again: the window never deletes it. The panel is the window's to delete.
    setContentNonOwned (&audioInit, false);
    setContentOwned (new ZarnUI (audioInit.audioSource.synth, audioInit.deviceManager, audioInit.audioSource.keyboardState,
                                 folder, eqChangeCount),
                     true);

    centreWithSize (getWidth(), getHeight());

    iconImage = GuiImageFolder::picture (GuiImageFiles::icon);

    if (const auto& icon = iconImage.image(); icon.isValid())
        setIcon (icon);
}

ZarnWindow::~ZarnWindow() = default;

void ZarnWindow::closeButtonPressed()
{
    juce::JUCEApplication::quit();
}
