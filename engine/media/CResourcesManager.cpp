#include "media/CResourcesManager.h"

#include "foundation/CFileResolver.h"
#include "media/CPlayable.h"
#include "media/MediaWindow.h"

#include <algorithm>

CResourcesManager::CResourcesManager(MediaWindow* window)
    : window_(window)
{
}

CResourcesManager::~CResourcesManager()
{
    flush();
}

void CResourcesManager::add(CFileResolver* resource)
{
    insertAt(resource, entries_.getCount());
}

void CResourcesManager::insertAt(CFileResolver* resource, int index)
{
    if (resource == nullptr)
        return;
    entries_.insertAt(std::clamp(index, 0, entries_.getCount()), new Entry{ resource->getFileName(), resource, 1 });
}

void CResourcesManager::add(CResourcesManager* manager)
{
    if (manager == nullptr || manager->reaches(this))
        return;
    nested_.add(manager);
}

bool CResourcesManager::reaches(const CResourcesManager* manager) const
{
    if (manager == this)
        return true;
    for (int i = 0; i < nested_.getCount(); ++i)
        if (static_cast<CResourcesManager*>(nested_.at(i))->reaches(manager))
            return true;
    return false;
}

CFileResolver* CResourcesManager::get(CXString name)
{
    for (int i = 0; i < entries_.getCount(); ++i) {
        Entry* entry = entryAt(i);
        if (entry->name.equalsIgnoreCase(name)) {
            ++entry->uses;
            return entry->resource;
        }
    }
    for (int i = 0; i < nested_.getCount(); ++i)
        if (CFileResolver* resource = static_cast<CResourcesManager*>(nested_.at(i))->get(name))
            return resource;
    return nullptr;
}

CResourcesManager::Entry* CResourcesManager::find(CFileResolver* resource) const
{
    for (int i = 0; i < entries_.getCount(); ++i)
        if (entryAt(i)->resource == resource)
            return entryAt(i);
    return nullptr;
}

bool CResourcesManager::contains(CFileResolver* resource)
{
    return find(resource) != nullptr;
}

bool CResourcesManager::remove(CFileResolver* resource)
{
    Entry* entry = find(resource);
    if (entry == nullptr || --entry->uses > 0)
        return false;
    entries_.remove(entry);
    retire(entry);
    return true;
}

// Playables leave the screen before they go, so that nothing draws a deleted object.
void CResourcesManager::retire(Entry* entry)
{
    if (auto* playable = dynamic_cast<CPlayable*>(entry->resource))
        playable->hide();
    if (window_ != nullptr)
        window_->removeFromScreen(entry->resource);
    delete entry->resource;
    delete entry;
}

void CResourcesManager::flush()
{
    for (int i = 0; i < nested_.getCount(); ++i)
        static_cast<CResourcesManager*>(nested_.at(i))->flush();
    nested_.removeAll();
    // A resource may give back others while it goes, so each entry leaves the list first.
    while (entries_.getCount() > 0) {
        Entry* entry = entryAt(0);
        entries_.removeAt(0);
        retire(entry);
    }
}
