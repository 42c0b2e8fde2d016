#include "graphics/CCollisionInspector.h"

CMonitoredObject::CMonitoredObject(CGraphicsObject* object, bool alphaTest)
    : object_(object)
    , alphaTest_(alphaTest)
{
}

CCollisionInspector::CCollisionInspector() = default;

CCollisionInspector::~CCollisionInspector()
{
    for (int i = 0; i < monitored_.getCount(); ++i)
        delete record(monitored_, i);
}

void CCollisionInspector::addMonitoredObject(CGraphicsObject* object, bool alphaTest)
{
    if (CMonitoredObject* existing = find(object))
        existing->setActive(true);
    else
        monitored_.add(new CMonitoredObject(object, alphaTest));
}

void CCollisionInspector::removeMonitoredObject(CGraphicsObject* object)
{
    if (CMonitoredObject* existing = find(object))
        existing->setActive(false);
}

void CCollisionInspector::addNotifier(CCollisionObserver* observer)
{
    if (observer != nullptr && !notifiers_.contains(observer))
        notifiers_.add(observer);
}

void CCollisionInspector::removeNotifier(CCollisionObserver* observer)
{
    notifiers_.remove(observer);
}

void CCollisionInspector::onPositionChanged(CGraphicsObject* object)
{
    CMonitoredObject* monitored = find(object);
    if (monitored == nullptr || monitored->isMoved())
        return;
    monitored->setMoved();
    moved_.add(monitored);
}

CMonitoredObject* CCollisionInspector::find(CGraphicsObject* object) const
{
    for (int i = 0; i < monitored_.getCount(); ++i)
        if (record(monitored_, i)->getObject() == object)
            return record(monitored_, i);
    return nullptr;
}
