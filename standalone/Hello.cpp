#include "standalone/Hello.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

Hello::Hello()
{
    welcomeImage = GuiImageFolder::load (GuiImageFiles::welcome);
    setSize (300, 240);
}

Hello::~Hello() = default;

void Hello::paint (juce::Graphics& g)
{
    if (welcomeImage.isValid())
        g.drawImage (welcomeImage, 0, 0, getWidth(), getHeight(), 0, 0, 300, 240, false);
}
