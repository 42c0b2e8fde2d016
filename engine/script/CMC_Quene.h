#pragma once

#include "script/CMC_Object.h"

#include <memory>

class CMC_Variable;
class CXQuene;

// What FIFO and LIFO share: a queue of copies of script values, which the object owns until
// they are popped (the value pools are emptied every frame, so the queue keeps copies of its
// own). The two types differ only in the store: first in first out, or last in first out.
// Popping an empty queue raises "ONEMPTY". A compiled scene holds no queued values.
class CMC_Quene : public CMC_Object {
public:
    static constexpr int SIGNAL_ONEMPTY = 3;

    ~CMC_Quene() override;

    using CMC_Object::clone;
    // A queue is not copied: CLONE makes nothing.
    CXObject* clone() override { return nullptr; }
    CXString toString() override { return getName(); }
    const CMC_SignalList* getBehavioursList() override;

    // The store, whose elements are the queued values.
    CXQuene* getQuene() { return store_.get(); }
    int getCount() const;
    // Queues a copy of the value; a value that cannot be copied is not queued.
    void push(CMC_Variable* value);
    // The next value, now the caller's; none for an empty queue, after "ONEMPTY" ran.
    std::unique_ptr<CMC_Variable> pop();

protected:
    CMC_Quene(CMC_ObjectsContainer* container, CMElement* element, int type, std::unique_ptr<CXQuene> store);
    // Named "temp" until the compiled-scene record names it.
    CMC_Quene(CMC_ObjectsContainer* container, int type, std::unique_ptr<CXQuene> store);

private:
    std::unique_ptr<CXQuene> store_;
};

// FIFO: values come back in the order they were pushed.
class CMC_FifoQuene : public CMC_Quene {
public:
    CMC_FifoQuene(CMC_ObjectsContainer* container, CMElement* element);
    explicit CMC_FifoQuene(CMC_ObjectsContainer* container);
};

// LIFO: the value pushed last comes back first.
class CMC_LifoQuene : public CMC_Quene {
public:
    CMC_LifoQuene(CMC_ObjectsContainer* container, CMElement* element);
    explicit CMC_LifoQuene(CMC_ObjectsContainer* container);
};
