#pragma once

#include "foundation/CXString.h"
#include "script/CMC_Object.h"
#include "text/CControlNotifier.h"

#include <cstdint>
#include <memory>

class CButton;
class CGraphicsObject;
class CSound4;

// The BUTTON script object: a button control whose looks are the pictures of other script
// objects (IMAGE, ANIMO, TEXT ...) and whose sounds are those of SOUND objects, found by name
// in its container; it owns none of them. It turns the control's focus, click, release, action
// and drag reports into the plain signals of the same names, each raised only when a behaviour
// is bound to it. While a drag runs, the scene knows the name of the dragged picture's object.
//
// The object keeps the definition's values as written and stores exactly these in its record:
// ACCENT, GFXSTANDARD, GFXONMOVE, GFXONCLICK, SNDSTANDARD, SNDONMOVE, SNDONCLICK, DRAG and RECT
// (names; RECT may also be a rectangle), ENABLE (absent: disabled), DRAGGABLE and PRIORITY
// (which a RECT naming a picture replaces by the picture's screen priority). The methods
// change the control only.
class CMC_Button : public CMC_Object, public CControlNotifier {
public:
    static constexpr int kType = 2001;
    static constexpr int SIGNAL_ONFOCUSON = 3;
    static constexpr int SIGNAL_ONFOCUSOFF = 4;
    static constexpr int SIGNAL_ONPAUSED = 5;
    static constexpr int SIGNAL_ONCLICKED = 6;
    static constexpr int SIGNAL_ONRELEASED = 7;
    static constexpr int SIGNAL_ONACTION = 8;
    static constexpr int SIGNAL_ONSTARTDRAGGING = 9;
    static constexpr int SIGNAL_ONDRAGGING = 10;
    static constexpr int SIGNAL_ONENDDRAGGING = 11;

    // From a definition: the properties, the control, then the signals.
    CMC_Button(CMC_ObjectsContainer* owner, CMElement* element);
    // Over a control that exists already, which the object takes over (it owns none of the
    // control's pictures or sounds); no properties.
    CMC_Button(CMC_ObjectsContainer* owner, CButton* button, const CXString& name);
    // Nameless and without a control, as a compiled scene's record or the CREATE statement
    // make it; the record builds the control.
    explicit CMC_Button(CMC_ObjectsContainer* owner);
    ~CMC_Button() override;

    // A BUTTON named "cloned" over a copy of the control.
    CXObject* clone() override;
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // None until the control is built.
    CButton* getButton() const { return button_.get(); }
    // The sound of the SOUND object of that name in the container; none for any other name.
    static CSound4* soundNamed(CMC_ObjectsContainer* scope, const CXString& name);

    void onControlFocusOn(CControl* control, CXPoint p) override;
    void onControlFocusOff(CControl* control, CXPoint p) override;
    void onControlClicked(CControl* control, CXPoint p) override;
    void onControlReleased(CControl* control, CXPoint p) override;
    void onControlAction(CControl* control, CXPoint p) override;
    void onStartDragging(CControl* control, CXPoint p) override;
    void onDragging(CControl* control, CXPoint p) override;
    void onEndDragging(CControl* control, CXPoint p) override;

private:
    // Builds the control from the stored properties.
    void createButton();
    void raise(int signal);
    // The scene that runs the object's container; none.
    void setDraggedName(const CXString& name);
    CGraphicsObject* graphicsNamed(const CXString& name);

    std::unique_ptr<CButton> button_;
    CXString accent_;
    CXString gfxStandard_;
    CXString gfxOnMove_;
    CXString gfxOnClick_;
    CXString sndStandard_;
    CXString sndOnMove_;
    CXString sndOnClick_;
    CXString drag_;
    CXString rect_;
    bool enable_ = false;
    bool draggable_ = false;
    int32_t priority_ = 0;
};
