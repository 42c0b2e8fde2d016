#include "script_graphics/CMC_StaticFilter_Runner.h"

#include "graphics/CGraphicsObject.h"
#include "script_graphics/CMC_StaticFilter.h"

void CMC_StaticFilter_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    static constexpr MethodName methods[] = {
        {"SETPROPERTY", MTH_SETPROPERTY}, {"LINK", MTH_LINK}, {"UNLINK", MTH_UNLINK}};
    registerMethods(methods);
}

CMC_Object* CMC_StaticFilter_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* filter = dynamic_cast<CMC_StaticFilter*>(object);
    CStaticFilter* kind = filter != nullptr ? filter->getFilter() : nullptr;
    if (kind == nullptr)
        return nullptr;
    if (id == MTH_SETPROPERTY) {
        setProperty(kind, args);
        return nullptr;
    }
    if (id != MTH_LINK && id != MTH_UNLINK)
        return nullptr;
    const Target target = namedTarget(scope, args);
    if (target.graphics == nullptr)
        return nullptr;
    if (id == MTH_UNLINK) {
        kind->unlink(target.graphics);
        return nullptr;
    }
    target.graphics->Invalidate();
    kind->link(target.graphics, target.script);
    target.graphics->Invalidate();
    return nullptr;
}
