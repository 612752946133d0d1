#include "timbre/TimbreDocument.h"
#include "timbre/TimbreFile.h"
#include "tests/timbre/TimbreTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
class TimbreDocumentTest : public TimbreTestFolder
{
protected:
    juce::File write (const std::string& bytes) const { return writeBytes ("doc.xml", bytes); }

    juce::StringArray listOf (const std::string& bytes) const { return TimbreFile::listTimbres (write (bytes)); }
};

std::string repeat (const std::string& s, int n)
{
    std::string result;

    for (int i = 0; i < n; ++i)
        result += s;

    return result;
}

std::string nested (int depth)
{
    return repeat ("<e>", depth) + repeat ("</e>", depth);
}

std::string withAttributes (int n)
{
    std::string attributes;

    for (int i = 0; i < n; ++i)
        attributes += " a" + std::to_string (i) + "=\"1\"";

    return "<R><t" + attributes + "/></R>";
}

std::string withElements (int n)
{
    return "<R>" + repeat ("<t/>", n - 1) + "</R>";
}

std::string withNames (int n)
{
    std::string elements;

    for (int i = 0; i < n - 1; ++i)
        elements += "<t" + std::to_string (i) + "/>";

    return "<R>" + elements + "</R>";
}

std::string withReferences (int n)
{
    return "<R><t a=\"" + repeat ("&amp;", n) + "\"/></R>";
}
} // namespace

// The hostile files of tests/hostile: those of another shape read as no document; those whose
// harm is in a value load, and the value reads as 0. Files that are no regular file or are too
// large read as no document too; all of it quickly and without any sanitizer report.
TEST_F (TimbreDocumentTest, HostileFilesReadAsNoDocumentOrAsZero)
{
    const auto hostile = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_SOURCE_DIR", {})).getChildFile ("tests/hostile");

    const struct
    {
        const char* name;
        const char* key; // null: no document
    } cases[] = {
        { "pi-inside-element.xml", nullptr },
        { "deep-nesting.xml", nullptr },
        { "recursive-entity.xml", nullptr },
        { "nested-entities.xml", nullptr },
        { "broken-utf8.xml", nullptr },
        { "number-overflow.xml", "osc0lvl" },
        { "nan-values.xml", "osc0lvl" },
    };

    EXPECT_EQ (hostile.getNumberOfChildFiles (juce::File::findFiles, "*.xml"), (int) std::size (cases));

    for (const auto& c : cases)
    {
        const auto file = hostile.getChildFile (c.name);
        ASSERT_TRUE (file.existsAsFile()) << c.name;
        const auto timbre = TimbreFile::findTimbre (file.getFullPathName(), "default");

        if (c.key == nullptr)
        {
            EXPECT_EQ (TimbreDocument::read (file), nullptr) << c.name;
            EXPECT_EQ (timbre, nullptr) << c.name;
        }
        else
        {
            ASSERT_NE (timbre, nullptr) << c.name;
            EXPECT_EQ (timbre->getStringAttribute (c.key), "0") << c.name;
            EXPECT_EQ (timbre->getDoubleAttribute ("ampGain"), 0.8) << c.name;
        }
    }

    // A folder, a pipe without a writer (opening it for reading would wait for ever), a sparse
    // file of 200 MB, text in another encoding, and a document cut short by a NUL byte.
    const auto folder = dir.getChildFile ("folder.xml");
    ASSERT_TRUE (folder.createDirectory());
    const auto pipe = dir.getChildFile ("pipe.xml");
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0600), 0);
    const auto large = dir.getChildFile ("large.xml");
    ASSERT_TRUE (large.replaceWithText ("<R><default osc0lvl=\"0.5\"/></R>"));
    ASSERT_EQ (truncate (large.getFullPathName().toRawUTF8(), 200 * 1024 * 1024), 0);
    const auto latin1 = dir.getChildFile ("latin1.xml");
    ASSERT_TRUE (latin1.replaceWithData ("<R><default n=\"B\xe4sse\"/></R>", 27));
    const auto nul = dir.getChildFile ("nul.xml");
    ASSERT_TRUE (nul.replaceWithData ("<R><default/>\0</R>", 18));

    for (const auto& file : { folder, pipe, large, latin1, nul })
    {
        EXPECT_EQ (TimbreDocument::read (file), nullptr) << file.getFileName();
        EXPECT_TRUE (TimbreFile::listTimbres (file).isEmpty()) << file.getFileName();
    }
}

