#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

// A picture of the panel as every widget of the process shares it. Asking for a file reads it and
// checks its header, which gives the picture's size; the pixels are decoded only when the picture
// is first drawn, so a panel that is never shown (the editor a host makes only to see that one can
// be made) decodes nothing. They are decoded once for the whole process: every later ask for a
// file with the same content gets the same decoded picture, by reference. A file whose content
// has changed since gives a new picture, decoded anew; what was handed out before keeps its own.
// Decoded pixels are never drawn into or changed.
class GuiPicture
{
public:
    GuiPicture() = default; // no picture: null, draws nothing

    // The picture in `file`; null when the file is missing, is no regular file, is larger than
    // GuiImageFolder::maxBytes, or is no whole PNG within GuiImageFolder's limits.
    static GuiPicture of (const juce::File& file);

    bool isNull() const noexcept { return shared == nullptr; }
    bool isValid() const noexcept { return shared != nullptr; }

    // The size that the file's header gives; 0 by 0 for a null picture.
    int getWidth() const noexcept;
    int getHeight() const noexcept;

    // The pixels, decoded by the first call of any holder of this picture. A null image for a null
    // picture, and for a file whose compressed data turn out to be damaged: it draws nothing.
    const juce::Image& image() const;

    // How many pictures this process has decoded so far.
    static int decodeCount() noexcept;

private:
    struct Shared;
    struct Store;
    static Store& store();

    explicit GuiPicture (std::shared_ptr<Shared> picture);

    std::shared_ptr<Shared> shared;
};
