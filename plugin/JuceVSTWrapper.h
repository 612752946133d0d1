#pragma once

#include "plugin/ERect.h"
#include "plugin/PluginMessageLoop.h"
#include "plugin/VstEvents.h"
#include "plugin/vst/AudioEffectX.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

class HostUiCall;

// The VST 2.4 effect object around one processor: it gives the host the plug-in's settings and
// answers, turns the host's requests into calls of the processor, runs each block under the
// processor's callback lock, passes the host's MIDI in and the block's MIDI back out, and tells
// the host of parameter changes that the processor's listeners hear of. It owns the processor.
class JuceVSTWrapper : public AudioEffectX,
                       public juce::AudioProcessorListener,
                       public juce::AudioPlayHead
{
public:
    static constexpr VstInt32 uniqueId = 0x4A63446D; // J, c, D, m
    static constexpr VstInt32 versionNumber = 0x10100;
    static constexpr VstInt32 numOutputChannels = 2;
    static constexpr VstInt32 categorySynth = 2;
    // MIDI events passed on per block in each direction; more in one block are dropped, so that
    // the audio thread never allocates.
    static constexpr int maxEventsPerBlock = 2048;

    JuceVSTWrapper (audioMasterCallback audioMaster, std::unique_ptr<juce::AudioProcessor> processorToOwn);
    ~JuceVSTWrapper() override;

    VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    void open() override;
    void resume() override;
    void suspend() override;

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override;
    VstInt32 processEvents (VstEvents* events) override;

    void setParameter (VstInt32 index, float value) override;
    float getParameter (VstInt32 index) override;
    bool canParameterBeAutomated (VstInt32 index) override;

    VstInt32 getChunk (void** data, bool isPreset) override;
    VstInt32 setChunk (void* data, VstInt32 byteSize, bool isPreset) override;
    bool getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text) override;

    bool getInputProperties (VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties (VstInt32 index, VstPinProperties* properties) override;
    bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput) override;

    bool getEffectName (char* name) override;
    bool getVendorString (char* text) override;
    bool getProductString (char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 canDo (char* text) override;
    VstInt32 getPlugCategory() override;

    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override;

    juce::Optional<juce::AudioPlayHead::PositionInfo> getPosition() const override;

    juce::AudioProcessor* getProcessor() const noexcept { return processor.get(); }

private:
    VstIntPtr editorGetRect (void* ptr);
    VstIntPtr editorOpen (void* parentWindow);
    VstIntPtr editorClose();
    VstIntPtr editIdle();
    bool makeEditor();
    void deleteEditor (HostUiCall&);
    void sendOutgoingEvents();

    // The framework's user-interface support and its messages, shared by the instances of the
    // process: the first sets them up, the last shuts them down.
    juce::SharedResourcePointer<juce::ScopedJuceInitialiser_GUI> framework;
    const std::shared_ptr<void> messageLoop = PluginMessageLoop::keepRunning();
    std::unique_ptr<juce::AudioProcessor> processor;
    std::unique_ptr<juce::AudioProcessorEditor> editorComp;
    // Held for as long as editorComp exists: what runs the editor.
    std::shared_ptr<void> editorLoop;
    ERect editorRect {};

    // The block's MIDI: the host's events in, the processor's additions, back out to the host.
    juce::MidiBuffer midiEvents;
    int incomingEventCount = 0;
    juce::HeapBlock<VstMidiEvent> outgoingStore;
    juce::HeapBlock<char> outgoingListStore;
    VstEvents* outgoingEvents = nullptr;

    // Used for the block when the host's output pointers cannot be written directly.
    juce::AudioBuffer<float> scratch;
    juce::MemoryBlock chunk;

    JUCE_DECLARE_NON_COPYABLE (JuceVSTWrapper)
};
