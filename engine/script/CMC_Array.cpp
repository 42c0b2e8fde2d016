#include "script/CMC_Array.h"

#include "foundation/CConfig.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CXArchive.h"
#include "foundation/CXRandom.h"
#include "script/CMC_Bool.h"
#include "script/CMC_DataFile.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <algorithm>

namespace {

// The value that a shift leaves in the element it moves round; other types keep theirs.
void resetValue(CMC_Variable* value)
{
    switch (value->getType()) {
    case CMC_Object::TYPE_INTEGER:
        static_cast<CMC_Integer*>(value)->setValue(0);
        break;
    case CMC_Object::TYPE_STRING:
        static_cast<CMC_String*>(value)->setValue(CXString("NULL"));
        break;
    case CMC_Object::TYPE_BOOL:
        static_cast<CMC_Bool*>(value)->setValue(false);
        break;
    case CMC_Object::TYPE_DOUBLE:
        static_cast<CMC_Double*>(value)->setValue(0.0);
        break;
    default:
        break;
    }
}

} // namespace

CMC_Array::CMC_Array(CMC_ObjectsContainer* container, const CXString& name)
    : CMC_Object(name, TYPE_ARRAY)
{
    setScene(container);
}

CMC_Array::CMC_Array(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_ARRAY)
    , sendOnChange_(element->getPropertyBoolValue("SENDONCHANGE"))
{
    initializeBehaviours(container, element);
}

CMC_Array::~CMC_Array()
{
    removeAll();
}

CXObject* CMC_Array::clone()
{
    auto* copy = new CMC_Array(getScene(), CXString("cloned"));
    for (const auto& value : values_)
        if (std::unique_ptr<CMC_Variable> element = CMC_VariableFactory::ownedCopy(value.get()))
            copy->values_.push_back(std::move(element));
    return copy;
}

CXString CMC_Array::toString()
{
    CXString text;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (i > 0)
            text += ',';
        text += values_[i]->toString();
    }
    return text;
}

const CMC_SignalList* CMC_Array::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONCHANGED"};
    return &signals;
}

void CMC_Array::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring())
        *archive << sendOnChange_;
    else
        *archive >> &sendOnChange_;
}

CMC_Variable* CMC_Array::get(int i) const
{
    return i >= 0 && i < getSize() ? values_[static_cast<size_t>(i)].get() : nullptr;
}

void CMC_Array::onChanged(int index)
{
    if (!sendOnChange_ || !isSignalBound(SIGNAL_ONCHANGED))
        return;
    if (!onSignal(CXString("ONCHANGED^") + CXString::toString(index)))
        onSignal(CXString("ONCHANGED"));
}

void CMC_Array::onChangedAll()
{
    for (int i = 0; i < getSize(); ++i)
        onChanged(i);
}

void CMC_Array::append(std::unique_ptr<CMC_Variable> value)
{
    if (value == nullptr)
        return;
    values_.push_back(std::move(value));
    onChanged(getSize() - 2);
}

void CMC_Array::add(CMC_Variable* v)
{
    append(CMC_VariableFactory::ownedCopy(v));
}

void CMC_Array::addClones(const CXString& name, int from, int to)
{
    for (int64_t i = from; i <= to; ++i)
        append(std::make_unique<CMC_String>(CXString("temp"), name + "_" + CXString::toString(static_cast<int>(i))));
}

void CMC_Array::insertAt(int i, CMC_Variable* v)
{
    std::unique_ptr<CMC_Variable> copy = CMC_VariableFactory::ownedCopy(v);
    if (copy == nullptr || i < 0 || i > getSize())
        return;
    values_.insert(values_.begin() + i, std::move(copy));
    onChanged(i);
}

void CMC_Array::changeAt(int i, CMC_Variable* v)
{
    std::unique_ptr<CMC_Variable> copy = CMC_VariableFactory::ownedCopy(v);
    if (copy == nullptr || i < 0 || i >= getSize())
        return;
    values_[static_cast<size_t>(i)] = std::move(copy);
    onChanged(i);
}

void CMC_Array::removeAt(int i)
{
    if (i >= 0 && i < getSize())
        values_.erase(values_.begin() + i);
}

void CMC_Array::removeAll()
{
    values_.clear();
}

void CMC_Array::remove(CMC_Variable* v)
{
    removeAt(find(v));
}

int CMC_Array::find(CMC_Variable* v)
{
    for (int i = 0; i < getSize(); ++i)
        if (values_[static_cast<size_t>(i)]->equals(v))
            return i;
    return -1;
}

int CMC_Array::reversefind(CMC_Variable* v)
{
    for (int i = getSize() - 1; i >= 0; --i)
        if (values_[static_cast<size_t>(i)]->equals(v))
            return i;
    return -1;
}

std::vector<int> CMC_Array::findAll(CMC_Variable* v)
{
    std::vector<int> found;
    for (int i = 0; i < getSize(); ++i)
        if (values_[static_cast<size_t>(i)]->equals(v))
            found.push_back(i);
    return found;
}

void CMC_Array::swap(int a, int b)
{
    if (get(a) == nullptr || get(b) == nullptr)
        return;
    std::swap(values_[static_cast<size_t>(a)], values_[static_cast<size_t>(b)]);
    onChanged(a);
    onChanged(b);
}

void CMC_Array::setMarkerPos(int position)
{
    marker_ = std::clamp(position, -1, std::max(getSize() - 1, -1));
}

CMC_Variable* CMC_Array::next(int step)
{
    return moveMarker(int64_t{marker_} + step);
}

