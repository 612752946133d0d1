#include "plugin/JuceVSTWrapper.h"

#include "plugin/HostUiCall.h"
#include "plugin/VstPinProperties.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr const char* pluginName = "zarN the Synthesizer";
constexpr const char* vendorName = "Ulvermark";
constexpr double defaultSampleRate = 44100.0;

// Longest texts the host's buffers take: effect names 32 characters, vendor and product 64.
constexpr size_t maxNameLength = 32;
constexpr size_t maxVendorLength = 64;
constexpr size_t maxLabelLength = 64;
constexpr size_t maxShortLabelLength = 8;

// Room for the host's events and the keyboard's in one block, so adding them never allocates.
constexpr int bytesPerShortEvent = 16;

const char* const capabilities[] = {
    "receiveVstEvents", "receiveVstMidiEvent", "receiveVstMidiEvents",
    "sendVstEvents",    "sendVstMidiEvent",    "sendVstMidiEvents",
    "receiveVstTimeInfo", "conformsToWindowRules",
};

void copyText (char* dest, const juce::String& text, size_t maxBytes)
{
    text.copyToUTF8 (dest, maxBytes);
}
} // namespace

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter calls

JuceVSTWrapper::JuceVSTWrapper (audioMasterCallback audioMasterToUse, std::unique_ptr<juce::AudioProcessor> processorToOwn)
    : AudioEffectX (audioMasterToUse, processorToOwn->getNumPrograms(), processorToOwn->getNumParameters()),
      processor (std::move (processorToOwn))
{
    setNumInputs (0);
    setNumOutputs (numOutputChannels);
    cEffect.flags |= effFlagsHasEditor;
    isSynth (true);
    noTail (false);
    programsAreChunks (true);
    cEffect.version = versionNumber;
    setUniqueID (uniqueId);
    setInitialDelay (processor->getLatencySamples());

    processor->setPlayConfigDetails (0, numOutputChannels, getSampleRate(), getBlockSize());
    processor->setPlayHead (this);
    processor->addListener (this);

    midiEvents.ensureSize (static_cast<size_t> (2 * maxEventsPerBlock * bytesPerShortEvent));
    outgoingStore.calloc (maxEventsPerBlock);
    outgoingListStore.calloc (sizeof (VstEvents) + maxEventsPerBlock * sizeof (VstEvent*));
    outgoingEvents = reinterpret_cast<VstEvents*> (outgoingListStore.get());

    for (int i = 0; i < maxEventsPerBlock; ++i)
        outgoingEvents->events[i] = reinterpret_cast<VstEvent*> (outgoingStore + i);
}

JuceVSTWrapper::~JuceVSTWrapper()
{
    // This thread runs the framework alone: no message of the processor is being delivered.
    HostUiCall call;

    deleteEditor (call);
    processor->removeListener (this);
    processor->setPlayHead (nullptr);
    processor.reset();
}

VstIntPtr JuceVSTWrapper::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effEditGetRect: return editorGetRect (ptr);
        case effEditOpen: return editorOpen (ptr);
        case effEditClose: return editorClose();
        case effEditIdle: return editIdle();
        default: return AudioEffectX::dispatcher (opcode, index, value, ptr, opt);
    }
}

void JuceVSTWrapper::open()
{
    // Makes an editor once to see that one can be made; none clears the editor flag.
    if (editorComp != nullptr)
        return;

    const HostUiCall call;
    std::unique_ptr<juce::AudioProcessorEditor> probe (processor->createEditorIfNeeded());

    if (probe == nullptr)
        cEffect.flags &= ~effFlagsHasEditor;
    else
        cEffect.flags |= effFlagsHasEditor;
}

void JuceVSTWrapper::resume()
{
    // A rate that is not a finite number above 0 would leave the voices no pitch to compute.
    const float hostRate = getSampleRate();
    const double rate = std::isfinite (hostRate) && hostRate > 0.0f ? static_cast<double> (hostRate) : defaultSampleRate;
    const int block = getBlockSize();

    processor->setRateAndBufferSizeDetails (rate, block);
    processor->prepareToPlay (rate, block);
    scratch.setSize (numOutputChannels, juce::jmax (1, block));

    midiEvents.clear();
    incomingEventCount = 0;
    setInitialDelay (processor->getLatencySamples());

    // An instrument asks for the host's MIDI.
    wantEvents (1);
}

void JuceVSTWrapper::suspend()
{
    processor->releaseResources();
}

