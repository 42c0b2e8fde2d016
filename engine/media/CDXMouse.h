#pragma once

#include "foundation/CXPoint.h"

#include <deque>
#include <vector>

class MediaWindow;

// The engine's one mouse device. The window's event pump posts moves and button changes, at
// client positions, into the device's buffer; each frame tick turns them into events and the
// frame's flush hands those to the window's mouse entry points. Double clicks and the wheel
// do not come through the device. No record is ever dropped: a lost release would leave a
// button down.
class CDXMouse {
public:
    enum Kind {
        MOVE = 1,
        LEFT_DOWN = 2,
        LEFT_UP = 3,
        MIDDLE_DOWN = 4,
        MIDDLE_UP = 5,
        RIGHT_DOWN = 6,
        RIGHT_UP = 7,
    };

    explicit CDXMouse(MediaWindow* window);
    // A last flush that delivers nothing.
    ~CDXMouse();
    CDXMouse(const CDXMouse&) = delete;
    CDXMouse& operator=(const CDXMouse&) = delete;

    // The device made last, while it lives.
    static CDXMouse* getSingleton() { return singleton_; }

    // The pointer moved to p, or a button (0 left, 1 middle, 2 right) went down or up at p.
    void postMove(CXPoint p);
    void postButton(int button, bool down, CXPoint p);
    // Turns the buffered records into events; each takes the pointer's place with it.
    void tick();
    // With deliver, hands the events to the window's entry points (flags 0); the queue empties.
    void flushSignals(bool deliver);
    // Records or events wait for the next tick or flush.
    bool hasInput() const { return !buffer_.empty() || !eventQueue_.empty(); }

    CXPoint getPosition() const { return position_; }

private:
    struct Event {
        Kind kind;
        CXPoint position;
    };

    static CDXMouse* singleton_;

    MediaWindow* window_;
    CXPoint position_;
    std::deque<Event> buffer_;
    std::vector<Event> eventQueue_;
};
