#pragma once

#include "plugin/vst/AEffEditor.h"
#include "plugin/vst/AudioEffectX.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// What the tests drive the base classes with: a host callback that records every request into
// one list of calls, an effect that records every virtual operation the dispatchers reach into the
// same list (so the order of operations and host requests shows), and an editor object that does
// the same. Each test starts from an empty list.
namespace vsttest
{
    inline std::vector<std::string> calls;

    // Answers that the recording overrides and the host callback give back.
    inline bool boolAnswer = true;
    inline VstInt32 intAnswer = -3;
    inline VstIntPtr hostAnswer = 0;

    inline int effectsAlive = 0;
    inline int editorsAlive = 0;

    inline void formatArg (std::ostringstream& out, bool v)             { out << (v ? "true" : "false"); }
    inline void formatArg (std::ostringstream& out, const void* p)      { out << "p" << reinterpret_cast<std::uintptr_t> (p); }
    inline void formatArg (std::ostringstream& out, float v)            { out << v; }
    inline void formatArg (std::ostringstream& out, double v)           { out << v; }
    inline void formatArg (std::ostringstream& out, long long v)        { out << v; }
    inline void formatArg (std::ostringstream& out, int v)              { out << v; }
    inline void formatArg (std::ostringstream& out, long v)             { out << v; }
    inline void formatArg (std::ostringstream& out, unsigned v)         { out << v; }

    // "name(arg,arg,...)": the form in which calls are logged and expected.
    template <typename... Args>
    std::string call (const char* name, Args... args)
    {
        std::ostringstream out;
        out << name << "(";
        [[maybe_unused]] const char* separator = "";
        ((out << separator, formatArg (out, args), separator = ","), ...);
        out << ")";
        return out.str();
    }

    template <typename... Args>
    void record (const char* name, Args... args)
    {
        calls.push_back (call (name, args...));
    }

    // The host's view of one request; `effect` is checked by the tests separately.
    inline AEffect* lastHostEffect = nullptr;

    inline std::string hostCall (VstInt32 opcode, VstInt32 index, VstIntPtr value, const void* ptr, float opt)
    {
        return call ("host", opcode, index, (long long) value, ptr, opt);
    }

    inline VstIntPtr VSTCALLBACK recordingHost (AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                VstIntPtr value, void* ptr, float opt)
    {
        lastHostEffect = effect;
        calls.push_back (hostCall (opcode, index, value, ptr, opt));
        return hostAnswer;
    }

    inline void reset()
    {
        calls.clear();
        boolAnswer = true;
        intAnswer = -3;
        hostAnswer = 0;
        lastHostEffect = nullptr;
    }

    // A distinct address to pass as a pointer argument; never dereferenced by the base.
    template <typename T>
    T* fakePointer (std::uintptr_t n)
    {
        return reinterpret_cast<T*> (n * 0x100);
    }

    //==============================================================================
    class RecordingEditor : public AEffEditor
    {
    public:
        RecordingEditor()           { ++editorsAlive; }
        ~RecordingEditor() override { --editorsAlive; }

        bool getRect (ERect** rect) override        { record ("getRect", (const void*) rect); return boolAnswer; }
        bool open (void* parentWindow) override     { record ("editorOpen", (const void*) parentWindow); return boolAnswer; }
        void close() override                       { record ("editorClose"); }
        void idle() override                        { record ("idle"); }

        bool onKeyDown (VstKeyCode& key) override
        {
            record ("onKeyDown", (int) key.character, (int) key.virt, (int) key.modifier);
            return boolAnswer;
        }

        bool onKeyUp (VstKeyCode& key) override
        {
            record ("onKeyUp", (int) key.character, (int) key.virt, (int) key.modifier);
            return boolAnswer;
        }

        bool setKnobMode (VstInt32 mode) override   { record ("setKnobMode", mode); return boolAnswer; }
    };

    //==============================================================================
    // Supplies only what every plug-in object must: the base's defaults answer the rest.
    class MinimalEffect : public AudioEffectX
    {
    public:
        MinimalEffect (audioMasterCallback host, VstInt32 programs = 0, VstInt32 params = 0)
            : AudioEffectX (host, programs, params)
        {
            ++effectsAlive;
        }

        ~MinimalEffect() override { --effectsAlive; }

        void processReplacing (float**, float**, VstInt32 frames) override { record ("processReplacing", frames); }

