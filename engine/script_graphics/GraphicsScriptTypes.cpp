#include "script_graphics/GraphicsScriptTypes.h"

#include "app/CMC_SceneTypes.h"
#include "graphics/CAnimo6.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Animo_Runner.h"
#include "script_graphics/CMC_Filter.h"
#include "script_graphics/CMC_Filter_Runner.h"
#include "script_graphics/CMC_Groupped.h"
#include "script_graphics/CMC_Groupped_Runner.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_Image_Runner.h"
#include "script_graphics/CMC_Movie.h"
#include "script_graphics/CMC_Movie_Runner.h"
#include "script_graphics/CMC_Path.h"
#include "script_graphics/CMC_Path_Runner.h"
#include "script_graphics/CMC_Scroll.h"
#include "script_graphics/CMC_Scroll_Runner.h"
#include "script_graphics/CMC_StaticFilter.h"
#include "script_graphics/CMC_StaticFilter_Runner.h"

namespace {

CPlayable* animationOf(CMC_Object* object)
{
    auto* animo = dynamic_cast<CMC_Animo*>(object);
    return animo != nullptr ? animo->getAnimo() : nullptr;
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
}
