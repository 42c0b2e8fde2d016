#include "script/CMC_Database.h"

#include "foundation/CFile.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Structure.h"
#include "script/CMElement.h"
#include "script/ScriptWindow.h"

#include <algorithm>
#include <string>

namespace {

bool fieldEquals(CMC_Structure* row, const CXString& field, CMC_Variable* value)
{
    CMC_Variable* own = row->getField(field);
    return own != nullptr && value != nullptr && own->equals(value);
}

} // namespace

CMC_Database::CMC_Database(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_DATABASE)
    , modelName_(element->getPropertyValue("MODEL"))
{
    initializeBehaviours(container, element);
}

CMC_Database::~CMC_Database() = default;

const CMC_SignalList* CMC_Database::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_Database::init()
{
    if (CMC_ObjectsContainer* container = getScene()) {
        auto* cursor = new CMC_Structure(getName() + "_CURSOR");
        cursor->setScene(container);
        container->addObject(cursor);
        mapped_ = nullptr;
    }
    CMC_Object::init();
}

CMC_Structure* CMC_Database::structureNamed(const CXString& name)
{
    CMC_ObjectsContainer* container = getScene();
    CMC_Object* found = container != nullptr && name.IsString() ? container->getObject(name.c_str()) : nullptr;
    return found != nullptr && found->getType() == TYPE_STRUCTURE ? dynamic_cast<CMC_Structure*>(found) : nullptr;
}

CMC_Structure* CMC_Database::cursor()
{
    return structureNamed(getName() + "_CURSOR");
}

CMC_Structure* CMC_Database::copyOf(CMC_Structure* structure) const
{
    auto* copy = static_cast<CMC_Structure*>(structure->clone());
    copy->setName(CXString());
    return copy;
}

CMC_Structure* CMC_Database::getRow(int i) const
{
    return i >= 0 && i < getRows() ? rows_[static_cast<size_t>(i)].get() : nullptr;
}

void CMC_Database::mapCursor(CMC_Structure* row)
{
    if (CMC_Structure* shared = cursor()) {
        shared->map(row);
        mapped_ = row;
    }
}

void CMC_Database::erase(int i)
{
    if (rows_[static_cast<size_t>(i)].get() == mapped_) {
        if (CMC_Structure* shared = cursor())
            shared->flush();
        mapped_ = nullptr;
    }
    rows_.erase(rows_.begin() + i);
}

void CMC_Database::add(CMC_Structure* structure)
{
    if (structure != nullptr)
        rows_.emplace_back(copyOf(structure));
}

void CMC_Database::insertAt(int i, CMC_Structure* structure)
{
    if (structure != nullptr && i >= 0 && i <= getRows())
        rows_.emplace(rows_.begin() + i, copyOf(structure));
}

void CMC_Database::remove(const CXString& field, CMC_Variable* value)
{
    for (int i = getRows() - 1; i >= 0; --i)
        if (fieldEquals(rows_[static_cast<size_t>(i)].get(), field, value))
            erase(i);
}

void CMC_Database::removeAt(int i)
{
    if (i >= 0 && i < getRows())
        erase(i);
}

void CMC_Database::removeAll()
{
    while (!rows_.empty())
        erase(getRows() - 1);
}

void CMC_Database::select(int i)
{
    if (i < 0 || i >= getRows())
        return;
    position_ = i;
    mapCursor(rows_[static_cast<size_t>(i)].get());
}

void CMC_Database::next()
{
    if (!rows_.empty())
        select(position_ < 0 || position_ >= getRows() - 1 ? 0 : position_ + 1);
}

void CMC_Database::prev()
{
    if (!rows_.empty())
        select(position_ <= 0 || position_ > getRows() - 1 ? getRows() - 1 : position_ - 1);
}

int CMC_Database::find(const CXString& field, CMC_Variable* value, int start)
{
    for (int i = start < 0 ? getRows() : start; i < getRows(); ++i) {
        if (fieldEquals(rows_[static_cast<size_t>(i)].get(), field, value)) {
            mapCursor(rows_[static_cast<size_t>(i)].get());
            return i;
        }
    }
    return -1;
}

bool CMC_Database::load(const CXString& fileName)
{
    CMC_Structure* model = structureNamed(modelName_);
    if (model == nullptr || getScene() == nullptr)
        return false;
    CFile file(getScene()->getWindow(), fileName, CFile::MODE_READ | CFile::MODE_TEXT);
    if (file.LastError() != 0)
        return false;
    std::string text(static_cast<size_t>(std::max(file.Length(), 0)), '\0');
    text.resize(static_cast<size_t>(file.Read(text.data(), static_cast<int>(text.size()))));
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty()) {
            CMC_Structure* row = copyOf(model);
            row->fromString(CXString(line.c_str()));
            rows_.emplace_back(row);
        }
        start = end + 1;
    }
    if (!rows_.empty())
        select(0);
    return true;
}

bool CMC_Database::save(const CXString& fileName)
{
    if (getScene() == nullptr)
        return false;
    CFile file;
    if (file.Open(getScene()->getWindow(), fileName, CFile::MODE_TEXT) != 0)
        return false;
    for (const auto& row : rows_)
        file.putLine(row->toString() + "\n");
    return file.Close() == 0;
}
