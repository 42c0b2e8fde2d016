#include "script_graphics/CMC_FilterRunner.h"

#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CFilter.h"

CMC_FilterRunner::Target CMC_FilterRunner::namedTarget(CMC_ObjectsContainer* scope, CXVector* args)
{
    if (scope == nullptr || argumentCount(args) < 1)
        return {};
    const CXString name = parameterText(args, 0);
    return {scope->getGraphicsObject(name), scope->getObject(name.c_str())};
}

void CMC_FilterRunner::setProperty(CFilter* kind, CXVector* args)
{
    if (argumentCount(args) >= 2)
        kind->setProperty(parameterText(args, 0), parameterText(args, 1));
}
