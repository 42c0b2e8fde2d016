#pragma once

#include "platform/Geometry.h"

#include <cstdint>
#include <optional>

namespace platform {

enum class EventType {
    Quit,        // the user closed the window
    Activate,    // the program gained (active) or lost the input focus
    Move,        // the window moved: position is the client area's new origin on the desktop
    Expose,      // what the window showed was lost (uncovered, resized): draw it all again
    MouseMove,   // position in client coordinates of the logical screen
    MouseDown,
    MouseUp,
    DoubleClick, // the second press of a left double click, after its MouseDown
    KeyDown,     // key: a key code of KeyCodes.h; held keys do not repeat
    KeyUp,
};

// The engine's button numbers.
enum class MouseButton { Left = 0, Middle = 1, Right = 2 };

struct Event {
    EventType type = EventType::Quit;
    Point position;
    MouseButton button = MouseButton::Left;
    int key = 0;
    bool active = false;

    static Event quit() { return {}; }
    static Event activate(bool active) { return of(EventType::Activate, {}, MouseButton::Left, 0, active); }
    static Event moved(Point origin) { return of(EventType::Move, origin); }
    static Event expose() { return of(EventType::Expose); }
    static Event mouseMove(Point p) { return of(EventType::MouseMove, p); }
    static Event mouseDown(MouseButton b, Point p) { return of(EventType::MouseDown, p, b); }
    static Event mouseUp(MouseButton b, Point p) { return of(EventType::MouseUp, p, b); }
    static Event doubleClick(Point p) { return of(EventType::DoubleClick, p); }
    static Event keyDown(int key) { return of(EventType::KeyDown, {}, MouseButton::Left, key); }
    static Event keyUp(int key) { return of(EventType::KeyUp, {}, MouseButton::Left, key); }

    bool isMouse() const
    {
        return type == EventType::MouseMove || type == EventType::MouseDown || type == EventType::MouseUp ||
               type == EventType::DoubleClick;
    }

    friend bool operator==(const Event&, const Event&) = default;

private:
    static Event of(EventType type, Point position = {}, MouseButton button = MouseButton::Left, int key = 0,
                    bool active = false)
    {
        Event event;
        event.type = type;
        event.position = position;
        event.button = button;
        event.key = key;
        event.active = active;
        return event;
    }
};

// The window's and the input devices' events, in the order they happened. Only the main
// thread takes them: there is no input thread.
class EventSource {
public:
    virtual ~EventSource() = default;

    // The next event, taken off the queue; none when nothing waits. Never blocks.
    virtual std::optional<Event> poll() = 0;

    // Sleeps until an event waits, a wake comes or the tick count reaches dueTick, whichever
    // comes first; true for an event or a wake. A due tick already reached returns at once.
    virtual bool waitUntil(uint32_t dueTick) = 0;

    // Ends the wait in progress, or else the next one, at once: work for the main thread came
    // from elsewhere. Any thread may call it.
    virtual void wake() = 0;
};

} // namespace platform
