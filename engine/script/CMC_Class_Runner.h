#pragma once

#include "script/CMC_Runner.h"

class CMC_Class;

// The runner of CLASS: NEW makes an instance of the class object in the calling container and
// runs its "CONSTRUCTOR"; DELETE runs the named instance's "DESTRUCTOR" and removes it; any
// other name runs the instance's behaviour of that name. Each gives the method's "__RETURN__"
// or none. The common methods' names resolve, so no behaviour is reached by them, but they
// do nothing here.
class CMC_Class_Runner : public CMC_Runner {
public:
    static constexpr int MTH_NEW = 1;
    static constexpr int MTH_DELETE = 2;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
    // A name without an id is a method of the class.
    CMC_Object* run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
    // Runs the method behaviour of the class object or instance with the texts of every
    // argument as its parameters; none for an object that is no CLASS.
    virtual CMC_Object* runClass(CMC_Object* instance, CMC_ObjectsContainer* scope, CXVector* args,
                                 const CXString& methodName);

private:
    // NEW(name, ...): the constructor's parameters begin with the instance's name.
    CMC_Object* _new(CMC_Object* classObject, CMC_ObjectsContainer* scope, CXVector* args);
    // DELETE(name, ...): the instance is found by name alone, in the calling container or
    // those around it; anything but an instance is left alone. It is deleted at the next frame
    // boundary, since its own method may be running.
    CMC_Object* _delete(CMC_ObjectsContainer* scope, CXVector* args);

    static CMC_Class* asClass(CMC_Object* object);
};
