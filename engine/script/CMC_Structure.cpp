#include "script/CMC_Structure.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script/CMElement.h"

#include <algorithm>

namespace {

CXString shortNameOf(const CXString& name)
{
    return name.Right(name.FindLast('_') + 1);
}

} // namespace

CMC_Structure::CMC_Structure(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Variable(container, element, TYPE_STRUCTURE)
    , fields_(std::make_shared<Fields>())
{
    CStringTokenizer items(element->getPropertyValue("FIELDS"), CXString(","));
    while (items.hasMoreTokens()) {
        const CXString item = items.nextToken();
        const int open = item.Find('<', 0);
        const int close = open != -1 ? item.Find('>', open + 1) : -1;
        if (close != -1)
            declare(getName() + "_" + item.Left(open), item.Mid(open + 1, close));
    }
}

CMC_Structure::CMC_Structure(const CXString& name)
    : CMC_Variable(name, TYPE_STRUCTURE)
    , fields_(std::make_shared<Fields>())
{
}

CXObject* CMC_Structure::clone()
{
    auto* copy = new CMC_Structure(getName());
    copy->markAsClone();
    for (const Field& field : *fields_) {
        copy->declare(field.value->getName(), typeToString(field.value->getType()));
        copy->fields_->back().value->set(field.value.get());
    }
    return copy;
}

CXString CMC_Structure::toString()
{
    CXString text;
    for (size_t i = 0; i < fields_->size(); ++i) {
        if (i > 0)
            text += '|';
        text += (*fields_)[i].value->toString();
    }
    return text;
}

int CMC_Structure::commonFields(CMC_Structure* other) const
{
    return std::min(getFieldsCount(), other->getFieldsCount());
}

void CMC_Structure::set(CMC_Variable* v)
{
    if (v == nullptr || v->getType() != TYPE_STRUCTURE)
        return;
    auto* other = static_cast<CMC_Structure*>(v);
    for (int i = 0; i < commonFields(other); ++i)
        getField(i)->set(other->getField(i));
}

void CMC_Structure::clear()
{
    for (Field& field : *fields_)
        field.value->clear();
}

bool CMC_Structure::equals(CMC_Variable* v)
{
    if (v == nullptr || v->getType() != TYPE_STRUCTURE)
        return false;
    auto* other = static_cast<CMC_Structure*>(v);
    for (int i = 0; i < commonFields(other); ++i)
        if (!getField(i)->equals(other->getField(i)))
            return false;
    return true;
}

void CMC_Structure::setDefault(CMC_Variable* v)
{
    for (Field& field : *fields_)
        field.value->setDefault(v);
}

void CMC_Structure::resetINI()
{
    for (Field& field : *fields_)
        field.value->resetINI();
}

void CMC_Structure::store(CXArchive* archive)
{
    for (Field& field : *fields_)
        field.value->store(archive);
}

void CMC_Structure::restore(CXArchive* archive)
{
    for (Field& field : *fields_) {
        int32_t type = 0;
        *archive >> &type;
        if (archive->failed())
            return;
        if (type != field.value->getType()) {
            archive->setFailed();
            return;
        }
        field.value->restore(archive);
    }
}

void CMC_Structure::fromString(const CXString& text)
{
    CStringTokenizer texts(text, CXString("|\n"));
    for (Field& field : *fields_) {
        if (!texts.hasMoreTokens())
            return;
        field.value->fromString(texts.nextToken());
    }
}

CMC_Variable* CMC_Structure::getField(const CXString& name)
{
    for (Field& field : *fields_)
        if (field.shortName == name)
            return field.value.get();
    return nullptr;
}

CMC_Variable* CMC_Structure::getField(int position) const
{
    return position >= 0 && position < getFieldsCount() ? (*fields_)[static_cast<size_t>(position)].value.get() : nullptr;
}

void CMC_Structure::setField(int position, CMC_Variable* value)
{
    CMC_Variable* field = getField(position);
    if (field != nullptr && value != nullptr)
        field->set(value);
}

void CMC_Structure::setField(const CXString& name, CMC_Variable* value)
{
    CMC_Variable* field = getField(name);
    if (field != nullptr && value != nullptr)
        field->set(value);
}

void CMC_Structure::flush()
{
    fields_ = std::make_shared<Fields>();
}

void CMC_Structure::declare(const CXString& name, const CXString& type)
{
    std::unique_ptr<CMC_Variable> field;
    if (type.equalsIgnoreCase("BOOL"))
        field = std::make_unique<CMC_Bool>(name);
    else if (type.equalsIgnoreCase("DOUBLE"))
        field = std::make_unique<CMC_Double>(name);
    else if (type.equalsIgnoreCase("INTEGER"))
        field = std::make_unique<CMC_Integer>(name);
    else if (type.equalsIgnoreCase("STRING"))
        field = std::make_unique<CMC_String>(name);
    if (field != nullptr)
        fields_->push_back(Field{std::move(field), shortNameOf(name)});
}

// Statements that found a field through the structure find them again.
void CMC_Structure::map(CMC_Structure* other)
{
    if (other == nullptr)
        return;
    fields_ = other->fields_;
    CMC_ObjectsContainer::noteChange();
}
