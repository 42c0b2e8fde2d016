#pragma once

#include "script/CMC_ObjectsContainer.h"

#include <utility>
#include <vector>

class CMC_Behaviour;
class CXArray;

// The CLASS script object. A class object of a definition names the class's definition file
// (DEF, below "$COMMON\CLASSES\") and its bases (BASE, file names separated by ","); NEW makes
// an instance, a container that builds its own copies of the objects of the base files in
// order and then of DEF. Bases of bases are not read. An object whose name the instance holds
// already pushes the older one aside to "SUPER_" + its name, again for every further
// namesake, so each base's object stays reachable.
//
// Calling a method of an instance runs the behaviour of that name, found in the instance or
// the containers around it, with the instance as its container and the call's arguments as
// "$1", "$2" and so on; the result is a copy of "__RETURN__". A behaviour of another container
// that ran as a method stays in the instance until the instance ends, and then goes back.
//
// Class objects and instances look names up in the container that made them after their own.
class CMC_Class : public CMC_ObjectsContainer {
public:
    // A class object: reads DEF and BASE and binds the signal properties; no file is read.
    CMC_Class(CMC_ObjectsContainer* container, CMElement* element);
    // An instance of the class object, owned by the container: the base files, then DEF.
    // A file that cannot be read adds nothing.
    CMC_Class(CMC_ObjectsContainer* container, CMC_Class* classObject, const CXString& name);
    // Gives back the behaviours it borrowed, then finishes and deletes its objects; the
    // destructor is not called as a method.
    ~CMC_Class() override;

    const CMC_SignalList* getBehavioursList() override;
    // Initialises each object in turn, then raises its own "ONINIT".
    void init() override;
    // Runs "DESTRUCTOR" as a method, gives back the borrowed behaviours, then finishes and
    // deletes its objects and raises its own "ONDONE".
    bool done(bool final) override;
    // A namesake already held goes aside as "SUPER_" + its name.
    void addObject(CMC_Object* object) override;

    // A new, initialised instance named name in the container of this object, which is not
    // entered anywhere yet.
    CMC_Class* newInstance(const CXString& name);
    // Runs the behaviour named method in this container with the parameter texts (CXString
    // items, or none), its condition not checked: a pooled copy of "__RETURN__" as found from
    // here afterwards; none when the name finds no behaviour.
    CMC_Object* runMethod(const CXString& method, CXArray* params);
    // Every behaviour of another container that ran here goes back to that container.
    void returnBorrowed();

    bool isInstance() const { return instance_; }

private:
    CXString getClassPath(const CXString& name) const;
    // Builds the objects of one class file here.
    void import(const CXString& name);
    void importBases(const CXString& list);
    void borrow(CMC_Behaviour* behaviour);
    // The container a borrowed behaviour came from, which it no longer goes back to from
    // here; none when it was not borrowed here.
    CMC_ObjectsContainer* takeBack(CMC_Behaviour* behaviour);

    CXString def_;
    CXString base_;
    bool instance_ = false;
    std::vector<std::pair<CMC_Behaviour*, CMC_ObjectsContainer*>> borrowed_;
};