TEST_F (TimbreDocumentTest, DocumentsOfTheShapeLoad)
{
    const struct
    {
        std::string text;
        juce::StringArray timbres;
    } cases[] = {
        { "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- presets -->\r\n<R>\r\n  <a x=\"1\"/>\r\n  <!-- b -->\r\n  <b y='2'></b>\r\n</R>\r\n", { "a", "b" } },
        { "<R><a n=\"&amp;&lt;&gt;&quot;&apos;&AMP;&#65;&#x42;&#x1F600;\"/>text &amp; &#9; more<![CDATA[<x>&]]></R>", { "a" } },
        { "<R><a><inner y=\"2\">words</inner></a></R>", { "a" } },                // what a timbre holds is ignored
        { "<R><a/></R><S><b/></S> trailing < & junk", { "a" } },                  // nothing after the root is read
        { "<R><1st/><a n=\"B\xc3\xa4sse\"/></R>", { "1st", "a" } },                // a tag the parser takes
        { "<R" + repeat (" ", 3) + "><a" + repeat ("\n", 2) + "/></R >", { "a" } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (listOf (c.text), c.timbres) << c.text;

    // Each limit, reached but not passed.
    for (const auto& text : { "<R>" + nested (TimbreDocument::maxDepth - 1) + "</R>",
                              withReferences (TimbreDocument::maxReferencesPerValue),
                              withAttributes (TimbreDocument::maxAttributesPerElement),
                              withElements (TimbreDocument::maxElements),
                              withNames (TimbreDocument::maxNames) })
        EXPECT_NE (TimbreDocument::read (write (text)), nullptr) << text.substr (0, 60);
}

TEST_F (TimbreDocumentTest, OtherShapesLoadNothing)
{
    const std::string cases[] = {
        "", "   ", "just text", "<R>", "<R><a></R>", "<R></S>", "<R><a/>",
        "<!DOCTYPE R><R/>", "<?xml version=\"1.0\"?><!DOCTYPE R [<!ENTITY e \"x\">]><R>&e;</R>",
        "<?xml version=\"1.0\"?><?style x?><R/>", "<R><?pi?></R>", "<R><?pi?>x</R>", "<R><!ELEMENT x></R>",
        "<R a=\"&e;\"/>", "<R>&e;</R>", "<R a=\"&amp\"/>", "<R>& </R>",
        "<R>&#0;</R>", "<R>&#x110000;</R>", "<R>&#xD800;</R>", "<R>&#x;</R>", "<R>&#;</R>", "<R>&#x41</R>",
        "<R>&#x123456789;</R>", "<R>&#1234567890123;</R>", "<R>&#12a;</R>",
        "<R a=\"<\"/>", "<R a=\"1\"b=\"2\"/>", "<R a=1/>", "<R a/>", "< R/>", "<R a=\"1/>",
        "<R><!-- open </R>", "<R><![CDATA[ open </R>", "<?xml version=\"1.0\"",
        std::string ("<R>\0</R>", 8), "<R>\x01</R>", "<R>\x0b</R>",
        "<R>\xc0\xaf</R>", "<R>\xed\xa0\x80</R>", "<R>\xf4\x90\x80\x80</R>", "<R>\x80</R>", "<R>\xff</R>", "<R/>\xe2\x82",
        "\xff\xfe<\0R\0/\0>\0",
        "<R>" + nested (TimbreDocument::maxDepth) + "</R>",
        withReferences (TimbreDocument::maxReferencesPerValue + 1),
        withAttributes (TimbreDocument::maxAttributesPerElement + 1),
        withElements (TimbreDocument::maxElements + 1),
        withNames (TimbreDocument::maxNames + 1),
        "<R>" + repeat ("<t" + repeat (" a=\"\"", 256) + "/>", TimbreDocument::maxAttributes / 256 + 1) + "</R>",
    };

    for (const auto& text : cases)
        EXPECT_EQ (TimbreDocument::read (write (text)), nullptr) << text.substr (0, 60);
}

// A file with 10,000 whole timbres (6.5 MB) lists every one, and each is found by name.
TEST_F (TimbreDocumentTest, TenThousandTimbresLoad)
{
    std::array<double, TimbreFile::numAttributes> values {};
    values[2] = 0.5;
    const auto single = dir.getChildFile ("single.xml");
    ASSERT_TRUE (TimbreFile::save (single, "t", values));
    const auto text = single.loadFileAsString();
    const auto element = text.fromFirstOccurrenceOf ("<USERTIMBRE>", false, false).upToLastOccurrenceOf ("</USERTIMBRE>", false, false);

    juce::MemoryOutputStream document;
    document << "<PRESETS>";

    for (int i = 0; i < 10000; ++i)
        document << element.replaceFirstOccurrenceOf ("<t ", "<t" + juce::String (i) + " ");

    document << "</PRESETS>";
    const auto file = dir.getChildFile ("presets.xml");
    ASSERT_TRUE (file.replaceWithData (document.getData(), document.getDataSize()));
    ASSERT_GT (file.getSize(), 6'000'000);

    const auto names = TimbreFile::listTimbres (file);
    ASSERT_EQ (names.size(), 10000);
    EXPECT_EQ (names[9999], "t9999");

    const auto last = TimbreFile::findTimbre (file.getFullPathName(), "T9999");
    ASSERT_NE (last, nullptr);
    EXPECT_EQ (last->getDoubleAttribute ("osc0lvl"), 0.5);
}
