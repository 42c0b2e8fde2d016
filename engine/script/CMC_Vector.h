#pragma once

#include "script/CMC_Object.h"

#include <vector>

// The VECTOR script object: a list of doubles of a size fixed by its definition, with vector
// arithmetic. Operations on two vectors of different sizes change nothing (dot gives 0);
// indices outside the vector change nothing.
//
// Text form: the elements' texts joined by ",". Compiled-scene record: the object's record,
// the 32-bit size, then each element in thousandths.
class CMC_Vector : public CMC_Object {
public:
    // "SIZE" elements (none when absent), taken from the "VALUE" list in order; elements
    // that the list does not give are 0.0.
    CMC_Vector(CMC_ObjectsContainer* container, CMElement* element);
    // A copy named "clone" of the source's container, size and elements; without a source an
    // empty vector, as the compiled-scene reader makes it before reading the record.
    explicit CMC_Vector(CMC_Vector* source);
    ~CMC_Vector() override;

    using CMC_Object::clone;
    CXObject* clone() override { return new CMC_Vector(this); }
    CXString toString() override;
    const CMC_SignalList* getBehavioursList() override;
    // A stored size below 0, or beyond what the rest of the record holds, marks the archive
    // failed and leaves the elements as they were.
    void serialize(CXArchive* archive) override;

    int getSize() const { return static_cast<int>(values_.size()); }
    // The element; 0.0 outside the vector.
    double get(int i) const;
    // Sets the element; nothing outside the vector.
    void set(int i, double value);

    // Copies the common part of the other's elements.
    void assign(const CMC_Vector* other);
    void add(const CMC_Vector* other);
    void sub(const CMC_Vector* other);
    void neg();
    double dot(const CMC_Vector* other) const;
    void mul(double factor);
    double length() const;
    // Divides by the length as the floating-point rules give, a zero length included.
    void normalize();
    // The reflection of this vector at the normal, 2 (this . n) n - this, into the positions
    // that all three vectors have; this and the normal are not changed.
    void reflect(const CMC_Vector* normal, CMC_Vector* result) const;
    // Grows to the size at the front: the new leading elements are 0.0. A smaller size
    // changes nothing.
    void expand(int size);

private:
    std::vector<double> values_;
};
