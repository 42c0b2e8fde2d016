#pragma once

#include "script/CMC_Object.h"
#include "script/CMC_Variable.h"

#include <cstdint>
#include <memory>
#include <vector>

class ScriptWindow;

// The ARRAY script object: an ordered list of script values that the array owns, each a
// copy it made itself, walked by a marker, stored in the application INI or a file of its
// own, and watched through "ONCHANGED".
//
// Element changes report "ONCHANGED^" and the index, and plain "ONCHANGED" only when nothing
// ran for the first; both only while SENDONCHANGE is on and something is bound to ONCHANGED
// in some form. Handlers run inside the operation and may change the array: every walk
// checks the size again after each report.
//
// Indices from outside are checked: one outside the array changes nothing.
//
// Array file: a 32-bit element count, then each element's archived record (type id and
// value). The compiled-scene record holds the object's record and SENDONCHANGE, no elements.
class CMC_Array : public CMC_Object {
public:
    static constexpr int SIGNAL_ONCHANGED = 3;

    // Empty, as the compiled-scene reader and clone make it.
    CMC_Array(CMC_ObjectsContainer* container, const CXString& name);
    // Reads "SENDONCHANGE" and binds the element's signal properties.
    CMC_Array(CMC_ObjectsContainer* container, CMElement* element);
    ~CMC_Array() override;

    using CMC_Object::clone;
    // A new array named "cloned" of the same container with copies of the elements; the
    // caller owns it.
    CXObject* clone() override;
    // The elements' texts joined by ",".
    CXString toString() override;
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // The element itself; none outside the array.
    CMC_Variable* get(int i) const;
    int getSize() const { return static_cast<int>(values_.size()); }
    // Appends a copy and reports the new size - 2: the first element of an empty array
    // reports -1.
    void add(CMC_Variable* v);
    // Appends the STRING texts NAME_from to NAME_to, each reported as add reports.
    void addClones(const CXString& name, int from, int to);
    // Inserts a copy before i (0 to the size) and reports i.
    void insertAt(int i, CMC_Variable* v);
    // Replaces the element at i by a copy and reports i.
    void changeAt(int i, CMC_Variable* v);
    void removeAt(int i);
    void removeAll();
    // Removes the first element equal to v.
    void remove(CMC_Variable* v);
    // Matching is the element's equals with v: the element converts v to its own type.
    bool contains(CMC_Variable* v) { return find(v) != -1; }
    int find(CMC_Variable* v);
    int reversefind(CMC_Variable* v);
    // Every matching index, ascending.
    std::vector<int> findAll(CMC_Variable* v);
    // Exchanges two elements and reports a, then b.
    void swap(int a, int b);

    void resetMarker() { marker_ = -1; }
    int getMarkerPos() const { return marker_; }
    // Clamped to -1 to size - 1.
    void setMarkerPos(int position);
    // Moves the marker forward or back by the step, wrapping around the array, and gives
    // the element there; none for an empty array. From the reset position prev(1) gives
    // element size - 2.
    CMC_Variable* next(int step);
    CMC_Variable* prev(int step);

    // Each element, from index 0, takes its own value combined with v (the element's type
    // rules) and is reported.
    void sum(CMC_Variable* v) { calculateAll(v, CMC_Variable::OP_ADD); }
    void sub(CMC_Variable* v) { calculateAll(v, CMC_Variable::OP_SUB); }
    void mul(CMC_Variable* v) { calculateAll(v, CMC_Variable::OP_MUL); }
    void div(CMC_Variable* v) { calculateAll(v, CMC_Variable::OP_DIV); }
    // The elements from first to last combined with the object that the name finds in the
    // array's container: its element at the same index when it is an ARRAY, else the value
    // itself. Indices that either array lacks are passed by.
    void suma(const CXString& name, int first, int last) { calculateRange(name, first, last, CMC_Variable::OP_ADD); }
    void suba(const CXString& name, int first, int last) { calculateRange(name, first, last, CMC_Variable::OP_SUB); }
    void mula(const CXString& name, int first, int last) { calculateRange(name, first, last, CMC_Variable::OP_MUL); }
    void diva(const CXString& name, int first, int last) { calculateRange(name, first, last, CMC_Variable::OP_DIV); }
    // One element combined with v.
    void addat(int i, CMC_Variable* v) { combineAt(i, v, CMC_Variable::OP_ADD); }
    void subat(int i, CMC_Variable* v) { combineAt(i, v, CMC_Variable::OP_SUB); }
    void mulat(int i, CMC_Variable* v) { combineAt(i, v, CMC_Variable::OP_MUL); }
    void divat(int i, CMC_Variable* v) { combineAt(i, v, CMC_Variable::OP_DIV); }
    void modat(int i, CMC_Variable* v) { combineAt(i, v, CMC_Variable::OP_MOD); }

    // A stable sort by the elements' own compare; descending is the ascending order reversed,
    // so equal elements come in the reverse of their order. Nothing is reported.
    void sort(bool ascending);
    // The moved-out element goes to the other end: a shift resets its value by its type
    // (INTEGER 0, STRING "NULL", BOOL FALSE, DOUBLE 0.0), a rotation keeps it. Every index is
    // reported afterwards.
    void shiftLeft();
    void shiftRight();
    void rotateLeft();
    void rotateRight();
    // Same size and every element equal to the other's at the same index.
    bool compareArr(CMC_Array* other);

    // The application INI: section the container's name, key the array's name, the text of
    // toString. Read back, every element is a STRING.
    void saveINI();
    void loadINI();
    // The array file. Saving writes only the elements that the file can hold (INTEGER,
    // STRING, BOOL and DOUBLE) and leaves the old file when it cannot be written whole.
    void save(const CXString& fileName);
    void save(CXArchive* archive);
    // Empties the array, then appends the file's elements as add does; reading stops at the
    // end of the data or at an element of an unknown type, keeping what came before.
    void load(const CXString& fileName);
    void load(CXArchive* archive);

    // Appends count random integers from `from` on, range values wide (all different when
    // unique and the range allows), as INTEGER values through add. A count below 0 or above
    // the random service's buffer appends nothing.
    void addRandomIntegers(int count, int from, int range, bool unique);

    bool getSendOnChange() const { return sendOnChange_; }
    void setSendOnChange(bool on) { sendOnChange_ = on; }

private:
    using Values = std::vector<std::unique_ptr<CMC_Variable>>;

    void append(std::unique_ptr<CMC_Variable> value);
    void onChanged(int index);
    void onChangedAll();
    // Replaces the element by its value combined with the operand, then reports it.
    void combineAt(int i, CMC_Variable* operand, int op);
    void calculateAll(CMC_Variable* v, int op);
    void calculateRange(const CXString& name, int first, int last, int op);
    void moveToEnd(bool reset);
    void moveToFront(bool reset);
    CMC_Variable* moveMarker(int64_t position);
    ScriptWindow* window();

    Values values_;
    int marker_ = -1;
    bool sendOnChange_ = false;
};
