#pragma once

#include "script/CMC_Condition.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_String.h"

#include <cstdint>
#include <optional>


// The condition of an IF or WHILE statement given as left operand, operator and right
// operand arguments. Each operand is what its argument reads as text, evaluated anew at each
// test as a condition operand. An INTEGER argument reads back as the very same number, so
// its value is kept instead of its text, and two such operands compare as machine integers.
class CMC_StatementCondition {
public:
    // Reads the three arguments, in order, now.
    CMC_StatementCondition(CMC_Runner* runner, CXVector* args, int left, int operatorSymbol, int right)
    {
        read(runner, args, left, &left_);
        CMC_String* symbol = runner->stringParameter(args, operatorSymbol);
        code_ = symbol != nullptr ? CMC_Condition::symbolCode(symbol->getValue()) : CMC_Condition::OP_EQUAL;
        read(runner, args, right, &right_);
    }
    CMC_StatementCondition(const CMC_StatementCondition&) = delete;
    CMC_StatementCondition& operator=(const CMC_StatementCondition&) = delete;

    bool holds(CMC_ObjectsContainer* container)
    {
        if (left_.isInteger && right_.isInteger && code_ != CMC_Condition::OP_INSTANCEOF)
            return CMC_Condition::holds(left_.value, right_.value, code_);
        return holdsOtherwise(container);
    }

private:
    struct Operand {
        bool isInteger = false;
        int32_t value = 0;
        std::optional<CMC_ScratchText> text;
    };

    // An INTEGER argument is its own value.
    static void read(CMC_Runner* runner, CXVector* args, int i, Operand* operand)
    {
        if (CMC_Variable* value = CMC_Runner::argumentOfType(args, i, CMC_Object::TYPE_INTEGER)) {
            operand->isInteger = true;
            operand->value = static_cast<CMC_Integer*>(value)->getValue();
        } else {
            readOther(runner, args, i, operand);
        }
    }
    static void readOther(CMC_Runner* runner, CXVector* args, int i, Operand* operand);
    static void readText(CMC_Variable* value, CMC_Object* argument, Operand* operand);
    bool holdsOtherwise(CMC_ObjectsContainer* container);
    // The operand's value as a condition operand; an INTEGER as a pooled copy.
    static CMC_Object* evaluate(CMC_ObjectsContainer* container, Operand* operand);
    // The text that an INTEGER operand stands for.
    static const CXString& textOf(Operand* operand);

    Operand left_;
    Operand right_;
    int code_;
};
