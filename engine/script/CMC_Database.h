#pragma once

#include "script/CMC_Object.h"

#include <memory>
#include <vector>

class CMC_Structure;
class CMC_Variable;

// The DATABASE script object: rows that are copies of one STRUCTURE of the container, its
// MODEL, walked with a cursor. The cursor is a STRUCTURE of the container named after the
// database with "_CURSOR" appended, which shares the fields of the selected row: a field read
// or set through it is the row's own. The cursor maps onto nothing while its row is gone.
//
// A database file holds one line per row: the row's field texts joined by "|", with no
// escaping, no header and no count. Lines end in LF; CR LF reads as well.
class CMC_Database : public CMC_Object {
public:
    // Reads "MODEL".
    CMC_Database(CMC_ObjectsContainer* container, CMElement* element);
    // The rows go with the database; the cursor stays with the container.
    ~CMC_Database() override;

    const CMC_SignalList* getBehavioursList() override;
    // Makes the cursor, enters it in the container, then raises "ONINIT".
    void init() override;

    // Appends a copy of the structure.
    void add(CMC_Structure* structure);
    // Inserts a copy before row i; any i but 0 to the row count changes nothing.
    void insertAt(int i, CMC_Structure* structure);
    // Deletes every row whose field of that short name equals the value.
    void remove(const CXString& field, CMC_Variable* value);
    // Deletes row i; out of range changes nothing.
    void removeAt(int i);
    void removeAll();
    int getRows() const { return static_cast<int>(rows_.size()); }
    // The row at i; none out of range.
    CMC_Structure* getRow(int i) const;
    // Moves the cursor to row i and maps it onto that row; out of range changes nothing.
    void select(int i);
    // The next row, the first after the last; nothing without rows.
    void next();
    // The previous row, the last before the first; nothing without rows.
    void prev();
    // The first row from start on whose field equals the value, mapped by the cursor while
    // the position stays; -1, with nothing changed, when none (or start is below 0).
    int find(const CXString& field, CMC_Variable* value, int start);
    int getCursorPos() const { return position_; }
    // Appends a row for each line of the file that is not empty, then selects row 0 when
    // there are rows. False, with the rows as they were, when the file does not open or
    // there is no model.
    bool load(const CXString& fileName);
    // Replaces the file with one line per row, whole or not at all; false when that fails.
    bool save(const CXString& fileName);

private:
    // The container's STRUCTURE of that name; none for anything else.
    CMC_Structure* structureNamed(const CXString& name);
    CMC_Structure* cursor();
    CMC_Structure* copyOf(CMC_Structure* structure) const;
    void mapCursor(CMC_Structure* row);
    // Drops row i, unmapping the cursor from it.
    void erase(int i);

    CXString modelName_;
    int32_t position_ = 0;
    std::vector<std::unique_ptr<CMC_Structure>> rows_;
    // The row whose fields the cursor shares; none when it shares none.
    CMC_Structure* mapped_ = nullptr;
};