        bool canParameterBeAutomated (VstInt32) override                      { return false; }
        bool getProgramNameIndexed (VstInt32, VstInt32, char*) override       { return false; }
        bool getInputProperties (VstInt32, VstPinProperties*) override        { return false; }
        bool getOutputProperties (VstInt32, VstPinProperties*) override       { return false; }
        bool setSpeakerArrangement (VstSpeakerArrangement*, VstSpeakerArrangement*) override { return false; }
        VstInt32 processEvents (VstEvents*) override                          { return 0; }
        bool getEffectName (char*) override                                   { return false; }
        bool getVendorString (char*) override                                 { return false; }
        bool getProductString (char*) override                                { return false; }
        VstInt32 getVendorVersion() override                                  { return 0; }
        VstInt32 canDo (char*) override                                       { return 0; }
        VstInt32 getPlugCategory() override                                   { return 0; }

        // The protected state, for the tests to look at.
        void setEditor (AEffEditor* e)   { editor = e; }
        VstInt32 currentProgram() const  { return curProgram; }
        float rate() const               { return sampleRate; }
        VstInt32 block() const           { return blockSize; }

        // Sends a request the way a host does: through the record's dispatcher entry.
        VstIntPtr send (VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
        {
            return cEffect.dispatcher (&cEffect, opcode, index, value, ptr, opt);
        }
    };

    //==============================================================================
    // Records every operation that a dispatcher or an entry function reaches, with its arguments,
    // and answers with boolAnswer / intAnswer.
    class RecordingEffect : public MinimalEffect
    {
    public:
        using MinimalEffect::MinimalEffect;

        void open() override                                          { record ("open"); }
        void close() override                                         { record ("close"); }
        void suspend() override                                       { record ("suspend"); }
        void resume() override                                        { record ("resume"); }
        void setSampleRate (float r) override                         { record ("setSampleRate", r); }
        void setBlockSize (VstInt32 b) override                       { record ("setBlockSize", b); }
        void processDoubleReplacing (double**, double**, VstInt32 n) override { record ("processDoubleReplacing", n); }
        void process (float**, float**, VstInt32 n) override          { record ("process", n); }

        void setParameter (VstInt32 index, float value) override
        {
            record ("setParameter", index, value);
            lastIndex = index;
            lastValue = value;
        }

        float getParameter (VstInt32 index) override
        {
            record ("getParameter", index);
            return index == lastIndex ? lastValue : 0.0f;
        }

        VstInt32 getProgram() override                                { record ("getProgram"); return intAnswer; }
        void setProgram (VstInt32 p) override                         { record ("setProgram", p); }
        void setProgramName (char* t) override                        { record ("setProgramName", (const void*) t); }
        void getProgramName (char* t) override                        { record ("getProgramName", (const void*) t); }
        void getParameterLabel (VstInt32 i, char* t) override         { record ("getParameterLabel", i, (const void*) t); }
        void getParameterDisplay (VstInt32 i, char* t) override       { record ("getParameterDisplay", i, (const void*) t); }
        void getParameterName (VstInt32 i, char* t) override          { record ("getParameterName", i, (const void*) t); }
        VstInt32 getChunk (void** d, bool preset) override            { record ("getChunk", (const void*) d, preset); return intAnswer; }

        VstInt32 setChunk (void* d, VstInt32 size, bool preset) override
        {
            record ("setChunk", (const void*) d, size, preset);
            return intAnswer;
        }

        VstInt32 processEvents (VstEvents* e) override                { record ("processEvents", (const void*) e); return intAnswer; }
        bool canParameterBeAutomated (VstInt32 i) override            { record ("canParameterBeAutomated", i); return boolAnswer; }
        bool string2parameter (VstInt32 i, char* t) override          { record ("string2parameter", i, (const void*) t); return boolAnswer; }

        bool getProgramNameIndexed (VstInt32 category, VstInt32 i, char* t) override
        {
            record ("getProgramNameIndexed", category, i, (const void*) t);
            return boolAnswer;
        }

        bool getInputProperties (VstInt32 i, VstPinProperties* p) override  { record ("getInputProperties", i, (const void*) p); return boolAnswer; }
        bool getOutputProperties (VstInt32 i, VstPinProperties* p) override { record ("getOutputProperties", i, (const void*) p); return boolAnswer; }
        VstInt32 getPlugCategory() override                           { record ("getPlugCategory"); return intAnswer; }

        bool offlineNotify (VstAudioFile* f, VstInt32 n, bool start) override
        {
            record ("offlineNotify", (const void*) f, n, start);
            return boolAnswer;
        }

