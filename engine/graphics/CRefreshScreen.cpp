#include "graphics/CRefreshScreen.h"

CValidationElement::CValidationElement(CGraphicsObject* object, int priority)
    : object_(object)
    , priority_(priority)
{
}

int CValidationElement::compare(CXObject* other)
{
    return static_cast<CValidationElement*>(other)->priority_ < priority_ ? 1 : 0;
}

CValidationQuene::CValidationQuene()
    : CSortedVector(101)
{
}

CValidationQuene::~CValidationQuene()
{
    removeAll();
}

void CValidationQuene::add(CGraphicsObject* object, int priority, int)
{
    CSortedVector::add(new CValidationElement(object, priority));
}

CValidationElement* CValidationQuene::find(CGraphicsObject* object) const
{
    const int i = getIndex(object);
    return i < 0 ? nullptr : entry(i);
}

int CValidationQuene::getIndex(CGraphicsObject* object) const
{
    for (int i = 0; i < getCount(); ++i)
        if (entry(i)->getObject() == object)
            return i;
    return -1;
}

void CValidationQuene::remove(CGraphicsObject* object)
{
    const int i = getIndex(object);
    if (i < 0)
        return;
    delete entry(i);
    removeAt(i);
}

void CValidationQuene::removeAll()
{
    for (int i = 0; i < getCount(); ++i)
        delete entry(i);
    CSortedVector::removeAll();
}

CRefreshScreen::CRefreshScreen(CWindow* window)
    : CGraphicsObject(window)
    , queue_(new CValidationQuene)
{
}

CRefreshScreen::~CRefreshScreen()
{
    delete queue_;
}

void CRefreshScreen::put(CGraphicsObject* object, int priority)
{
    if (object == nullptr || queue_->find(object) != nullptr)
        return;
    queue_->add(object, priority, 0);
}

CRefreshScreen& CRefreshScreen::operator<<(CGraphicsObject* object)
{
    put(object, 0);
    return *this;
}

CRefreshScreen& CRefreshScreen::operator>>(CGraphicsObject* object)
{
    if (object != nullptr)
        queue_->remove(object);
    return *this;
}

int CRefreshScreen::GetPriority(CGraphicsObject* object)
{
    CValidationElement* element = queue_->find(object);
    return element == nullptr ? -1 : element->getPriority();
}

int CRefreshScreen::getIndex(CGraphicsObject* object)
{
    return queue_->getIndex(object);
}

bool CRefreshScreen::SetFlags(CGraphicsObject* object, int flags)
{
    CValidationElement* element = queue_->find(object);
    if (element == nullptr)
        return false;
    element->setFlags(flags);
    return true;
}

int CRefreshScreen::GetFlags(CGraphicsObject* object)
{
    CValidationElement* element = queue_->find(object);
    return element == nullptr ? 0 : element->getFlags();
}
