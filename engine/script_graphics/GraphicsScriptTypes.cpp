#include "script_graphics/GraphicsScriptTypes.h"

#include "graphics/CAnimo6.h"
#include "graphics/CMC_SceneTypes.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CSequencedPlayable.h"
#include "graphics/CVirtualGraphicsObject.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Groupped_Runner.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Animo_Runner.h"
#include "script_graphics/CMC_Canvas.h"
#include "script_graphics/CMC_CanvasObserver.h"
#include "script_graphics/CMC_CanvasObserver_Runner.h"
#include "script_graphics/CMC_Canvas_Runner.h"
#include "script_graphics/CMC_Filter.h"
#include "script_graphics/CMC_Filter_Runner.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_Image_Runner.h"
#include "script_graphics/CMC_Movie.h"
#include "script_graphics/CMC_Movie_Runner.h"
#include "script_graphics/CMC_Path.h"
#include "script_graphics/CMC_Path_Runner.h"
#include "script_graphics/CMC_Pattern.h"
#include "script_graphics/CMC_Pattern_Runner.h"
#include "script_graphics/CMC_Scroll.h"
#include "script_graphics/CMC_Scroll_Runner.h"
#include "script_graphics/CMC_Sequence.h"
#include "script_graphics/CMC_Sequence_Runner.h"
#include "script_graphics/CMC_StaticFilter.h"
#include "script_graphics/CMC_StaticFilter_Runner.h"
#include "script_graphics/CMC_VirtualGraphicsObject.h"
#include "script_graphics/CMC_VirtualGraphicsObject_Runner.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

CPlayable* animationOf(CMC_Object* object)
{
    auto* animo = dynamic_cast<CMC_Animo*>(object);
    return animo != nullptr ? animo->getAnimo() : nullptr;
}

// The tree as it is: asking a scene what plays builds nothing.
CPlayable* sequenceOf(CMC_Object* object)
{
    auto* sequence = dynamic_cast<CMC_Sequence*>(object);
    return sequence != nullptr ? sequence->heldSequence() : nullptr;
}

// CREATEOBJECT("VGO", name): an empty picture, shown on the screen at priority 0.
CMC_Object* makeVirtualGraphicsObject(CMC_ObjectsContainer* scene, const CXString& name)
{
    ScriptGraphicsWindow* window = ScriptGraphicsWindow::of(scene->getWindow());
    auto* picture = new CVirtualGraphicsObject(window);
    picture->Visible(true);
    if (CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr)
        screen->put(picture, 0);
    auto* object = new CMC_VirtualGraphicsObject(scene, picture);
    object->setName(name);
    return object;
}

// A type built from definitions and compiled records alike.
template <typename Type, typename Runner>
void attachType(const char* word)
{
    CMC_ObjectFactory::attach(word, CMC_ObjectFactory::construct<Type>);
    CMC_RecordFactory::attach(Type::kType, CMC_RecordFactory::construct<Type>);
    CMC_RunnerFactory::attach(Type::kType, CMC_RunnerFactory::make<Runner>);
}

} // namespace

void attachGraphicsScriptTypes()
{
    CMC_ObjectFactory::attach("ANIMO", CMC_ObjectFactory::construct<CMC_Animo>);
    CMC_ObjectFactory::attach("IMAGE", CMC_ObjectFactory::construct<CMC_Image>);
    CMC_ObjectFactory::attach("GROUP", CMC_ObjectFactory::construct<CMC_Groupped>);
    // CREATE starts from the same empty object as a compiled record.
    CMC_ObjectFactory::attachEmpty("ANIMO", CMC_RecordFactory::construct<CMC_Animo>);
    CMC_ObjectFactory::attachEmpty("IMAGE", CMC_RecordFactory::construct<CMC_Image>);
    CMC_RunnerFactory::attach(CMC_Animo::kType, CMC_RunnerFactory::make<CMC_Animo_Runner>);
    CMC_RunnerFactory::attach(CMC_Image::kType, CMC_RunnerFactory::make<CMC_Image_Runner>);
    CMC_RunnerFactory::attach(CMC_Groupped::kType, CMC_RunnerFactory::make<CMC_Groupped_Runner>);
    CMC_RecordFactory::attach(CMC_Animo::kType, CMC_RecordFactory::construct<CMC_Animo>);
    CMC_RecordFactory::attach(CMC_Image::kType, CMC_RecordFactory::construct<CMC_Image>);
    CMC_SceneTypes::attachPlayable(CMC_Animo::kType, animationOf);
    attachType<CMC_Movie, CMC_Movie_Runner>("MOVIE");
    attachType<CMC_Filter, CMC_Filter_Runner>("FILTER");
    attachType<CMC_StaticFilter, CMC_StaticFilter_Runner>("STATICFILTER");
    attachType<CMC_Path, CMC_Path_Runner>("PATH");
    attachType<CMC_Scroll, CMC_Scroll_Runner>("SCROLL");
    attachType<CMC_Sequence, CMC_Sequence_Runner>("SEQUENCE");
    attachType<CMC_Canvas, CMC_Canvas_Runner>("CANVAS");
    attachType<CMC_CanvasObserver, CMC_CanvasObserver_Runner>("CANVAS_OBSERVER");
    attachType<CMC_Pattern, CMC_Pattern_Runner>("PATTERN");
    attachType<CMC_VirtualGraphicsObject, CMC_VirtualGraphicsObject_Runner>("VIRTUALGRAPHICSOBJECT");
    CMC_SceneTypes::attachPlayable(CMC_Sequence::kType, sequenceOf);
    CMC_SceneTypes::attachMaker("VGO", makeVirtualGraphicsObject);
}
