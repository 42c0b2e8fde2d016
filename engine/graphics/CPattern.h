#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/CGraphicsObject.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

// One occupied cell of a pattern: where it is, the alias scripts find it by, the graphics object
// it shows (not owned), an order key and a text kept for the pattern's users, and whether it is
// locked (neither drawn nor hit).
class CPatternEntry : public CXObject {
public:
    CPatternEntry(int column, int row, const CXString& alias, CGraphicsObject* object, int order, const CXString& info);

    // 1 when the other entry's order key is lower, else 0: sorted entries run by ascending key.
    int compare(CXObject* other) override;

    int32_t column;
    int32_t row;
    CXString alias;
    CGraphicsObject* object;
    int32_t order;
    CXString info;
    bool locked = false;
};

// A graphics object that lays other graphics objects out on a grid of equal cells in several
// layers and draws them as one: layer 0 first, each layer's entries in the order they were
// added, every object at its cell's corner (pattern position + cell size × cell), then put back
// where it was. The pattern has no pixels of its own.
//
// The grid's columns and rows are the pixel size divided by the cell size when the pattern is
// made, and stay (a cell size of 0 or less gives no cells); cells outside the grid and layers
// outside the count hold nothing, and operations on them do nothing. Changing the cell size
// only moves where cells are drawn. A placed object that changes marks its cells dirty; one
// destroyed elsewhere leaves the grid at once.
class CPattern : public CGraphicsObject {
public:
    CPattern(GraphicsWindow* window, CXSize size, CXSize cell, int layers);
    // The objects placed stay; they are no longer watched.
    ~CPattern() override;
    CPattern(const CPattern&) = delete;
    CPattern& operator=(const CPattern&) = delete;

    // Places the object in the cell, replacing the entry there; false (nothing placed) outside
    // the grid, without an object, or for an object that draws this pattern.
    virtual bool add(const CXString& alias, int column, int row, int layer, CGraphicsObject* object, int order,
                     const CXString& info);
    // Every entry of the object; with deleteObject the object is deleted too.
    virtual void remove(CGraphicsObject* object, bool deleteObject);
    // Every entry of that alias (exact case), in every layer.
    virtual void remove(const CXString& alias);
    virtual void remove(int column, int row, int layer);
    // Every entry; the objects stay.
    virtual void removeAll();
    // In layer 0, moves the entry of the cell delta rows down and locks it; an entry in the
    // target cell goes with its object, which is deleted. Nothing for a delta of 0, an empty
    // cell or a target outside the grid.
    virtual void moveDown(int column, int row, int delta);
    // Locks or unlocks the cell's entries in every layer.
    virtual void lock(int column, int row, bool locked);
    virtual bool contains(CGraphicsObject* object) const;
    // The object of the topmost hit at a screen point (see getEntryAt): the layers searched
    // from the top down when layer is negative or the top layer, else that layer alone. A
    // hit by alpha needs an alpha value above the threshold.
    virtual CGraphicsObject* getGraphicsObject(int x, int y, bool includeHidden, bool boxOnly, int layer,
                                               int alphaThreshold);

    // The entry of the cell; none for an empty cell or one outside the grid.
    CPatternEntry* get(int column, int row, int layer) const;
    CPatternEntry* getEntryAtCell(int layer, int column, int row) const { return get(column, row, layer); }
    // The first entry of the alias (exact case), layers from 0 up, each in adding order.
    CPatternEntry* getAliasEntry(const CXString& alias) const;
    // The first hit at a screen point, layers from 0 up, each in adding order: an entry that is
    // not locked, whose object is visible (or includeHidden), placed at its cell covers the
    // point (right and bottom edges outside) and, unless boxOnly, is not transparent there (an
    // object without an alpha plane is opaque). The layer argument is not used.
    CPatternEntry* getEntryAt(int x, int y, int layer, bool includeHidden, bool boxOnly);
    // The alias of getEntryAt's entry; none without a hit.
    const CXString* getGraphicsObjectAlias(int x, int y, bool includeHidden, bool boxOnly);
    // In layer 0, the two cells swap their entries.
    void _switch(int column1, int row1, int column2, int row2);

    CXSize getGrid() const { return cell_; }
    // A new cell size moves where cells are drawn; the pattern is marked dirty.
    void setGrid(CXSize cell);
    int getLayers() const { return layers_; }
    int getColumns() const { return columns_; }
    int getRows() const { return rows_; }
    // Whether the cell lies in the grid.
    bool isCell(int column, int row, int layer) const;
    // The top-left corner of the cell, relative to the pattern.
    CXPoint cellCorner(int column, int row) const;
    void move(int dx, int dy) { Move(dx, dy); }

    void Redraw() override;
    bool drawsFrom(CGraphicsObject* object) override;
    // A placed object that changed marks its cells dirty.
    void onInvalidate(CGraphicsObject* object, CXRect* rect) override;
    // A placed object that is destroyed leaves the grid.
    void onDestroy(CGraphicsObject* object) override;

private:
    using Layer = std::vector<CPatternEntry*>;

    static uint64_t cellKey(int column, int row, int layer);
    // Takes the entry out of its cell and its layer and deletes it; the object is no longer
    // watched unless another entry holds it.
    void drop(CPatternEntry* entry);
    // Whether the entry is hit at the point relative to the pattern; an alpha test passes above
    // the threshold.
    bool hits(CPatternEntry& entry, CXPoint point, bool includeHidden, bool boxOnly, int alphaThreshold);
    // The first hit among the layers, in the order given.
    CPatternEntry* firstHit(const std::vector<int>& layers, CXPoint point, bool includeHidden, bool boxOnly,
                            int alphaThreshold);
    // Draws the object at the cell corner into the pattern's destination.
    void drawEntry(CPatternEntry& entry, const CXRect& reach);

    CXSize cell_;
    int32_t layers_;
    int32_t columns_;
    int32_t rows_;
    std::unordered_map<uint64_t, CPatternEntry*> cells_;
    // The layers that hold entries, by number.
    std::map<int, Layer> layerLists_;
    bool drawing_ = false;
};
