#pragma once

#include "foundation/CFileSandbox.h"
#include "foundation/CXTriple.h"

class CMC_Behaviour;
class CMC_Object;
class CMC_ObjectsContainer;
class CXArray;
class CXString;

// One binding of a signal name: the bound behaviour (first), its argument texts (second, a
// CXArray of CXString, or none) and the container that made the binding (third). The record
// owns its arguments. After an archive is read the behaviour is a placeholder object named
// after the real one, owned by the record until the real behaviour is found.
class CMC_Binding : public CXTriple {
public:
    CMC_Binding(CMC_Behaviour* behaviour, CXArray* arguments, CMC_ObjectsContainer* owner);
    // A record read from an archive, waiting for the behaviour of that name; no owner.
    static CMC_Binding* placeholder(const CXString& behaviourName, CXArray* arguments);
    ~CMC_Binding() override;
    CMC_Binding(const CMC_Binding&) = delete;
    CMC_Binding& operator=(const CMC_Binding&) = delete;

    // A record of its own with the same behaviour, owner, argument texts and confinement.
    CMC_Binding* copy() const;

    // The behaviour or the placeholder.
    CMC_Object* getBoundObject() const { return static_cast<CMC_Object*>(first); }
    // The behaviour to run; none while a placeholder stands in for it, and none once the
    // behaviour was deleted.
    CMC_Behaviour* getBehaviour() const;
    CXArray* getArguments() const { return static_cast<CXArray*>(second); }
    CMC_ObjectsContainer* getOwner() const { return static_cast<CMC_ObjectsContainer*>(third); }

    bool holdsPlaceholder() const { return ownsPlaceholder_; }
    // Puts the real behaviour in place of the placeholder, which is deleted.
    void bind(CMC_Behaviour* behaviour);

    // Made while confined code ran: whoever raises the signal, the behaviour runs confined,
    // since the binding may hand it names the peer chose.
    bool isConfined() const { return confined_; }

    // A record taken out of its list while a signal is being raised stays alive until the
    // raise ends, but runs no more.
    void retire() { retired_ = true; }
    bool isRetired() const { return retired_; }

private:
    CMC_Binding(CMC_Object* bound, CXArray* arguments, CMC_ObjectsContainer* owner, bool ownsPlaceholder);

    bool ownsPlaceholder_;
    bool confined_ = CFileSandbox::isConfined();
    bool retired_ = false;
};
