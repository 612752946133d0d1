#include "timbre/TimbreFile.h"
#include "tests/timbre/TimbreTestFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using Values = std::array<double, TimbreFile::numAttributes>;

// A value for every attribute, in written order. Every integer attribute has a fraction, which
// the text must not show; the decimals show the number texts (a third, 0.001, 0.1, whole values).
const Values sampleValues = {
    1.7, 1.2, 0.89, -12, 5, 0.25, 0.4,
    1.5, 2.9, 1.0 / 3.0, 7, -100, 0.5, 1.01,
    0.9, 4.5, 0.001, 24, 0, 0.1, -0.5,
    1.3, 11, 2991, 0.01, 3000, 660, 0.09, 0.95,
    0.5, 3, 5000, 0.89, 4999, 0.2, 0.3,
    1.99, 5.5, 2.5, 0.32,
    1.1, -8, 8, 0.5, -1.25, 0, 3, -0.01, 7.99
};

using TimbreFileTest = TimbreTestFolder;

std::string contentOf (const juce::File& file)
{
    juce::MemoryBlock data;
    file.loadFileAsData (data);
    return data.toString().toStdString();
}
} // namespace

TEST_F (TimbreFileTest, SaveWritesTheDocumentText)
{
    const auto file = dir.getChildFile ("bass.xml");
    ASSERT_TRUE (TimbreFile::save (file, "bass", sampleValues));

    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "\r\n"
        "<USERTIMBRE>\r\n"
        "  <bass osc0switch=\"1\" osc0wave=\"1\" osc0lvl=\"0.89\" osc0dtn=\"-12\" osc0cent=\"5\"\r\n"
        "        osc0pw=\"0.25\" osc0double=\"0\" osc1switch=\"1\" osc1wave=\"2\" osc1lvl=\"0.333333333\"\r\n"
        "        osc1dtn=\"7\" osc1cent=\"-100\" osc1pw=\"0.5\" osc1double=\"1\" osc2switch=\"0\"\r\n"
        "        osc2wave=\"4\" osc2lvl=\"0.001\" osc2dtn=\"24\" osc2cent=\"0\" osc2pw=\"0.1\"\r\n"
        "        osc2double=\"0\" moogSwitch=\"1\" moogAtk=\"11\" moogDcy=\"2991\" moogSus=\"0.01\"\r\n"
        "        moogRls=\"3000\" moogCutoff=\"660\" moogRes=\"0.09\" moogDepth=\"0.95\"\r\n"
        "        ampGain=\"0.5\" ampAtk=\"3\" ampDcy=\"5000\" ampSus=\"0.89\" ampRls=\"4999\"\r\n"
        "        delayFbk=\"0.2\" delayLvl=\"0.3\" lfoSwitch=\"1\" lfoWave=\"5\" lfoRate=\"2.5\"\r\n"
        "        lfoDepth=\"0.32\" eqSwitch=\"1\" eq0=\"-8\" eq1=\"8\" eq2=\"0.5\" eq3=\"-1.25\"\r\n"
        "        eq4=\"0\" eq5=\"3\" eq6=\"-0.01\" eq7=\"7.99\"/>\r\n"
        "</USERTIMBRE>\r\n";

    EXPECT_EQ (contentOf (file), expected);
}

TEST_F (TimbreFileTest, SavedTimbreLoadsBackAndReplacesTheOldContent)
{
    const auto file = write ("lead.xml", "<USERTIMBRE><old osc0lvl=\"0.1\"/><older/></USERTIMBRE>");

    // Values of at most nine significant digits come back exactly.
    Values values {};
    for (int i = 0; i < TimbreFile::numAttributes; ++i)
        values[(size_t) i] = TimbreFile::attributes[i].isInteger ? i % 2 : (i - 20) / 100.0 + 1000.0 * (i == 30);

    ASSERT_TRUE (TimbreFile::save (file, "lead", values));
    EXPECT_EQ (TimbreFile::listTimbres (file), juce::StringArray ("lead"));

    const auto timbre = TimbreFile::findTimbre (file.getFullPathName(), "lead");
    ASSERT_NE (timbre, nullptr);
    ASSERT_EQ (timbre->getNumAttributes(), TimbreFile::numAttributes);

    for (int i = 0; i < TimbreFile::numAttributes; ++i)
    {
        const auto& attribute = TimbreFile::attributes[i];
        EXPECT_EQ (timbre->getAttributeName (i), attribute.name);

        if (attribute.isInteger)
            EXPECT_EQ (timbre->getIntAttribute (attribute.name), (int) values[(size_t) i]) << attribute.name;
        else
            EXPECT_EQ (timbre->getDoubleAttribute (attribute.name), values[(size_t) i]) << attribute.name;
    }
}

