#pragma once

#include "plugin/vst/AEffect.h"

// The editor object that an effect may own (AudioEffect::editor) and to which the dispatchers
// hand the editor opcodes. The virtual operations keep a fixed order; the three reserved slots
// are never called by the dispatchers and only hold the places of the operations after them.
class AEffEditor
{
public:
    virtual ~AEffEditor() = default;
    virtual void reservedSlot1() {}
    virtual bool getRect (ERect** rect) = 0;
    virtual bool open (void* parentWindow) = 0;
    virtual void close() = 0;
    virtual void reservedSlot5() {}
    virtual void idle() = 0;
    virtual bool onKeyDown (VstKeyCode& keyCode) = 0;
    virtual bool onKeyUp (VstKeyCode& keyCode) = 0;
    virtual void reservedSlot9() {}
    virtual bool setKnobMode (VstInt32 mode) = 0;
};
