#pragma once

#include "script/CMC_Object.h"

class CMC_Binding;

// Base of the CONDITION and COMPLEXCONDITION script objects: an object that answers whether
// it holds. Each evaluation may run a success or a failure handler: the first behaviours bound
// to "ONRUNTIMESUCCESS" and "ONRUNTIMEFAILED" when the condition was built; bindings made later
// are not seen.
class CMC_BasicCondition : public CMC_Object {
public:
    // Binds the element's signal properties and takes the handlers.
    CMC_BasicCondition(CMC_ObjectsContainer* container, CMElement* element, int type);
    // Without bindings or handlers, for a compiled scene's record.
    CMC_BasicCondition(const CXString& name, int type);

    const CMC_SignalList* getBehavioursList() override;

    // Whether the condition holds; with fireEvents its success or failure handler runs.
    virtual bool valid(bool fireEvents) = 0;

protected:
    // Marks the condition as being evaluated, at the present depth of behaviour runs, for the
    // guard's lifetime. A condition asked again at the same depth (an operand or a part names
    // it, or closes a cycle of conditions) does not hold and runs no handler: nothing would
    // ever end that evaluation. Asked from a behaviour that its evaluation ran, such as its
    // own handler, it is evaluated afresh: the depth limit of behaviour runs ends that.
    class Evaluation {
    public:
        explicit Evaluation(CMC_BasicCondition* condition);
        ~Evaluation();
        Evaluation(const Evaluation&) = delete;
        Evaluation& operator=(const Evaluation&) = delete;
        // False when the condition was being evaluated already at this depth.
        bool entered() const { return entered_; }

    private:
        CMC_BasicCondition* condition_;
        int outerDepth_;
        bool entered_;
    };

    // Runs the success handler for a result that holds, else the failure handler, with the
    // condition as caller, the binding's arguments, and the handler's own condition checked.
    void runHandler(bool result);

private:
    // The binding of the signal as it was when the condition was built, while the object
    // still has it.
    CMC_Binding* handler(const char* signal, CMC_Binding* taken);

    CMC_Binding* success_ = nullptr;
    CMC_Binding* failure_ = nullptr;
    // The run depth of the innermost evaluation going on; -1 when none is.
    int evaluationDepth_ = -1;
};
