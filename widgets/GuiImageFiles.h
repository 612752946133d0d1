#pragma once

// The file names of the sixteen pictures in "GUI Resource": what the artwork generator draws,
// what the widgets, the panel and the windows load, and what the build lists as the generator's
// outputs. The build reads the names from this file (tools/artwork/CMakeLists.txt takes the
// quoted name of each line that starts with `inline constexpr const char*`), so a picture is
// added or renamed here alone.
namespace GuiImageFiles
{
inline constexpr const char* rotarySlider = "RotarySlider.png";     // the knob: 64 frames, stacked
inline constexpr const char* verticalSlider = "VerticalSlider.png"; // the equaliser slider: 64 frames, stacked
inline constexpr const char* switchButton = "SwitchButton.png";     // an on/off switch: off, on
inline constexpr const char* eqButton = "EqButton.png";             // the equaliser's switch: off, on
inline constexpr const char* whiteNote = "WhiteNote.png";           // a white key: up, down
inline constexpr const char* blackNote = "BlackNote.png";           // a black key: up, down
inline constexpr const char* square = "Square.png";                 // the selectors: unselected, selected
inline constexpr const char* sawtooth = "Sawtooth.png";
inline constexpr const char* triangle = "Triangle.png";
inline constexpr const char* sine = "Sine.png";
inline constexpr const char* wNoise = "WNoise.png";
inline constexpr const char* squareLfo = "SquareLFO.png";
inline constexpr const char* triangleLfo = "TriangleLFO.png";
inline constexpr const char* background = "background.png"; // the panel, 800 by 550
inline constexpr const char* welcome = "welcome.png";       // the welcome window's picture
inline constexpr const char* icon = "G.png";                // the windows' icon

// Every one of them, in the order above.
inline constexpr const char* all[] = {
    rotarySlider, verticalSlider, switchButton, eqButton, whiteNote, blackNote,
    square, sawtooth, triangle, sine, wNoise, squareLfo, triangleLfo,
    background, welcome, icon,
};
} // namespace GuiImageFiles
