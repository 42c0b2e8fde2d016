#include "app/CPublicTrash.h"

CPublicTrash::CPublicTrash(CXTimer* timers)
    : CXVector(101, 0.75f)
    , timers_(timers)
{
    timers_->add(kTimerId, kPeriodMs, this);
}

CPublicTrash::~CPublicTrash()
{
    timers_->remove(kTimerId);
}

void CPublicTrash::onTimer(int)
{
    int kept = 0;
    for (int i = 0; i < getCount(); ++i) {
        CXObject* object = at(i);
        if (object->isToDelete())
            delete object;
        else
            setAt(kept++, object);
    }
    while (getCount() > kept)
        removeAt(getCount() - 1);
}
