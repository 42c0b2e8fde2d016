#include "media/CDXMouse.h"

#include "media/MediaWindow.h"

CDXMouse* CDXMouse::singleton_ = nullptr;

CDXMouse::CDXMouse(MediaWindow* window)
    : window_(window)
{
    singleton_ = this;
}

CDXMouse::~CDXMouse()
{
    flushSignals(false);
    if (singleton_ == this)
        singleton_ = nullptr;
}

void CDXMouse::postMove(CXPoint p)
{
    buffer_.push_back({MOVE, p});
}

void CDXMouse::postButton(int button, bool down, CXPoint p)
{
    static constexpr Kind kDown[] = {LEFT_DOWN, MIDDLE_DOWN, RIGHT_DOWN};
    static constexpr Kind kUp[] = {LEFT_UP, MIDDLE_UP, RIGHT_UP};
    if (button < 0 || button > 2)
        return;
    buffer_.push_back({down ? kDown[button] : kUp[button], p});
}

void CDXMouse::tick()
{
    while (!buffer_.empty()) {
        const Event event = buffer_.front();
        buffer_.pop_front();
        position_ = event.position;
        eventQueue_.push_back(event);
    }
}

void CDXMouse::flushSignals(bool deliver)
{
    // The handlers run scripts, which may end up here again: the queue is taken first.
    const std::vector<Event> events = std::move(eventQueue_);
    eventQueue_.clear();
    if (!deliver)
        return;
    for (const Event& event : events) {
        switch (event.kind) {
        case MOVE: window_->OnMouseMove(event.position, 0); break;
        case LEFT_DOWN: window_->OnLButtonDown(event.position, 0); break;
        case LEFT_UP: window_->OnLButtonUp(event.position, 0); break;
        case MIDDLE_DOWN: window_->OnMButtonDown(event.position, 0); break;
        case MIDDLE_UP: window_->OnMButtonUp(event.position, 0); break;
        case RIGHT_DOWN: window_->OnRButtonDown(event.position, 0); break;
        case RIGHT_UP: window_->OnRButtonUp(event.position, 0); break;
        }
    }
}
