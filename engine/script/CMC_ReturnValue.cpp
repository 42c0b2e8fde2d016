#include "script/CMC_ReturnValue.h"

#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

CMC_Variable* CMC_ReturnValue::store(CMC_ObjectsContainer* container, CMC_Object* argument, CMC_Variable* value)
{
    if (container == nullptr || argument == nullptr)
        return nullptr;
    CMC_ObjectsContainer* scene = container->getScene() != nullptr ? container->getScene() : container;
    CMC_Variable* made = value != nullptr ? CMC_VariableFactory::makeNamed(value->getType(), CXString(kName)) : nullptr;
    if (made != nullptr) {
        made->set(value);
    } else {
        CMC_String* text = CMC_Runner::readAsString(value, argument);
        auto* string = new CMC_String(CXString(kName));
        string->setValue(text != nullptr ? text->getValue() : argument->getName());
        made = string;
    }
    if (CMC_Object* old = scene->getObject(kName)) {
        CMC_ObjectsContainer* holder = old->getScene() != nullptr ? old->getScene() : scene;
        if (holder->removeObject(old) || scene->removeObject(old))
            CMC_Behaviour::addToTrash(old);
    }
    made->setScene(scene);
    scene->addObject(made);
    return made;
}

CMC_Variable* CMC_ReturnValue::find(CMC_ObjectsContainer* container)
{
    CMC_Object* found = container != nullptr ? container->getObject(kName) : nullptr;
    return found != nullptr ? found->asVariable() : nullptr;
}

CMC_Variable* CMC_ReturnValue::copy(CMC_ObjectsContainer* container)
{
    return CMC_VariableFactory::copyVariable(find(container));
}