        bool offlinePrepare (VstOfflineTask* t, VstInt32 n) override  { record ("offlinePrepare", (const void*) t, n); return boolAnswer; }
        bool offlineRun (VstOfflineTask* t, VstInt32 n) override      { record ("offlineRun", (const void*) t, n); return boolAnswer; }
        bool processVariableIo (VstVariableIo* v) override            { record ("processVariableIo", (const void*) v); return boolAnswer; }

        bool setSpeakerArrangement (VstSpeakerArrangement* in, VstSpeakerArrangement* out) override
        {
            record ("setSpeakerArrangement", (const void*) in, (const void*) out);
            return boolAnswer;
        }

        bool setBypass (bool onOff) override                          { record ("setBypass", onOff); return boolAnswer; }
        bool getEffectName (char* t) override                         { record ("getEffectName", (const void*) t); return boolAnswer; }
        bool getVendorString (char* t) override                       { record ("getVendorString", (const void*) t); return boolAnswer; }
        bool getProductString (char* t) override                      { record ("getProductString", (const void*) t); return boolAnswer; }
        VstInt32 getVendorVersion() override                          { record ("getVendorVersion"); return intAnswer; }

        VstIntPtr vendorSpecific (VstInt32 a, VstIntPtr b, void* p, float f) override
        {
            record ("vendorSpecific", a, (long long) b, (const void*) p, f);
            return intAnswer;
        }

        VstInt32 canDo (char* t) override                             { record ("canDo", (const void*) t); return intAnswer; }
        VstInt32 getGetTailSize() override                            { record ("getGetTailSize"); return intAnswer; }

        bool getParameterProperties (VstInt32 i, VstParameterProperties* p) override
        {
            record ("getParameterProperties", i, (const void*) p);
            return boolAnswer;
        }

        VstInt32 getVstVersion() override                             { record ("getVstVersion"); return intAnswer; }
        VstInt32 getMidiProgramName (VstInt32 c, MidiProgramName* p) override    { record ("getMidiProgramName", c, (const void*) p); return intAnswer; }
        VstInt32 getCurrentMidiProgram (VstInt32 c, MidiProgramName* p) override { record ("getCurrentMidiProgram", c, (const void*) p); return intAnswer; }
        VstInt32 getMidiProgramCategory (VstInt32 c, MidiProgramCategory* p) override { record ("getMidiProgramCategory", c, (const void*) p); return intAnswer; }
        bool hasMidiProgramsChanged (VstInt32 c) override             { record ("hasMidiProgramsChanged", c); return boolAnswer; }
        bool getMidiKeyName (VstInt32 c, MidiKeyName* k) override     { record ("getMidiKeyName", c, (const void*) k); return boolAnswer; }
        bool beginSetProgram() override                               { record ("beginSetProgram"); return boolAnswer; }
        bool endSetProgram() override                                 { record ("endSetProgram"); return boolAnswer; }

        bool getSpeakerArrangement (VstSpeakerArrangement** in, VstSpeakerArrangement** out) override
        {
            record ("getSpeakerArrangement", (const void*) in, (const void*) out);
            return boolAnswer;
        }

        VstInt32 getNextShellPlugin (char* t) override                { record ("getNextShellPlugin", (const void*) t); return intAnswer; }
        VstInt32 startProcess() override                              { record ("startProcess"); return intAnswer; }
        VstInt32 stopProcess() override                               { record ("stopProcess"); return intAnswer; }
        VstInt32 setTotalSampleToProcess (VstInt32 v) override        { record ("setTotalSampleToProcess", v); return intAnswer; }
        bool setPanLaw (VstInt32 type, float v) override              { record ("setPanLaw", type, v); return boolAnswer; }
        VstInt32 beginLoadBank (VstPatchChunkInfo* p) override        { record ("beginLoadBank", (const void*) p); return intAnswer; }
        VstInt32 beginLoadProgram (VstPatchChunkInfo* p) override     { record ("beginLoadProgram", (const void*) p); return intAnswer; }
        bool setProcessPrecision (VstInt32 p) override                { record ("setProcessPrecision", p); return boolAnswer; }
        VstInt32 getNumMidiInputChannels() override                   { record ("getNumMidiInputChannels"); return intAnswer; }
        VstInt32 getNumMidiOutputChannels() override                  { record ("getNumMidiOutputChannels"); return intAnswer; }

    private:
        VstInt32 lastIndex = -1;
        float lastValue = 0.0f;
    };
}
