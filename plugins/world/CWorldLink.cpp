#include "CWorldLink.h"

#include <algorithm>

CWorldLink* CWorldLinks::add(CWorldLink link)
{
    link.serial = nextSerial_++;
    ++version_;
    links_.push_back(std::make_unique<CWorldLink>(link));
    return links_.back().get();
}

bool CWorldLinks::remove(uint32_t id)
{
    const auto found = std::find_if(links_.begin(), links_.end(), [id](const auto& link) { return link->id == id; });
    if (found == links_.end())
        return false;
    links_.erase(found);
    ++version_;
    return true;
}

CWorldLink* CWorldLinks::first(uint32_t id)
{
    for (const auto& link : links_)
        if (link->id == id)
            return link.get();
    return nullptr;
}

CWorldLink* CWorldLinks::bySerial(uint64_t serial)
{
    // Serials grow along the list, so the link is found by halves.
    const auto found = std::lower_bound(links_.begin(), links_.end(), serial,
                                        [](const auto& link, uint64_t wanted) { return link->serial < wanted; });
    return found != links_.end() && (*found)->serial == serial ? found->get() : nullptr;
}

std::vector<uint64_t> CWorldLinks::serials() const
{
    std::vector<uint64_t> result;
    result.reserve(links_.size());
    for (const auto& link : links_)
        result.push_back(link->serial);
    return result;
}

void CWorldLinks::forget(const CMC_Object* object)
{
    for (const auto& link : links_) {
        if (link->target == object)
            link->target = nullptr;
        if (link->graphicsOwner == object) {
            link->graphicsOwner = nullptr;
            link->graphics = nullptr;
            link->picture = nullptr;
        }
    }
}

void CWorldLinks::forget(const CPlayable* playable)
{
    for (const auto& link : links_) {
        if (link->picture == playable) {
            link->picture = nullptr;
            link->graphics = nullptr;
        }
    }
}
