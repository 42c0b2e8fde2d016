#include "app/CMC_RunMethod.h"

#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"

namespace {

CXString textAt(CMC_Runner& reader, CXVector* args, int i)
{
    CMC_String* text = reader.getParameterString(args, i);
    return text != nullptr ? text->getValue() : CXString();
}

bool names(const CXString& method, const char* name, bool anyCase)
{
    return anyCase ? method.equalsIgnoreCase(CXString(name)) : method == name;
}

} // namespace

CMC_Object* runMethodOf(CMC_Runner& reader, CXVector* args, CMC_ObjectsContainer* container, CMC_Object* caller,
                        bool anyCase)
{
    const int count = CMC_Runner::argumentCount(args);
    if (count < 2 || container == nullptr)
        return nullptr;
    CMC_Object* target = container->getObject(textAt(reader, args, 0).c_str());
    if (target == nullptr)
        return nullptr;
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(target->getType());
    if (runner == nullptr)
        runner = target->getRunner();
    if (runner == nullptr)
        return nullptr;
    const CXString method = textAt(reader, args, 1);
    const bool checked = names(method, "RUNC", anyCase);
    if (target->getType() == CMC_Object::TYPE_BEHAVIOUR && (checked || names(method, "RUN", anyCase))) {
        auto* behaviour = dynamic_cast<CMC_Behaviour*>(target);
        CXArray* texts = count > 2 ? new CXArray(count, 0.75f) : nullptr;
        for (int i = 2; i < count; ++i)
            texts->add(new CXString(textAt(reader, args, i)));
        if (behaviour != nullptr)
            behaviour->run(caller, texts, checked);
        if (texts != nullptr)
            CXString::releaseToVector(texts);
        return nullptr;
    }
    CXVector rest(101, 0.75f);
    for (int i = 2; i < count; ++i)
        rest.add(args->at(i));
    return runner->run(method, target, container, &rest);
}
