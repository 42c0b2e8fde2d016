#include "script/CMC_Expression.h"

#include "script/CMC_Behaviour.h"
#include "script/CMC_Behaviour_Entry.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <algorithm>

namespace {

struct Operator {
    const char* symbol;
    const char* word;
    int code;
};

constexpr Operator kOperators[] = {
    {"+", "ADD", CMC_Variable::OP_ADD}, {"-", "SUB", CMC_Variable::OP_SUB}, {"*", "MUL", CMC_Variable::OP_MUL},
    {"@", "DIV", CMC_Variable::OP_DIV}, {"%", "MOD", CMC_Variable::OP_MOD},
};

bool bracketsBalance(const char* from, const char* to)
{
    return std::count(from, to, '[') == std::count(from, to, ']');
}

// The value that an operand's statement gave; anything that is no value counts as none and
// is let go of at once.
CMC_Variable* valueOf(CMC_Object* result)
{
    CMC_Variable* value = result != nullptr && !CMC_Object::isStopResult(result) ? result->asVariable() : nullptr;
    if (value == nullptr)
        CMC_Object::releaseResult(result);
    return value;
}

} // namespace

CMC_Expression::CMC_Expression(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Variable(container, element, TYPE_EXPRESSION)
    , owner_(std::make_unique<CMC_Behaviour>(container, CXString("temp"), CXString()))
{
    texts_.push_back(element->getPropertyValue("OPERAND1"));
    operators_.push_back(operatorCode(element->getPropertyValue("OPERATOR")));
    texts_.push_back(element->getPropertyValue("OPERAND2"));
}

CMC_Expression::CMC_Expression(CMC_ObjectsContainer* container, const CXString& text)
    : CMC_Variable(CXString("temp"), TYPE_EXPRESSION)
    , owner_(std::make_unique<CMC_Behaviour>(container, CXString("temp"), CXString()))
{
    split(text);
    init();
}

CMC_Expression::~CMC_Expression()
{
    releaseResult(result_);
    operands_.clear();
}

int CMC_Expression::operatorCode(const CXString& text)
{
    for (const Operator& entry : kOperators)
        if (text == entry.symbol || text == entry.word)
            return entry.code;
    return 0;
}

void CMC_Expression::split(const CXString& text)
{
    static const CXString kOperatorCharacters("+-*@%");
    const int length = text.GetLength();
    const char* chars = text.c_str();
    int i = 0;
    while (i < length) {
        int end = text.findOneOf(kOperatorCharacters, i);
        while (end != -1 && !bracketsBalance(chars + i, chars + end))
            end = text.findOneOf(kOperatorCharacters, end + 1);
        if (end == -1)
            end = length;
        texts_.push_back(text.Mid(i, end));
        i = end;
        if (i < length) {
            operators_.push_back(operatorCode(CXString(static_cast<int>(static_cast<unsigned char>(chars[i])))));
            ++i;
        }
    }
}

namespace {

const CXString kOperand1Note("{OPERAND1}");
const CXString kOperatorNote("{OPERATOR}");
const CXString kOperand2Note("{OPERAND2}");

} // namespace

std::vector<CMC_Object::RecordNote> CMC_Expression::getRecordNotes()
{
    if (texts_.size() != 2 || operators_.size() != 1)
        return {};
    return {{kOperand1Note, texts_[0], CXString()},
            {kOperatorNote, CXString::toString(operators_[0]), CXString()},
            {kOperand2Note, texts_[1], CXString()}};
}

void CMC_Expression::serialize(CXArchive* archive)
{
    CMC_Variable::serialize(archive);
    if (archive->isStoring())
        return;
    CXString operand1;
    CXString operation;
    CXString operand2;
    if (!takeRecordNote(kOperand1Note, &operand1) || !takeRecordNote(kOperatorNote, &operation) ||
        !takeRecordNote(kOperand2Note, &operand2))
        return;
    texts_ = {operand1, operand2};
    operators_ = {operation.toNumber()};
}

void CMC_Expression::init()
{
    operands_.clear();
    for (const CXString& text : texts_)
        operands_.push_back(std::make_unique<CMC_Behaviour_Entry>(owner_.get(), text));
    CMC_Object::init();
}

void CMC_Expression::releaseTempBeh(bool release)
{
    for (auto& operand : operands_)
        operand->releaseTempBeh(release);
}

void CMC_Expression::calculate()
{
    releaseResult(result_);
    result_ = nullptr;
    if (operands_.empty())
        return;
    CMC_Variable* result = valueOf(operands_[0]->run(this, nullptr));
    if (result == nullptr)
        return;
    const size_t steps = std::min(operands_.size() - 1, operators_.size());
    if (steps > 0 && result->getType() == TYPE_INTEGER) {
        calculateIntegers(result);
        return;
    }
    for (size_t k = 1; k <= steps; ++k) {
        CMC_Variable* operand = valueOf(operands_[k]->run(this, nullptr));
        CMC_Variable* next = operand != nullptr ? result->calculate(operand, operators_[k - 1]) : nullptr;
        releaseResult(result);
        releaseResult(operand);
        result = next;
        if (result == nullptr)
            return;
    }
    result_ = result;
}

// Gives what the step-by-step calculate of INTEGER values gives: each operand converted to
// INTEGER (0 when it cannot be), and the wrap-around arithmetic of INTEGER.
void CMC_Expression::calculateIntegers(CMC_Variable* first)
{
    int32_t accumulator = static_cast<CMC_Integer*>(first)->getValue();
    releaseResult(first);
    const size_t steps = std::min(operands_.size() - 1, operators_.size());
    for (size_t k = 1; k <= steps; ++k) {
        CMC_Object* result = operands_[k]->run(this, nullptr);
        int32_t value = 0;
        if (result != nullptr && !isStopResult(result) && result->getType() == TYPE_INTEGER) {
            value = static_cast<CMC_Integer*>(result)->getValue();
            releaseResult(result);
        } else {
            CMC_Variable* operand = valueOf(result);
            if (operand == nullptr)
                return;
            CMC_Variable* integer = operand->convert(TYPE_INTEGER);
            value = integer != nullptr ? static_cast<CMC_Integer*>(integer)->getValue() : 0;
            if (integer != operand)
                flush(integer, false);
            releaseResult(operand);
        }
        accumulator = CMC_Integer::arithmetic(accumulator, value, operators_[k - 1]);
    }
    CMC_Integer* result = CMC_VariableFactory::allocInteger();
    result->setValue(accumulator);
    result_ = result;
}

CXObject* CMC_Expression::clone()
{
    calculate();
    return result_ != nullptr ? result_->clone() : nullptr;
}

bool CMC_Expression::equals(CMC_Variable* v)
{
    calculate();
    if (result_ == nullptr || v == nullptr)
        return false;
    CMC_Variable* other = v->getType() == result_->getType() ? v : v->convert(result_->getType());
    if (other == nullptr)
        return false;
    const bool equal = result_->equals(other);
    if (other != v)
        flush(other, true);
    return equal;
}

int CMC_Expression::compare(CMC_Variable* v)
{
    calculate();
    if (result_ == nullptr || v == nullptr)
        return -1;
    CMC_Variable* other = v->getType() == result_->getType() ? v : v->convert(result_->getType());
    if (other == nullptr)
        return -1;
    const int order = result_->compare(other);
    if (other != v)
        flush(other, true);
    return order;
}

CMC_Variable* CMC_Expression::convert(int type)
{
    calculate();
    return result_ != nullptr ? result_->convert(type) : nullptr;
}

CMC_Variable* CMC_Expression::calculate(CMC_Variable* v, int op)
{
    calculate();
    return result_ != nullptr ? result_->calculate(v, op) : nullptr;
}
