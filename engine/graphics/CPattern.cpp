#include "graphics/CPattern.h"

#include "graphics/CAnimo6.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>

namespace {

// An object moved to a cell for a while: its place (its anchor kept), its destination and its
// clipping rectangle are put back when the placement ends.
class Placement {
public:
    Placement(CGraphicsObject& object, CXPoint corner)
        : object_(object)
        , position_(object.getPosition())
        , anchor_(object.getAnchor())
        , destination_(object.GetDestiny())
        , clip_(object.GetClippingRect())
    {
        object.setPosition(corner.x, corner.y);
    }
    ~Placement()
    {
        object_.setPosition(position_.x + anchor_.x, position_.y + anchor_.y);
        object_.SetDestiny(destination_);
        object_.SetClippingRect(clip_);
    }
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;

private:
    CGraphicsObject& object_;
    CXPoint position_;
    CXPoint anchor_;
    CGraphicsObject* destination_;
    CXRect clip_;
};

bool overlaps(const CXRect& a, const CXRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The object's alpha at a point of its own; an object without an alpha plane is opaque.
int alphaAt(CGraphicsObject& object, CXPoint local)
{
    return object.GetAlphaPtr() == nullptr ? 255 : object.GetPixel(CHANNEL_ALPHA, local);
}

// The depth of the window's screen; 16 without one.
int screenDepthOf(GraphicsWindow* window)
{
    const CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
    return screen != nullptr ? screen->GetBpp() : 16;
}

int cellsAlong(int length, int cell)
{
    return cell > 0 && length > 0 ? length / cell : 0;
}

} // namespace

CPatternEntry::CPatternEntry(int column, int row, const CXString& alias, CGraphicsObject* object, int order,
                             const CXString& info)
    : column(column)
    , row(row)
    , alias(alias)
    , object(object)
    , order(order)
    , info(info)
{
}

int CPatternEntry::compare(CXObject* other)
{
    return static_cast<CPatternEntry*>(other)->order < order ? 1 : 0;
}

CPattern::CPattern(GraphicsWindow* window, CXSize size, CXSize cell, int layers)
    : CGraphicsObject(window, size, screenDepthOf(window), nullptr)
    , cell_(cell)
    , layers_(std::max(layers, 0))
    , columns_(cellsAlong(size.width, cell.width))
    , rows_(cellsAlong(size.height, cell.height))
{
}

CPattern::~CPattern()
{
    for (auto& [number, layer] : layerLists_)
        for (CPatternEntry* entry : layer) {
            entry->object->removeInvalidateObserver(this);
            delete entry;
        }
}

uint64_t CPattern::cellKey(int column, int row, int layer)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(layer)) << 42) ^ (static_cast<uint64_t>(static_cast<uint32_t>(column)) << 21)
           ^ static_cast<uint32_t>(row);
}

bool CPattern::isCell(int column, int row, int layer) const
{
    return column >= 0 && column < columns_ && row >= 0 && row < rows_ && layer >= 0 && layer < layers_;
}

CXPoint CPattern::cellCorner(int column, int row) const
{
    return CXPoint(cell_.width * column, cell_.height * row);
}

CPatternEntry* CPattern::get(int column, int row, int layer) const
{
    if (!isCell(column, row, layer))
        return nullptr;
    const auto found = cells_.find(cellKey(column, row, layer));
    return found != cells_.end() ? found->second : nullptr;
}

bool CPattern::add(const CXString& alias, int column, int row, int layer, CGraphicsObject* object, int order,
                   const CXString& info)
{
    // A grid drawn inside itself would draw for ever; so would the screen drawn into it.
    if (object == nullptr || !isCell(column, row, layer) || object == this || object->drawsFrom(this)
        || dynamic_cast<CRefreshScreen*>(object) != nullptr)
        return false;
    if (CPatternEntry* old = get(column, row, layer))
        drop(old);
    auto* entry = new CPatternEntry(column, row, alias, object, order, info);
    cells_[cellKey(column, row, layer)] = entry;
    layerLists_[layer].push_back(entry);
    object->SetAutoClip(true);
    object->addInvalidateObserver(this);
    return true;
}

