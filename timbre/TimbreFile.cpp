#include "timbre/TimbreFile.h"

#include "timbre/FilePermissions.h"
#include "timbre/NumberText.h"
#include "timbre/TimbreDocument.h"
#include "timbre/ValueText.h"

const std::array<TimbreFile::Attribute, TimbreFile::numAttributes> TimbreFile::attributes = [] {
    std::array<Attribute, numAttributes> keys {};

    for (int i = 0; i < numAttributes; ++i)
        keys[(size_t) i] = { SettingsTable::rows[i].key, SettingsTable::rows[i].file != SettingsTable::FileValue::decimal };

    return keys;
}();

namespace
{
    const char* const rootTag = "USERTIMBRE";

    // Tags are kept to ASCII: the parser accepts a letter outside ASCII only when the C library's
    // locale classifies it as one, so such a tag could fail to load in another program (a host
    // that sets its own locale) than the one that saved it.
    bool isTagStart (juce::juce_wchar c) noexcept
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
    }

    bool isTagBody (juce::juce_wchar c) noexcept
    {
        return isTagStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }

    // The file that `file` names through any chain of symbolic links (itself when it is none),
    // which saving replaces while the links stay; no file for a chain that loops.
    juce::File linkedFile (juce::File file)
    {
        for (int hops = 0; hops < 40; ++hops)
        {
            if (! file.isSymbolicLink())
                return file;

            file = file.getLinkedTarget();
        }

        return {};
    }

    // Whether an attribute's name is `key`, ignoring case as the framework's comparison does;
    // looks at no more of the name than the key's length, however long the name is.
    bool isKey (const juce::String& name, const char* key) noexcept
    {
        auto n = name.getCharPointer();

        for (; *key != 0; ++key)
            if (juce::CharacterFunctions::toUpperCase (n.getAndAdvance())
                != juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) (unsigned char) *key))
                return false;

        return n.isEmpty();
    }
}

juce::String TimbreFile::tagForName (const juce::String& timbreName)
{
    juce::String tag;
    auto p = timbreName.getCharPointer();

    if (p.isEmpty() || ! isTagStart (*p))
        tag << '_';

    for (;;)
    {
        const auto c = p.getAndAdvance();

        if (c == 0)
            break;

        tag << (isTagBody (c) ? (char) c : '_');
    }

    return tag;
}

std::unique_ptr<juce::XmlElement> TimbreFile::findTimbre (const juce::String& path, const juce::String& timbreName)
{
    if (path.isEmpty())
        return {};

    const auto root = TimbreDocument::read (juce::File::getCurrentWorkingDirectory().getChildFile (path));

    if (root == nullptr)
        return {};

    // The tag that saving would give this name; a tag that another writer took from the name
    // unchanged (the parser also accepts tags that are not valid names) is found as well.
    const auto tag = tagForName (timbreName);

    for (auto* child : root->getChildIterator())
    {
        if (child->isTextElement())
            continue;

        const auto& childTag = child->getTagName();

        if (! childTag.equalsIgnoreCase (tag) && ! childTag.equalsIgnoreCase (timbreName))
            continue;

        // The framework looks attributes up by exact name; the file's are matched ignoring case
        // (the first of equal names) and handed on under their own names, with number texts
        // that both loaders can read safely; nothing else of the element is kept.
        const juce::String* found[numAttributes] = {};

        for (int i = 0, n = child->getNumAttributes(); i < n; ++i)
        {
            const auto& name = child->getAttributeName (i);

            for (int a = 0; a < numAttributes; ++a)
            {
                if (found[a] == nullptr && isKey (name, attributes[a].name))
                {
                    found[a] = &child->getAttributeValue (i);
                    break;
                }
            }
        }

        auto timbre = std::make_unique<juce::XmlElement> (childTag);

        for (int a = 0; a < numAttributes; ++a)
            if (found[a] != nullptr)
                timbre->setAttribute (attributes[a].name, attributes[a].isInteger ? NumberText::integer (*found[a])
                                                                                  : NumberText::decimal (*found[a]));

        return timbre;
    }

    return {};
}

double TimbreFile::read (const juce::XmlElement& timbre, int index, Reader reader)
{
    const auto& row = SettingsTable::rows[index];

    if (! timbre.hasAttribute (row.key))
        return 0.0;

    const auto text = timbre.getStringAttribute (row.key);

    switch (row.file)
    {
        case SettingsTable::FileValue::onOff:
        {
            if (reader == Reader::panel && row.panelReadsText)
            {
                const auto first = *text.getCharPointer().findEndOfWhitespace();
                return first == '1' || first == 't' || first == 'y' || first == 'T' || first == 'Y' ? 1.0 : 0.0;
            }

            return text.getIntValue() != 0 ? 1.0 : 0.0;
        }
        case SettingsTable::FileValue::integer:
            return text.getIntValue();
        case SettingsTable::FileValue::decimal:
            break;
    }

    return text.getDoubleValue();
}

juce::StringArray TimbreFile::listTimbres (const juce::File& file)
{
    juce::StringArray names;

    if (const auto root = TimbreDocument::read (file))
        for (auto* child : root->getChildIterator())
            if (! child->isTextElement())
                names.add (child->getTagName());

    return names;
}

bool TimbreFile::save (const juce::File& chosen, const juce::String& timbreName,
                       const std::array<double, numAttributes>& values)
{
    const auto file = linkedFile (chosen);

    if (file == juce::File() || file.isDirectory())
        return false;

    juce::XmlElement root (rootTag);
    auto* timbre = root.createNewChildElement (tagForName (timbreName));

    // The framework's double setter does not write "%.9g", so every value goes in as text.
    for (int i = 0; i < numAttributes; ++i)
        timbre->setAttribute (attributes[i].name, attributes[i].isInteger ? juce::String (SettingsTable::wholeNumber (values[(size_t) i]))
                                                                           : ValueText::of (values[(size_t) i]));

    // The framework's document defaults: a UTF-8 declaration, no DTD, indented children and
    // attribute lists wrapped after 60 characters, "\r\n" line ends.
    const auto text = root.toString();
    const auto numBytes = text.getNumBytesAsUTF8();

    if (! file.getParentDirectory().createDirectory())
        return false;

    // The new text goes into a hidden file beside the target, which replaces the target only
    // once every byte of it is on disk: a failed save leaves the old timbre as it was.
    const juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream out (temporary.getFile());

        // The new file takes the old one's permissions before it holds a byte, so a private
        // timbre is never readable by others, not even for a moment.
        if (! out.openedOk() || ! FilePermissions::takeOver (file, temporary.getFile()))
            return false;

        out.write (text.toRawUTF8(), numBytes);
        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    if (temporary.getFile().getSize() != (juce::int64) numBytes)
        return false;

    return temporary.overwriteTargetFileWithTemporary();
}
