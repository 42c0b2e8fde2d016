#pragma once

#include "script/CMC_BasicCondition.h"

class CMC_Variable;

// The CONDITION script object. The statements IF and WHILE compare without an object, through
// the evaluators here: each side is an operand text, evaluated as the run-once interpreter
// reads operands, and the left value decides how the right one is compared.
class CMC_Condition : public CMC_BasicCondition {
public:
    static constexpr int OP_EQUAL = 1;
    static constexpr int OP_NOTEQUAL = 2;
    static constexpr int OP_LESS = 3;
    static constexpr int OP_LESSEQUAL = 4;
    static constexpr int OP_GREATER = 5;
    static constexpr int OP_GREATEREQUAL = 6;
    static constexpr int OP_INSTANCEOF = 7;

    // One text holding the operator: "'" EQUAL, with "!", "<" or ">" before it NOTEQUAL,
    // LESSEQUAL or GREATEREQUAL; else the first "<", ">" or "?". Blanks are kept. A text with
    // no operator holds when its value reads as TRUE.
    static bool valid(CMC_ObjectsContainer* container, const CXString& text);
    // Left and right texts with an operator symbol ("_", "!_", "<>", "<", "<_", ">", ">_",
    // "?"; anything else is EQUAL).
    static bool valid(CMC_ObjectsContainer* container, const CXString& left, const CXString& right,
                      const CXString& operatorSymbol);
    // Both statement forms end here.
    static bool valid(CMC_ObjectsContainer* container, const CXString& left, const CXString& right, int operatorCode);

    // The code of a symbol of the three-part form.
    static int symbolCode(const CXString& symbol);
    // Whether the left value stands to the right one as the code (EQUAL to GREATEREQUAL) says;
    // false when either is missing or is no value.
    static bool holds(CMC_Object* left, CMC_Object* right, int operatorCode);
    // INSTANCEOF: the object of exactly that name has the type shown by exactly that text.
    static bool isInstance(CMC_ObjectsContainer* container, const CXString& name, const CXString& typeName);
    // The same comparison of two INTEGER values.
    static bool holds(int32_t left, int32_t right, int operatorCode);
};
