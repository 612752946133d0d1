#include "standalone/HelloWindow.h"

#include "standalone/Hello.h"
#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

HelloWindow::HelloWindow()
    : juce::DocumentWindow ("zarN Synth bids you Welcome!", juce::Colours::silver,
                            juce::DocumentWindow::closeButton, true)
{
    setContentOwned (new Hello(), true);

    iconImage = GuiImageFolder::picture (GuiImageFiles::icon);

    if (const auto& icon = iconImage.image(); icon.isValid())
        setIcon (icon);
}

HelloWindow::~HelloWindow() = default;

void HelloWindow::closeButtonPressed()
{
    setVisible (false);
}
