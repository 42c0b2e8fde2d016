#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"

#include <cstdint>
#include <utility>
#include <vector>

class CGraphicsObject;
class CMC_Button;
class GraphicsUnit;
class GraphicsWindow;
class CXVector;

// The kinds of mouse event that the window reports.
enum _event {
    EVENT_NONE = 0,
    EVENT_MOUSEMOVE = 1,
    EVENT_LBUTTONDOWN = 2,
    EVENT_LBUTTONUP = 4,
    EVENT_RBUTTONDOWN = 8,
    EVENT_RBUTTONUP = 16,
    EVENT_MBUTTONDOWN = 32,
    EVENT_MBUTTONUP = 64,
    EVENT_LBUTTONDBLCLK = 65,
};

// A mouse-sensitive area, a fixed rectangle or the shape of a graphics object. Every hot spot
// of the process is in one list, which the window hands each mouse event before its mouse
// listeners; the spot of the highest priority under the pointer takes it. Subclasses (buttons)
// override the handlers, which return a value above 0 when they consumed the event.
class CHotSpot : public CXObject {
public:
    explicit CHotSpot(GraphicsWindow* window);
    // The event and the value are kept and not used.
    CHotSpot(GraphicsWindow* window, _event event, int param);
    // A spot that stands in for another one (the owner's) is not listed itself.
    CHotSpot(GraphicsWindow* window, CHotSpot* other, _event event, int param, CMC_Button* button);
    ~CHotSpot() override;
    // A copy has a rectangle of its own and is not listed.
    CHotSpot(const CHotSpot& other);
    CHotSpot& operator=(const CHotSpot& other);

    // Makes the list (and takes the window) when there is none yet.
    static void initialize(GraphicsWindow* window);
    // Forgets the list; a later hot spot starts a new one.
    static void done();
    static bool add(CHotSpot* spot);
    static bool remove(CHotSpot* spot);
    static void setMinPriority(int priority) { minPriority_ = priority; }
    static void setMaxPriority(int priority) { maxPriority_ = priority; }
    static int getMinPriority() { return minPriority_; }
    static int getMaxPriority() { return maxPriority_; }

    // The enabled spot of the greatest priority within the priority window that the point
    // hits; the first registered among equals. Priorities below 0 are never found.
    static CHotSpot* findAt(CXVector* list, CXPoint p);
    // The window's entry: moves, left presses and releases and right presses reach the spots;
    // the other kinds give 0, an unknown kind gives the value back.
    static int OnMouseEvent(int kind, CXPoint p, int value);
    // Keys reach no hot spot.
    static int OnChar(int key, int flags);

    // Takes the object's shape (the rectangle is emptied); event and param are not used.
    int Set(CGraphicsObject* object, _event event, int param);
    // Takes the rectangle (the object is forgotten); event and param are not used.
    int SetActiveRect(CXRect rect, _event event, int param);
    // Disabled spots are never hit; a rectangle with an area decides, else the object's shape.
    bool TestHit(CXPoint p);
    // Disabling the spot while the pointer is elsewhere restores the window's main cursor.
    void Enable(bool enabled);
    bool IsEnabled() const { return enabled_; }
    void EnableCursor(bool on) { cursor_ = on; }
    void SetID(int id) { id_ = id; }
    int GetID() const { return id_; }
    // Handed to every handler as its last argument.
    void SetParent(CXObject* parent) { parent_ = parent; }
    // With a unit, the spot is found only while the unit is active.
    void setUnit(GraphicsUnit* unit) { unit_ = unit; }
    GraphicsUnit* getUnit() const { return unit_; }
    bool isOver() const { return over_; }
    // Kept for the button that owns the spot.
    void setMCButton(CMC_Button* button) { button_ = button; }
    CMC_Button* getMCButton() const { return button_; }

