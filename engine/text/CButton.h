#pragma once

#include "foundation/CXRect.h"
#include "text/CControl.h"

#include <memory>

class CButtonHotSpot;
class CGraphicsObject;
class CMC_Button;
class CRefreshScreen;
class CSound4;
class CUnit6;

// The pictures that can make a button's hit shape.
enum _accent {
    ACCENT_STANDARD = 0,
    ACCENT_ONMOVE = 1,
    ACCENT_ONCLICK = 2,
};

// The button's two sounds.
enum _soundtype {
    SOUNDTYPE_ONMOVE = 0,
    SOUNDTYPE_ONCLICK = 1,
};

// The clickable control: a hit shape (a rectangle, or the opaque pixels of a picture) with up
// to three pictures (standard, shown while the pointer is over it, shown while pressed), a
// sound for the pointer entering and one for the press, and optional dragging through the
// screen unit. It reacts to the mouse through a hot spot of its own in the window's list and
// reports each reaction to its observers:
//
//   pointer enters       move, move, focus on (unless pressed)
//   pointer moves        move
//   pointer leaves       focus off
//   left press           start of a drag (when one starts), clicked
//   left release         released, action
//   right press          popup (the press goes on to the spots below)
//
// A press plays the click sound twice: once for the click and once for the pressed state.
class CButton : public CControl {
public:
    // The hit shape is the rectangle (none when it is empty); the id is the control's and the
    // spot's; the script button is the BUTTON object the spot reports to (may be none).
    CButton(TextWindow* window, CXRect rect, int id, CMC_Button* scriptButton);
    CButton(TextWindow* window, int id, CMC_Button* scriptButton);
    // Deletes the pictures and sounds it owns, each once.
    ~CButton() override;

    static void _release(CButton* button) { delete button; }
    // Whether the button deletes its pictures and its sounds with itself.
    void SetDeleteFlags(bool graphics, bool sounds);

    // The standard picture, put on the screen; with removeOld the previous one is taken off
    // it. Without a hit rectangle the picture's pixels become the hit shape. True.
    bool Set(CGraphicsObject* picture, CXObject* data, bool removeOld);
    // A picture becomes the look of its state, put on the screen hidden (no picture keeps the
    // previous one); the sound is stored in every case. True.
    bool SetOnMove(CGraphicsObject* picture, CSound4* sound);
    bool SetOnClick(CGraphicsObject* picture, CSound4* sound);
    void SetSound(_soundtype type, CSound4* sound);
    // The rectangle becomes the hit shape, in place of any picture. True.
    bool SetActiveRect(CXRect rect);
    CXRect getActiveRect() const { return activeRect_; }
    // The state's picture becomes the hit shape.
    void Accent(_accent accent);
    // The picture becomes the hit shape, the accent and the dragged picture.
    void Accent(CGraphicsObject* picture);
    void SetDragging(CGraphicsObject* picture) { dragging_ = picture; }
    CGraphicsObject* GetDragging() const { return dragging_; }
    CGraphicsObject* GetStandard() const { return standard_; }
    CGraphicsObject* GetOnMove() const { return onMove_; }
    CGraphicsObject* GetOnClick() const { return onClick_; }
    CGraphicsObject* GetAccent() const { return accent_; }
    CSound4* GetSOOnMove() const { return onMoveSound_; }
    CSound4* GetSOOnClick() const { return onClickSound_; }
    // Moves every distinct picture once; without an accent the hit rectangle moves too.
    void Move(int dx, int dy);
    void Move(CXPoint d) { Move(d.x, d.y); }

    // Shows the standard picture or hides every picture, and enables or disables the hot spot;
    // disabling also ends the active cursor and the freeze.
    void Enable(bool enabled) override;
    // Inactive, with the standard picture shown.
    virtual void DisableButVisible();
    // While frozen, leaving the button keeps the pointed-at picture.
    virtual void Freeze(bool frozen);
    bool isFrozen() const { return frozen_; }
    // The pressed state and its looks; pressing plays the click sound.
    void Force(bool pressed);
    bool isPressed() const { return pressed_; }
    void HideStandardWhileOnMove(bool hide) { hideStandard_ = hide; }
    bool hidesStandard() const { return hideStandard_; }
    void LockSound(bool locked) { soundLocked_ = locked; }
    bool IsSoundLocked() const { return soundLocked_; }
    // With a unit, the pointed-at sound never plays and the click sound only for the click.
    void SetPlaySoundOnlyWhenSilence(bool on) { onlyWhenSilence_ = on; }
    void EnableDragging(bool enabled) { draggingEnabled_ = enabled; }
    bool IsDraggingEnabled() const { return draggingEnabled_; }
    void EnableCursor(bool on);
    void setUnit(CUnit6* unit);
    CUnit6* getUnit() const;
    void setMCButton(CMC_Button* button);
    // The hot spot's priority: its picture's on the screen, or the one set.
    virtual int getPriority();
    virtual void setPriority(int priority);
    virtual int GetID();
    void SetID(int id) override;
    CButtonHotSpot* getHotSpot() const { return hotSpot_.get(); }
    // Where the last accepted left release was.
    CXPoint getClick() const { return click_; }
    void setClick(CXPoint p) { click_ = p; }

    // The pointer moved over the button: a move event. 0.
    virtual int OnMove(CXPoint p, int flags, void* data);
    // The click: a drag starts when dragging is enabled and there is a unit and a picture to
    // drag; the click sound plays, then the clicked event. 1 when the unit took the drag.
    virtual int OnClick(CXPoint p, int flags, void* data);
    // Plays the sound unless it is locked, or when `silence` holds and there is a unit.
    void play(CSound4* sound, bool silence);

    // A button of the same window over the same pictures and sounds, hit shape and unit, with
    // id 0 and observers of its own; it owns none of the pictures or sounds.
    CXObject* clone() override;

private:
    CRefreshScreen* screen() const;
    void setHitPicture(CGraphicsObject* picture);
    static void show(CGraphicsObject* picture, bool visible);

    CXRect activeRect_;
    bool pressed_ = false;
    bool frozen_ = false;
    bool soundLocked_ = false;
    bool ownsGraphics_ = true;
    bool ownsSounds_ = false;
    bool hideStandard_ = true;
    CGraphicsObject* standard_ = nullptr;
    CGraphicsObject* onMove_ = nullptr;
    CGraphicsObject* onClick_ = nullptr;
    CGraphicsObject* accent_ = nullptr;
    CGraphicsObject* dragging_ = nullptr;
    // The picture whose pixels the hot spot hits; none while the rectangle decides.
    CGraphicsObject* hitPicture_ = nullptr;
    CXPoint click_;
    CSound4* onMoveSound_ = nullptr;
    CSound4* onClickSound_ = nullptr;
    bool onlyWhenSilence_ = false;
    bool draggingEnabled_ = false;
    std::unique_ptr<CButtonHotSpot> hotSpot_;
};
