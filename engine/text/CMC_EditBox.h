#pragma once

#include "foundation/CXRect.h"
#include "foundation/CXString.h"
#include "script/CMC_Object.h"
#include "text/CEditBoxNotifier.h"

// The EDITBOX script object: an edit box of the running scene's screen unit, which owns the
// box, in the font of a FONT object and with the caret picture of another object. The box's
// focus, typed changes, Enter and Escape become the plain signals "ONFOCUSON", "ONFOCUSOFF",
// "ONCHANGED", "ONENTER" and "ONESC", each raised only when a behaviour is bound to it.
//
// Its record stores the FONT and CURSOR names with the box's rectangle and text as they are
// now; a box read back stands at priority 0.
class CMC_EditBox : public CMC_Object, public CEditBoxNotifier {
public:
    static constexpr int kType = 2009;
    static constexpr int SIGNAL_ONFOCUSON = 3;
    static constexpr int SIGNAL_ONFOCUSOFF = 4;
    static constexpr int SIGNAL_ONCHANGED = 5;
    static constexpr int SIGNAL_ONENTER = 6;
    static constexpr int SIGNAL_ONESC = 7;

    // From a definition: RECT (a picture's name or a rectangle), PRIORITY, TEXT, FONT (a FONT
    // object's name; none: the box shows nothing) and CURSOR (a picture's name; none: the
    // unit's caret), then the signals.
    CMC_EditBox(CMC_ObjectsContainer* owner, CMElement* element);
    // Named "temp", without a box until its record is read.
    explicit CMC_EditBox(CMC_ObjectsContainer* owner);
    // The box stays with the unit.
    ~CMC_EditBox() override;

    const CMC_SignalList* getBehavioursList() override;
    // The record of compiled scenes: the font's name, the box's rectangle, its text and the
    // cursor's name; PRIORITY rides in the object's record as the note "{PRIORITY}" (a record
    // without it gives priority 0).
    void serialize(CXArchive* archive) override;

    // None without one, or once the unit deleted it.
    CEditBox6* getEditBox() const { return box_; }

    void onFocusOn(CEditBox6* box) override;
    void onFocusOff(CEditBox6* box) override;
    void onChanged(CEditBox6* box) override;
    void onEnter(CEditBox6* box) override;
    void onEsc(CEditBox6* box) override;
    void onEditBoxGone(CEditBox6* box) override;

protected:
    std::vector<RecordNote> getRecordNotes() override;

private:
    // A box of the default unit with the stored names.
    void createBox(CXRect rect, int priority, const CXString& text);
    void raise(int signal);

    CEditBox6* box_ = nullptr;
    CXString fontName_;
    CXString cursorName_;
    int32_t priority_ = 0;
};
