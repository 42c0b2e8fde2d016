#include "script/CMC_Variable.h"

#include "foundation/CConfig.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_NetNotifier.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

namespace {

// A converted value: the source, when it is a pooled temporary, goes back to its pool before
// the result is lent.
template <typename Result, typename Value>
CMC_Variable* handOver(CMC_Variable* source, Result* (*lend)(), const Value& value)
{
    CMC_Object::flush(source, false);
    Result* result = lend();
    result->setValue(value);
    return result;
}

} // namespace

CMC_Variable::CMC_Variable(const CXString& name, int type)
    : CMC_Object(name, type)
{
}

CMC_Variable::CMC_Variable(const CXString& name, int type, int id)
    : CMC_Object(name, type)
    , id_(id)
{
    if (id >= 0)
        markAsPooled();
}

CMC_Variable::CMC_Variable(CMC_ObjectsContainer* container, CMElement* element, int type)
    : CMC_Object(container, element, type)
    , toIni_(element->getPropertyBoolValue("TOINI"))
    , netNotify_(toIni_ || element->getPropertyBoolValue("NETNOTIFY"))
{
    initializeBehaviours(container, element);
}

int CMC_Variable::compare(CXObject* other)
{
    return compare(dynamic_cast<CMC_Variable*>(other));
}

const CMC_SignalList* CMC_Variable::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONCHANGED", "ONBRUTALCHANGED", "ONNETCHANGE"};
    return &signals;
}

void CMC_Variable::init()
{
    CConfig* ini = toIni_ ? applicationIni() : nullptr;
    if (ini != nullptr) {
        const CXString section = getScene()->getName();
        const CXString stored = ini->GetString(section, getName());
        if (stored.GetLength() > 0) {
            CMC_String text(CXString("f"), stored);
            set(&text);
        } else {
            ini->PutString(section, getName(), toString());
        }
    }
    CMC_Object::init();
}

void CMC_Variable::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring())
        *archive << toIni_ << netNotify_;
    else
        *archive >> &toIni_ >> &netNotify_;
}

void CMC_Variable::set(CMC_Variable*)
{
}

void CMC_Variable::fromString(const CXString&)
{
}

void CMC_Variable::raiseWithValue(const char* name)
{
    if (!onSignal(CXString(name) + "^" + toString()))
        onSignal(CXString(name));
}

void CMC_Variable::report(bool changed)
{
    if (isSignalBound(SIGNAL_ONBRUTALCHANGED))
        raiseWithValue("ONBRUTALCHANGED");
    if (!changed)
        return;
    if (isSignalBound(SIGNAL_ONCHANGED))
        raiseWithValue("ONCHANGED");
    if (toIni_) {
        if (CConfig* ini = applicationIni())
            ini->PutString(getScene()->getName(), getName(), toString());
    }
    if (netNotify_)
        announce();
}

// The announcement to the other players belongs to the network objects of the scene.
void CMC_Variable::announce()
{
    CMC_NetNotifier::announce(this);
}

void CMC_Variable::onNetChange(CMC_Variable* v)
{
    if (isSignalBound(SIGNAL_ONNETCHANGE))
        onSignal(CXString("ONNETCHANGE"));
    const bool announced = netNotify_;
    netNotify_ = false;
    set(v);
    netNotify_ = announced;
}

CMC_Variable* CMC_Variable::resolve(const CXString& text)
{
    if (text.GetLength() == 0 || text.GetAt(0) == '"') {
        CXString value = text.GetLength() > 0 ? text.Right(1) : text;
        if (value.GetLength() > 0 && value.lastChar() == '"')
            value = value.Left(value.GetLength() - 1);
        CMC_String* result = CMC_VariableFactory::allocString();
        result->fromString(value);
        return result;
    }
    const int first = text.GetAt(0);
    if (first == '-' || (first >= '0' && first <= '9')) {
        if (text.Find('.', 0) == -1) {
            CMC_Integer* result = CMC_VariableFactory::allocInteger();
            result->fromString(text);
            return result;
        }
        CMC_Double* result = CMC_VariableFactory::allocDouble();
        result->fromString(text);
        return result;
    }
    if (text == "TRUE" || text == "FALSE") {
        CMC_Bool* result = CMC_VariableFactory::allocBool();
        result->fromString(text);
        return result;
    }
    CMC_String* result = CMC_VariableFactory::allocString();
    result->fromString(text);
    return result;
}

CMC_Variable* CMC_Variable::fieldOf(CMC_Object* structure, const CXString& field)
{
    if (structure == nullptr || structure->getType() != TYPE_STRUCTURE)
        return nullptr;
    CMC_Variable* value = structure->asVariable();
    return value != nullptr ? value->getField(field) : nullptr;
}

void CMC_Variable::netstoreType(void* buffer)
{
    putInt32(buffer, 0, getType());
}

void CMC_Variable::putInt32(void* buffer, int offset, int32_t value)
{
    auto* bytes = static_cast<unsigned char*>(buffer) + offset;
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

int32_t CMC_Variable::getInt32(const void* buffer, int offset)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer) + offset;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

CMC_Variable* CMC_Variable::converted(CMC_Variable* v, int type)
{
    if (v == nullptr || v->getType() == type)
        return v;
    return v->convert(type);
}

void CMC_Variable::releaseConverted(CMC_Variable* original, CMC_Variable* converted)
{
    if (converted != original)
        flush(converted, false);
}

bool CMC_Variable::definesDefault(CMElement* element)
{
    return element->getPropertyValue("DEFAULT").GetLength() > 0;
}

CMC_Variable* CMC_Variable::allocInteger(int32_t value)
{
    return handOver(this, &CMC_VariableFactory::allocInteger, value);
}

CMC_Variable* CMC_Variable::allocString(const CXString& value)
{
    return handOver(this, &CMC_VariableFactory::allocString, value);
}

CMC_Variable* CMC_Variable::allocBool(bool value)
{
    return handOver(this, &CMC_VariableFactory::allocBool, value);
}

CMC_Variable* CMC_Variable::allocDouble(double value)
{
    return handOver(this, &CMC_VariableFactory::allocDouble, value);
}
