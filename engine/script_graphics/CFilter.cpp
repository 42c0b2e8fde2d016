#include "script_graphics/CFilter.h"

#include "graphics/CGraphicsObject.h"

#include <algorithm>

void CFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "ONEATTIME")
        oneAtTime_ = value.toBool();
}

CFilterLink::CFilterLink(CGraphicsObject* graphics, CMC_Object* script, CFilterLinkState* state)
    : graphics_(graphics)
    , script_(script)
    , state_(state)
{
}

CFilterLink::~CFilterLink()
{
    delete state_;
}

void CFilterLink::setActive(CFilterOptions*, bool on)
{
    active_ = on;
}

CFilter::CFilter(ScriptGraphicsWindow* owner)
    : owner_(owner)
{
    links_.reserve(101);
    CMC_Object::watch(this);
}

CFilter::~CFilter()
{
    CMC_Object::unwatch(this);
    for (CFilterLink* link : links_) {
        link->getGraphics()->removeInvalidateObserver(this);
        delete link;
    }
}

void CFilter::unlinkAll()
{
    // Over a copy, since the list changes under each removal.
    const std::vector<CFilterLink*> links = links_;
    for (CFilterLink* link : links)
        if (holds(link))
            removeLink(link);
}

// An object linked already is linked anew under ONEATTIME, as the last one linked.
void CFilter::link(CGraphicsObject* graphics, CMC_Object* script)
{
    CFilterLink* found = findLink(graphics);
    if (options_ != nullptr && options_->isOneAtTime()) {
        unlinkAll();
        found = nullptr;
    }
    if (found == nullptr)
        addLink(getLink(graphics, script));
}

void CFilter::unlink(CGraphicsObject* graphics)
{
    removeLink(findLink(graphics));
}

void CFilter::removeLink(CFilterLink* link)
{
    if (link != nullptr)
        dropLink(link);
}

CFilterLink* CFilter::getLink(CGraphicsObject* graphics, CMC_Object* script)
{
    CFilterLink* found = findLink(graphics);
    return found != nullptr ? found : createLink(graphics, script);
}

CFilterLink* CFilter::findLink(CGraphicsObject* graphics)
{
    const auto found = std::find_if(links_.begin(), links_.end(),
                                    [graphics](const CFilterLink* link) { return link->getGraphics() == graphics; });
    return found != links_.end() ? *found : nullptr;
}

void CFilter::setProperty(const CXString& name, const CXString& value)
{
    if (options_ != nullptr)
        options_->readOptions(name, value);
}

CFilterLink* CFilter::getLinkAt(int i) const
{
    return i >= 0 && i < getLinkCount() ? links_[static_cast<size_t>(i)] : nullptr;
}

void CFilter::appendLink(CFilterLink* link)
{
    links_.push_back(link);
    link->getGraphics()->addInvalidateObserver(this);
}

// A graphics object is linked at most once, so its link was the one that watched it.
void CFilter::dropLink(CFilterLink* link)
{
    if (!holds(link))
        return;
    links_.erase(std::find(links_.begin(), links_.end(), link));
    link->getGraphics()->removeInvalidateObserver(this);
    delete link;
}

void CFilter::onDestroy(CGraphicsObject* graphics)
{
    dropLink(findLink(graphics));
}

void CFilter::onObjectGone(CMC_Object* object)
{
    const std::vector<CFilterLink*> links = links_;
    for (CFilterLink* link : links)
        if (holds(link) && link->getScript() == object)
            removeLink(link);
}

bool CFilter::holds(const CFilterLink* link) const
{
    return std::find(links_.begin(), links_.end(), link) != links_.end();
}
