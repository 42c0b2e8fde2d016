#pragma once

// Told by the window of every key that goes up or down (DirectInput key codes) and of every
// character typed (Windows-1250).
class CKeyListener {
public:
    virtual ~CKeyListener() = default;
    virtual void onKeyUp(int) {}
    virtual void onKeyDown(int) {}
    virtual void onChar(unsigned char) {}
};
