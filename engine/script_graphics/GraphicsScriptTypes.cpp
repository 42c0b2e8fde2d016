#include "script_graphics/GraphicsScriptTypes.h"

#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Animo_Runner.h"
#include "script_graphics/CMC_Groupped.h"
#include "script_graphics/CMC_Groupped_Runner.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_Image_Runner.h"

namespace {

template <typename Type>
CMC_Object* makeEmpty(CMC_ObjectsContainer* container)
{
    return new Type(container);
}

} // namespace

void attachGraphicsScriptTypes()
{
    CMC_ObjectFactory::attach("ANIMO", CMC_ObjectFactory::construct<CMC_Animo>);
    CMC_ObjectFactory::attach("IMAGE", CMC_ObjectFactory::construct<CMC_Image>);
    CMC_ObjectFactory::attach("GROUP", CMC_ObjectFactory::construct<CMC_Groupped>);
    CMC_ObjectFactory::attachEmpty("ANIMO", makeEmpty<CMC_Animo>);
    CMC_ObjectFactory::attachEmpty("IMAGE", makeEmpty<CMC_Image>);
    CMC_RunnerFactory::attach(CMC_Animo::kType, CMC_RunnerFactory::make<CMC_Animo_Runner>);
    CMC_RunnerFactory::attach(CMC_Image::kType, CMC_RunnerFactory::make<CMC_Image_Runner>);
    CMC_RunnerFactory::attach(CMC_Groupped::kType, CMC_RunnerFactory::make<CMC_Groupped_Runner>);
}
