#pragma once

#include "script/CMC_Object.h"

#include <cstdint>
#include <vector>

class MediaWindow;

namespace platform {
class Joystick;
}

// The JOYSTICK script object: the first attached game controller. Each tick reads it and
// queues the buttons that went down or up and the larger movements of its three axes; the
// frame's flush raises them as "ONBUTTONDOWN^n", "ONBUTTONUP^n" and "ONMOVE^axis", each
// plainly when nothing handled the first form ("ONMOVE" tries "ONMOVE^direction" in between).
// The JOYSTICK made last is the one the window ticks and flushes. Its name is always
// "JOYSTICK".
class CMC_Joystick : public CMC_Object {
public:
    static constexpr int TYPE = 2023;
    // Larger changes of the first axis are reported at once; of the others, when more than
    // kSlowAxisPolls polls in a row saw them.
    static constexpr int kFirstAxisThreshold = 50;
    static constexpr int kOtherAxisThreshold = 300;
    static constexpr int kSlowAxisPolls = 3;

    // Takes the controller of the container's window (none without a window or a controller);
    // nothing is bound (compiled scenes read the bindings afterwards).
    explicit CMC_Joystick(CMC_ObjectsContainer* container);
    // The same with the element's signal properties bound.
    CMC_Joystick(CMC_ObjectsContainer* container, CMElement* element);
    ~CMC_Joystick() override;

    // The JOYSTICK made last, while it lives.
    static CMC_Joystick* getIfc() { return singleton_; }

    const CMC_SignalList* getBehavioursList() override;

    // Whether button n was held at the last tick; false for a button the controller lacks.
    bool getButtonState(int n) const;
    // The last reported value of axis 0 (X), 1 (Y) or 2 (Z); -1 before the first report and
    // for any other axis.
    int getAxis(int i) const;
    MediaWindow* getWindow() const { return window_; }

    // One reading: nothing while no controller is attached, and one attempt to take a
    // controller that came meanwhile.
    void tick();
    // Raises the queued events when deliver is set; the queue is empty afterwards.
    void flushSignals(bool deliver);

private:
    struct Event {
        enum Kind { BUTTON_DOWN = 1, BUTTON_UP = 2, MOVE = 3 };
        Kind kind;
        int button;
        const char* axis;
        const char* direction;
    };

    // A slow axis reports after several polls of large movement, and at every poll after that
    // until a quiet one.
    void pollSlowAxis(int32_t value, int32_t& last, int& counter, const char* axis, const char* more,
                      const char* less);
    void raise(const Event& event);

    static CMC_Joystick* singleton_;

    MediaWindow* window_;
    platform::Joystick* device_ = nullptr;
    std::vector<uint8_t> buttons_;
    int32_t lastX_ = -1;
    int32_t lastY_ = -1;
    int32_t lastZ_ = -1;
    int counterY_ = 0;
    int counterZ_ = 0;
    std::vector<Event> queue_;
};
