#pragma once

#include "script/CMC_ScratchText.h"

#include <cstdint>
#include <optional>

class CMC_Object;
class CMC_ObjectsContainer;
class CMC_Runner;
class CMC_Variable;
class CXVector;

// The condition of an IF or WHILE statement given as left operand, operator and right
// operand arguments. Each operand is what its argument reads as text, evaluated anew at each
// test as a condition operand. An INTEGER argument reads back as the very same number, so
// its value is kept instead of its text, and two such operands compare as machine integers.
class CMC_StatementCondition {
public:
    // Reads the three arguments, in order, now.
    CMC_StatementCondition(CMC_Runner* runner, CXVector* args, int left, int operatorSymbol, int right);
    CMC_StatementCondition(const CMC_StatementCondition&) = delete;
    CMC_StatementCondition& operator=(const CMC_StatementCondition&) = delete;

    bool holds(CMC_ObjectsContainer* container);

private:
    struct Operand {
        bool isInteger = false;
        int32_t value = 0;
        std::optional<CMC_ScratchText> text;
    };

    static void read(CMC_Runner* runner, CXVector* args, int i, Operand* operand);
    static void readText(CMC_Variable* value, CMC_Object* argument, Operand* operand);
    // The operand's value as a condition operand; an INTEGER as a pooled copy.
    static CMC_Object* evaluate(CMC_ObjectsContainer* container, Operand* operand);
    // The text that an INTEGER operand stands for.
    static const CXString& textOf(Operand* operand);

    Operand left_;
    Operand right_;
    int code_;
};
