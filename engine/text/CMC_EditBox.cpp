#include "text/CMC_EditBox.h"

#include "foundation/CXArchive.h"
#include "graphics/CGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CEditBox6.h"
#include "text/CMC_Text.h"
#include "text/CUnit6.h"
#include "text/UnitScene.h"

CMC_EditBox::CMC_EditBox(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
{
    const CXString rectValue = element->getPropertyValue("RECT");
    CGraphicsObject* area = owner != nullptr ? owner->getGraphicsObject(rectValue) : nullptr;
    const CXRect rect = area != nullptr ? area->GetBoundingBox() : element->getPropertyRectValue("RECT");
    const int priority = element->getPropertyIntValue("PRIORITY");
    const CXString text = element->getPropertyValue("TEXT");
    fontName_ = element->getPropertyValue("FONT");
    cursorName_ = element->getPropertyValue("CURSOR");
    createBox(rect, priority, text);
    initializeBehaviours(owner, element);
}

CMC_EditBox::CMC_EditBox(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString("temp"), kType)
{
    setScene(owner);
}

CMC_EditBox::~CMC_EditBox()
{
    if (box_ != nullptr)
        box_->removeNotifier(this);
}

void CMC_EditBox::createBox(CXRect rect, int priority, const CXString& text)
{
    priority_ = priority;
    CUnit6* unit = CUnit6::getDefault();
    if (unit == nullptr)
        return;
    CMC_ObjectsContainer* owner = getScene();
    box_ = unit->addEditBox(CMC_Text::fontNamed(owner, fontName_), rect, priority, text);
    box_->addNotifier(this);
    if (CGraphicsObject* cursor = owner != nullptr ? owner->getGraphicsObject(cursorName_) : nullptr)
        box_->setCursor(cursor);
}

const CMC_SignalList* CMC_EditBox::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",     "ONDONE",    "ONSIGNAL", "ONFOCUSON",
                                        "ONFOCUSOFF", "ONCHANGED", "ONENTER",  "ONESC"};
    return &signals;
}

namespace {

const CXString kPriorityNote("{PRIORITY}");

} // namespace

std::vector<CMC_Object::RecordNote> CMC_EditBox::getRecordNotes()
{
    return {{kPriorityNote, CXString::toString(priority_), CXString()}};
}

void CMC_EditBox::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << fontName_ << (box_ != nullptr ? box_->getBoundingRect() : CXRect())
                 << (box_ != nullptr ? box_->getText() : CXString()) << cursorName_;
        return;
    }
    const CXString priority = takeRecordNote(kPriorityNote, CXString());
    CXRect rect;
    CXString text;
    *archive >> &fontName_ >> &rect >> &text >> &cursorName_;
    if (!archive->failed() && box_ == nullptr)
        createBox(rect, priority.toNumber(), text);
}

void CMC_EditBox::raise(int signal)
{
    if (isSignalBound(signal))
        onSignal(getBehavioursList()->at(signal));
}

void CMC_EditBox::onFocusOn(CEditBox6*)
{
    raise(SIGNAL_ONFOCUSON);
}

void CMC_EditBox::onFocusOff(CEditBox6*)
{
    raise(SIGNAL_ONFOCUSOFF);
}

void CMC_EditBox::onChanged(CEditBox6*)
{
    raise(SIGNAL_ONCHANGED);
}

void CMC_EditBox::onEnter(CEditBox6*)
{
    raise(SIGNAL_ONENTER);
}

void CMC_EditBox::onEsc(CEditBox6*)
{
    raise(SIGNAL_ONESC);
}

void CMC_EditBox::onEditBoxGone(CEditBox6* box)
{
    if (box == box_)
        box_ = nullptr;
}
