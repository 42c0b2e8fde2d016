#include "script/CMC_MultiArray.h"

#include "foundation/CXArchive.h"
#include "script/CMC_DataFile.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t kMaxCells = std::numeric_limits<int32_t>::max();

int coordinate(const std::vector<int>& coordinates, size_t d)
{
    return d < coordinates.size() ? coordinates[d] : 0;
}

int64_t product(const std::vector<int32_t>& widths)
{
    int64_t cells = 1;
    for (int32_t width : widths) {
        cells *= width;
        if (cells > kMaxCells)
            return kMaxCells + 1;
    }
    return cells;
}

} // namespace

CMC_MultiArray::CMC_MultiArray(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_MULTIARRAY)
{
    makeGrid(element->getPropertyIntValue("DIMENSIONS"));
    initializeBehaviours(container, element);
}

CMC_MultiArray::CMC_MultiArray(CMC_ObjectsContainer* container, const CXString& name)
    : CMC_Object(name, TYPE_MULTIARRAY)
{
    setScene(container);
    makeGrid(2);
}

CMC_MultiArray::~CMC_MultiArray() = default;

void CMC_MultiArray::makeGrid(int dimensions)
{
    grid_.dimensions = std::clamp(dimensions, 2, kMaxDimensions);
    grid_.widths.assign(static_cast<size_t>(grid_.dimensions), kInitialWidth);
    grid_.cellCount = static_cast<int32_t>(product(grid_.widths));
    grid_.cells.clear();
}

const CMC_SignalList* CMC_MultiArray::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

int64_t CMC_MultiArray::getIndex(const std::vector<int>& coordinates) const
{
    for (int d = 0; d < grid_.dimensions; ++d)
        if (coordinate(coordinates, static_cast<size_t>(d)) < 0)
            return -1;
    const int64_t index = coordinate(coordinates, 0) + int64_t{coordinate(coordinates, 1)} * grid_.widths[0];
    return index < grid_.cellCount ? index : -1;
}

bool CMC_MultiArray::validateSize(const std::vector<int>& coordinates)
{
    std::vector<int32_t> widths = grid_.widths;
    bool grows = false;
    for (size_t d = 0; d < widths.size(); ++d) {
        int64_t width = widths[d];
        while (width <= coordinate(coordinates, d))
            width *= 2;
        if (width > kMaxCells)
            return false;
        grows = grows || width != widths[d];
        widths[d] = static_cast<int32_t>(width);
    }
    if (!grows)
        return true;
    const int64_t cellCount = product(widths);
    if (cellCount > kMaxCells)
        return false;
    std::map<int32_t, std::unique_ptr<CMC_Variable>> cells;
    const int32_t oldWidth = grid_.widths[0];
    for (auto& [index, value] : grid_.cells) {
        const int64_t moved = index % oldWidth + int64_t{index / oldWidth} * widths[0];
        cells[static_cast<int32_t>(moved)] = std::move(value);
    }
    grid_.widths = std::move(widths);
    grid_.cellCount = static_cast<int32_t>(cellCount);
    grid_.cells = std::move(cells);
    return true;
}

bool CMC_MultiArray::set(const std::vector<int>& coordinates, CMC_Variable* value)
{
    std::unique_ptr<CMC_Variable> copy = CMC_VariableFactory::ownedCopy(value);
    for (int d = 0; d < grid_.dimensions; ++d)
        if (coordinate(coordinates, static_cast<size_t>(d)) < 0)
            return false;
    if (copy == nullptr || !validateSize(coordinates))
        return false;
    const int64_t index = getIndex(coordinates);
    if (index < 0)
        return false;
    grid_.cells[static_cast<int32_t>(index)] = std::move(copy);
    return true;
}

CMC_Variable* CMC_MultiArray::get(const std::vector<int>& coordinates) const
{
    const int64_t index = getIndex(coordinates);
    if (index < 0)
        return nullptr;
    auto found = grid_.cells.find(static_cast<int32_t>(index));
    return found != grid_.cells.end() ? found->second.get() : nullptr;
}

int CMC_MultiArray::count(CMC_Variable* v) const
{
    return static_cast<int>(
        std::count_if(grid_.cells.begin(), grid_.cells.end(), [v](const auto& cell) { return cell.second->equals(v); }));
}

int CMC_MultiArray::getSize(int dimension) const
{
    return dimension >= 0 && dimension < grid_.dimensions ? grid_.widths[static_cast<size_t>(dimension)] : 0;
}

ScriptWindow* CMC_MultiArray::window()
{
    return getScene() != nullptr ? getScene()->getWindow() : nullptr;
}

void CMC_MultiArray::save(const CXString& fileName)
{
    CMC_DataFile::write(window(), fileName, [this](CXArchive& archive) { save(&archive); });
}

void CMC_MultiArray::save(CXArchive* archive) const
{
    *archive << grid_.dimensions;
    for (int32_t width : grid_.widths)
        *archive << width;
    for (const auto& [index, value] : grid_.cells) {
        if (!CMC_VariableFactory::isBasicType(value->getType()))
            continue;
        *archive << index;
        value->store(archive);
    }
    *archive << grid_.cellCount;
}

bool CMC_MultiArray::load(const CXString& fileName)
{
    return CMC_DataFile::read(window(), fileName, [this](CXArchive& archive) { return load(&archive); });
}

bool CMC_MultiArray::load(CXArchive* archive)
{
    Grid read;
    *archive >> &read.dimensions;
    if (archive->failed() || read.dimensions < 2 || read.dimensions > kMaxDimensions)
        return false;
    for (int d = 0; d < read.dimensions; ++d) {
        int32_t width = 0;
        *archive >> &width;
        if (archive->failed() || width < 1)
            return false;
        read.widths.push_back(width);
    }
    const int64_t cellCount = product(read.widths);
    if (cellCount > kMaxCells)
        return false;
    read.cellCount = static_cast<int32_t>(cellCount);
    for (int64_t n = 0; n < cellCount; ++n) {
        int32_t index = -1;
        *archive >> &index;
        if (archive->failed() || index < 0)
            return false;
        if (index >= cellCount)
            break;
        CMC_Variable* value = CMC_VariableFactory::restore(archive);
        if (value == nullptr)
            return false;
        read.cells[index] = CMC_VariableFactory::ownedCopy(value);
        flush(value, false);
    }
    grid_ = std::move(read);
    return true;
}
