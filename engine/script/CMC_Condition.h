#pragma once

#include "script/CMC_BasicCondition.h"

#include <memory>
#include <vector>

class CMC_Behaviour;
class CMC_Behaviour_Entry;
class CMC_Variable;

// The CONDITION script object: two operands, each one statement or value of behaviour code,
// compared by an operator. The left value decides: a right value of another type is turned
// into the left's type first (an EXPRESSION on either side computes and compares itself), and
// when that is impossible the condition does not hold and runs no handler.
//
// The statements IF and WHILE compare without an object, through the evaluators here: each
// side is an operand text, evaluated as the run-once interpreter reads operands.
class CMC_Condition : public CMC_BasicCondition {
public:
    static constexpr int OP_EQUAL = 1;
    static constexpr int OP_NOTEQUAL = 2;
    static constexpr int OP_LESS = 3;
    static constexpr int OP_LESSEQUAL = 4;
    static constexpr int OP_GREATER = 5;
    static constexpr int OP_GREATEREQUAL = 6;
    static constexpr int OP_INSTANCEOF = 7;

    // From a CONDITION definition: "OPERATOR" (an unknown word is EQUAL), "OPERAND1",
    // "OPERAND2" and the signal bindings.
    CMC_Condition(CMC_ObjectsContainer* container, CMElement* element);
    // Named "temp" and empty, for a compiled scene's record.
    explicit CMC_Condition(CMC_ObjectsContainer* container);
    ~CMC_Condition() override;

    // "ONINIT", then the operands are compiled, once for all evaluations.
    void init() override;
    // Drops the compiled operands, then "ONDONE".
    bool done(bool final) override;
    // The object's record, then OPERAND1, OPERAND2 and OPERATOR.
    void serialize(CXArchive* archive) override;
    void setScene(CMC_ObjectsContainer* scene) override;
    // Runs both operands and compares their values; INSTANCEOF asks whether the object named
    // by the OPERAND1 text has the type shown by the OPERAND2 text.
    bool valid(bool fireEvents) override;

    int getOperatorCode() const { return code_; }

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
    static int symbolCode(const CXString& symbol)
    {
        const char* text = symbol.c_str();
        switch (symbol.GetLength()) {
        case 1:
            return text[0] == '<' ? OP_LESS : text[0] == '>' ? OP_GREATER : text[0] == '?' ? OP_INSTANCEOF : OP_EQUAL;
        case 2:
            if (text[1] == '_')
                return text[0] == '!' ? OP_NOTEQUAL : text[0] == '<' ? OP_LESSEQUAL : text[0] == '>' ? OP_GREATEREQUAL
                                                                                                       : OP_EQUAL;
            return text[0] == '<' && text[1] == '>' ? OP_NOTEQUAL : OP_EQUAL;
        default:
            return OP_EQUAL;
        }
    }
    // Whether the left value stands to the right one as the code (EQUAL to GREATEREQUAL) says;
    // false when either is missing or is no value.
    static bool holds(CMC_Object* left, CMC_Object* right, int operatorCode);
    // INSTANCEOF: the object of exactly that name has the type shown by exactly that text.
    static bool isInstance(CMC_ObjectsContainer* container, const CXString& name, const CXString& typeName);
    // The same comparison of two INTEGER values.
    static bool holds(int32_t left, int32_t right, int operatorCode)
    {
        return byOrder(left == right ? 0 : (left < right ? -1 : 1), operatorCode);
    }
    // Whether an order (below 0, 0, above 0) satisfies the code; false for INSTANCEOF.
    static bool byOrder(int order, int operatorCode)
    {
        switch (operatorCode) {
        case OP_EQUAL:
            return order == 0;
        case OP_NOTEQUAL:
            return order != 0;
        case OP_LESS:
            return order < 0;
        case OP_LESSEQUAL:
            return order <= 0;
        case OP_GREATER:
            return order > 0;
        case OP_GREATEREQUAL:
            return order >= 0;
        default:
            return false;
        }
    }

private:
    // The code of the OPERATOR word; the code stays for a word that is not one.
    void resolveCondition();
    // The behaviour that the operand statements belong to.
    void makeHome();
    // Deletes the compiled operands; unless final, their blocks of code leave the container.
    void dropOperands(bool final);
    // Compares the operands' values as the object form does.
    bool compare(CMC_Object* left, CMC_Object* right, bool* convertible);

    CXString operand1_;
    CXString operand2_;
    CXString operator_;
    int32_t code_ = OP_EQUAL;
    std::unique_ptr<CMC_Behaviour> home_;
    std::unique_ptr<CMC_Behaviour_Entry> left_;
    std::unique_ptr<CMC_Behaviour_Entry> right_;
    // Operands dropped while they ran; they go when the evaluation ends.
    std::vector<std::unique_ptr<CMC_Object>> retired_;
    int running_ = 0;
};