void CPattern::drop(CPatternEntry* entry)
{
    for (auto layer = layerLists_.begin(); layer != layerLists_.end(); ++layer) {
        auto found = std::find(layer->second.begin(), layer->second.end(), entry);
        if (found == layer->second.end())
            continue;
        layer->second.erase(found);
        cells_.erase(cellKey(entry->column, entry->row, layer->first));
        if (layer->second.empty())
            layerLists_.erase(layer);
        break;
    }
    if (!contains(entry->object))
        entry->object->removeInvalidateObserver(this);
    delete entry;
}

void CPattern::remove(CGraphicsObject* object, bool deleteObject)
{
    if (object == nullptr || !contains(object))
        return;
    for (auto& [number, layer] : std::map<int, Layer>(layerLists_))
        for (CPatternEntry* entry : layer)
            if (entry->object == object)
                drop(entry);
    if (deleteObject)
        delete object;
}

void CPattern::remove(const CXString& alias)
{
    for (auto& [number, layer] : std::map<int, Layer>(layerLists_))
        for (CPatternEntry* entry : layer)
            if (entry->alias == alias)
                drop(entry);
}

void CPattern::remove(int column, int row, int layer)
{
    if (CPatternEntry* entry = get(column, row, layer))
        drop(entry);
}

void CPattern::removeAll()
{
    for (auto& [number, layer] : layerLists_)
        for (auto entry = layer.rbegin(); entry != layer.rend(); ++entry) {
            (*entry)->object->removeInvalidateObserver(this);
            delete *entry;
        }
    layerLists_.clear();
    cells_.clear();
}

bool CPattern::contains(CGraphicsObject* object) const
{
    for (const auto& [number, layer] : layerLists_)
        for (const CPatternEntry* entry : layer)
            if (entry->object == object)
                return true;
    return false;
}

bool CPattern::drawsFrom(CGraphicsObject* object)
{
    for (const auto& [number, layer] : layerLists_)
        for (const CPatternEntry* entry : layer)
            if (entry->object == object || entry->object->drawsFrom(object))
                return true;
    return false;
}

CPatternEntry* CPattern::getAliasEntry(const CXString& alias) const
{
    for (const auto& [number, layer] : layerLists_)
        for (CPatternEntry* entry : layer)
            if (entry->alias == alias)
                return entry;
    return nullptr;
}

void CPattern::lock(int column, int row, bool locked)
{
    for (int layer = 0; layer < layers_; ++layer)
        if (CPatternEntry* entry = get(column, row, layer))
            entry->locked = locked;
}

void CPattern::_switch(int column1, int row1, int column2, int row2)
{
    if (!isCell(column1, row1, 0) || !isCell(column2, row2, 0))
        return;
    CPatternEntry* first = get(column1, row1, 0);
    CPatternEntry* second = get(column2, row2, 0);
    cells_.erase(cellKey(column1, row1, 0));
    cells_.erase(cellKey(column2, row2, 0));
    if (first != nullptr) {
        first->column = column2;
        first->row = row2;
        cells_[cellKey(column2, row2, 0)] = first;
    }
    if (second != nullptr) {
        second->column = column1;
        second->row = row1;
        cells_[cellKey(column1, row1, 0)] = second;
    }
}

void CPattern::moveDown(int column, int row, int delta)
{
    CPatternEntry* moved = get(column, row, 0);
    if (moved == nullptr || delta == 0 || !isCell(column, row + delta, 0))
        return;
    if (CPatternEntry* occupant = get(column, row + delta, 0)) {
        CGraphicsObject* object = occupant->object;
        // The moved entry may show the same object: it keeps it.
        if (object != moved->object)
            remove(object, true);
        else
            drop(occupant);
    }
    cells_.erase(cellKey(column, row, 0));
    moved->row = row + delta;
    moved->locked = true;
    cells_[cellKey(column, row + delta, 0)] = moved;
}

void CPattern::setGrid(CXSize cell)
{
    if (cell.width == cell_.width && cell.height == cell_.height)
        return;
    cell_ = cell;
    Invalidate();
}

