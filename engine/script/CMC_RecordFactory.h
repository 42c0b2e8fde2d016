#pragma once

class CMC_Object;
class CMC_ObjectsContainer;

// The type ids of compiled scene records that the engine reads itself. Each row is a script
// type whose nameless constructor makes the still empty object that the record then fills; the
// code of each type attaches its constructor (the script core's own are in the table already).
// A row without a constructor builds nothing yet. Every id without a row is a plug-in module's,
// but for the engine's own types that have no record at all.
class CMC_RecordFactory {
public:
    // Makes an empty object owned by the node, not entered in it.
    using Constructor = CMC_Object* (*)(CMC_ObjectsContainer* node);

    // The constructor of a type that is built as Type(node).
    template <typename Type>
    static CMC_Object* construct(CMC_ObjectsContainer* node)
    {
        return new Type(node);
    }

    // The empty object of a record's type; none for an id without a row or without a
    // constructor.
    static CMC_Object* create(int typeId, CMC_ObjectsContainer* node);
    // Attaches the constructor of a row and gives back the one it replaces; none, and nothing
    // attached, for an id without a row.
    static Constructor attach(int typeId, Constructor constructor);
    // Whether a node's compiled file holds objects of the type: never scene nodes, nor the
    // application's built-in objects (RANDOM, SYSTEM, the script-file loader).
    static bool isStored(int typeId);
    // Whether a record of the type can be read back: its row has a constructor, or the type is
    // none of the engine's, so a plug-in module reads it.
    static bool isReadable(int typeId);
    // Whether a record of the type brings its object back whole, so that compiled files may
    // hold it: it is readable and does not come back empty.
    static bool isWritable(int typeId);
};
