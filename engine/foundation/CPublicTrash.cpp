#include "foundation/CPublicTrash.h"

#include <vector>

CPublicTrash::CPublicTrash(CXTimer* timers)
    : CXVector(101, 0.75f)
    , timers_(timers)
{
    timers_->add(kTimerId, kPeriodMs, this);
}

CPublicTrash::~CPublicTrash()
{
    timers_->remove(kTimerId);
    deleteAllMarked();
}

void CPublicTrash::onTimer(int)
{
    deleteMarked();
}

void CPublicTrash::deleteAllMarked()
{
    while (deleteMarked()) {
    }
}

bool CPublicTrash::deleteMarked()
{
    // The marked objects leave the bin before any is deleted: a destructor may hand the bin
    // more objects.
    std::vector<CXObject*> marked;
    int kept = 0;
    for (int i = 0; i < getCount(); ++i) {
        CXObject* object = at(i);
        if (object->isToDelete())
            marked.push_back(object);
        else
            setAt(kept++, object);
    }
    while (getCount() > kept)
        removeAt(getCount() - 1);
    for (CXObject* object : marked)
        delete object;
    return !marked.empty();
}
