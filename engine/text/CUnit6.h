#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXRect.h"
#include "foundation/CXString.h"
#include "graphics/CRandomPlayable.h"
#include "graphics/GraphicsUnit.h"
#include "media/CKeyListener.h"
#include "media/CMouseListener.h"
#include "text/CControl.h"

#include <memory>
#include <vector>

class CEditBox6;
class CGraphicsObject;
class UnitScene;
class CMElements;
class CPlayable;
class CResourcesManager;
class CSimpleFont6;
class TextWindow;

// The screen unit: what the running scene shows and hears beyond its script objects, its
// background and its music, the playables it plays at random, the resources the scene's
// objects share by file name, its edit boxes with the keyboard focus among them, and the
// dragging of pictures. One unit serves every scene in turn: a scene binds it while it runs,
// renamed after the scene, and unbinds it when it unloads.
//
// A drag moves a picture with the pointer above everything else, and tells the control that
// started it of every step; it ends at the release of the button, or, in the drop-on-click
// mode, at the next press. The unit never consumes a mouse event.
class CUnit6 : public CXObject,
               public GraphicsUnit,
               public CMouseListener,
               public CKeyListener,
               public CRandomPlayableNotifier,
               public CControlNotifier,
               private CControl::Watcher {
public:
    // The unit listens to the window's mouse and keys at this priority while it is bound.
    static constexpr int kListenerPriority = 100000;
    // A dragged picture's screen priority.
    static constexpr int kDraggedPriority = 10000;

    CUnit6(TextWindow* window, const CXString& name);

    // The unit that scenes share; none before the first scene.
    static CUnit6* getDefault() { return static_cast<CUnit6*>(MediaUnit::getDefault()); }
    ~CUnit6() override;
    CUnit6(const CUnit6&) = delete;
    CUnit6& operator=(const CUnit6&) = delete;

    CXString getUnitName() const { return unitName_; }
    void setUnitName(const CXString& name) { unitName_ = name; }

    // Binds the unit to the scene: it becomes active, takes over the previous unit's music
    // (so that the same music plays on), sets the background and listens to the window.
    // Returns true.
    virtual bool initialize(UnitScene* scene, CUnit6* previous);
    // Unbinds the unit: it stops playing at random, lets go of the scene's shared resources,
    // the screen of its background, the unit of its scene and of the window's mouse and keys.
    // An unbound unit may be unbound again. Returns true.
    virtual bool done(UnitScene* scene, CUnit6* next);
    // At the screen's first frame for the scene: starts the scene's music. Returns true.
    bool onInitialUpdate() override;
    // At every later frame; nothing to do here.
    void onCanvasRefreshed() override {}
    // True once the screen has drawn the unit's first frame since it was bound.
    bool wasInitiallyUpdated() override;

    virtual TextWindow* getWindow() { return window_; }
    // A unit is active between its scene's start and its unloading.
    bool isActive() override;

    // Starts the music file (null: the scene's) when forced or when the scene agrees; the
    // music that plays already from that file, in any letter case, plays on. No file, or no
    // scene, starts nothing.
    virtual void startMusic(const char* name, bool force);
    virtual void stopMusic();
    virtual CXString getMusicFileName() { return musicFileName_; }

    void setBackgroundFileName(const CXString& name) { backgroundFileName_ = name; }
    virtual CXString getBackgroundFileName() { return backgroundFileName_; }
    // The background file on the screen, or the screen's plain dark colour without one.
    virtual void setBackground();

    // A scene's definitions pass through the unit before the scene builds them; they come
    // back unchanged.
    virtual CMElements* resolveObjects(UnitScene* scene, CMElements* elements);
    // --- edit boxes, which the unit owns, in the order they were made ---
    // The caret picture that boxes made from now on get; not owned.
    virtual void setCursor(CGraphicsObject* cursor) { cursor_ = cursor; }
    // A new box, not active.
    virtual CEditBox6* addEditBox(CSimpleFont6* font, CXRect rect, int priority, const CXString& text);
    // The box (none: no box) takes the keyboard focus from the box that had it.
    virtual void activateEditBox(CEditBox6* box);
    // The box leaves the unit without being deleted; a box that had the focus keeps it
    // active, but the unit has no focused box any more.
    virtual void removeEditBox(CEditBox6* box);
    // Deletes every box.
    virtual void flushEditBoxes();
    // The focused box's position among the boxes; -1 without one.
    virtual int getCurrentEditBoxIndex();
    CEditBox6* getCurrentEditBox() const { return current_; }
    const std::vector<CEditBox6*>& getEditBoxes() const { return editBoxes_; }
    // The focus moves to the next box, from the last to the first, or back; nothing without a
    // focused box.
    virtual void nextEditBox();
    virtual void prevEditBox();
    // Tab moves the focus on, and back while a Shift key is held.
    void onKeyDown(int key) override;

    // --- dragging ---
    // The picture moves with the pointer from the point on and the control hears of each
    // step; nothing without a picture or a control. True when the drag started.
    virtual bool onStartDragging(CGraphicsObject* picture, CXPoint p, CControl* control);
    // One step to the point; whether a drag runs.
    virtual bool onDragging(CXPoint p);
    // The picture gets its priority back, the control is enabled and hears of the end at
    // the picture's place. True.
    virtual bool onEndDragging(CXPoint p);
    bool isDragging() const { return dragging_; }
    // True: a drag ends at the next press; false: at the release.
    bool getDraggingMode() const { return dropOnClick_; }
    void setDraggingMode(bool dropOnClick) { dropOnClick_ = dropOnClick; }
    bool onMouseMove(CXPoint p) override;
    bool onClick(CXPoint p) override;
    bool onRelease(CXPoint p) override;

    // The unit's own timers end here; a unit does nothing with them.
    void onTimer(int id) override;

    // Plays the playable now and then while the unit is bound (see CRandomPlayable); every
    // play is allowed. Nothing happens while the unit is not bound.
    void addRandomPlayable(CPlayable* playable, double frequency, int count, const CXString& event) override;
    virtual void removeRandomPlayable(CPlayable* playable);
    // The random player while the unit is bound, else none.
    CRandomPlayable* getRandomPlayable() const { return randomPlayable_.get(); }
    // Resources that the scene's objects share by file name; the unit owns it.
    CResourcesManager* getResourcesManager() override { return resources_.get(); }

private:
    void startRandomPlay();
    void releaseSceneResources();
    // Whether the window the unit listens to still exists.
    bool windowLives() const;
    void stopListening();
    void moveFocus(int step);
    void forgetDrag();
    // The dragged control goes: the drag ends where it is, without telling anyone.
    void onControlGone(CControl* control) override;

    CXString unitName_;
    TextWindow* window_;
    bool initiallyUpdated_ = false;
    CXString backgroundFileName_;
    UnitScene* scene_ = nullptr;
    bool active_ = false;
    bool listening_ = false;
    CXString musicFileName_;
    std::unique_ptr<CResourcesManager> resources_;
    // Declared after the resources, so it goes first: it may still hold their playables.
    std::unique_ptr<CRandomPlayable> randomPlayable_;
    CGraphicsObject* cursor_ = nullptr;
    std::vector<CEditBox6*> editBoxes_;
    CEditBox6* current_ = nullptr;
    bool dragging_ = false;
    bool dropOnClick_ = false;
    // The press that started the drag still reaches the listeners: it ends nothing.
    bool startingPress_ = false;
    int savedPriority_ = -1;
    CXPoint lastPoint_;
    CControl* draggedControl_ = nullptr;
    CGraphicsObject* draggedPicture_ = nullptr;
};
