#include "script/CMC_Condition.h"

#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_VariableFactory.h"

namespace {

bool byOrder(int order, int code)
{
    switch (code) {
    case CMC_Condition::OP_EQUAL:
        return order == 0;
    case CMC_Condition::OP_NOTEQUAL:
        return order != 0;
    case CMC_Condition::OP_LESS:
        return order < 0;
    case CMC_Condition::OP_LESSEQUAL:
        return order <= 0;
    case CMC_Condition::OP_GREATER:
        return order > 0;
    case CMC_Condition::OP_GREATEREQUAL:
        return order >= 0;
    default:
        return false;
    }
}

// The value of a lone operand read as BOOL.
bool truthOf(CMC_ObjectsContainer* container, const CXString& text)
{
    CMC_Object* value = CMC_Behaviour::resolveParameter(container, nullptr, text, nullptr);
    CMC_Variable* variable = value != nullptr ? value->asVariable() : nullptr;
    CMC_Variable* truth = variable != nullptr ? variable->convert(CMC_Object::TYPE_BOOL) : nullptr;
    const bool result = truth != nullptr && static_cast<CMC_Bool*>(truth)->getValue();
    if (truth != variable)
        CMC_Object::flush(truth, false);
    CMC_Object::releaseResult(value);
    return result;
}

} // namespace

int CMC_Condition::symbolCode(const CXString& symbol)
{
    const char* text = symbol.c_str();
    switch (symbol.GetLength()) {
    case 1:
        return text[0] == '<' ? OP_LESS : text[0] == '>' ? OP_GREATER : text[0] == '?' ? OP_INSTANCEOF : OP_EQUAL;
    case 2:
        if (text[1] == '_')
            return text[0] == '!' ? OP_NOTEQUAL : text[0] == '<' ? OP_LESSEQUAL : text[0] == '>' ? OP_GREATEREQUAL : OP_EQUAL;
        return text[0] == '<' && text[1] == '>' ? OP_NOTEQUAL : OP_EQUAL;
    default:
        return OP_EQUAL;
    }
}

bool CMC_Condition::holds(int32_t left, int32_t right, int operatorCode)
{
    return byOrder(left == right ? 0 : (left < right ? -1 : 1), operatorCode);
}

bool CMC_Condition::holds(CMC_Object* left, CMC_Object* right, int operatorCode)
{
    CMC_Variable* a = left != nullptr ? left->asVariable() : nullptr;
    CMC_Variable* b = right != nullptr ? right->asVariable() : nullptr;
    if (a == nullptr || b == nullptr)
        return false;
    switch (operatorCode) {
    case OP_EQUAL:
        return a->equals(b);
    case OP_NOTEQUAL:
        return !a->equals(b);
    default:
        return byOrder(a->compare(b), operatorCode);
    }
}

bool CMC_Condition::isInstance(CMC_ObjectsContainer* container, const CXString& name, const CXString& typeName)
{
    CMC_Object* object = container != nullptr ? container->getObject(name.c_str()) : nullptr;
    return object != nullptr && CMC_Object::typeToString(object->getType()) == typeName;
}

bool CMC_Condition::valid(CMC_ObjectsContainer* container, const CXString& left, const CXString& right,
                          const CXString& operatorSymbol)
{
    return valid(container, left, right, symbolCode(operatorSymbol));
}

bool CMC_Condition::valid(CMC_ObjectsContainer* container, const CXString& left, const CXString& right, int operatorCode)
{
    CMC_Object* a = CMC_Behaviour::resolveParameter(container, nullptr, left, nullptr);
    CMC_Object* b = CMC_Behaviour::resolveParameter(container, nullptr, right, nullptr);
    const bool result = operatorCode == OP_INSTANCEOF ? isInstance(container, left, right) : holds(a, b, operatorCode);
    CMC_Object::releaseResult(a);
    CMC_Object::releaseResult(b);
    return result;
}

bool CMC_Condition::valid(CMC_ObjectsContainer* container, const CXString& text)
{
    int code = OP_EQUAL;
    int operatorStart = text.Find('\'', 0);
    int operatorEnd = operatorStart + 1;
    if (operatorStart != -1) {
        const int before = operatorStart > 0 ? text.GetAt(operatorStart - 1) : 0;
        const int widened = before == '!' ? OP_NOTEQUAL : before == '<' ? OP_LESSEQUAL : before == '>' ? OP_GREATEREQUAL : 0;
        if (widened != 0) {
            code = widened;
            --operatorStart;
        }
    } else {
        const struct {
            char symbol;
            int code;
        } singles[] = {{'<', OP_LESS}, {'>', OP_GREATER}, {'?', OP_INSTANCEOF}};
        for (const auto& single : singles) {
            operatorStart = text.Find(single.symbol, 0);
            if (operatorStart != -1) {
                code = single.code;
                break;
            }
        }
        if (operatorStart == -1)
            return truthOf(container, text);
        operatorEnd = operatorStart + 1;
    }
    CMC_ScratchText left;
    CMC_ScratchText right;
    text.mid(0, operatorStart, &left.text());
    text.right(operatorEnd, &right.text());
    return valid(container, left.text(), right.text(), code);
}
