#include "standalone/Hello.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

Hello::Hello()
{
    welcomeImage = GuiImageFolder::picture (GuiImageFiles::welcome);
    setSize (300, 240);
}

Hello::~Hello() = default;

void Hello::paint (juce::Graphics& g)
{
    if (const auto& welcome = welcomeImage.image(); welcome.isValid())
        g.drawImage (welcome, 0, 0, getWidth(), getHeight(), 0, 0, 300, 240, false);
}
