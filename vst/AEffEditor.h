// The editor interface, as far as the dispatchers forward to it.
//
// This module never attaches an editor (hosts show the parameters through
// their generic controls); the class exists so that the base classes can own
// one and forward the editor opcodes the way the interface describes.
#pragma once

#include "VstInterface.h"

struct ERect {
    std::int16_t top, left, bottom, right;
};

class AEffEditor {
public:
    virtual ~AEffEditor() = default;

    // All of these are called on the host's user-interface thread.
    virtual bool getRect(ERect** rect) = 0;
    virtual bool open(void* parentWindow) = 0;
    virtual void close() = 0;
    virtual void idle() = 0;
    virtual bool onKeyDown(VstKeyCode& keyCode) = 0;
    virtual bool onKeyUp(VstKeyCode& keyCode) = 0;
    virtual bool setKnobMode(VstInt32 mode) = 0;
};
