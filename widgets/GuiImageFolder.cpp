#include "widgets/GuiImageFolder.h"

namespace
{
GuiImageFolder::Locator& currentLocator()
{
    static GuiImageFolder::Locator locator;
    return locator;
}
}

void GuiImageFolder::setLocator (Locator newLocator)
{
    currentLocator() = std::move (newLocator);
}

juce::File GuiImageFolder::locate (const juce::String& imageFileName)
{
    if (auto& locator = currentLocator())
        return locator (imageFileName);

    return {};
}

juce::Image GuiImageFolder::load (const juce::String& imageFileName)
{
    const auto file = locate (imageFileName);

    if (file == juce::File() || ! file.existsAsFile())
        return {};

    return juce::ImageFileFormat::loadFrom (file);
}
