#include "widgets/PanelLayout.h"

namespace
{
juce::Rectangle<int> knobAt (int x, int y)
{
    return { x, y, 52, 52 };
}

juce::Rectangle<int> switchAt (int x, int y)
{
    return { x, y, 20, 20 };
}

// The y of oscillator row k, for a control whose three rows are given top to bottom.
int row (int k, int y0, int y1, int y2)
{
    jassert (k >= 0 && k < 3);
    return k <= 0 ? y0 : (k == 1 ? y1 : y2);
}

int knobRow (int k)     { return row (k, 104, 207, 307); }
int selectorRow (int k) { return row (k, 71, 175, 277); }
}

juce::Rectangle<int> PanelLayout::bounds()  { return { 0, 0, width, height }; }

juce::Rectangle<int> PanelLayout::ampatk()  { return knobAt (18, 470); }
juce::Rectangle<int> PanelLayout::ampdcy()  { return knobAt (88, 470); }
juce::Rectangle<int> PanelLayout::ampsus()  { return knobAt (154, 470); }
juce::Rectangle<int> PanelLayout::amprls()  { return knobAt (225, 470); }
juce::Rectangle<int> PanelLayout::ampall()  { return knobAt (18, 402); }

juce::Rectangle<int> PanelLayout::fltcut()  { return knobAt (532, 114); }
juce::Rectangle<int> PanelLayout::fltatk()  { return knobAt (599, 114); }
juce::Rectangle<int> PanelLayout::fltdcy()  { return knobAt (668, 114); }
juce::Rectangle<int> PanelLayout::fltres()  { return knobAt (532, 182); }
juce::Rectangle<int> PanelLayout::fltsus()  { return knobAt (599, 182); }
juce::Rectangle<int> PanelLayout::fltrls()  { return knobAt (668, 182); }
juce::Rectangle<int> PanelLayout::fltamt()  { return knobAt (737, 142); }

juce::Rectangle<int> PanelLayout::dlyfbk()  { return knobAt (648, 390); }
juce::Rectangle<int> PanelLayout::dlylvl()  { return knobAt (738, 390); }
juce::Rectangle<int> PanelLayout::lforate() { return knobAt (404, 390); }
juce::Rectangle<int> PanelLayout::lfoamt()  { return knobAt (470, 390); }

juce::Rectangle<int> PanelLayout::oscSwitch (int k)    { return switchAt (29, row (k, 98, 188, 280)); }
juce::Rectangle<int> PanelLayout::doubleSwitch (int k) { return switchAt (403, row (k, 126, 232, 328)); }
juce::Rectangle<int> PanelLayout::lfoSwitch()          { return switchAt (382, 384); }
juce::Rectangle<int> PanelLayout::filterSwitch()       { return switchAt (480, 189); }

juce::Rectangle<int> PanelLayout::pw (int k)   { return knobAt (92, knobRow (k)); }
juce::Rectangle<int> PanelLayout::lvl (int k)  { return knobAt (159, knobRow (k)); }
juce::Rectangle<int> PanelLayout::dtn (int k)  { return knobAt (227, knobRow (k)); }
juce::Rectangle<int> PanelLayout::cent (int k) { return knobAt (296, knobRow (k)); }

juce::Rectangle<int> PanelLayout::keyboard() { return { 301, 463, 476, 72 }; }

juce::Rectangle<int> PanelLayout::eq (int b)
{
    jassert (b >= 0 && b < 8);
    return { 481 + 38 * b, 268, 30, 100 };
}

juce::Rectangle<int> PanelLayout::eqSwitch() { return { 589, 255, 12, 12 }; }

juce::Point<int> PanelLayout::squareButton (int k)   { return { 66, selectorRow (k) }; }
juce::Point<int> PanelLayout::sawtoothButton (int k) { return { 155, selectorRow (k) }; }
juce::Point<int> PanelLayout::triangleButton (int k) { return { 221, selectorRow (k) }; }
juce::Point<int> PanelLayout::sineButton (int k)     { return { 288, selectorRow (k) }; }
juce::Point<int> PanelLayout::noiseButton (int k)    { return { 356, selectorRow (k) }; }
juce::Point<int> PanelLayout::lfoPulseButton()       { return { 190, 408 }; }
juce::Point<int> PanelLayout::lfoSawtoothButton()    { return { 264, 408 }; }
juce::Point<int> PanelLayout::lfoTriangleButton()    { return { 330, 408 }; }

juce::Rectangle<int> PanelLayout::oneFrame (juce::Point<int> topLeft, int frameWidth, int frameHeight)
{
    return { topLeft.x, topLeft.y, frameWidth, frameHeight };
}

juce::Rectangle<int> PanelLayout::statusLabel()   { return { 583, 28, 180, 35 }; }
juce::Rectangle<int> PanelLayout::optionsButton() { return { 12, 15, 54, 21 }; }
juce::Rectangle<int> PanelLayout::presetsBox()    { return { 537, 68, 140, 24 }; }
juce::Rectangle<int> PanelLayout::presetsLabel()  { return { 487, 70, 60, 20 }; }
juce::Rectangle<int> PanelLayout::saveButton()    { return { 677, 68, 50, 24 }; }
juce::Rectangle<int> PanelLayout::loadButton()    { return { 727, 68, 50, 24 }; }

juce::Rectangle<int> PanelLayout::welcomeWindow() { return { 480, 254, 334, 240 }; }
