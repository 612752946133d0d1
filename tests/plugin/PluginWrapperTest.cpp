// The wrapper in-process, where the processor's keyboard state and listeners can be reached.
#include "plugin/JuceVSTWrapper.h"
#include "plugin/PluginFolder.h"
#include "plugin/VstPinProperties.h"
#include "plugin/ZarnJuceFilter.h"
#include "widgets/GuiImageFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter calls

namespace
{
struct HostLog
{
    std::vector<VstMidiEvent> events;
    std::vector<std::pair<int, float>> automated;
};

HostLog* hostLog = nullptr;

VstIntPtr VSTCALLBACK host (AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float opt)
{
    if (opcode == audioMasterVersion)
        return 2400;

    if (opcode == audioMasterAutomate)
        hostLog->automated.emplace_back (index, opt);

    if (opcode == audioMasterProcessEvents)
    {
        const auto* list = static_cast<const VstEvents*> (ptr);

        for (VstInt32 i = 0; i < list->numEvents; ++i)
            hostLog->events.push_back (*reinterpret_cast<const VstMidiEvent*> (list->events[i]));
    }

    return 0;
}

class PluginWrapper : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hostLog = &log;
        auto owned = std::make_unique<ZarnJuceFilter>();
        filter = owned.get();
        wrapper = new JuceVSTWrapper (&host, std::move (owned));
        fx = wrapper->getAeffect();
    }

    void TearDown() override
    {
        EXPECT_EQ (fx->dispatcher (fx, effClose, 0, 0, nullptr, 0.0f), 1);
        hostLog = nullptr;
    }

    void render (int frames)
    {
        std::vector<float> left (static_cast<size_t> (frames)), right (static_cast<size_t> (frames));
        float* outputs[2] = { left.data(), right.data() };
        fx->processReplacing (fx, nullptr, outputs, frames);
    }

    juce::ScopedJuceInitialiser_GUI juce;
    HostLog log;
    ZarnJuceFilter* filter = nullptr;
    JuceVSTWrapper* wrapper = nullptr;
    AEffect* fx = nullptr;
};
} // namespace

TEST_F (PluginWrapper, KeyOnTheKeyboardComesBackToTheHostInItsBlock)
{
    fx->dispatcher (fx, effMainsChanged, 0, 1, nullptr, 0.0f);
    render (256);
    EXPECT_TRUE (log.events.empty());

    filter->keyboardState.noteOn (1, 72, 0.5f);
    render (256);

    ASSERT_EQ (log.events.size(), 1u);
    EXPECT_EQ (log.events[0].type, kVstMidiType);
    EXPECT_EQ (log.events[0].byteSize, 32);
    EXPECT_EQ (static_cast<unsigned char> (log.events[0].midiData[0]), 0x90);
    EXPECT_EQ (log.events[0].midiData[1], 72);
    EXPECT_EQ (log.events[0].midiData[3], 0);
    EXPECT_GE (log.events[0].deltaFrames, 0);
    EXPECT_LT (log.events[0].deltaFrames, 256);
    EXPECT_EQ (filter->synth.getVoice (0)->getCurrentlyPlayingNote(), 72);

    render (256);
    EXPECT_EQ (log.events.size(), 1u);
}

TEST_F (PluginWrapper, ParameterChangesTheListenersHearReachTheHost)
{
    // What the editor does: set the parameter and notify the listeners.
    filter->setParameterNotifyingHost (26, 880.0f);

    ASSERT_EQ (log.automated.size(), 1u);
    EXPECT_EQ (log.automated[0], std::make_pair (26, 880.0f));
    EXPECT_EQ (fx->getParameter (fx, 26), 880.0f);
    EXPECT_TRUE (filter->synth.readVoice (31, [] (ZarnVoice& v) { return v.filter.baseCutoff == 880.0; }));

    // A host's own write is not echoed back to it.
    fx->setParameter (fx, 27, 0.5f);
    EXPECT_EQ (log.automated.size(), 1u);
    EXPECT_EQ (filter->getParameter (27), 0.5f);
}

// effOpen makes an editor and deletes it again; the editor flag stays only when one was made.
TEST_F (PluginWrapper, OpenTriesAnEditorAndKeepsTheFlagOnlyWhenOneIsMade)
{
    EXPECT_EQ (fx->flags, 0x131);
    EXPECT_EQ (fx->dispatcher (fx, effOpen, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (fx->flags, 0x131);
    EXPECT_EQ (filter->getActiveEditor(), nullptr);
    EXPECT_EQ (filter->editorOpenCount, 1) << "that editor was the processor's first";

    struct FilterWithoutEditor : ZarnJuceFilter
    {
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    };

    auto* other = (new JuceVSTWrapper (&host, std::make_unique<FilterWithoutEditor>()))->getAeffect();
    EXPECT_EQ (other->dispatcher (other, effOpen, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (other->flags, 0x130);

    // Without an editor the editor requests answer 0.
    ERect* rect = nullptr;
    EXPECT_EQ (other->dispatcher (other, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ (rect, nullptr);
    EXPECT_EQ (other->dispatcher (other, effEditOpen, 0, 0, reinterpret_cast<void*> (0x400001), 0.0f), 0);
    EXPECT_EQ (other->dispatcher (other, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST_F (PluginWrapper, UnusableOutputPointersGetTheBlockThroughScratch)
{
    fx->dispatcher (fx, effSetBlockSize, 0, 512, nullptr, 0.0f);
    fx->dispatcher (fx, effMainsChanged, 0, 1, nullptr, 0.0f);
    filter->keyboardState.noteOn (1, 81, 1.0f);

    std::vector<float> shared (512, 9.0f);
    float* same[2] = { shared.data(), shared.data() };
    fx->processReplacing (fx, nullptr, same, 512);
    EXPECT_NE (shared[300], 9.0f);
    EXPECT_TRUE (std::all_of (shared.begin(), shared.end(), [] (float x) { return std::abs (x) < 2.0f; }));

    float* none[2] = { shared.data(), nullptr };
    fx->processReplacing (fx, nullptr, none, 512);
    EXPECT_NE (shared[300], 0.0f);
}

// Inside a host no framework loop runs: the plug-in's own message thread delivers the change
// messages, and effEditIdle delivers what is pending on the host's thread.
TEST_F (PluginWrapper, ChangeMessagesAreDeliveredWithoutAHostLoop)
{
    struct Listener : juce::ChangeListener
    {
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
        std::atomic<int> count { 0 };
    } listener;

    {
        const juce::MessageManagerLock lock;
        filter->addChangeListener (&listener);
    }

    fx->setParameter (fx, 3, 1.0f);
    EXPECT_EQ (fx->dispatcher (fx, effEditIdle, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (listener.count.load(), 1);

    fx->setParameter (fx, 3, 2.0f);
    for (int i = 0; i < 10000 && listener.count.load() < 2; ++i)
        juce::Thread::sleep (1);
    EXPECT_EQ (listener.count.load(), 2);

    {
        const juce::MessageManagerLock lock;
        filter->removeChangeListener (&listener);
    }
}

TEST_F (PluginWrapper, ImagesAreLookedForBesideTheLibrary)
{
    // In this test program the library's code is linked into the executable, so its folder is
    // the executable's.
    const auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    EXPECT_EQ (PluginFolder::get(), folder);

    PluginFolder::installImageLocator();
    EXPECT_EQ (GuiImageFolder::locate ("G.png"), folder.getChildFile ("GUI Resource/G.png"));
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
