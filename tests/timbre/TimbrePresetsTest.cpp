#include "timbre/TimbreFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace
{
struct Range
{
    double min, max, step;
};

// The range and step of the control that each decimal attribute is written from.
const std::map<juce::String, Range>& decimalRanges()
{
    static const std::map<juce::String, Range> ranges = [] {
        std::map<juce::String, Range> r;

        for (int o = 0; o < 3; ++o)
        {
            const auto osc = "osc" + juce::String (o);
            r[osc + "lvl"] = { 0, 1, 0.001 };
            r[osc + "dtn"] = { -24, 24, 1 };
            r[osc + "cent"] = { -100, 100, 1 };
            r[osc + "pw"] = { 0, 0.5, 0.01 };
        }

        r["moogAtk"] = { 1, 3000, 10 };
        r["moogDcy"] = { 1, 3000, 10 };
        r["moogSus"] = { 0.01, 1, 0.01 };
        r["moogRls"] = { 1, 3000, 10 };
        r["moogCutoff"] = { 0, 5000, 10 };
        r["moogRes"] = { 0, 1, 0.001 };
        r["moogDepth"] = { 0, 1, 0.001 };
        r["ampGain"] = { 0, 1, 0.001 };
        r["ampAtk"] = { 3, 5000, 3 };
        r["ampDcy"] = { 10, 5000, 3 };
        r["ampSus"] = { 0, 1, 0.001 };
        r["ampRls"] = { 1, 5000, 3 };
        r["delayFbk"] = { 0, 1, 0.01 };
        r["delayLvl"] = { 0, 1, 0.01 };
        r["lfoRate"] = { 0, 20, 0.01 };
        r["lfoDepth"] = { 0, 1, 0.01 };

        for (int b = 0; b < 8; ++b)
            r["eq" + juce::String (b)] = { -8, 8, 0.01 };

        return r;
    }();

    return ranges;
}

// Whether a control of this range holds the value as it is: inside the range, and on a step
// (or at the maximum, where the step does not divide the range).
bool isOnControl (double v, const Range& r)
{
    if (v < r.min - 1e-9 || v > r.max + 1e-9)
        return false;

    const auto steps = (v - r.min) / r.step;
    return std::abs (steps - std::round (steps)) < 1e-6 || std::abs (v - r.max) < 1e-9;
}

juce::File sourcePresets()
{
    return juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_SOURCE_DIR", {}))
        .getChildFile ("timbre/presets.xml");
}
} // namespace

TEST (TimbrePresets, ListsDefaultAndAtLeastTwelveMore)
{
    const auto names = TimbreFile::listTimbres (sourcePresets());
    EXPECT_TRUE (names.contains ("default", false));
    EXPECT_GE (names.size(), 13);

    auto unique = names;
    unique.removeDuplicates (true);
    EXPECT_EQ (unique.size(), names.size()) << "only the first of equal names can be chosen";

    for (auto& name : names)
        EXPECT_EQ (TimbreFile::tagForName (name), name) << "a preset name that saving would not keep";
}

TEST (TimbrePresets, EveryTimbreHoldsAllSettingsWithinTheControls)
{
    const auto root = juce::XmlDocument (sourcePresets()).getDocumentElement();
    ASSERT_NE (root, nullptr);

    for (auto* timbre : root->getChildIterator())
    {
        const auto name = timbre->getTagName();
        EXPECT_EQ (timbre->getNumAttributes(), TimbreFile::numAttributes) << name;

        for (const auto& attribute : TimbreFile::attributes)
        {
            const juce::String key (attribute.name);
            ASSERT_TRUE (timbre->hasAttribute (key)) << name << " " << key;
            const auto text = timbre->getStringAttribute (key);
            const auto where = name + " " + key + "=" + text;

            if (attribute.isInteger)
            {
                EXPECT_TRUE (text.containsOnly ("0123456789") && text.isNotEmpty()) << where;
                const auto v = text.getIntValue();

                if (key.endsWith ("wave") && key.startsWith ("osc"))
                    EXPECT_TRUE (v >= 0 && v <= 4) << where;
                else if (key == "lfoWave")
                    EXPECT_TRUE (v == 5 || v == 1 || v == 2) << where;
                else
                    EXPECT_TRUE (v == 0 || v == 1) << where;
            }
            else
            {
                EXPECT_TRUE (text.containsOnly ("-.0123456789") && text.isNotEmpty()) << where;
                EXPECT_TRUE (isOnControl (text.getDoubleValue(), decimalRanges().at (key))) << where;
            }
        }

        // With its filter switched off the standalone panel's voices are silent.
        EXPECT_EQ (timbre->getIntAttribute ("moogSwitch"), 1) << name;
    }
}

TEST (TimbrePresets, CopiedBesideBothDeliverables)
{
    const auto binary = juce::File (juce::SystemStats::getEnvironmentVariable ("ZARN_BINARY_DIR", {}));

    for (const char* copy : { "standalone/presets.xml", "plugin/presets.xml" })
        EXPECT_TRUE (binary.getChildFile (copy).hasIdenticalContentTo (sourcePresets())) << copy;
}
