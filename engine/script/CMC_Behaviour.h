#pragma once

#include "script/CMC_Object.h"

class CMC_BasicCondition;

// The BEHAVIOUR script object: a named piece of script code with an optional condition,
// run by the signals that it is bound to.
class CMC_Behaviour : public CMC_Object {
public:
    // An empty behaviour, filled by a compiled scene's record.
    explicit CMC_Behaviour(CMC_ObjectsContainer* container);
    // From a BEHAVIOUR definition: its "CODE" and "CONDITION" properties.
    CMC_Behaviour(CMC_ObjectsContainer* container, CMElement* element);
    // A named piece of code, such as in-line code of a property.
    CMC_Behaviour(CMC_ObjectsContainer* container, const CXString& name, const CXString& code);

    // Drops a doubled pair of braces that construction left.
    void init() override;

    // Runs the code with the caller and the argument texts; with checkCondition, only when
    // the condition holds. True only when a statement ended the run with BREAK. Code is run
    // by its compiled statements, and a behaviour without them runs nothing.
    virtual bool run(CMC_Object* caller, CXArray* params, bool checkCondition);

    // Finds the condition object named by "CONDITION" in the container; an object of any other
    // type, or none, leaves the behaviour without a condition.
    void resolveCondition();
    CMC_BasicCondition* getConditionInterface() const { return condition_; }

    CXString getCode() const { return code_; }
    CXString getCodition() const { return conditionName_; }
    bool isEnabled() const { return enabled_; }
    void enable(bool on) { enabled_ = on; }
    int getBreakpoint() const { return breakpoint_; }
    void setBreakpoint(int line) { breakpoint_ = line; }
    void resetBreakpoint() { breakpoint_ = -1; }

private:
    // Blanks at both ends, then one opening and one closing brace, then blanks again.
    static CXString trimCode(const CXString& code);

    CXString code_;
    CXString conditionName_;
    CMC_BasicCondition* condition_ = nullptr;
    bool enabled_ = true;
    int32_t breakpoint_ = -1;
};
