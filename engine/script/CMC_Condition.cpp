#include "script/CMC_Condition.h"

#include "foundation/CXArchive.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Behaviour_Entry.h"
#include "script/CMC_Bool.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <iterator>

namespace {

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

constexpr const char* kKeywords[] = {"EQUAL", "NOTEQUAL", "LESS", "LESSEQUAL", "GREATER", "GREATEREQUAL", "INSTANCEOF"};

CMC_Variable* valueOf(CMC_Object* result)
{
    return result != nullptr && !CMC_Object::isStopResult(result) ? result->asVariable() : nullptr;
}

} // namespace

CMC_Condition::CMC_Condition(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicCondition(container, element, TYPE_CONDITION)
    , operand1_(element->getPropertyValue("OPERAND1"))
    , operand2_(element->getPropertyValue("OPERAND2"))
    , operator_(element->getPropertyValue("OPERATOR"))
{
    resolveCondition();
    makeHome();
}

CMC_Condition::CMC_Condition(CMC_ObjectsContainer*)
    : CMC_BasicCondition(CXString("temp"), TYPE_CONDITION)
{
}

CMC_Condition::~CMC_Condition() = default;

void CMC_Condition::resolveCondition()
{
    for (int i = 0; i < static_cast<int>(std::size(kKeywords)); ++i)
        if (operator_ == kKeywords[i])
            code_ = i + OP_EQUAL;
}

void CMC_Condition::makeHome()
{
    home_ = std::make_unique<CMC_Behaviour>(getScene(), CXString("temp"), CXString());
}

void CMC_Condition::setScene(CMC_ObjectsContainer* scene)
{
    CMC_BasicCondition::setScene(scene);
    if (home_ != nullptr)
        home_->setScene(scene);
}

void CMC_Condition::init()
{
    CMC_BasicCondition::init();
    dropOperands(false);
    if (home_ == nullptr)
        makeHome();
    left_ = std::make_unique<CMC_Behaviour_Entry>(home_.get(), operand1_);
    right_ = std::make_unique<CMC_Behaviour_Entry>(home_.get(), operand2_);
}

bool CMC_Condition::done(bool final)
{
    dropOperands(final);
    if (running_ > 0 && home_ != nullptr)
        retired_.push_back(std::move(home_));
    home_.reset();
    return CMC_BasicCondition::done(final);
}

// Operands that are running stay until the evaluation ends.
void CMC_Condition::dropOperands(bool final)
{
    for (auto* operand : {&left_, &right_}) {
        if (*operand == nullptr)
            continue;
        (*operand)->releaseTempBeh(!final);
        if (running_ > 0)
            retired_.push_back(std::move(*operand));
        operand->reset();
    }
}

void CMC_Condition::serialize(CXArchive* archive)
{
    CMC_BasicCondition::serialize(archive);
    if (archive->isStoring()) {
        *archive << operand1_ << operand2_ << operator_;
        return;
    }
    *archive >> &operand1_ >> &operand2_ >> &operator_;
    resolveCondition();
    if (home_ == nullptr)
        makeHome();
}

bool CMC_Condition::valid(bool fireEvents)
{
    Evaluation evaluation(this);
    if (!evaluation.entered())
        return false;
    ++running_;
    CMC_Object* left = left_ != nullptr ? left_->run(nullptr, nullptr) : nullptr;
    CMC_Object* right = right_ != nullptr ? right_->run(nullptr, nullptr) : nullptr;
    --running_;
    bool convertible = true;
    const bool result = code_ == OP_INSTANCEOF ? isInstance(getScene(), operand1_, operand2_)
                                               : compare(left, right, &convertible);
    releaseResult(left);
    releaseResult(right);
    if (running_ == 0)
        retired_.clear();
    if (!convertible)
        return false;
    if (fireEvents)
        runHandler(result);
    return result;
}

bool CMC_Condition::compare(CMC_Object* left, CMC_Object* right, bool* convertible)
{
    CMC_Variable* a = valueOf(left);
    CMC_Variable* b = valueOf(right);
    if (a == nullptr || b == nullptr)
        return false;
    CMC_Variable* converted = b;
    if (a->getType() != TYPE_EXPRESSION && b->getType() != TYPE_EXPRESSION && a->getType() != b->getType())
        converted = b->convert(a->getType());
    if (converted == nullptr) {
        *convertible = false;
        return false;
    }
    const bool result = holds(a, converted, code_);
    if (converted != b)
        flush(converted, false);
    return result;
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
