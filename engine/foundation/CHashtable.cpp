#include "foundation/CHashtable.h"

#include <algorithm>
#include <cstdint>

CHashtable::CHashtable(int capacity, double loadFactor, bool ownsKeys)
    : buckets_(std::max(capacity, 1))
    , loadFactor_(loadFactor)
    , ownsKeys_(ownsKeys)
{
}

CHashtable::CHashtable(const CHashtable& source, bool ownsKeys)
    : buckets_(source.buckets_)
    , count_(source.count_)
    , loadFactor_(source.loadFactor_)
    , ownsKeys_(ownsKeys)
    , values_(source.values_)
{
}

CHashtable::~CHashtable()
{
    clear();
}

// Negative hash codes (keys with letters above 127, negative integers) are read as
// unsigned, which keeps every bucket in range and agrees between put, get and growth.
CHashtable::Bucket& CHashtable::bucketOf(int32_t hash)
{
    return buckets_[static_cast<uint32_t>(hash) % buckets_.size()];
}

const CHashtable::Bucket& CHashtable::bucketOf(int32_t hash) const
{
    return buckets_[static_cast<uint32_t>(hash) % buckets_.size()];
}

void CHashtable::insert(const Entry& entry)
{
    bucketOf(entry.hash).push_back(entry);
    ++count_;
    values_.add(entry.value);
}

void CHashtable::put(CXObject* key, CXObject* value)
{
    if (key == nullptr)
        return;
    const int32_t hash = key->getHashcode();
    if (getCapacity() * loadFactor_ < count_ + 1)
        grow();
    insert({hash, key, value});
}

// Doubles the buckets and puts every entry again in the order of the old buckets,
// so the value list follows that order from now on.
void CHashtable::grow()
{
    std::vector<Bucket> old(buckets_.size() * 2);
    old.swap(buckets_);
    count_ = 0;
    values_.removeAll();
    for (const Bucket& bucket : old)
        for (const Entry& entry : bucket)
            insert(entry);
}

CXObject* CHashtable::get(CXObject* key) const
{
    if (key == nullptr)
        return nullptr;
    const int32_t hash = key->getHashcode();
    for (const Entry& entry : bucketOf(hash))
        if (entry.hash == hash && key->equals(entry.key))
            return entry.value;
    return nullptr;
}

void CHashtable::remove(CXObject* value)
{
    for (Bucket& bucket : buckets_) {
        const auto it = std::find_if(bucket.begin(), bucket.end(),
                                     [value](const Entry& entry) { return entry.value == value; });
        if (it == bucket.end())
            continue;
        CXObject* key = it->key;
        bucket.erase(it);
        --count_;
        values_.remove(value);
        if (ownsKeys_)
            delete key;
        return;
    }
}

CXVector* CHashtable::getKeys() const
{
    if (count_ == 0)
        return nullptr;
    auto* keys = new CXVector(count_, 0.75f);
    for (const Bucket& bucket : buckets_)
        for (const Entry& entry : bucket)
            keys->add(entry.key);
    return keys;
}

void CHashtable::clear()
{
    for (Bucket& bucket : buckets_) {
        if (ownsKeys_)
            for (const Entry& entry : bucket)
                delete entry.key;
        bucket.clear();
    }
    count_ = 0;
    values_.removeAll();
}

CHashtable* CHashtable::clone()
{
    return new CHashtable(*this, false);
}
