// zarn_artwork FONT_DIR OUT_DIR...: draws every panel image and writes the PNG files into each
// OUT_DIR (created when missing). Runs without a display. Exit status 1 when a font or a file
// can't be read or written.
#include "tools/artwork/Artwork.h"

#include <iostream>

namespace
{
bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);

    if (! out.openedOk())
        return false;

    juce::PNGImageFormat png;
    return png.writeImageToStream (image, out) && (out.flush(), out.getStatus().wasOk());
}
}

int main (int argc, char* argv[])
{
    if (argc < 3)
    {
        std::cerr << "usage: zarn_artwork FONT_DIR OUT_DIR...\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;

    const juce::File fontDir (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    const Artwork artwork (fontDir.getChildFile ("DejaVuSans.ttf"), fontDir.getChildFile ("DejaVuSans-Bold.ttf"));

    if (! artwork.fontsLoaded())
    {
        std::cerr << "zarn_artwork: cannot read DejaVuSans.ttf and DejaVuSans-Bold.ttf in " << argv[1] << "\n";
        return 1;
    }

    const auto images = artwork.allImages();

    for (int i = 2; i < argc; ++i)
    {
        const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[i]));

        if (! folder.createDirectory())
        {
            std::cerr << "zarn_artwork: cannot create " << argv[i] << "\n";
            return 1;
        }

        for (const auto& [name, image] : images)
        {
            if (! writePng (image, folder.getChildFile (name)))
            {
                std::cerr << "zarn_artwork: cannot write " << folder.getChildFile (name).getFullPathName() << "\n";
                return 1;
            }
        }
    }

    return 0;
}
