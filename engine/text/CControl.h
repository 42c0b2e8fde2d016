#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "media/CKeyListener.h"
#include "text/CControlNotifier.h"

#include <vector>

class TextWindow;

// The base of the mouse-driven controls: a window, an id, an enabled flag and the observers
// of the control's events. Each event operation passes its event on, unchanged, to every
// observer in the order they were added, over the list as it stood when the event came: an
// observer added or removed meanwhile counts from the next event. An observer added twice is
// told twice.
class CControl : public CXObject, public CKeyListener {
public:
    // Told that a control it holds goes; a watcher comes and goes by itself.
    class Watcher {
    public:
        virtual void onControlGone(CControl* control) = 0;

    protected:
        ~Watcher() = default;
    };

    explicit CControl(TextWindow* window);
    // Tells its watchers that it goes.
    ~CControl() override;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    TextWindow* getWindow() const { return window_; }
    virtual void SetID(int id) { id_ = id; }
    virtual int getId() { return id_; }
    virtual void Enable(bool enabled) { enabled_ = enabled; }
    virtual bool IsEnabled() { return enabled_; }
    // A null observer is ignored.
    virtual void addNotifier(CControlNotifier* notifier);
    // Removes the first registration of the observer.
    virtual void removeNotifier(CControlNotifier* notifier);
    const std::vector<CControlNotifier*>& getNotifiers() const { return notifiers_; }
    void watch(Watcher* watcher);
    void unwatch(Watcher* watcher);

    // The events; those with a result give 0.
    virtual int onMouseMove(CXPoint p);
    virtual int onFocusOn(CXPoint p);
    virtual int onFocusOff(CXPoint p);
    virtual int onClick(CXPoint p);
    virtual int onRelease(CXPoint p);
    virtual int onRClick(CXPoint p);
    virtual void onAction(CXPoint p);
    virtual void onStartDragging(CXPoint p);
    virtual void onDragging(CXPoint p);
    virtual void onEndDragging(CXPoint p);

private:
    void tell(void (CControlNotifier::*operation)(CControl*, CXPoint), CXPoint p);

    TextWindow* window_;
    int id_ = -1;
    bool enabled_ = true;
    std::vector<CControlNotifier*> notifiers_;
    std::vector<Watcher*> watchers_;
};
