#include "timbre/TimbreDocument.h"

#include "timbre/SmallFile.h"

#include <cstdint>
#include <string_view>
#include <unordered_set>

namespace
{
bool isXmlChar (std::uint32_t c) noexcept
{
    return c == 0x9 || c == 0xa || c == 0xd || (c >= 0x20 && c <= 0xd7ff)
        || (c >= 0xe000 && c <= 0xfffd) || (c >= 0x10000 && c <= 0x10ffff);
}

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) of characters that XML
// allows. The framework's text pointer steps over as many bytes as a lead byte announces
// without looking at them, so a broken sequence near the end would take it past the text.
bool isValidText (const unsigned char* p, const unsigned char* end) noexcept
{
    while (p < end)
    {
        std::uint32_t c = *p;

        if (c < 0x80)
        {
            if (! isXmlChar (c))
                return false;

            ++p;
            continue;
        }

        int extra = 0;
        std::uint32_t smallest = 0;

        if ((c & 0xe0) == 0xc0)      { extra = 1; c &= 0x1f; smallest = 0x80; }
        else if ((c & 0xf0) == 0xe0) { extra = 2; c &= 0x0f; smallest = 0x800; }
        else if ((c & 0xf8) == 0xf0) { extra = 3; c &= 0x07; smallest = 0x10000; }
        else                         return false;

        if (end - p <= extra)
            return false;

        for (int i = 1; i <= extra; ++i)
        {
            if ((p[i] & 0xc0) != 0x80)
                return false;

            c = (c << 6) | (p[i] & 0x3fu);
        }

        if (c < smallest || ! isXmlChar (c))
            return false;

        p += extra + 1;
    }

    return true;
}

bool isNameByte (unsigned char c) noexcept
{
    // Bytes of characters outside ASCII are taken as name characters here; where the framework
    // disagrees, its parser fails, and the file loads nothing.
    return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || c == '_' || c == ':' || c == '.' || c == '-';
}

// Follows the text through the shape that TimbreDocument describes; rootEnd() is where the root
// element ends, or nullptr when the text has another shape.
class ShapeCheck
{
public:
    ShapeCheck (const char* textBegin, const char* textEnd) : p (textBegin), end (textEnd) {}

    const char* rootEnd()
    {
        skipBlanks();

        if (startsWith ("<?xml") && ! skipSection ("<?", "?>"))
            return nullptr;

        for (;;)
        {
            skipBlanks();

            if (! startsWith ("<!--"))
                break;

            if (! skipSection ("<!--", "-->"))
                return nullptr;
        }

        return startsWith ("<") && element (1) ? p : nullptr;
    }

private:
    bool startsWith (std::string_view s) const noexcept
    {
        return (size_t) (end - p) >= s.size() && std::string_view (p, s.size()) == s;
    }

    bool startsWithIgnoringCase (std::string_view lowerCase) const noexcept
    {
        if ((size_t) (end - p) < lowerCase.size())
            return false;

        for (size_t i = 0; i < lowerCase.size(); ++i)
            if ((p[i] | 0x20) != lowerCase[i] && p[i] != lowerCase[i])
                return false;

        return true;
    }

    // At `opener`: moves past it and past the first `closer` after it, as the parser does;
    // false when there is no such closer.
    bool skipSection (std::string_view opener, std::string_view closer) noexcept
    {
        p += opener.size();
        const auto found = std::string_view (p, (size_t) (end - p)).find (closer);

        if (found == std::string_view::npos)
            return false;

        p += found + closer.size();
        return true;
    }

    void skipBlanks() noexcept
    {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r'))
            ++p;
    }

    bool name (std::string_view& result) noexcept
    {
        const char* const start = p;

        while (p < end && isNameByte ((unsigned char) *p))
            ++p;

        result = std::string_view (start, (size_t) (p - start));
        return p > start;
    }

    bool newName (std::string_view& result)
    {
        if (! name (result))
            return false;

        names.insert (result);
        return names.size() <= (size_t) TimbreDocument::maxNames;
    }

