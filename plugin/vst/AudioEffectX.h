#pragma once

#include "plugin/vst/AudioEffect.h"
#include "plugin/vst/VstSpeaker.h"

// AudioEffect with the later requests (opcodes 25 to 79), their virtual operations and more host
// helpers. The operations declared pure here are the ones that every plug-in object answers
// itself (names, vendor, capabilities, category, pins, events); all others have defaults.
class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX (audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);

    // Opcodes 25 to 79; every other opcode goes to AudioEffect::dispatcher.
    VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    virtual bool canParameterBeAutomated (VstInt32 index) = 0;
    virtual bool string2parameter (VstInt32 index, char* text) { return false; }
    virtual bool getParameterProperties (VstInt32 index, VstParameterProperties* p) { return false; }
    virtual bool beginEdit (VstInt32 index);
    virtual bool endEdit (VstInt32 index);
    virtual bool getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text) = 0;
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual VstInt32 beginLoadBank (VstPatchChunkInfo* ptr) { return 0; }
    virtual VstInt32 beginLoadProgram (VstPatchChunkInfo* ptr) { return 0; }
    virtual bool ioChanged();
    // Asks the host for its sample rate; an answer above 0 is kept.
    virtual double updateSampleRate();
    // Asks the host for its block size; an answer above 0 is kept.
    virtual VstInt32 updateBlockSize();
    virtual VstInt32 getInputLatency();
    virtual VstInt32 getOutputLatency();
    virtual bool getInputProperties (VstInt32 index, VstPinProperties* properties) = 0;
    virtual bool getOutputProperties (VstInt32 index, VstPinProperties* properties) = 0;
    virtual bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput,
                                        VstSpeakerArrangement* pluginOutput) = 0;
    virtual bool getSpeakerArrangement (VstSpeakerArrangement** pluginInput,
                                        VstSpeakerArrangement** pluginOutput);
    virtual bool setBypass (bool onOff) { return false; }
    virtual bool setPanLaw (VstInt32 type, float val) { return false; }
    virtual bool setProcessPrecision (VstInt32 precision) { return false; }
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }
    virtual VstTimeInfo* getTimeInfo (VstInt32 filter);
    virtual VstInt32 getCurrentProcessLevel();
    virtual VstInt32 getAutomationState();
    virtual VstInt32 processEvents (VstEvents* events) = 0;
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual bool processVariableIo (VstVariableIo* varIo) { return false; }
    virtual VstInt32 setTotalSampleToProcess (VstInt32 value) { return value; }
    virtual bool getHostVendorString (char* text);
    virtual bool getHostProductString (char* text);
    virtual VstInt32 getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific (VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg);
    virtual VstInt32 canHostDo (char* text);
    virtual VstInt32 getHostLanguage();
    virtual void isSynth (bool state = true);
    virtual void noTail (bool state = true);
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual void* getDirectory();
    virtual bool getEffectName (char* name) = 0;
    virtual bool getVendorString (char* text) = 0;
    virtual bool getProductString (char* text) = 0;
    virtual VstInt32 getVendorVersion() = 0;
    virtual VstIntPtr vendorSpecific (VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg) { return 0; }
    virtual VstInt32 canDo (char* text) = 0;
    virtual VstInt32 getVstVersion() { return 2400; }
    virtual VstInt32 getPlugCategory() = 0;
    virtual VstInt32 getMidiProgramName (VstInt32 channel, MidiProgramName* midiProgramName) { return 0; }
    virtual VstInt32 getCurrentMidiProgram (VstInt32 channel, MidiProgramName* currentProgram) { return -1; }
    virtual VstInt32 getMidiProgramCategory (VstInt32 channel, MidiProgramCategory* category) { return 0; }
    virtual bool hasMidiProgramsChanged (VstInt32 channel) { return false; }
    virtual bool getMidiKeyName (VstInt32 channel, MidiKeyName* keyName) { return false; }
    virtual bool updateDisplay();
    virtual bool sizeWindow (VstInt32 width, VstInt32 height);
    virtual bool openFileSelector (VstFileSelect* ptr);
    virtual bool closeFileSelector (VstFileSelect* ptr);
    virtual VstInt32 getNextShellPlugin (char* name) { return 0; }

    // Speaker arrangements: blocks of arrangementBytes (numChannels) bytes, zeroed when made.
    virtual bool allocateArrangement (VstSpeakerArrangement** arrangement, VstInt32 nbChannels);
    virtual bool deallocateArrangement (VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker (VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement (VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    virtual bool offlineRead (VstOfflineTask* offline, VstInt32 option, bool readSource = true);
    virtual bool offlineWrite (VstOfflineTask* offline, VstInt32 option);
    virtual bool offlineStart (VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles);
    virtual VstInt32 offlineGetCurrentPass();
    virtual VstInt32 offlineGetCurrentMetaPass();
    virtual bool offlineNotify (VstAudioFile* ptr, VstInt32 numAudioFiles, bool start) { return false; }
    virtual bool offlinePrepare (VstOfflineTask* offline, VstInt32 count) { return false; }
    virtual bool offlineRun (VstOfflineTask* offline, VstInt32 count) { return false; }
    virtual VstInt32 offlineGetNumPasses() { return 0; }
    virtual VstInt32 offlineGetNumMetaPasses() { return 0; }

    virtual void wantEvents (VstInt32 filter = 1);
    virtual VstInt32 tempoAt (VstInt32 pos);
    virtual VstInt32 getNumAutomatableParameters();
    virtual VstInt32 getParameterQuantization();
    virtual VstInt32 getNumCategories() { return 1; }
    virtual bool copyProgram (VstInt32 destination) { return false; }
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug (VstInt32 input);
    virtual AEffect* getNextPlug (VstInt32 output);
    virtual void inputConnected (VstInt32 index, bool state) {}
    virtual void outputConnected (VstInt32 index, bool state) {}
    virtual VstInt32 willProcessReplacing();
    virtual void wantAsyncOperation (bool state = true);
    virtual void hasExternalBuffer (bool state = true);
    virtual VstInt32 reportCurrentPosition() { return 0; }
    virtual float* reportDestinationBuffer() { return nullptr; }
    virtual void setOutputSamplerate (float samplerate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow (VstWindow* window);
    virtual bool closeWindow (VstWindow* window);
    virtual void setBlockSizeAndSampleRate (VstInt32 newBlockSize, float newSampleRate);
    virtual bool getErrorText (char* text) { return false; }
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition (VstInt32 x, VstInt32 y) { return false; }
    virtual VstInt32 fxIdle() { return 0; }
    virtual bool keysRequired() { return false; }
    virtual bool getChunkFile (void* nativePath);
};
