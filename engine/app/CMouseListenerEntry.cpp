#include "app/CMouseListenerEntry.h"

#include "media/CMouseListener.h"

CMouseListenerEntry::CMouseListenerEntry(CMouseListener* listener, int priority)
    : listener_(listener)
    , priority_(priority)
{
}

int CMouseListenerEntry::compare(CXObject* other)
{
    const int theirs = static_cast<CMouseListenerEntry*>(other)->priority_;
    return (priority_ > theirs) - (priority_ < theirs);
}

CMouseListeners::CMouseListeners()
    : entries_(101)
{
}

CMouseListeners::~CMouseListeners()
{
    for (int i = 0; i < entries_.getCount(); ++i)
        delete entry(i);
    for (CMouseListenerEntry* retired : retired_)
        delete retired;
}

void CMouseListeners::add(CMouseListener* listener, int priority)
{
    entries_.add(new CMouseListenerEntry(listener, priority));
}

void CMouseListeners::remove(CMouseListener* listener)
{
    for (int i = 0; i < entries_.getCount(); ++i) {
        CMouseListenerEntry* found = entry(i);
        if (found->getListener() != listener)
            continue;
        entries_.removeAt(i);
        if (walks_ > 0)
            retired_.push_back(found);
        else
            delete found;
        return;
    }
}

void CMouseListeners::setCaption(CMouseListener* listener)
{
    if (entries_.getCount() == 0)
        return;
    CMouseListener* top = entry(entries_.getCount() - 1)->getListener();
    if (top == listener)
        return;
    top->onLooseFocus();
    remove(listener);
    listener->onSetFocus();
    add(listener, kCaptionPriority);
}

void CMouseListeners::walk(const std::function<bool(CMouseListener*)>& ask)
{
    std::vector<CMouseListenerEntry*> snapshot;
    snapshot.reserve(static_cast<size_t>(entries_.getCount()));
    for (int i = entries_.getCount() - 1; i >= 0; --i)
        snapshot.push_back(entry(i));
    ++walks_;
    for (CMouseListenerEntry* listed : snapshot)
        if (entries_.contains(listed) && ask(listed->getListener()))
            break;
    if (--walks_ == 0) {
        for (CMouseListenerEntry* retired : retired_)
            delete retired;
        retired_.clear();
    }
}