TEST_F (TimbreFileTest, TagsForNames)
{
    const struct
    {
        const char* name;
        const char* tag;
    } cases[] = {
        { "bass", "bass" },
        { "Lead_2", "Lead_2" },
        { "pad-1.5", "pad-1.5" },
        { "my bass", "my_bass" },
        { "1st", "_1st" },
        { "-x", "_-x" },
        { "bass&lead<\"'>", "bass_lead____" },
        { "B\xc3\xa4sse", "B_sse" },
        { "", "_" },
    };

    for (const auto& c : cases)
    {
        const auto name = juce::String::fromUTF8 (c.name);
        const auto tag = TimbreFile::tagForName (name);
        EXPECT_EQ (tag, c.tag) << c.name;
        EXPECT_TRUE (juce::XmlElement::isValidXmlName (tag)) << c.name;

        // Whatever the name, the saved file parses again and the same name finds the timbre.
        const auto file = dir.getChildFile ("t.xml");
        ASSERT_TRUE (TimbreFile::save (file, name, sampleValues));
        EXPECT_EQ (TimbreFile::listTimbres (file), juce::StringArray (tag)) << c.name;
        EXPECT_NE (TimbreFile::findTimbre (file.getFullPathName(), name), nullptr) << c.name;
    }
}

TEST_F (TimbreFileTest, NamesAndAttributeNamesCompareIgnoringCase)
{
    const auto file = write ("presets.xml",
                             "<anything>\n"
                             "  <Default osc0lvl=\"0.5\"/>\n"
                             "  <bass osc0lvl=\"0.1\"/>\n"
                             "  <BASS osc0lvl=\"0.2\"/>\n"
                             "  <Lead OSC0LVL=\"0.7\" osc0lvl=\"0.3\" Eq7=\"-2\" unknown=\"1\"><child/>text</Lead>\n"
                             "</anything>\n");
    const auto path = file.getFullPathName();

    const auto def = TimbreFile::findTimbre (path, "default");
    ASSERT_NE (def, nullptr);
    EXPECT_EQ (def->getTagName(), "Default");
    EXPECT_EQ (def->getDoubleAttribute ("osc0lvl"), 0.5);

    for (const char* name : { "bass", "Bass", "BASS" })
    {
        const auto bass = TimbreFile::findTimbre (path, name);
        ASSERT_NE (bass, nullptr) << name;
        EXPECT_EQ (bass->getDoubleAttribute ("osc0lvl"), 0.1) << name;
    }

    // The first of two attributes that differ in case only, handed on under the reader's name.
    const auto lead = TimbreFile::findTimbre (path, "lead");
    ASSERT_NE (lead, nullptr);
    EXPECT_EQ (lead->getDoubleAttribute ("osc0lvl"), 0.7);
    EXPECT_EQ (lead->getDoubleAttribute ("eq7"), -2.0);
    EXPECT_EQ (lead->getNumAttributes(), 2);
    EXPECT_EQ (lead->getNumChildElements(), 0);
}