void JuceVSTWrapper::processReplacing (float**, float** outputs, VstInt32 sampleFrames)
{
    const int n = juce::jmax (0, static_cast<int> (sampleFrames));
    float* out[numOutputChannels] = { outputs != nullptr ? outputs[0] : nullptr,
                                      outputs != nullptr ? outputs[1] : nullptr };
    const bool direct = out[0] != nullptr && out[1] != nullptr && out[0] != out[1];

    if (direct || n <= scratch.getNumSamples())
    {
        juce::AudioBuffer<float> buffer (direct ? out : scratch.getArrayOfWritePointers(), numOutputChannels, n);

        {
            const juce::ScopedLock sl (processor->getCallbackLock());

            if (processor->isSuspended())
                buffer.clear();
            else
                processor->processBlock (buffer, midiEvents);
        }

        if (! direct)
            for (int ch = 0; ch < numOutputChannels; ++ch)
                if (out[ch] != nullptr)
                    std::memcpy (out[ch], scratch.getReadPointer (ch), sizeof (float) * static_cast<size_t> (n));
    }
    else
    {
        // Unusable output pointers and a block longer than the scratch buffer: silence.
        for (auto* channel : out)
            if (channel != nullptr)
                std::memset (channel, 0, sizeof (float) * static_cast<size_t> (n));
    }

    sendOutgoingEvents();
    midiEvents.clear();
    incomingEventCount = 0;
}

void JuceVSTWrapper::sendOutgoingEvents()
{
    if (midiEvents.isEmpty())
        return;

    int count = 0;

    for (const auto metadata : midiEvents)
    {
        if (count == maxEventsPerBlock)
            break;

        if (metadata.numBytes > 3)
            continue; // longer messages do not fit a MIDI event record

        auto& e = outgoingStore[count++];
        std::memset (&e, 0, sizeof (e));
        e.type = kVstMidiType;
        e.byteSize = sizeof (VstMidiEvent);
        e.deltaFrames = metadata.samplePosition;
        std::memcpy (e.midiData, metadata.data, static_cast<size_t> (metadata.numBytes));
    }

    if (count == 0 || audioMaster == nullptr)
        return;

    outgoingEvents->numEvents = count;
    outgoingEvents->reserved = 0;
    audioMaster (&cEffect, audioMasterProcessEvents, 0, 0, outgoingEvents, 0.0f);
}

VstInt32 JuceVSTWrapper::processEvents (VstEvents* events)
{
    if (events == nullptr)
        return 0;

    for (VstInt32 i = 0; i < events->numEvents; ++i)
    {
        const auto* e = events->events[i];

        if (e == nullptr || e->type != kVstMidiType || incomingEventCount >= maxEventsPerBlock)
            continue;

        const auto* midi = reinterpret_cast<const VstMidiEvent*> (e);
        midiEvents.addEvent (midi->midiData, 3, juce::jmax (0, static_cast<int> (midi->deltaFrames)));
        ++incomingEventCount;
    }

    return 1;
}

void JuceVSTWrapper::setParameter (VstInt32 index, float value)
{
    processor->setParameter (index, value);
}

float JuceVSTWrapper::getParameter (VstInt32 index)
{
    return processor->getParameter (index);
}

bool JuceVSTWrapper::canParameterBeAutomated (VstInt32 index)
{
    return processor->isParameterAutomatable (index);
}

VstInt32 JuceVSTWrapper::getChunk (void** data, bool isPreset)
{
    if (data == nullptr)
        return 0;

    chunk.reset();

    if (isPreset)
        processor->getCurrentProgramStateInformation (chunk);
    else
        processor->getStateInformation (chunk);

    *data = chunk.getData();
    return static_cast<VstInt32> (chunk.getSize());
}

VstInt32 JuceVSTWrapper::setChunk (void* data, VstInt32 byteSize, bool isPreset)
{
    if (data != nullptr && byteSize > 0)
    {
        if (isPreset)
            processor->setCurrentProgramStateInformation (data, byteSize);
        else
            processor->setStateInformation (data, byteSize);
    }

    return 0;
}

bool JuceVSTWrapper::getProgramNameIndexed (VstInt32, VstInt32, char*)
{
    return false;
}

bool JuceVSTWrapper::getInputProperties (VstInt32, VstPinProperties*)
{
    return false;
}

