#pragma once

#include "script/CMC_Variable.h"

#include <memory>
#include <vector>

// The STRUCTURE script value ("STRUCT" in definitions): named, typed fields, each an INTEGER,
// STRING, BOOL or DOUBLE that the structure makes. A field F of a structure S is a value
// named S_F; a field is found by its short name, the part of its name after the last "_".
// Behaviour code reaches a field as S|F, in operands and as the object of a statement.
//
// A structure can be mapped onto another one's fields, after which both read and write the
// same field values; the fields live as long as any structure that holds them. Operations
// between two structures of different field counts touch only the fields both have.
//
// The text form is the fields' texts joined by "|"; the archived form is the fields' own
// archived records (type id and value) in order.
class CMC_Structure : public CMC_Variable {
public:
    // Declares the fields of "FIELDS": name<TYPE> items separated by ",". An item without
    // "<" and a later ">", or of another type than the four, declares nothing.
    CMC_Structure(CMC_ObjectsContainer* container, CMElement* element);
    explicit CMC_Structure(const CXString& name);

    using CMC_Object::clone;
    using CMC_Object::flush;
    using CMC_Variable::compare;
    using CMC_Variable::equals;
    // A structure of the same name with fields of the same names, types and values, its own.
    CXObject* clone() override;
    CXString toString() override;

    // Field by field from another structure; anything else changes nothing.
    void set(CMC_Variable* v) override;
    void clear() override;
    void swap(CMC_Variable*, CMC_Variable*) override {}
    void inc() override {}
    void dec() override {}
    // A structure whose common fields are all equal to these.
    bool equals(CMC_Variable* v) override;
    int compare(CMC_Variable*) override { return 0; }
    CMC_Variable* convert(int) override { return nullptr; }
    // The structure itself, unchanged.
    CMC_Variable* calculate(CMC_Variable*, int) override { return this; }
    void setDefault(CMC_Variable* v) override;
    void resetINI() override;
    int getBufferLen() override { return 0; }
    void netstore(void*) override {}
    bool netrestore(const void*, int) override { return false; }
    void store(CXArchive* archive) override;
    // Reads each field's record as store writes it; a record of another type than its field
    // marks the archive failed and ends the reading.
    void restore(CXArchive* archive) override;
    // The "|"-separated texts (line feeds separate too) to the fields in order; texts beyond
    // the fields are dropped.
    void fromString(const CXString& text) override;
    // The first field of that short name; none when no field has it.
    CMC_Variable* getField(const CXString& name) override;

    // Drops the fields; shared fields stay with the structures that still hold them.
    void flush();
    // Appends a field named name of the type ("BOOL", "DOUBLE", "INTEGER" or "STRING", any
    // letter case); another type declares nothing.
    void declare(const CXString& name, const CXString& type);
    // Shares the other structure's fields from now on.
    void map(CMC_Structure* other);

    int getFieldsCount() const { return static_cast<int>(fields_->size()); }
    // The field at the position; none outside the fields.
    CMC_Variable* getField(int position) const;
    void setField(int position, CMC_Variable* value);
    void setField(const CXString& name, CMC_Variable* value);

private:
    struct Field {
        std::unique_ptr<CMC_Variable> value;
        // The part of the value's name after its last "_".
        CXString shortName;
    };
    using Fields = std::vector<Field>;

    // The number of fields that this structure and the other both have.
    int commonFields(CMC_Structure* other) const;

    std::shared_ptr<Fields> fields_;
};
