#include "panel/TimbreDialogs.h"

#include <gtest/gtest.h>

TEST (TimbreSaveTarget, NameFromTheChosenFileAndTheXmlRule)
{
    const auto folder = juce::File ("/home/user/timbres");

    const struct
    {
        const char* chosen;
        const char* written;
        const char* name;
    } cases[] = {
        { "bass", "bass.xml", "bass" },
        { "bass.txt", "bass.xml", "bass" },
        { "bass.XML", "bass.XML", "bass" },
        { "bass.xml", "bass.xml", "bass" },
        { "my.bass", "my.xml", "my" },
        { "my bass.xml", "my bass.xml", "my bass" },
    };

    for (const auto& c : cases)
    {
        const auto target = TimbreDialogs::saveTargetFor (folder.getChildFile (c.chosen));
        EXPECT_EQ (target.file, folder.getChildFile (c.written)) << c.chosen;
        EXPECT_EQ (target.timbreName, c.name) << c.chosen;
    }

    const auto cancelled = TimbreDialogs::saveTargetFor ({});
    EXPECT_EQ (cancelled.file, juce::File());
    EXPECT_TRUE (cancelled.timbreName.isEmpty());
}
