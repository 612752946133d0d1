#include "tests/standalone/StandaloneRig.h"

#include "widgets/GuiImageFiles.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string rigRoot;

void writeText (const std::string& path, const std::string& text)
{
    std::ofstream out (path);
    out << text;
}

void writeImage (const juce::File& file, int width, int height, juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    image.clear (image.getBounds(), colour);
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
}
} // namespace

void StandaloneRig::prepare (Output output)
{
    char pattern[] = "/tmp/zarn-standalone-XXXXXX";
    rigRoot = mkdtemp (pattern);

    const auto home = rigRoot + "/home";
    const auto work = rigRoot + "/work";
    mkdir (home.c_str(), 0700);
    mkdir (work.c_str(), 0700);

    if (output == Output::jack)
    {
        writeText (home + "/.asoundrc",
                   "pcm.!default { type plug; slave.pcm \"j\" }\n"
                   "pcm.j { type jack; playback_ports { 0 system:playback_1 1 system:playback_2 } }\n");
    }
    else
    {
        writeText (home + "/.asoundrc", "pcm.!default { type hw; card 63 }\nctl.!default { type hw; card 63 }\n");
        setenv ("JACK_DEFAULT_SERVER", "zarn-no-such-server", 1);
        setenv ("JACK_NO_START_SERVER", "1", 1);
    }

    setenv ("HOME", home.c_str(), 1);

    // The framework loads Xlib itself and unloads it when it shuts down, which leaves Xlib's own
    // allocations unreachable to the leak checker of sanitizer builds: keep it loaded.
    dlopen ("libX11.so.6", RTLD_NOW | RTLD_NODELETE);

    if (chdir (work.c_str()) != 0)
        std::abort();
}

void StandaloneRig::initialiseFramework()
{
    juce::JUCEApplicationBase::createInstance = [] () -> juce::JUCEApplicationBase* { return nullptr; };
    juce::initialiseJuce_GUI();
}

juce::File StandaloneRig::workingDirectory()
{
    return juce::File (rigRoot + "/work");
}

void StandaloneRig::writePresets (const juce::String& documentText)
{
    const auto file = workingDirectory().getChildFile ("presets.xml");

    if (documentText.isEmpty())
        file.deleteFile();
    else
        file.replaceWithText (documentText);
}

// Images of the panel's sizes (knob and slider strips of 64 frames, two-frame switches, selectors
// and keys), so that the layout can be checked against known frame sizes.
void StandaloneRig::writeGuiResource()
{
    namespace F = GuiImageFiles;
    const auto folder = StandaloneRig::workingDirectory().getChildFile ("GUI Resource");
    folder.createDirectory();

    const auto grey = juce::Colours::grey;
    writeImage (folder.getChildFile (F::rotarySlider), 52, 52 * 64, grey);
    writeImage (folder.getChildFile (F::verticalSlider), 30, 100 * 64, grey);
    writeImage (folder.getChildFile (F::switchButton), 40, 20, grey);
    writeImage (folder.getChildFile (F::eqButton), 24, 12, grey);
    writeImage (folder.getChildFile (F::whiteNote), 34, 72, juce::Colours::white);
    writeImage (folder.getChildFile (F::blackNote), 22, 45, juce::Colours::black);

    for (auto* name : { F::square, F::sawtooth, F::triangle, F::sine, F::wNoise, F::squareLfo, F::triangleLfo })
        writeImage (folder.getChildFile (name), StandaloneRig::selectorImageWidth, StandaloneRig::selectorImageHeight, grey);

    writeImage (folder.getChildFile (F::background), 400, 275, juce::Colours::darkblue);
    writeImage (folder.getChildFile (F::welcome), 300, 240, juce::Colours::orange);
    writeImage (folder.getChildFile (F::icon), 32, 32, juce::Colours::green);
}

bool StandaloneRig::pumpUntil (const std::function<bool()>& done)
{
    for (int i = 0; i < 1000; ++i)
    {
        if (done())
            return true;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
    }

    return done();
}

void StandaloneRig::pumpPending()
{
    // A message posted now arrives after everything queued before it; two rounds let the
    // messages that those handlers queue arrive as well.
    for (int round = 0; round < 2; ++round)
    {
        bool arrived = false;
        juce::MessageManager::callAsync ([&arrived] { arrived = true; });
        pumpUntil ([&arrived] { return arrived; });
    }
}
