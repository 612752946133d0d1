#include "widgets/ZarnSwitch.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/Tint.h"

ZarnSwitch::ZarnSwitch (Kind kind)
    : juce::Button ("button")
{
    image = GuiImageFolder::picture (kind == Kind::equaliser ? GuiImageFiles::eqButton : GuiImageFiles::switchButton);
    on = true;
}

ZarnSwitch::~ZarnSwitch() = default;

void ZarnSwitch::paintButton (juce::Graphics& g, bool isMouseOver, bool /*isButtonDown*/)
{
    g.setOpacity (1.0f);
    g.setColour (tintColour (isMouseOver ? 1.0f : (on ? 0.89f : 0.7f)));

    const auto& frames = image.image();

    if (frames.isNull())
        return;

    const int frameWidth = frames.getWidth() / 2;
    g.drawImage (frames, 0, 0, getWidth(), getHeight(),
                 on ? frameWidth : 0, 0, frameWidth, frames.getHeight());
}

void ZarnSwitch::clicked()
{
    // The framework calls this once per completed click, before it tells the listeners.
    on = ! on;
}