    // Handlers: each answers above 0 when it consumed the event. The dispatch calls only the
    // moves, the left button's press and release, the right button's press and the focus
    // changes; the others are there for the owners to call.
    virtual int OnMouseMove(CXPoint, int, void*) { return 0; }
    virtual int OnLButtonDown(CXPoint, int, void*) { return 0; }
    virtual int OnLButtonUp(CXPoint, int, void*) { return 0; }
    virtual int OnRButtonDown(CXPoint, int, void*) { return 0; }
    virtual int OnRButtonUp(CXPoint, int, void*) { return 0; }
    virtual int OnLButtonDblClk(CXPoint, int, void*) { return 0; }
    virtual int OnMButtonDown(CXPoint, int, void*) { return 0; }
    virtual int OnMButtonUp(CXPoint, int, void*) { return 0; }
    virtual int OnKeyDown(int, int, void*) { return 0; }
    virtual int OnKeyUp(int, int, void*) { return 0; }
    virtual int OnChar(int, int, void*) { return 0; }
    virtual void setPriority(int priority) { priority_ = priority; }
    // The object's priority on the window's screen when the spot has an object, else its own.
    virtual int getPriority();
    virtual int OnDrag(CXPoint, int, void*) { return 0; }
    // The pointer entered the spot, or left it.
    virtual int OnFocusOn(CXPoint, int, void*) { return 0; }
    virtual int OnFocusOff(CXPoint, int, void*) { return 0; }
    virtual int OnKeyTyped(int, void*) { return 0; }

protected:
    // Whether the pointer counts as over the spot: only a spot it is over can be left.
    void setOver(bool over);

private:
    // The spots as a dispatch found them: handlers may delete spots, or make new ones at the
    // same address, so once the list has changed each later use checks that the very same
    // spot is still listed.
    struct Snapshot {
        std::vector<std::pair<CHotSpot*, uint64_t>> spots;
        uint64_t listChanges;
    };
    // The spots of the list, or those that the pointer is over.
    static Snapshot snapshot(bool onlyOver);
    static bool isLive(const Snapshot& taken, const std::pair<CHotSpot*, uint64_t>& entry);

    // Where the listed spots can be hit, in list order: no point outside a spot's box hits it.
    // A shape that its object's position and size do not bound spans the whole plane.
    struct Reaches {
        std::vector<CXRect> boxes;
        std::vector<CHotSpot*> spots;
    };
    // The list, the spots' shapes and every raster's geometry as the reaches were taken.
    struct ReachStamp {
        uint64_t listChanges = ~uint64_t{0};
        uint64_t shapeChanges = 0;
        uint64_t geometryChanges = 0;
        bool operator==(const ReachStamp&) const = default;
    };
    CXRect reach();
    // The reaches, taken again only once something they depend on changed, so that a search
    // rejects most spots without touching them.
    static const Reaches& reaches();

    static int dispatchMove(CXPoint p, int value);
    static int dispatchLeftButton(CXPoint p, int value, bool down);
    static int dispatchRightButton(CXPoint p, int value);
    bool withinPriorityWindow();
    bool unitAllows();
    static void showMainCursor();

    static CXVector* list_;
    static GraphicsWindow* window_;
    static int minPriority_;
    static int maxPriority_;
    static uint64_t nextSerial_;
    // Counts the spots added to the list and taken from it.
    static uint64_t listChanges_;
    // Counts the changes of the spots' rectangles and objects.
    static uint64_t shapeChanges_;
    static Reaches reaches_;
    static ReachStamp reachesTaken_;
    // The spots that the pointer is over, listed or not, so that the leave pass of a move
    // finds them without touching every spot.
    static std::vector<CHotSpot*> overSpots_;

    uint64_t serial_;
    CXObject* parent_ = nullptr;
    int id_ = -1;
    CXRect activeRect_;
    CGraphicsObject* object_ = nullptr;
    int param_ = 0;
    _event event_ = EVENT_NONE;
    bool enabled_ = true;
    bool cursor_ = true;
    bool over_ = false;
    GraphicsUnit* unit_ = nullptr;
    int priority_ = 0;
    CMC_Button* button_ = nullptr;
};
