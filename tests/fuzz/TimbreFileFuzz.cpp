// libFuzzer target for the timbre file reader: each input is written as a timbre file, whose
// timbres are listed and looked up by name ("default" and the first listed ones), and each found
// timbre's 49 settings are read as both loaders read them. Any sanitizer report, a crash, a
// number that is not finite or a hang ends the run.
#include "timbre/TimbreFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unistd.h>

namespace
{
// The file each input is written to, removed when the run ends.
struct InputFile
{
    InputFile()
        : file (juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getChildFile ("zarn-timbre-fuzz-" + juce::String (getpid()) + ".xml"))
    {
    }

    ~InputFile() { file.deleteFile(); }

    bool write (const uint8_t* data, size_t size) const
    {
        auto* out = std::fopen (file.getFullPathName().toRawUTF8(), "wb");

        if (out == nullptr)
            return false;

        const bool written = std::fwrite (data, 1, size, out) == size;
        return std::fclose (out) == 0 && written;
    }

    const juce::File file;
};

void readSettings (const juce::XmlElement& timbre)
{
    for (const auto& attribute : TimbreFile::attributes)
    {
        // The standalone panel reads switches as boolean text (the first character), integers
        // and decimals with the framework's readers; the plug-in's editor reads the same and
        // makes each a float.
        const auto& text = timbre.getStringAttribute (attribute.name);
        const volatile auto first = *text.getCharPointer().findEndOfWhitespace();
        const volatile auto whole = timbre.getIntAttribute (attribute.name);
        const auto value = timbre.getDoubleAttribute (attribute.name);
        (void) first;
        (void) whole;

        if (! std::isfinite (value) || ! std::isfinite ((float) value))
        {
            std::fprintf (stderr, "%s reads as %g\n", attribute.name, value);
            __builtin_trap();
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const InputFile input;

    if (! input.write (data, size))
        return 0;

    const auto path = input.file.getFullPathName();
    auto names = TimbreFile::listTimbres (input.file);
    names.removeRange (3, names.size());
    names.add ("default");

    for (const auto& name : names)
        if (const auto timbre = TimbreFile::findTimbre (path, name))
            readSettings (*timbre);

    return 0;
}
