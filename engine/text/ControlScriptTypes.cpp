#include "text/ControlScriptTypes.h"

#include "graphics/CMC_SceneTypes.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "text/CButton.h"
#include "text/CMC_Button.h"
#include "text/CMC_Button_Runner.h"
#include "text/CMC_Dialog.h"
#include "text/CMC_Dialog_Runner.h"
#include "text/CMC_EditBox.h"
#include "text/CMC_EditBox_Runner.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"
#include "text/UnitScene.h"

namespace {

// A scene's run-time BUTTON: an enabled control without a hit shape or looks, which scripts
// give them afterwards.
CMC_Object* makeButton(CMC_ObjectsContainer* scene, const CXString& name)
{
    auto* button = new CButton(TextWindow::of(scene->getWindow()), CXRect(), 0, nullptr);
    if (auto* owner = dynamic_cast<UnitScene*>(scene))
        button->addNotifier(owner->getUnit());
    button->Enable(true);
    button->setUnit(CUnit6::getDefault());
    auto* object = new CMC_Button(scene, button, name);
    button->setMCButton(object);
    return object;
}

} // namespace

void attachControlScriptTypes()
{
    CMC_ObjectFactory::attach("BUTTON", CMC_ObjectFactory::construct<CMC_Button>);
    CMC_ObjectFactory::attach("EDITBOX", CMC_ObjectFactory::construct<CMC_EditBox>);
    CMC_ObjectFactory::attach("DIALOG", CMC_ObjectFactory::construct<CMC_Dialog>);
    CMC_ObjectFactory::attachEmpty("BUTTON", CMC_RecordFactory::construct<CMC_Button>);
    CMC_RunnerFactory::attach(CMC_Button::kType, CMC_RunnerFactory::make<CMC_Button_Runner>);
    CMC_RunnerFactory::attach(CMC_EditBox::kType, CMC_RunnerFactory::make<CMC_EditBox_Runner>);
    CMC_RunnerFactory::attach(CMC_Dialog::kType, CMC_RunnerFactory::make<CMC_Dialog_Runner>);
    CMC_RecordFactory::attach(CMC_Button::kType, CMC_RecordFactory::construct<CMC_Button>);
    CMC_RecordFactory::attach(CMC_EditBox::kType, CMC_RecordFactory::construct<CMC_EditBox>);
    CMC_RecordFactory::attach(CMC_Dialog::kType, CMC_RecordFactory::construct<CMC_Dialog>);
    CMC_SceneTypes::attachMaker("BUTTON", makeButton);
}
