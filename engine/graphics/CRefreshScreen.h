#pragma once

#include "foundation/CSortedVector.h"
#include "graphics/CGraphicsObject.h"

class CCanvasObserver;
class CDirectDrawSurface;
class CDrawListIndex;
class CRefreshRegion;
class CSurface;

// One entry of the draw list: a graphics object (not owned), its priority and its flags.
class CValidationElement : public CXObject {
public:
    CValidationElement(CGraphicsObject* object, int priority);

    // 1 when the other entry's priority is lower than this one's, so that the sorted draw list
    // runs in ascending priority and equal priorities keep their order of insertion.
    int compare(CXObject* other) override;

    CGraphicsObject* getObject() const { return object_; }
    int getPriority() const { return priority_; }
    // Marks of the entry's owner (an animation kept on top sets 1); drawing gives them no meaning.
    int getFlags() const { return flags_; }
    void setFlags(int flags) { flags_ = flags; }
    // Set while a frame's drawing pass has drawn the object whole.
    void setMark(bool mark) { mark_ = mark; }
    bool isMarked() const { return mark_; }

private:
    bool mark_ = false;
    CGraphicsObject* object_;
    int32_t priority_;
    int32_t flags_ = 0;
};

// The draw list: entries in ascending priority, lower drawn first. It owns its entries.
class CValidationQuene : public CSortedVector {
public:
    CValidationQuene();
    CValidationQuene(const CValidationQuene&) = delete;
    CValidationQuene& operator=(const CValidationQuene&) = delete;
    ~CValidationQuene() override;

    using CSortedVector::add;
    // A new entry with flags 0, which it returns; the third argument is not used.
    CValidationElement* add(CGraphicsObject* object, int priority, int flags);
    CValidationElement* find(CGraphicsObject* object) const;
    int getIndex(CGraphicsObject* object) const;
    // Removes and deletes the first entry of the object.
    void remove(CGraphicsObject* object);
    void removeAll();
    void clearMarks();
    CValidationElement* entry(int i) const { return static_cast<CValidationElement*>(at(i)); }
};

// The screen composer: one per engine window. It keeps every graphics object that is on screen
// in its draw list by priority, the dirty region of the screen and the background. Each frame
// it paints the background into the dirty rectangles and redraws, lowest priority first, the
// objects that changed or that lie in them, into the window's drawing surface. The objects
// tell it when they move, resize, become dirty or are shown, so that a frame looks only at
// them and at what lies in its dirty rectangles.
class CRefreshScreen : public CGraphicsObject {
public:
    // Flag of the screen itself (SetFlags with no object): every frame ends in grey.
    static constexpr int kGreyFlag = 2;

    // The screen's size and depth are the window's; the screen has no pixels of its own: it
    // draws into the surface that each frame hands it.
    explicit CRefreshScreen(GraphicsWindow* window);
    CRefreshScreen(const CRefreshScreen&) = delete;
    CRefreshScreen& operator=(const CRefreshScreen&) = delete;
    ~CRefreshScreen() override;

    // The frame: until the running scene's screen unit had its initial update, runs that update
    // instead, sets *initialUpdateDone and draws nothing (false). Otherwise one drawing pass into
    // back; true when something was dirty. The screen surface is not used.
    bool Redraw(CDirectDrawSurface* back, CSurface* primary, bool* initialUpdateDone);

    // Lists the object at the priority; a null or already listed object, and the screen
    // itself, are ignored.
    void put(CGraphicsObject* object, int priority);
    // put at priority 0.
    CRefreshScreen& operator<<(CGraphicsObject* object);
    // Takes the object off the draw list; the object itself stays. A null object is ignored.
    CRefreshScreen& operator>>(CGraphicsObject* object);
    // Moves the object behind every entry of the new priority; its flags become 0.
    void SetPriority(CGraphicsObject* object, int priority);
    int GetPriority(CGraphicsObject* object);
    int getIndex(CGraphicsObject* object);
    using CGraphicsObject::GetFlags;
    using CGraphicsObject::SetFlags;
    // The entry's flags; 0 when the object is not listed.
    int GetFlags(CGraphicsObject* object);
    // With no object, the screen's own flags; false when the object is not listed.
    bool SetFlags(CGraphicsObject* object, int flags);
    // Shows or hides every listed object; the screen itself stays as it is.
    void Visible(bool visible) override;
    // Deletes every entry; the objects stay.
    void Empty();

