#pragma once

#include "foundation/CXString.h"
#include "foundation/CXVector.h"

// A list of named definition records (elements or properties) in the order they were
// added, looked up by exact name. An owning list destroys its records with itself.
template <typename Record>
class CMNamedList : public CXVector {
public:
    ~CMNamedList() override
    {
        if (owns_)
            for (int i = 0; i < getCount(); ++i)
                delete getAt(i);
    }
    CMNamedList(const CMNamedList&) = delete;
    CMNamedList& operator=(const CMNamedList&) = delete;

    // Not checked: 0 <= index < count.
    Record* getAt(int index) const { return static_cast<Record*>(at(index)); }
    // The first record of that name, or nullptr.
    Record* get(const CXString& name) const
    {
        for (int i = 0; i < getCount(); ++i)
            if (getAt(i)->getName() == name)
                return getAt(i);
        return nullptr;
    }
    bool contains(const CXString& name) const { return get(name) != nullptr; }
    // Takes the record out of the list; an owning list also destroys it. A record that is
    // not in the list, or that a non-owning list only shares, is left alive.
    void remove(CXObject* record)
    {
        if (record == nullptr || find(record) == -1)
            return;
        CXVector::remove(record);
        if (owns_)
            delete static_cast<Record*>(record);
    }

protected:
    explicit CMNamedList(bool owns)
        : CXVector(101, 0.75f)
        , owns_(owns)
    {
    }

    bool owns_;
};
