#pragma once

#include "script/CMC_Object.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CMC_Variable;
class ScriptWindow;

// The MULTIARRAY script object: copies of script values in a grid of integer coordinates.
// Each dimension starts 16 cells wide and doubles whenever a value is stored beyond it; the
// cell count is the product of the widths.
//
// Only the first two coordinates pick the cell, c0 + c1 * width(0); further coordinates grow
// their own widths but address nothing. Coordinates missing from a call count as 0, a
// negative one addresses no cell. Fewer than two dimensions count as two, and at most seven
// are kept, so that the cell count fits in 32 bits. Only the cells that hold a value take
// memory.
//
// File of SAVE and LOAD: the dimension count, each width, then for each filled cell in
// ascending order its index and the value's archived record, then the cell count as end mark
// (32-bit little-endian integers).
class CMC_MultiArray : public CMC_Object {
public:
    static constexpr int kInitialWidth = 16;
    static constexpr int kMaxDimensions = 7;

    CMC_MultiArray(CMC_ObjectsContainer* container, CMElement* element);
    // A two-dimensional grid.
    CMC_MultiArray(CMC_ObjectsContainer* container, const CXString& name);
    ~CMC_MultiArray() override;

    using CMC_Object::clone;
    // A grid is not copied: CLONE makes nothing.
    CXObject* clone() override { return nullptr; }
    CXString toString() override { return CXString(); }
    const CMC_SignalList* getBehavioursList() override;
    // A compiled scene holds nothing of a grid.
    void serialize(CXArchive*) override {}

    // Stores a copy of the value, growing the grid first; false, with nothing stored, for a
    // negative coordinate, a value that cannot be copied or a grid that would grow past the
    // 32-bit cell count.
    bool set(const std::vector<int>& coordinates, CMC_Variable* value);
    // The value of the cell, still owned by the grid; none for an empty cell, a negative
    // coordinate or an index beyond the cell count.
    CMC_Variable* get(const std::vector<int>& coordinates) const;
    // The number of cells whose value equals v.
    int count(CMC_Variable* v) const;
    // The width of a dimension; 0 outside the dimensions.
    int getSize(int dimension) const;
    int getDimensions() const { return grid_.dimensions; }
    int getCellCount() const { return grid_.cellCount; }

    // Writes only the values that the file can hold (INTEGER, STRING, BOOL and DOUBLE) and
    // leaves the old file when it cannot be written whole.
    void save(const CXString& fileName);
    void save(CXArchive* archive) const;
    // Replaces the grid by the file's only when the file is whole and sound: dimension count,
    // widths, cell count, indices and values all checked. False, with the grid as it was,
    // otherwise.
    bool load(const CXString& fileName);
    bool load(CXArchive* archive);

private:
    struct Grid {
        int32_t dimensions = 2;
        std::vector<int32_t> widths;
        int32_t cellCount = 0;
        std::map<int32_t, std::unique_ptr<CMC_Variable>> cells;
    };

    void makeGrid(int dimensions);
    // Doubles the widths that the coordinates reach beyond and moves the values to their
    // cells under the new widths; false when the cell count would not fit.
    bool validateSize(const std::vector<int>& coordinates);
    // The cell index of the coordinates, or -1 when they address no cell.
    int64_t getIndex(const std::vector<int>& coordinates) const;
    ScriptWindow* window();

    Grid grid_;
};