    using CGraphicsObject::Invalidate;
    // The object's area, when it is visible and listed.
    void Invalidate(CGraphicsObject* object);
    // The object moved, changed size, was marked dirty or was shown: the next frame looks at it.
    void objectChanged(CGraphicsObject* object);
    // The rectangle within the screen becomes dirty; null makes the whole screen dirty.
    void Invalidate(CXRect* rect) override;
    void validate();
    CRefreshRegion* getRefreshList() const { return region_; }
    // The next frame has something to draw or someone to tell of it: a dirty area, canvas
    // observers, which hear of every frame, or a screen unit waiting for its initial update.
    bool hasFrameWork() const;

    // The object of the highest priority at the point, the latest drawn among equals; bounds
    // below 0 leave that side open. An object with an alpha plane is hit only where it is not
    // transparent, unless ignoreAlpha. Priorities below -1 are never hit.
    virtual CGraphicsObject* getGraphicsAt(int x, int y, bool onlyVisible, int minPriority, int maxPriority,
                                           bool ignoreAlpha);

    // The background: a picture (drawn once into a surface of the screen's depth), a colour
    // over the whole screen (null: RGB 7, 7, 7), a surface taken over, or a picture file. A file
    // that does not load leaves the background as it was.
    void SetBackground(CGraphicsObject* picture);
    void SetBackground(CColor* colour);
    void setBackground(CDirectDrawSurface* surface);
    void SetBackground(const CXString& fileName);
    // Deletes the picture that SetBackground(fileName) loaded.
    void flush();
    // The background's surface; null without one.
    CGraphicsObject* getBackgroundIfc();

    // A screen shot: the last composed frame written as a picture file; nothing before the first.
    int Save(const CXString& fileName, _compression compression) override;
    using CGraphicsObject::Save;

    void addNotifier(CCanvasObserver* observer);
    void removeNotifier(CCanvasObserver* observer);
    // Code 0 initial update, 1 update, 2 updated, 3 focus on, 4 focus off; others call nothing.
    void notify(int code);
    void enableNotifyFlag(bool enabled) { notifyEnabled_ = enabled; }
    virtual void onFocusOn();
    virtual void onFocusOff();

    int getFrameCounter() const { return frameCounter_; }
    // While a frame is composed: the observers told meanwhile must not compose another inside it.
    bool isComposing() const { return composing_; }
    // The surface the last frame was composed into; none before the first frame.
    CDirectDrawSurface* getLastSurface() const { return lastBack_; }

private:
    class CBackgroundManager;

    // The frame of Redraw, outside any other.
    bool compose(CDirectDrawSurface* back, bool* initialUpdateDone);
    // Draws the frame into back; true when something was dirty.
    bool drawPass(CDirectDrawSurface* back);
    // One entry of the pass: drawn whole when it is marked dirty, else where it overlaps the
    // dirty rectangles.
    void visit(CValidationElement* element, CDirectDrawSurface* back, bool whole);
    void drawInvalidated(CGraphicsObject* object, CDirectDrawSurface* back);
    // Draws the object into the dirty rectangles it overlaps; true when one covered it whole.
    bool drawInDirtyRects(CGraphicsObject* object, CDirectDrawSurface* back, bool whole);
    CXRect screenRect() { return CXRect(0, 0, Width(), Height()); }

    CDirectDrawSurface* lastBack_ = nullptr;
    int32_t screenFlags_ = 0;
    int32_t frameCounter_ = 0;
    CRefreshRegion* region_;
    CXArray* canvasObservers_ = nullptr;
    CGraphicsObject* backgroundPicture_ = nullptr;
    bool notifyEnabled_ = false;
    bool composing_ = false;
    CBackgroundManager* background_;
    CValidationQuene* queue_;
    CDrawListIndex* index_;
};
