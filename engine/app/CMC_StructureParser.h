#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <vector>

class CMC_Application;
class CMC_Object;
class CMC_Scene;
class CWindow;

// Builds the scene tree of the application definition ("application.def"): every SCENE
// element, then every EPISODE element, then the APPLICATION element, whatever their order in
// the file, so that an episode finds its scenes and the application finds its episodes and
// scenes by name. Its life brackets the value pools and the runners, which it starts before
// anything is built and ends when it goes.
class CMC_StructureParser : public CXObject {
public:
    // Starts the value pools, then the runners, then loads the file.
    CMC_StructureParser(CWindow* window, const CXString& fileName);
    // Deletes the nodes that neither the application nor another node took over, then ends
    // the pools and then the runners. The application and what it holds are left to their
    // owner.
    ~CMC_StructureParser() override;
    CMC_StructureParser(const CMC_StructureParser&) = delete;
    CMC_StructureParser& operator=(const CMC_StructureParser&) = delete;

    // The application of the last load; none when the file could not be read or has no
    // APPLICATION element (with several, the last one built).
    CMC_Application* getMCApplication() const { return application_; }
    // The first node built under exactly that name; none when there is none.
    CMC_Object* get(const CXString& name) const;
    // Reads the file and builds its nodes; gives the application, which stays none (or the one
    // of an earlier load) when the file cannot be read. The elements go before it returns.
    CMC_Application* load(const CXString& fileName);

private:
    CWindow* window_;
    CMC_Application* application_ = nullptr;
    // Every node built, in the order of building.
    std::vector<CMC_Scene*> nodes_;
    // The nodes that neither the application nor another node took over: the parser's own.
    std::vector<CMC_Scene*> unowned_;
};
