#include <gtest/gtest.h>

#include "widgets/PanelLayout.h"

namespace
{
using Rect = juce::Rectangle<int>;

// Every film-strip control of fixed size, with a name for messages.
std::vector<std::pair<juce::String, Rect>> fixedControls()
{
    using L = PanelLayout;
    std::vector<std::pair<juce::String, Rect>> all = {
        { "ampatk", L::ampatk() }, { "ampdcy", L::ampdcy() }, { "ampsus", L::ampsus() }, { "amprls", L::amprls() },
        { "ampall", L::ampall() }, { "fltcut", L::fltcut() }, { "fltatk", L::fltatk() }, { "fltdcy", L::fltdcy() },
        { "fltres", L::fltres() }, { "fltsus", L::fltsus() }, { "fltrls", L::fltrls() }, { "fltamt", L::fltamt() },
        { "dlyfbk", L::dlyfbk() }, { "dlylvl", L::dlylvl() }, { "lforate", L::lforate() }, { "lfoamt", L::lfoamt() },
        { "lfoSwitch", L::lfoSwitch() }, { "filterSwitch", L::filterSwitch() }, { "keyboard", L::keyboard() },
        { "eqSwitch", L::eqSwitch() },
    };

    for (int k = 0; k < 3; ++k)
    {
        const auto n = juce::String (k);
        all.push_back ({ "oscSwitch" + n, L::oscSwitch (k) });
        all.push_back ({ "doubleSwitch" + n, L::doubleSwitch (k) });
        all.push_back ({ "pw" + n, L::pw (k) });
        all.push_back ({ "lvl" + n, L::lvl (k) });
        all.push_back ({ "dtn" + n, L::dtn (k) });
        all.push_back ({ "cent" + n, L::cent (k) });
    }

    for (int b = 0; b < 8; ++b)
        all.push_back ({ "eq" + juce::String (b), L::eq (b) });

    return all;
}
}

TEST (WidgetsPanelLayout, ControlsLieInsideThePanelWithoutOverlapping)
{
    EXPECT_EQ (PanelLayout::bounds(), Rect (0, 0, 800, 550));
    EXPECT_EQ (PanelLayout::keyboard(), Rect (301, 463, 476, 72));

    const auto controls = fixedControls();
    int right = 0, bottom = 0;

    for (size_t i = 0; i < controls.size(); ++i)
    {
        const auto& [name, r] = controls[i];
        EXPECT_TRUE (PanelLayout::bounds().contains (r)) << name;
        right = juce::jmax (right, r.getRight());
        bottom = juce::jmax (bottom, r.getBottom());

        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE (r.intersects (controls[j].second)) << name << " and " << controls[j].first;
    }

    EXPECT_EQ (right, 790);
    EXPECT_EQ (bottom, 535);
}

TEST (WidgetsPanelLayout, RowsRunTopToBottomAndBandsLeftToRight)
{
    const int knobRows[] = { 104, 207, 307 };
    const int selectorRows[] = { 71, 175, 277 };

    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ (PanelLayout::pw (k).getPosition(), juce::Point<int> (92, knobRows[k]));
        EXPECT_EQ (PanelLayout::cent (k).getPosition(), juce::Point<int> (296, knobRows[k]));
        EXPECT_EQ (PanelLayout::squareButton (k), juce::Point<int> (66, selectorRows[k]));
        EXPECT_EQ (PanelLayout::noiseButton (k), juce::Point<int> (356, selectorRows[k]));
    }

    for (int b = 0; b < 8; ++b)
        EXPECT_EQ (PanelLayout::eq (b), Rect (481 + 38 * b, 268, 30, 100));

    // A selector is exactly one frame in size at its place: a 96 x 40 image gives 48 x 40.
    EXPECT_EQ (PanelLayout::oneFrame (PanelLayout::sineButton (1), 96 / 2, 40), Rect (288, 175, 48, 40));
}
