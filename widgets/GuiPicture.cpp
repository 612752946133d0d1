#include "widgets/GuiPicture.h"

#include "timbre/SmallFile.h"
#include "widgets/GuiImageFolder.h"

#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

struct GuiPicture::Shared
{
    Shared (juce::MemoryBlock fileContent, juce::Rectangle<int> headerBounds)
        : content (std::move (fileContent)), bounds (headerBounds)
    {
    }

    const juce::MemoryBlock content; // the file as it was read: what a later read is compared with
    const juce::Rectangle<int> bounds;
    std::once_flag decoded;
    juce::Image pixels; // written once, under `decoded`
};

// The latest picture of each file that was asked for, by the file's full path.
struct GuiPicture::Store
{
    std::mutex lock;
    std::map<juce::String, std::shared_ptr<Shared>> latest;
};

GuiPicture::Store& GuiPicture::store()
{
    static Store pictures;
    return pictures;
}

namespace
{
std::atomic<int> decodes { 0 };

bool sameBytes (const juce::MemoryBlock& a, const juce::MemoryBlock& b) noexcept
{
    return a.getSize() == b.getSize() && std::memcmp (a.getData(), b.getData(), a.getSize()) == 0;
}
} // namespace

GuiPicture::GuiPicture (std::shared_ptr<Shared> picture) : shared (std::move (picture)) {}

GuiPicture GuiPicture::of (const juce::File& file)
{
    auto content = SmallFile::read (file, GuiImageFolder::maxBytes);
    auto& pictures = store();
    const std::lock_guard<std::mutex> guard (pictures.lock);
    auto& latest = pictures.latest[file.getFullPathName()];

    if (content.has_value())
        if (latest != nullptr && sameBytes (latest->content, *content))
            return GuiPicture (latest);

    const auto bounds = content.has_value() ? GuiImageFolder::wholePngBounds (content->getData(), content->getSize())
                                            : std::nullopt;

    if (! bounds.has_value())
    {
        latest = nullptr;
        return {};
    }

    auto picture = std::make_shared<Shared> (std::move (*content), *bounds);
    latest = picture;
    return GuiPicture (std::move (picture));
}

int GuiPicture::getWidth() const noexcept
{
    return shared != nullptr ? shared->bounds.getWidth() : 0;
}

int GuiPicture::getHeight() const noexcept
{
    return shared != nullptr ? shared->bounds.getHeight() : 0;
}

const juce::Image& GuiPicture::image() const
{
    static const juce::Image none;

    if (shared == nullptr)
        return none;

    std::call_once (shared->decoded, [this] {
        shared->pixels = GuiImageFolder::decode (shared->content.getData(), shared->content.getSize());
        ++decodes;
    });

    return shared->pixels;
}

int GuiPicture::decodeCount() noexcept
{
    return decodes.load();
}
