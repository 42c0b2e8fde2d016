#pragma once

#include "script/CMC_Variable.h"

#include <memory>
#include <vector>

class CMC_Behaviour;
class CMC_Behaviour_Entry;

// The EXPRESSION script value: read-only, computed anew each time it is read, from a chain of
// operands joined by "+", "-", "*", "@" (divide) and "%" (remainder), strictly from left to
// right (1+2*3 is 9). Each operand is a statement of behaviour code, compiled once: a
// variable's name gives the variable, a method call its result, anything else the literal it
// reads as. The left value's type decides each step, as its calculate does. A missing operand
// value, an empty operand included (-5 begins with one), gives no result.
//
// Assignments change nothing, and no network form holds the operands. In compiled scenes the
// record of a definition's expression carries OPERAND1, OPERATOR (its operation code) and
// OPERAND2 as the notes "{OPERAND1}", "{OPERATOR}" and "{OPERAND2}"; a record without them
// gives an expression without operands, which has no value.
class CMC_Expression : public CMC_Variable {
public:
    // From an EXPRESSION definition: OPERAND1, OPERATOR ("+" or "ADD", "-" or "SUB", "*" or
    // "MUL", "@" or "DIV", "%" or "MOD") and OPERAND2; compiled by init. Another OPERATOR
    // word gives what the left value's calculate gives for an unknown operation.
    CMC_Expression(CMC_ObjectsContainer* container, CMElement* element);
    // From text, named "temp" and in no container; compiled at once. Operators inside square
    // brackets belong to their operand.
    CMC_Expression(CMC_ObjectsContainer* container, const CXString& text);
    ~CMC_Expression() override;

    using CMC_Object::clone;
    // A copy of the value computed now.
    CXObject* clone() override;
    // Compiles the operands; a definition's expression never touches the INI file.
    void init() override;

    void set(CMC_Variable*) override {}
    void clear() override {}
    void swap(CMC_Variable*, CMC_Variable*) override {}
    void inc() override {}
    void dec() override {}
    void setDefault(CMC_Variable*) override {}
    void resetINI() override {}
    int getBufferLen() override { return 0; }
    void netstore(void*) override {}
    bool netrestore(const void*, int) override { return false; }
    void store(CXArchive*) override {}
    void restore(CXArchive*) override {}
    void serialize(CXArchive* archive) override;

    // Computed now; v is converted to the type of the value.
    bool equals(CMC_Variable* v) override;
    int compare(CMC_Variable* v) override;
    CMC_Variable* convert(int type) override;
    CMC_Variable* calculate(CMC_Variable* v, int op) override;

    // Computes the value, given back by getResult until the next computation.
    virtual void calculate();
    virtual CMC_Variable* getResult() { return result_; }

    // Whether deleting the operands also takes their blocks of code out of the container.
    void releaseTempBeh(bool release);

    // The operation code of an operator character or word; 0 for none.
    static int operatorCode(const CXString& text);

protected:
    std::vector<RecordNote> getRecordNotes() override;

private:
    void split(const CXString& text);
    // Chains whose first value is an INTEGER stay in machine integers, by INTEGER's rules.
    void calculateIntegers(CMC_Variable* first);

    std::vector<CXString> texts_;
    std::vector<int> operators_;
    // The operands' statements belong to this behaviour, which outlives them.
    std::unique_ptr<CMC_Behaviour> owner_;
    std::vector<std::unique_ptr<CMC_Behaviour_Entry>> operands_;
    CMC_Variable* result_ = nullptr;
};
