#pragma once

#include "foundation/CXString.h"
#include "script/CMC_ExternObject.h"

class CMC_ObjectsContainer;

// The module object of the plug-in: it offers the type WORLD and builds WORLD objects from
// definitions and for compiled scenes, the latter in the container it was made with.
class CWorld final : public CMC_ExternObject {
public:
    static constexpr const char* TYPE_NAME = "WORLD";

    explicit CWorld(CMC_ObjectsContainer* container);
    ~CWorld() = default;
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    CXString** getImplementedTypes() override { return types_; }
    // Only "WORLD", exactly.
    bool isSupported(const CXString& type) override;
    CMC_Object* resolve(CMC_ObjectsContainer* container, CMElement* element) override;
    CMC_Object* serialize(int typeId, CXArchive* archive) override;

    // The library's one module object: made by the first create, kept by later ones, gone
    // after release.
    static void create(CMC_ObjectsContainer* container);
    static void release();
    static CWorld* getModule();

private:
    CXString typeName_{TYPE_NAME};
    CXString* types_[2] = {&typeName_, nullptr};
    CMC_ObjectsContainer* container_;
};