CMC_Variable* CMC_Array::prev(int step)
{
    return moveMarker(int64_t{marker_} - step);
}

// Wraps as often as needed, either way.
CMC_Variable* CMC_Array::moveMarker(int64_t position)
{
    if (values_.empty())
        return nullptr;
    const int64_t size = getSize();
    marker_ = static_cast<int>((position % size + size) % size);
    return values_[static_cast<size_t>(marker_)].get();
}

void CMC_Array::combineAt(int i, CMC_Variable* operand, int op)
{
    CMC_Variable* element = get(i);
    if (element == nullptr || operand == nullptr)
        return;
    CMC_Variable* result = element->calculate(operand, op);
    if (result != nullptr && result != element)
        element->set(result);
    flush(result, false);
    onChanged(i);
}

void CMC_Array::calculateAll(CMC_Variable* v, int op)
{
    for (int i = 0; i < getSize(); ++i)
        combineAt(i, v, op);
}

void CMC_Array::calculateRange(const CXString& name, int first, int last, int op)
{
    for (int64_t i = std::max(first, 0); i <= last && i < getSize(); ++i) {
        // Looked up at each step, since a handler may have replaced it.
        CMC_Object* named = getScene() != nullptr ? getScene()->getObject(name.c_str()) : nullptr;
        if (named == nullptr)
            return;
        CMC_Variable* operand = named->getType() == TYPE_ARRAY ? static_cast<CMC_Array*>(named)->get(static_cast<int>(i))
                                                               : named->asVariable();
        combineAt(static_cast<int>(i), operand, op);
    }
}

// A binary insertion that places each element after every equal one already placed, so equal
// elements keep their order.
void CMC_Array::sort(bool ascending)
{
    Values sorted;
    sorted.reserve(values_.size());
    for (std::unique_ptr<CMC_Variable>& value : values_) {
        auto at = std::upper_bound(sorted.begin(), sorted.end(), value, [](const auto& placing, const auto& placed) {
            return placed->compare(placing.get()) > 0;
        });
        sorted.insert(at, std::move(value));
    }
    if (!ascending)
        std::reverse(sorted.begin(), sorted.end());
    values_ = std::move(sorted);
}

void CMC_Array::moveToEnd(bool reset)
{
    if (values_.empty())
        return;
    std::rotate(values_.begin(), values_.begin() + 1, values_.end());
    if (reset)
        resetValue(values_.back().get());
    onChangedAll();
}

void CMC_Array::moveToFront(bool reset)
{
    if (values_.empty())
        return;
    std::rotate(values_.rbegin(), values_.rbegin() + 1, values_.rend());
    if (reset)
        resetValue(values_.front().get());
    onChangedAll();
}

void CMC_Array::shiftLeft()
{
    moveToEnd(true);
}

void CMC_Array::shiftRight()
{
    moveToFront(true);
}

void CMC_Array::rotateLeft()
{
    moveToEnd(false);
}

void CMC_Array::rotateRight()
{
    moveToFront(false);
}

bool CMC_Array::compareArr(CMC_Array* other)
{
    if (other == nullptr || other->getSize() != getSize())
        return false;
    for (int i = 0; i < getSize() && i < other->getSize(); ++i)
        if (!values_[static_cast<size_t>(i)]->equals(other->get(i)))
            return false;
    return true;
}

void CMC_Array::saveINI()
{
    if (CConfig* ini = applicationIni())
        ini->PutString(getScene()->getName(), getName(), toString());
}

void CMC_Array::loadINI()
{
    CConfig* ini = applicationIni();
    const CXString text = ini != nullptr ? ini->GetString(getScene()->getName(), getName()) : CXString();
    removeAll();
    CStringTokenizer tokens(text, CXString(","));
    while (tokens.hasMoreTokens())
        values_.push_back(std::make_unique<CMC_String>(CXString("temp"), tokens.nextToken()));
}

ScriptWindow* CMC_Array::window()
{
    return getScene() != nullptr ? getScene()->getWindow() : nullptr;
}

void CMC_Array::save(const CXString& fileName)
{
    CMC_DataFile::write(window(), fileName, [this](CXArchive& archive) { save(&archive); });
}

void CMC_Array::save(CXArchive* archive)
{
    const auto count = std::count_if(values_.begin(), values_.end(), [](const auto& v) { return CMC_VariableFactory::isBasicType(v->getType()); });
    *archive << static_cast<int32_t>(count);
    for (const auto& value : values_)
        if (CMC_VariableFactory::isBasicType(value->getType()))
            value->store(archive);
}

void CMC_Array::load(const CXString& fileName)
{
    removeAll();
    CMC_DataFile::read(window(), fileName, [this](CXArchive& archive) {
        load(&archive);
        return true;
    });
}

void CMC_Array::load(CXArchive* archive)
{
    removeAll();
    int32_t count = 0;
    *archive >> &count;
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        CMC_Variable* value = CMC_VariableFactory::restore(archive);
        if (value == nullptr)
            return;
        add(value);
        flush(value, false);
    }
}

// The draws are copied out first: a handler of the additions may draw again into the random
// service's one buffer.
void CMC_Array::addRandomIntegers(int count, int from, int range, bool unique)
{
    const int* buffer = CXRandom::random_vector(from, range, count, unique);
    if (count < 0 || count > CXRandom::kVectorSize)
        return;
    const std::vector<int> drawn(buffer, buffer + count);
    for (int number : drawn) {
        CMC_Integer value(number);
        add(&value);
    }
}