void CPattern::drawEntry(CPatternEntry& entry, const CXRect& reach)
{
    CGraphicsObject& object = *entry.object;
    Placement placed(object, GetPosition() + cellCorner(entry.column, entry.row));
    object.SetDestiny(GetDestiny());
    const CXRect r = object.getGfxType() == CAnimo6::kGfxType ? object.GetBoundingBox() : object.getRect();
    if (!overlaps(r, reach))
        return;
    const CXRect clip = GetClippingRect();
    if (!clip.IsEmpty()) {
        const CXRect part = r.Common(clip + GetPosition());
        if (part.Width() <= 0 || part.Height() <= 0)
            return;
        object.SetClippingRect(part - object.GetPosition());
    }
    object.Redraw();
}

void CPattern::Redraw()
{
    CGraphicsObject* destination = GetDestiny();
    if (destination == nullptr || drawing_)
        return;
    const CXRect reach = destination->GetBoundingBox();
    drawing_ = true;
    for (auto& [number, layer] : layerLists_)
        for (CPatternEntry* entry : layer)
            if (!entry->locked && entry->object->isVisible())
                drawEntry(*entry, reach);
    drawing_ = false;
}

bool CPattern::hits(CPatternEntry& entry, CXPoint point, bool includeHidden, bool boxOnly, int alphaThreshold)
{
    CGraphicsObject& object = *entry.object;
    if (entry.locked || (!includeHidden && !object.isVisible()))
        return false;
    Placement placed(object, cellCorner(entry.column, entry.row));
    if (!object.GetAbsoluteBoundingBox().IsInRect(point))
        return false;
    return boxOnly || alphaAt(object, object.ClientCoords(point)) > alphaThreshold;
}

CPatternEntry* CPattern::firstHit(const std::vector<int>& layers, CXPoint point, bool includeHidden, bool boxOnly,
                                  int alphaThreshold)
{
    for (int number : layers) {
        const auto layer = layerLists_.find(number);
        if (layer == layerLists_.end())
            continue;
        for (CPatternEntry* entry : Layer(layer->second))
            if (hits(*entry, point, includeHidden, boxOnly, alphaThreshold))
                return entry;
    }
    return nullptr;
}

CPatternEntry* CPattern::getEntryAt(int x, int y, int, bool includeHidden, bool boxOnly)
{
    std::vector<int> upwards;
    for (const auto& [number, layer] : layerLists_)
        upwards.push_back(number);
    return firstHit(upwards, CXPoint(x, y) - GetPosition(), includeHidden, boxOnly, 0);
}

const CXString* CPattern::getGraphicsObjectAlias(int x, int y, bool includeHidden, bool boxOnly)
{
    CPatternEntry* entry = getEntryAt(x, y, 0, includeHidden, boxOnly);
    return entry != nullptr ? &entry->alias : nullptr;
}

CGraphicsObject* CPattern::getGraphicsObject(int x, int y, bool includeHidden, bool boxOnly, int layer,
                                             int alphaThreshold)
{
    std::vector<int> searched;
    if (layer < 0 || layer == layers_ - 1) {
        for (auto found = layerLists_.rbegin(); found != layerLists_.rend(); ++found)
            searched.push_back(found->first);
    } else if (layer < layers_) {
        searched.push_back(layer);
    }
    CPatternEntry* entry = firstHit(searched, CXPoint(x, y) - GetPosition(), includeHidden, boxOnly, alphaThreshold);
    return entry != nullptr ? entry->object : nullptr;
}

void CPattern::onInvalidate(CGraphicsObject* object, CXRect*)
{
    // Drawing moves the placed objects about, which must not make the grid dirty again.
    if (drawing_)
        return;
    for (const auto& [number, layer] : layerLists_)
        for (const CPatternEntry* entry : layer)
            if (entry->object == object) {
                // Only the cells are drawn again, not the whole grid.
                const CXPoint corner = cellCorner(entry->column, entry->row);
                const CXRect local(corner.x, corner.y, corner.x + object->Width(), corner.y + object->Height());
                invalidateCanvas(local);
                CXRect area = local + GetPosition();
                notifyInvalidate(&area);
            }
}

void CPattern::onDestroy(CGraphicsObject* object)
{
    for (auto& [number, layer] : std::map<int, Layer>(layerLists_))
        for (CPatternEntry* entry : layer)
            if (entry->object == object)
                drop(entry);
}
