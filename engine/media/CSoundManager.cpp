#include "media/CSoundManager.h"

#include "media/CSound4.h"

#include <algorithm>

CSoundManager::~CSoundManager()
{
    Flush();
}

void CSoundManager::add(CSound4* sound, bool autoDelete)
{
    entries_.push_back({sound, false, autoDelete, false});
    ++count_;
}

CSoundManager::Entry* CSoundManager::find(CSound4* sound)
{
    for (Entry& entry : entries_) {
        if (entry.sound == sound && !entry.removed)
            return &entry;
    }
    return nullptr;
}

void CSoundManager::play(CSound4* sound)
{
    if (Entry* entry = find(sound))
        entry->playing = true;
}

void CSoundManager::remove(CSound4* sound)
{
    Entry* entry = find(sound);
    if (entry == nullptr)
        return;
    --count_;
    entry->sound = nullptr;
    entry->removed = true;
}

void CSoundManager::domodal()
{
    // Entries added while the walk runs are visited by it: a list's iterators survive appends.
    for (Entry& entry : entries_) {
        if (entry.sound == nullptr || entry.removed || !entry.playing)
            continue;
        if (!entry.sound->isPaused() && !entry.sound->IsPlaying()) {
            entry.playing = false;
            entry.sound->OnWAVFinished();
        }
    }
    entries_.remove_if([](const Entry& entry) { return entry.removed; });
}

bool CSoundManager::hasSoundsPlaying() const
{
    return std::any_of(entries_.begin(), entries_.end(), [](const Entry& entry) {
        return entry.sound != nullptr && !entry.removed && entry.playing && !entry.sound->isPaused();
    });
}

void CSoundManager::Flush()
{
    domodal();
    // The sounds' destructors call remove on this manager: they find an empty list.
    std::list<Entry> entries;
    entries.swap(entries_);
    count_ = 0;
    for (const Entry& entry : entries) {
        if (entry.autoDelete && entry.sound != nullptr)
            delete entry.sound;
    }
}

void CSoundManager::pause()
{
    for (Entry& entry : entries_) {
        if (entry.sound != nullptr && entry.sound->isPlaying())
            entry.sound->pause();
    }
}

void CSoundManager::resume()
{
    for (Entry& entry : entries_) {
        if (entry.sound != nullptr && entry.sound->isPaused())
            entry.sound->resume();
    }
}
