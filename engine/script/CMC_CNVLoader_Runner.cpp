#include "script/CMC_CNVLoader_Runner.h"

#include "script/CMC_CNVLoader.h"

void CMC_CNVLoader_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("LOAD", MTH_LOAD);
    registerMethod("RELEASE", MTH_RELEASE);
}

CMC_Object* CMC_CNVLoader_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    const bool isLoader = object != nullptr && object->getType() == CMC_Object::TYPE_CNVLOADER;
    auto* loader = isLoader ? dynamic_cast<CMC_CNVLoader*>(object) : nullptr;
    if (loader == nullptr || (id != MTH_LOAD && id != MTH_RELEASE))
        return CMC_Runner::run(id, object, scope, args);
    if (argumentAt(args, 0) == nullptr || scope == nullptr)
        return nullptr;
    if (id == MTH_LOAD || loader->getScene() == nullptr)
        loader->setScene(scope);
    if (id == MTH_LOAD)
        loader->load(parameterText(args, 0));
    else
        loader->release(parameterText(args, 0));
    return nullptr;
}
