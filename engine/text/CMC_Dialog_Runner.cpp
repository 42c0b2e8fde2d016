#include "text/CMC_Dialog_Runner.h"

#include "graphics/CAnimo6.h"
#include "graphics/CImage.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Image.h"
#include "text/CMC_Button.h"
#include "text/CMC_Dialog.h"
#include "text/CMC_Text.h"
#include "text/CMultilineText6.h"
#include "text/CXDialog.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SHOW", CMC_Dialog_Runner::MTH_SHOW},
    {"HIDE", CMC_Dialog_Runner::MTH_HIDE},
    {"SETBACKGROUND", CMC_Dialog_Runner::MTH_SETBACKGROUND},
    {"ADD", CMC_Dialog_Runner::MTH_ADD},
};

// The picture of an IMAGE or an ANIMO; none for other objects.
CGraphicsObject* pictureOf(CMC_Object* object)
{
    if (auto* image = object->getType() == CMC_Image::kType ? dynamic_cast<CMC_Image*>(object) : nullptr)
        return image->getImage();
    if (auto* animo = object->getType() == CMC_Animo::kType ? dynamic_cast<CMC_Animo*>(object) : nullptr)
        return animo->getAnimo();
    return nullptr;
}

void add(CXDialog& dialog, CMC_Object* member)
{
    if (auto* button = member->getType() == CMC_Button::kType ? dynamic_cast<CMC_Button*>(member) : nullptr)
        dialog.add(button->getButton());
    else if (auto* text = member->getType() == CMC_Text::kType ? dynamic_cast<CMC_Text*>(member) : nullptr)
        dialog.add(text->getText());
    else
        dialog.add(pictureOf(member));
}

} // namespace

void CMC_Dialog_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Dialog_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Dialog::kType ? dynamic_cast<CMC_Dialog*>(object) : nullptr;
    if (owner == nullptr || id < MTH_SHOW || id > MTH_ADD)
        return CMC_Runner::run(id, object, scope, args);
    CXDialog* dialog = owner->getDialog();
    if (dialog == nullptr)
        return nullptr;
    CMC_Object* named = scope != nullptr && argumentCount(args) >= 1 ? scope->getObject(parameterText(args, 0).c_str()) : nullptr;
    switch (id) {
    case MTH_SHOW: dialog->show(); break;
    case MTH_HIDE: dialog->hide(); break;
    case MTH_SETBACKGROUND:
        if (named != nullptr)
            dialog->setBackground(pictureOf(named));
        break;
    case MTH_ADD:
        if (named != nullptr)
            add(*dialog, named);
        break;
    default: break;
    }
    return nullptr;
}