TEST_F (TimbreFileTest, FindsNothingWithoutTheFileOrTheTimbre)
{
    write ("unparsable.xml", "<USERTIMBRE><bass osc0lvl=\"0.1\"></USERTIMBRE>");
    write ("text.xml", "just some text");
    write ("empty.xml", "");
    write ("other.xml", "<USERTIMBRE><lead/></USERTIMBRE>");
    write ("bass.xml", "<USERTIMBRE><bass/></USERTIMBRE>");

    const struct
    {
        juce::String path;
        const char* name;
    } cases[] = {
        { dir.getChildFile ("missing.xml").getFullPathName(), "bass" },
        { dir.getChildFile ("unparsable.xml").getFullPathName(), "bass" },
        { dir.getChildFile ("text.xml").getFullPathName(), "bass" },
        { dir.getChildFile ("empty.xml").getFullPathName(), "bass" },
        { dir.getChildFile ("other.xml").getFullPathName(), "bass" },
        { dir.getFullPathName(), "bass" },
        { "", "bass" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (TimbreFile::findTimbre (c.path, c.name), nullptr) << c.path;

    EXPECT_NE (TimbreFile::findTimbre (dir.getChildFile ("bass.xml").getFullPathName(), "bass"), nullptr);
}

// What both loaders read from a setting's text: the decimal reader (osc0lvl), the integer
// reader (osc0switch), and the standalone panel's boolean text (osc0double). A number that is not
// finite, here or as a float, reads as no number (0); an int beyond the int range as the nearest
// int; everything else as the framework's readers take it.
TEST_F (TimbreFileTest, NumberTextsReadSafely)
{
    const struct
    {
        std::string text;
        double decimal;
        int integer;
        bool boolean;
    } cases[] = {
        { "nan", 0, 0, false }, { "-nan", 0, 0, false }, { "NaN", 0, 0, false }, { "nan(1)", 0, 0, false },
        { "inf", 0, 0, false }, { "-Infinity", 0, 0, false }, { "+INF", 0, 0, false },
        { "1e999", 0, 0, false }, { "-1e999", 0, 0, false }, { "1e30811111111", 0, 0, false },
        { "3.5e38", 0, 0, false }, { "1" + std::string (400, '0'), 0, 0, false },
        { "1e-30811111111", 0, 1, true }, { "-1e-400", 0, -1, false },
        { "3.4e38", 3.4e38, 3, false }, { "1e5", 100000, 1, true }, { "0.1", 0.1, 0, false },
        { "  0.25abc", 0.25, 0, false }, { "-.5", -0.5, 0, false }, { "5.", 5, 5, false }, { ".", 0, 0, false },
        { "+5", 5, 5, false }, { "+-5", 0, 0, false }, { "abc", 0, 0, false }, { "", 0, 0, false },
        { "true", 0, 0, true }, { "yes", 0, 0, true }, { "1.99", 1.99, 1, true },
        { "2147483647", 2147483647, 2147483647, false }, { "-2147483647", -2147483647, -2147483647, false },
        { "-2147483648", -2147483648.0, -2147483647, false }, { "99999999999", 99999999999.0, 2147483647, false },
        { "-99999999999x", -99999999999.0, -2147483647, false },
    };

    for (const auto& c : cases)
    {
        const auto value = juce::String::fromUTF8 (c.text.c_str());
        const auto file = write ("n.xml", "<R><t osc0lvl=\"" + value + "\" osc0switch=\"" + value + "\" osc0double=\"" + value + "\"/></R>");
        const auto timbre = TimbreFile::findTimbre (file.getFullPathName(), "t");
        ASSERT_NE (timbre, nullptr) << c.text;

        EXPECT_EQ (timbre->getDoubleAttribute ("osc0lvl"), c.decimal) << c.text;
        EXPECT_EQ (timbre->getIntAttribute ("osc0switch"), c.integer) << c.text;
        const auto first = *timbre->getStringAttribute ("osc0double").getCharPointer().findEndOfWhitespace();
        EXPECT_EQ (first == '1' || first == 't' || first == 'y' || first == 'T' || first == 'Y', c.boolean) << c.text;
    }
}

TEST_F (TimbreFileTest, RelativePathResolvesAgainstTheWorkingDirectory)
{
    write ("presets.xml", "<USERTIMBRE><default/></USERTIMBRE>");
    const auto previous = juce::File::getCurrentWorkingDirectory();

    ASSERT_TRUE (dir.setAsCurrentWorkingDirectory());
    const auto found = TimbreFile::findTimbre ("presets.xml", "default");
    previous.setAsCurrentWorkingDirectory();

    EXPECT_NE (found, nullptr);
}

TEST_F (TimbreFileTest, ListsTimbresInDocumentOrder)
{
    const auto file = write ("list.xml", "<root>\n  <pad/>\n  <Bass a=\"1\"/>\n  <lead/>\n  <pad/>\n</root>\n");
    EXPECT_EQ (TimbreFile::listTimbres (file), juce::StringArray ({ "pad", "Bass", "lead", "pad" }));

    EXPECT_TRUE (TimbreFile::listTimbres (dir.getChildFile ("missing.xml")).isEmpty());
    EXPECT_TRUE (TimbreFile::listTimbres (write ("broken.xml", "<root><pad></root>")).isEmpty());
}

TEST_F (TimbreFileTest, SaveCreatesMissingFolders)
{
    const auto file = dir.getChildFile ("new/folder/bass.xml");
    ASSERT_TRUE (TimbreFile::save (file, "bass", sampleValues));
    EXPECT_NE (TimbreFile::findTimbre (file.getFullPathName(), "bass"), nullptr);
}

TEST_F (TimbreFileTest, SaveFailsWhenTheFolderCannotBeMade)
{
    // Even root can't make a folder below a regular file.
    const auto notAFolder = write ("plain", "x");
    const auto file = notAFolder.getChildFile ("bass.xml");

    EXPECT_FALSE (TimbreFile::save (file, "bass", sampleValues));
    EXPECT_FALSE (file.exists());
    EXPECT_EQ (contentOf (notAFolder), "x");
}

TEST_F (TimbreFileTest, FailedWriteKeepsTheOldContent)
{
    const std::string old = "<USERTIMBRE><bass/></USERTIMBRE>";
    const auto file = write ("bass.xml", old);

    // A file size limit makes the write fail as a full disk would, also for root.
    rlimit previous {};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 200;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);

    const bool saved = TimbreFile::save (file, "bass", sampleValues);

    setrlimit (RLIMIT_FSIZE, &previous);
    std::signal (SIGXFSZ, previousHandler);

    EXPECT_FALSE (saved);
    EXPECT_EQ (contentOf (file), old);
    EXPECT_EQ (dir.getNumberOfChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"), 1);
    EXPECT_EQ (dir.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 1) << "a temporary file was left behind";
}

TEST_F (TimbreFileTest, SavingFollowsSymbolicLinksAndKeepsPermissions)
{
    const std::string old = "<USERTIMBRE><old/></USERTIMBRE>";
    const auto target = write ("target.xml", old);
    ASSERT_EQ (chmod (target.getFullPathName().toRawUTF8(), 0600), 0);

    // A link to the file (relative to its folder), and a link to that link.
    const auto link = dir.getChildFile ("link.xml");
    const auto linkToLink = dir.getChildFile ("again.xml");
    ASSERT_EQ (symlink ("target.xml", link.getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (symlink (link.getFullPathName().toRawUTF8(), linkToLink.getFullPathName().toRawUTF8()), 0);

    const auto modeOf = [] (const juce::File& file) {
        struct stat info {};
        return stat (file.getFullPathName().toRawUTF8(), &info) == 0 ? (int) (info.st_mode & 07777) : -1;
    };

    for (const auto& chosen : { link, linkToLink })
    {
        ASSERT_TRUE (TimbreFile::save (chosen, "bass", sampleValues)) << chosen.getFileName();
        EXPECT_TRUE (link.isSymbolicLink());
        EXPECT_TRUE (linkToLink.isSymbolicLink());
        EXPECT_NE (contentOf (target), old);
        EXPECT_NE (TimbreFile::findTimbre (target.getFullPathName(), "bass"), nullptr);
        EXPECT_EQ (modeOf (target), 0600);
        write ("target.xml", old);
        ASSERT_EQ (chmod (target.getFullPathName().toRawUTF8(), 0600), 0);
    }

    // A plain file keeps its own permissions too; a link to a file not made yet makes it.
    const auto plain = write ("plain.xml", old);
    ASSERT_EQ (chmod (plain.getFullPathName().toRawUTF8(), 0640), 0);
    ASSERT_TRUE (TimbreFile::save (plain, "bass", sampleValues));
    EXPECT_EQ (modeOf (plain), 0640);

    const auto dangling = dir.getChildFile ("dangling.xml");
    ASSERT_EQ (symlink ("later/new.xml", dangling.getFullPathName().toRawUTF8()), 0);
    ASSERT_TRUE (TimbreFile::save (dangling, "bass", sampleValues));
    EXPECT_TRUE (dangling.isSymbolicLink());
    EXPECT_NE (TimbreFile::findTimbre (dir.getChildFile ("later/new.xml").getFullPathName(), "bass"), nullptr);

    // Links that go round in a circle name no file: nothing is saved.
    const auto loopA = dir.getChildFile ("a.xml");
    const auto loopB = dir.getChildFile ("b.xml");
    ASSERT_EQ (symlink ("b.xml", loopA.getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (symlink ("a.xml", loopB.getFullPathName().toRawUTF8()), 0);
    EXPECT_FALSE (TimbreFile::save (loopA, "bass", sampleValues));
    EXPECT_TRUE (loopA.isSymbolicLink());
}