bool JuceVSTWrapper::getOutputProperties (VstInt32 index, VstPinProperties* properties)
{
    if (properties == nullptr || index < 0 || index >= numOutputChannels)
        return false;

    std::memset (properties, 0, sizeof (VstPinProperties));
    const auto name = processor->getOutputChannelName (index);
    copyText (properties->label, name, maxLabelLength);
    copyText (properties->shortLabel, name, maxShortLabelLength);
    properties->flags = kVstPinIsActive;

    if (processor->isOutputChannelStereoPair (index))
    {
        properties->flags |= kVstPinIsStereo;
        properties->arrangementType = kSpeakerArrStereo;
    }

    return true;
}

bool JuceVSTWrapper::setSpeakerArrangement (VstSpeakerArrangement*, VstSpeakerArrangement*)
{
    return false;
}

bool JuceVSTWrapper::getEffectName (char* name)
{
    copyText (name, pluginName, maxNameLength);
    return true;
}

bool JuceVSTWrapper::getVendorString (char* text)
{
    copyText (text, vendorName, maxVendorLength);
    return true;
}

bool JuceVSTWrapper::getProductString (char* text)
{
    copyText (text, pluginName, maxVendorLength);
    return true;
}

VstInt32 JuceVSTWrapper::getVendorVersion()
{
    return versionNumber;
}

VstInt32 JuceVSTWrapper::canDo (char* text)
{
    if (text == nullptr)
        return 0;

    for (const char* capability : capabilities)
        if (std::strcmp (text, capability) == 0)
            return 1;

    return 0;
}

VstInt32 JuceVSTWrapper::getPlugCategory()
{
    return categorySynth;
}

void JuceVSTWrapper::audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue)
{
    setParameterAutomated (parameterIndex, newValue);
}

void JuceVSTWrapper::audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) {}

juce::Optional<juce::AudioPlayHead::PositionInfo> JuceVSTWrapper::getPosition() const
{
    return {};
}

VstIntPtr JuceVSTWrapper::editorGetRect (void* ptr)
{
    if (ptr == nullptr)
        return 0;

    const HostUiCall call;

    if (! makeEditor())
        return 0;

    editorRect.top = 0;
    editorRect.left = 0;
    editorRect.bottom = static_cast<std::int16_t> (editorComp->getHeight());
    editorRect.right = static_cast<std::int16_t> (editorComp->getWidth());
    *static_cast<ERect**> (ptr) = &editorRect;
    return 1;
}

// ptr is the host's window for the editor: an X window id on Linux, an HWND on Windows.
VstIntPtr JuceVSTWrapper::editorOpen (void* parentWindow)
{
    if (parentWindow == nullptr)
        return 0;

    const HostUiCall call;

    if (! makeEditor())
        return 0;

    if (editorComp->isOnDesktop())
        editorComp->removeFromDesktop();

    // The component's window is made as a child of the host's window, at its top-left corner.
    editorComp->setOpaque (true);
    editorComp->setVisible (false);
    editorComp->addToDesktop (0, parentWindow);
    editorComp->setVisible (true);
    return 1;
}

VstIntPtr JuceVSTWrapper::editorClose()
{
    HostUiCall call;
    deleteEditor (call);
    return 0;
}

VstIntPtr JuceVSTWrapper::editIdle()
{
    HostUiCall call;
    call.processPendingEvents();
    return 0;
}

bool JuceVSTWrapper::makeEditor()
{
    if (editorComp == nullptr)
    {
        editorComp.reset (processor->createEditorIfNeeded());

        if (editorComp != nullptr)
            editorLoop = PluginMessageLoop::runEditor();
    }

    return editorComp != nullptr;
}

void JuceVSTWrapper::deleteEditor (HostUiCall& call)
{
    if (editorComp == nullptr)
        return;

    // Open menus and dialogs (the editor's file choosers are asynchronous, so no modal loop runs
    // beneath this request) are dismissed first. Their callbacks, which the framework delivers
    // as messages, then run while the editor they report to still exists, where the plug-in runs
    // the framework's messages itself; where the host's pump runs them, they come after the
    // editor has gone, and the framework drops those whose component is gone.
    juce::PopupMenu::dismissAllActiveMenus();

    if (auto* modal = juce::ModalComponentManager::getInstanceWithoutCreating())
        modal->cancelAllModalComponents();

    call.processPendingEvents();

    editorComp.reset(); // the editor tells its processor that it goes
    editorLoop.reset();
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
