// panel-point CONTROL: prints the centre of one of the panel's controls, "X Y" in pixels from the
// panel's top-left corner, so that scripts clicking on the editor in a host read the layout table
// rather than numbers of their own.
#include "widgets/PanelLayout.h"

#include <cstdio>
#include <cstring>

int main (int argc, char** argv)
{
    const struct
    {
        const char* name;
        juce::Rectangle<int> bounds;
    } controls[] = { { "filterSwitch", PanelLayout::filterSwitch() } };

    for (const auto& control : controls)
        if (argc == 2 && std::strcmp (argv[1], control.name) == 0)
        {
            const auto centre = control.bounds.getCentre();
            std::printf ("%d %d\n", centre.x, centre.y);
            return 0;
        }

    std::fprintf (stderr, "usage: panel-point filterSwitch\n");
    return 2;
}
