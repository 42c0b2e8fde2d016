#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXVector.h"

#include <vector>

// Maps keys to values through the keys' getHashcode and equals. An equal key never
// replaces an entry: it goes behind it, so look-ups keep finding the first one.
// Values are never deleted; keys are deleted only by a table made as their owner.
// Besides the buckets the table keeps the list of its values, which callers iterate.
class CHashtable : public CXObject {
public:
    CHashtable(int capacity, double loadFactor, bool ownsKeys);
    CHashtable(const CHashtable&) = delete;
    CHashtable& operator=(const CHashtable&) = delete;
    ~CHashtable() override;

    // A null key is refused and found nowhere.
    void put(CXObject* key, CXObject* value);
    CXObject* get(CXObject* key) const;
    // Removes the first entry, in bucket order, that holds this very value.
    void remove(CXObject* value);
    bool contains(CXObject* value) const { return values_.contains(value); }
    // Null when the table is empty; else a new vector of the keys in bucket order,
    // which the caller deletes (not the keys).
    CXVector* getKeys() const;
    void clear();
    // A table with the same entries that does not own the keys.
    CHashtable* clone() override;

    int getSize() const { return count_; }
    int getCapacity() const { return static_cast<int>(buckets_.size()); }
    // The values, one per entry; the table owns the vector.
    CXVector* getElements() { return &values_; }

private:
    struct Entry {
        int32_t hash;
        CXObject* key;
        CXObject* value;
    };
    using Bucket = std::vector<Entry>;

    CHashtable(const CHashtable& source, bool ownsKeys);

    Bucket& bucketOf(int32_t hash);
    const Bucket& bucketOf(int32_t hash) const;
    void insert(const Entry& entry);
    void grow();

    std::vector<Bucket> buckets_;
    int32_t count_ = 0;
    double loadFactor_;
    bool ownsKeys_;
    CXVector values_;
};
