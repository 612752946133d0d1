#include "widgets/GuiImageFolder.h"

#include "timbre/SmallFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
GuiImageFolder::Locator& currentLocator()
{
    static GuiImageFolder::Locator locator;
    return locator;
}

struct PngSource
{
    const unsigned char* data;
    size_t size;
    size_t position;
};

void readPngData (png_structp png, png_bytep destination, size_t length)
{
    auto& source = *static_cast<PngSource*> (png_get_io_ptr (png));

    if (length > source.size - source.position)
        png_error (png, "file ends early");

    std::memcpy (destination, source.data + source.position, length);
    source.position += length;
}

// libpng's errors end in a jump back into decodePng, out of libpng's own frames only.
[[noreturn]] void onPngError (png_structp png, png_const_charp)
{
    png_longjmp (png, 1);
}

void onPngWarning (png_structp, png_const_charp) {}

struct DecodedPng
{
    unsigned char* pixels = nullptr; // 4 bytes a pixel (red, green, blue, alpha), from malloc
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool hasAlpha = false;
};

// Decodes with the framework's own settings (16 bits stripped to 8, palettes and small depths
// expanded, grey turned into RGB, transparency into alpha, opaque alpha added), so that a
// picture looks as it did through the framework's loader. No object with a destructor lives in
// this function: libpng's errors leave it through longjmp.
bool decodePng (const unsigned char* data, size_t size, DecodedPng& result)
{
    png_structp png = png_create_read_struct (PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);

    if (png == nullptr)
        return false;

    png_infop info = png_create_info_struct (png);

    if (info == nullptr)
    {
        png_destroy_read_struct (&png, nullptr, nullptr);
        return false;
    }

    PngSource source { data, size, 0 };
    unsigned char* volatile pixels = nullptr;
    png_bytep* volatile rows = nullptr;

    if (setjmp (png_jmpbuf (png)) != 0)
    {
        std::free (pixels);
        std::free (rows);
        png_destroy_read_struct (&png, &info, nullptr);
        return false;
    }

    png_set_read_fn (png, &source, readPngData);
    png_read_info (png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    png_get_IHDR (png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);

    if ((std::uint64_t) width * height > (std::uint64_t) GuiImageFolder::maxPixels)
        png_error (png, "too large");

    if (bitDepth == 16)
        png_set_strip_16 (png);

    if (colourType == PNG_COLOR_TYPE_PALETTE || bitDepth < 8)
        png_set_expand (png);

    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb (png);

    png_bytep transparentAlpha = nullptr;
    png_color_16p transparentColour = nullptr;
    int numTransparent = 0;
    png_get_tRNS (png, info, &transparentAlpha, &numTransparent, &transparentColour);

    if (png_get_valid (png, info, PNG_INFO_tRNS) != 0)
        png_set_expand (png);

    png_set_add_alpha (png, 0xff, PNG_FILLER_AFTER);

    const size_t rowBytes = (size_t) width * 4;
    pixels = static_cast<unsigned char*> (std::malloc (rowBytes * height));
    rows = static_cast<png_bytep*> (std::malloc (sizeof (png_bytep) * height));

    if (pixels == nullptr || rows == nullptr)
        png_error (png, "out of memory");

    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels + rowBytes * y;

    png_read_image (png, rows);
    png_read_end (png, info);

    result.pixels = pixels;
    result.width = width;
    result.height = height;
    result.hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || numTransparent != 0;

    std::free (rows);
    png_destroy_read_struct (&png, &info, nullptr);
    return true;
}

std::uint32_t bigEndian32 (const unsigned char* p) noexcept
{
    return (std::uint32_t) p[0] << 24 | (std::uint32_t) p[1] << 16 | (std::uint32_t) p[2] << 8 | p[3];
}

// The signature and the header chunk, which comes first and gives the size.
bool hasSaneHeader (const unsigned char* data, size_t size) noexcept
{
    static const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };

    if (size < 8 + 8 + 13 || std::memcmp (data, signature, 8) != 0
        || bigEndian32 (data + 8) != 13 || std::memcmp (data + 12, "IHDR", 4) != 0)
        return false;

    const auto width = bigEndian32 (data + 16);
    const auto height = bigEndian32 (data + 20);

    return width >= 1 && height >= 1 && width <= (std::uint32_t) GuiImageFolder::maxSide
        && height <= (std::uint32_t) GuiImageFolder::maxSide
        && (std::uint64_t) width * height <= (std::uint64_t) GuiImageFolder::maxPixels;
}

// The framework's image of the decoded pixels, in its own layout (premultiplied alpha).
juce::Image toImage (const DecodedPng& png)
{
    juce::Image image (png.hasAlpha ? juce::Image::ARGB : juce::Image::RGB, (int) png.width, (int) png.height, png.hasAlpha);
    image.getProperties()->set ("originalImageHadAlpha", image.hasAlphaChannel());

    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::writeOnly);
    const bool withAlpha = image.hasAlphaChannel();

    for (int y = 0; y < (int) png.height; ++y)
    {
        const auto* source = png.pixels + (size_t) y * png.width * 4;
        auto* destination = pixels.getLinePointer (y);

        for (int x = 0; x < (int) png.width; ++x, source += 4, destination += pixels.pixelStride)
        {
            if (withAlpha)
            {
                auto* pixel = reinterpret_cast<juce::PixelARGB*> (destination);
                pixel->setARGB (source[3], source[0], source[1], source[2]);
                pixel->premultiply();
            }
            else
            {
                reinterpret_cast<juce::PixelRGB*> (destination)->setARGB (0, source[0], source[1], source[2]);
            }
        }
    }

    return image;
}
} // namespace

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

GuiPicture GuiImageFolder::picture (const juce::String& imageFileName)
{
    return GuiPicture::of (locate (imageFileName));
}

juce::Image GuiImageFolder::load (const juce::File& file)
{
    const auto content = SmallFile::read (file, maxBytes);
    return content.has_value() ? decode (content->getData(), content->getSize()) : juce::Image();
}

std::optional<juce::Rectangle<int>> GuiImageFolder::wholePngBounds (const void* data, size_t size) noexcept
{
    const auto* bytes = static_cast<const unsigned char*> (data);

    if (! hasSaneHeader (bytes, size))
        return std::nullopt;

    // Each chunk: its data's length, its type, the data and a checksum, the last one "IEND".
    for (size_t position = 8; size - position >= 12;)
    {
        const size_t length = bigEndian32 (bytes + position);

        if (length > size - position - 12)
            break;

        if (std::memcmp (bytes + position + 4, "IEND", 4) == 0)
            return juce::Rectangle<int> ((int) bigEndian32 (bytes + 16), (int) bigEndian32 (bytes + 20));

        position += 12 + length;
    }

    return std::nullopt;
}

juce::Image GuiImageFolder::decode (const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*> (data);
    DecodedPng png;

    if (! hasSaneHeader (bytes, size) || ! decodePng (bytes, size, png))
        return {};

    auto image = toImage (png);
    std::free (png.pixels);
    return image;
}