    // At '&': one of the five predefined entities, or a character reference.
    bool reference() noexcept
    {
        ++p;

        if (startsWith ("#"))
        {
            ++p;
            const bool hex = startsWith ("x") || startsWith ("X");
            const int base = hex ? 16 : 10;
            const int maxDigits = hex ? 8 : 12; // the most the framework's reader takes
            std::uint64_t code = 0;
            int digits = 0;

            if (hex)
                ++p;

            for (; p < end; ++p, ++digits)
            {
                const auto c = (unsigned char) *p;
                int digit = -1;

                if (c >= '0' && c <= '9')
                    digit = c - '0';
                else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
                    digit = (c | 0x20) - 'a' + 10;

                if (digit < 0)
                    break;

                if (digits == maxDigits)
                    return false;

                code = code * (std::uint64_t) base + (std::uint64_t) digit;
            }

            if (digits == 0 || ! startsWith (";"))
                return false;

            ++p;
            return code <= 0x10ffff && isXmlChar ((std::uint32_t) code);
        }

        for (std::string_view entity : { "amp;", "lt;", "gt;", "quot;", "apos;" })
        {
            if (startsWithIgnoringCase (entity))
            {
                p += entity.size();
                return true;
            }
        }

        return false;
    }

    bool attributeValue() noexcept
    {
        if (! startsWith ("\"") && ! startsWith ("'"))
            return false;

        const char quote = *p++;
        int references = 0;

        while (p < end)
        {
            if (*p == quote)
            {
                ++p;
                return true;
            }

            if (*p == '<')
                return false;

            if (*p == '&')
            {
                if (++references > TimbreDocument::maxReferencesPerValue || ! reference())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        return false;
    }

    // At '<': an element of the given depth (the root is 1) with everything inside it.
    bool element (int depth)
    {
        if (depth > TimbreDocument::maxDepth || ++numElements > TimbreDocument::maxElements)
            return false;

        ++p;
        std::string_view tag;

        if (! newName (tag))
            return false;

        for (int numOwnAttributes = 0;; ++numOwnAttributes)
        {
            const char* const beforeBlanks = p;
            skipBlanks();

            if (startsWith ("/>"))
            {
                p += 2;
                return true;
            }

            if (startsWith (">"))
            {
                ++p;
                break;
            }

            std::string_view attributeName;

            if (p == beforeBlanks || numOwnAttributes == TimbreDocument::maxAttributesPerElement
                || ++numAttributes > TimbreDocument::maxAttributes || ! newName (attributeName))
                return false;

            skipBlanks();

            if (! startsWith ("="))
                return false;

            ++p;
            skipBlanks();

            if (! attributeValue())
                return false;
        }

        while (p < end)
        {
            if (*p == '&')
            {
                if (! reference())
                    return false;
            }
            else if (*p != '<')
            {
                ++p;
            }
            else if (startsWith ("</"))
            {
                p += 2;
                std::string_view closing;

                if (! name (closing) || closing != tag)
                    return false;

                skipBlanks();

                if (! startsWith (">"))
                    return false;

                ++p;
                return true;
            }
            else if (startsWith ("<!--"))
            {
                if (! skipSection ("<!--", "-->"))
                    return false;
            }
            else if (startsWith ("<![CDATA["))
            {
                if (! skipSection ("<![CDATA[", "]]>"))
                    return false;
            }
            else if (! element (depth + 1)) // also refuses "<?" and "<!" of any other kind
            {
                return false;
            }
        }

        return false;
    }

    const char* p;
    const char* const end;
    int numElements = 0;
    int numAttributes = 0;
    std::unordered_set<std::string_view> names;
};
} // namespace

std::unique_ptr<juce::XmlElement> TimbreDocument::read (const juce::File& file)
{
    const auto content = SmallFile::read (file, maxBytes);

    if (! content.has_value())
        return {};

    return parse (content->getData(), content->getSize());
}

std::unique_ptr<juce::XmlElement> TimbreDocument::parse (const void* data, size_t size)
{
    if (size > maxBytes)
        return {};

    auto* begin = static_cast<const char*> (data);
    const auto* const end = begin + size;

    if (size >= 3 && std::string_view (begin, 3) == "\xef\xbb\xbf") // a byte order mark
        begin += 3;

    if (! isValidText (reinterpret_cast<const unsigned char*> (begin), reinterpret_cast<const unsigned char*> (end)))
        return {};

    const auto* const rootEnd = ShapeCheck (begin, end).rootEnd();

    if (rootEnd == nullptr)
        return {};

    // Only the checked text, through the root's end, reaches the parser.
    return juce::XmlDocument (juce::String::fromUTF8 (begin, (int) (rootEnd - begin))).getDocumentElement();
}
