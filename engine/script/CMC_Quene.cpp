#include "script/CMC_Quene.h"

#include "foundation/CQuene.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"

CMC_Quene::CMC_Quene(CMC_ObjectsContainer* container, CMElement* element, int type, std::unique_ptr<CXQuene> store)
    : CMC_Object(container, element, type)
    , store_(std::move(store))
{
    initializeBehaviours(container, element);
}

CMC_Quene::CMC_Quene(CMC_ObjectsContainer* container, int type, std::unique_ptr<CXQuene> store)
    : CMC_Object(CXString("temp"), type)
    , store_(std::move(store))
{
    setScene(container);
}

CMC_Quene::~CMC_Quene()
{
    while (CXObject* value = store_->pop())
        delete value;
}

const CMC_SignalList* CMC_Quene::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONEMPTY"};
    return &signals;
}

int CMC_Quene::getCount() const
{
    return store_->getCount();
}

void CMC_Quene::push(CMC_Variable* value)
{
    if (value == nullptr || !CMC_VariableFactory::isBasicType(value->getType()))
        return;
    if (std::unique_ptr<CMC_Variable> copy = CMC_VariableFactory::ownedCopy(value))
        store_->push(copy.release());
}

std::unique_ptr<CMC_Variable> CMC_Quene::pop()
{
    if (CXObject* value = store_->pop())
        return std::unique_ptr<CMC_Variable>(static_cast<CMC_Variable*>(value));
    onSignal(CXString("ONEMPTY"));
    return nullptr;
}

CMC_FifoQuene::CMC_FifoQuene(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Quene(container, element, TYPE_FIFO, std::make_unique<CXFifoQuene>())
{
}

CMC_FifoQuene::CMC_FifoQuene(CMC_ObjectsContainer* container)
    : CMC_Quene(container, TYPE_FIFO, std::make_unique<CXFifoQuene>())
{
}

CMC_LifoQuene::CMC_LifoQuene(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Quene(container, element, TYPE_LIFO, std::make_unique<CXLifoQuene>())
{
}

CMC_LifoQuene::CMC_LifoQuene(CMC_ObjectsContainer* container)
    : CMC_Quene(container, TYPE_LIFO, std::make_unique<CXLifoQuene>())
{
}
