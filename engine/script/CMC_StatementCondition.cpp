#include "script/CMC_StatementCondition.h"

#include "script/CMC_Behaviour.h"
#include "script/CMC_VariableFactory.h"

void CMC_StatementCondition::readOther(CMC_Runner* runner, CXVector* args, int i, Operand* operand)
{
    CMC_Variable* value = runner->getParameter(args, i);
    if (value != nullptr && value->getType() == CMC_Object::TYPE_INTEGER) {
        operand->isInteger = true;
        operand->value = static_cast<CMC_Integer*>(value)->getValue();
        return;
    }
    readText(value, CMC_Runner::argumentAt(args, i), operand);
}

void CMC_StatementCondition::readText(CMC_Variable* value, CMC_Object* argument, Operand* operand)
{
    CMC_String* text = CMC_Runner::readAsString(value, argument);
    operand->text.emplace(text != nullptr ? text->getValue().c_str() : "");
}

const CXString& CMC_StatementCondition::textOf(Operand* operand)
{
    if (operand->isInteger)
        operand->text.emplace(CXString::toString(operand->value).c_str());
    return operand->text->text();
}

CMC_Object* CMC_StatementCondition::evaluate(CMC_ObjectsContainer* container, Operand* operand)
{
    if (!operand->isInteger)
        return CMC_Behaviour::resolveParameter(container, nullptr, operand->text->text(), nullptr);
    CMC_Integer* value = CMC_VariableFactory::allocInteger();
    value->setValue(operand->value);
    return value;
}

bool CMC_StatementCondition::holdsOtherwise(CMC_ObjectsContainer* container)
{
    if (code_ == CMC_Condition::OP_INSTANCEOF)
        return CMC_Condition::valid(container, textOf(&left_), textOf(&right_), code_);
    CMC_Object* left = evaluate(container, &left_);
    CMC_Object* right = evaluate(container, &right_);
    const bool result = CMC_Condition::holds(left, right, code_);
    CMC_Object::releaseResult(left);
    CMC_Object::releaseResult(right);
    return result;
}
