#pragma once

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <string>

// A folder of its own for each timbre test (the tests run in parallel processes), removed after it.
class TimbreTestFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("zarn-timbre-test-" + juce::Uuid().toString());
        ASSERT_TRUE (dir.createDirectory());
    }

    void TearDown() override { dir.deleteRecursively(); }

    // The file `name` in the folder, holding `text`.
    juce::File write (const juce::String& name, const juce::String& text) const
    {
        const auto file = dir.getChildFile (name);
        EXPECT_TRUE (file.replaceWithText (text));
        return file;
    }

    // The file `name` in the folder, holding exactly `bytes`.
    juce::File writeBytes (const juce::String& name, const std::string& bytes) const
    {
        const auto file = dir.getChildFile (name);
        file.deleteFile();
        EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        return file;
    }

    juce::File dir;
};
