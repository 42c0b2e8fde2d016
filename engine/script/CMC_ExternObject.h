#pragma once

class CMC_Object;
class CMC_ObjectsContainer;
class CMElement;
class CXArchive;
class CXString;

// The module interface of a plug-in library: it builds the objects of the script types that
// the library adds. The library makes it in its create and deletes it in its release; the
// engine never deletes it.
//
// A plug-in library exports three functions with C linkage under the names below: create,
// called once right after loading with the scene that names the library; getModuleInterface,
// called once right after create (none is allowed); release, called once before the library
// is unloaded, and only when getModuleInterface gave an interface.
class CMC_ExternObject {
public:
    static constexpr const char* kCreate = "create";
    static constexpr const char* kGetModuleInterface = "getModuleInterface";
    static constexpr const char* kRelease = "release";
    using Create = void (*)(CMC_ObjectsContainer* container);
    using GetModuleInterface = CMC_ExternObject* (*)();
    using Release = void (*)();

    // The type words of the module, ended by a null pointer; the module owns them.
    virtual CXString** getImplementedTypes() = 0;
    virtual bool isSupported(const CXString& type) = 0;
    // A complete object of one of the module's types built with the container from the
    // element, its signals bound; none for an element of another type.
    virtual CMC_Object* resolve(CMC_ObjectsContainer* container, CMElement* element) = 0;
    // A new nameless object of one of the module's type ids, whose record the caller reads
    // afterwards; none for another id.
    virtual CMC_Object* serialize(int typeId, CXArchive* archive) = 0;

protected:
    CMC_ExternObject() = default;
    CMC_ExternObject(const CMC_ExternObject&) = default;
    CMC_ExternObject& operator=(const CMC_ExternObject&) = default;
    ~CMC_ExternObject() = default;
};
