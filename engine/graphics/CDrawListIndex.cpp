#include "graphics/CDrawListIndex.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshRegion.h"
#include "graphics/CRefreshScreen.h"

#include <algorithm>
#include <climits>

namespace {

// The side of a cell of the grid that files the entries, in pixels: a few rows of buttons'
// height, so that a small area reaches few cells and an object lies in few.
constexpr int kCell = 64;

// What the whole-screen entry of a region reaches: every object with an area, wherever it is.
const CXRect kEverywhere(INT_MIN, INT_MIN, INT_MAX, INT_MAX);

bool hasArea(const CXRect& r)
{
    return r.left < r.right && r.top < r.bottom;
}

bool overlap(const CXRect& a, const CXRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Cells beyond the screen's edges are the edge cells: what lies outside is filed there.
int cellAt(int coordinate, int count)
{
    return coordinate < 0 ? 0 : std::min(coordinate / kCell, count - 1);
}

void eraseOne(std::vector<CGraphicsObject*>& objects, CGraphicsObject* object)
{
    const auto found = std::find(objects.begin(), objects.end(), object);
    if (found == objects.end())
        return;
    *found = objects.back();
    objects.pop_back();
}

} // namespace

CDrawListIndex::CDrawListIndex(CXSize screenSize)
    : columns_(std::max(1, (screenSize.width + kCell - 1) / kCell))
    , rows_(std::max(1, (screenSize.height + kCell - 1) / kCell))
    , cells_(static_cast<size_t>(columns_) * static_cast<size_t>(rows_))
{
}

void CDrawListIndex::add(CValidationElement* element)
{
    CGraphicsObject* object = element->getObject();
    remove(object);
    Entry entry;
    entry.element = element;
    entry.serial = nextSerial_++;
    entries_.emplace(object, entry);
    changed(object);
}

void CDrawListIndex::remove(CGraphicsObject* object)
{
    const auto found = entries_.find(object);
    if (found == entries_.end())
        return;
    unfile(object, found->second);
    entries_.erase(found);
}

void CDrawListIndex::removeAll()
{
    entries_.clear();
    for (auto& objects : cells_)
        objects.clear();
    everywhere_.clear();
    changed_.clear();
    visits_ = {};
    visited_.clear();
}

void CDrawListIndex::changed(CGraphicsObject* object)
{
    const auto found = entries_.find(object);
    if (found == entries_.end())
        return;
    Entry& entry = found->second;
    if (!entry.changed) {
        entry.changed = true;
        changed_.push_back(object);
    }
    if (passing_)
        queue(object, entry);
}

void CDrawListIndex::untracked(CGraphicsObject* object)
{
    const auto found = entries_.find(object);
    if (found == entries_.end())
        return;
    found->second.tracked = false;
    file(object, found->second);
}

void CDrawListIndex::startPass(const CRefreshRegion& region, bool walksWholeList)
{
    ++pass_;
    current_ = Visit{INT_MIN, 0, nullptr};
    visits_ = {};
    visited_.clear();
    passing_ = !walksWholeList;
    for (CGraphicsObject* object : changed_) {
        const auto found = entries_.find(object);
        if (found == entries_.end() || !found->second.changed)
            continue;
        found->second.changed = false;
        file(object, found->second);
        if (passing_)
            queue(object, found->second);
    }
    changed_.clear();
    if (!passing_)
        return;
    for (CGraphicsObject* object : everywhere_)
        queue(object, entries_.at(object));
    for (int i = 0; i < region.getCount(); ++i)
        dirtied(region.rectAt(i));
}

CValidationElement* CDrawListIndex::nextVisit()
{
    while (!visits_.empty()) {
        const Visit visit = visits_.top();
        visits_.pop();
        const auto found = entries_.find(visit.object);
        // Taken off the list, or listed again, since it was queued.
        if (found == entries_.end() || found->second.serial != visit.serial)
            continue;
        current_ = visit;
        visited_.push_back(visit.object);
        return found->second.element;
    }
    passing_ = false;
    return nullptr;
}

void CDrawListIndex::dirtied(const CXRect* rect)
{
    if (passing_)
        queueWithin(rect == nullptr ? kEverywhere : *rect);
}

void CDrawListIndex::endPass()
{
    passing_ = false;
    for (CGraphicsObject* object : visited_)
        if (const auto found = entries_.find(object); found != entries_.end())
            found->second.element->setMark(false);
    visited_.clear();
}

void CDrawListIndex::file(CGraphicsObject* object, Entry& entry)
{
    unfile(object, entry);
    if (!entry.tracked || !object->keepsToOwnBox()) {
        entry.everywhere = true;
        everywhere_.push_back(object);
        return;
    }
    // Nothing without an area is drawn into part of the screen.
    const CXRect box = object->ownBox();
    if (!hasArea(box))
        return;
    entry.box = box;
    const CellRange range = cellsOf(box);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            cell(column, row).push_back(object);
}

void CDrawListIndex::unfile(CGraphicsObject* object, Entry& entry)
{
    if (entry.everywhere) {
        eraseOne(everywhere_, object);
        entry.everywhere = false;
    }
    if (!hasArea(entry.box))
        return;
    const CellRange range = cellsOf(entry.box);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            eraseOne(cell(column, row), object);
    entry.box = CXRect();
}

CDrawListIndex::CellRange CDrawListIndex::cellsOf(const CXRect& box) const
{
    return {cellAt(box.left, columns_), cellAt(box.top, rows_), cellAt(box.right - 1, columns_),
            cellAt(box.bottom - 1, rows_)};
}

CDrawListIndex::Visit CDrawListIndex::visitOf(CGraphicsObject* object, const Entry& entry) const
{
    return {entry.element->getPriority(), entry.serial, object};
}

void CDrawListIndex::queue(CGraphicsObject* object, Entry& entry)
{
    if (entry.queuedInPass == pass_)
        return;
    const Visit visit = visitOf(object, entry);
    if (visit <= current_)
        return;
    entry.queuedInPass = pass_;
    visits_.push(visit);
}

void CDrawListIndex::queueWithin(const CXRect& rect)
{
    if (!hasArea(rect))
        return;
    const CellRange range = cellsOf(rect);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            for (CGraphicsObject* object : cell(column, row)) {
                Entry& entry = entries_.at(object);
                if (overlap(entry.box, rect))
                    queue(object, entry);
            }
}
