#pragma once

#include "plugin/vst/AEffect.h"

class AEffEditor;

// The plug-in object behind one effect record. It owns the record, fills it with the library's
// entry functions, turns each host request (opcodes 0 to 24) into a call of one of its virtual
// operations, and offers helpers that call back into the host.
//
// The virtual operations are declared in their fixed slot order; a derived object overrides
// what it answers and leaves every other request to the defaults here. The host deletes the
// object by sending effClose through the record's dispatcher entry.
class AudioEffect
{
public:
    AudioEffect (audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);

    // Deletes the editor object, if any.
    virtual ~AudioEffect();

    // Opcodes 0 to 24; 0 for every other opcode.
    virtual VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setSampleRate (float newSampleRate);
    virtual void setBlockSize (VstInt32 newBlockSize);

    virtual void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames) {}

    virtual void setParameter (VstInt32 index, float value) {}
    virtual float getParameter (VstInt32 index) { return 0.0f; }
    // Sets the parameter on this object first, then tells the host (audioMasterAutomate).
    virtual void setParameterAutomated (VstInt32 index, float value);

    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgram (VstInt32 program) { curProgram = program; }
    virtual void setProgramName (char* name) {}
    virtual void getProgramName (char* name);

    virtual void getParameterLabel (VstInt32 index, char* label);
    virtual void getParameterDisplay (VstInt32 index, char* text);
    virtual void getParameterName (VstInt32 index, char* text);

    virtual VstInt32 getChunk (void** data, bool isPreset) { return 0; }
    virtual VstInt32 setChunk (void* data, VstInt32 byteSize, bool isPreset) { return 0; }

    // Record setters.
    virtual void setUniqueID (VstInt32 iD);
    virtual void setNumInputs (VstInt32 inputs);
    virtual void setNumOutputs (VstInt32 outputs);
    virtual void canProcessReplacing (bool state = true);
    virtual void canDoubleReplacing (bool state = true);
    virtual void programsAreChunks (bool state = true);
    virtual void setInitialDelay (VstInt32 delay);

    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual VstInt32 getBlockSize() { return blockSize; }

    // Host helpers.
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();

    // Text helpers: each writes at most maxLen characters and a NUL into text, which holds
    // maxLen + 1 bytes. Numbers fill a field of eight characters, digits truncated.
    virtual void dB2string (float value, char* text, VstInt32 maxLen);
    virtual void Hz2string (float samples, char* text, VstInt32 maxLen);
    virtual void ms2string (float samples, char* text, VstInt32 maxLen);
    virtual void float2string (float value, char* text, VstInt32 maxLen);
    virtual void int2string (VstInt32 value, char* text, VstInt32 maxLen);

    // Accumulating process (deprecated).
    virtual void process (float** inputs, float** outputs, VstInt32 sampleFrames) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu (bool state = true);
    virtual void hasClip (bool state = true);
    virtual void canMono (bool state = true);
    virtual void setRealtimeQualities (VstInt32 qualities);
    virtual void setOfflineQualities (VstInt32 qualities);
    virtual bool isInputConnected (VstInt32 input);
    virtual bool isOutputConnected (VstInt32 output);

protected:
    // Sets or clears one bit of the record's flags.
    void setFlag (VstInt32 flag, bool state);

    audioMasterCallback audioMaster = nullptr;   // may be null: every helper tests it
    AEffEditor* editor = nullptr;                // owned
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms = 0;
    VstInt32 numParams = 0;
    VstInt32 curProgram = 0;
    AEffect cEffect;                             // the record whose address the host holds

private:
    AudioEffect (const AudioEffect&) = delete;
    AudioEffect& operator= (const AudioEffect&) = delete;
};
