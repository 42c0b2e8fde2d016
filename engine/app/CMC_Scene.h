#pragma once

#include "script/CMC_ObjectsContainer.h"

#include <memory>
#include <vector>

class CCollisionObserver;
class CGraphicsObject;
class CMC_DLLExModuleInterface;
class CMC_Groupped;
class CMC_StructureParser;
class CUnit6;
class CXArchive;

// A node of the scene tree: a scene, and the base of episodes and the application. Every
// scene works through one screen unit, the default unit, which the first node made creates and
// the application deletes at its end.
//
// A node holds its sub-scenes (the scenes of an episode, the episodes and scenes of the
// application) in definition order, and the plug-in libraries that its DLLS property names,
// which build the objects of types the engine lacks.
class CMC_Scene : public CMC_ObjectsContainer {
public:
    // Reads MUSIC and DLLS of the definition; the parent is only linked, not entered
    // among the objects. The scene is an object of its own.
    CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type);
    // Drops its own bindings, finishes and deletes the objects, deletes the child nodes it
    // owns, then releases the plug-in libraries.
    ~CMC_Scene() override;

    // The one screen unit of the program; none before the first node or after doneDefUnit.
    static CUnit6* getDefUnit() { return defUnit_; }
    static void doneDefUnit();

    // The node's MUSIC, else its parent's music; "" at the root.
    virtual CXString getMusicFilename();
    // Whether the next start of the unit's music may play this node's music.
    virtual bool shouldMusicBeStarted() { return startMusic_; }
    // The sub-node that runs now; none before the first switch and in a leaf scene.
    virtual CMC_Scene* getCurrentScene() { return current_; }

    // The running scene of the window's application: the application's current node's current
    // node. None while either is missing.
    static CMC_Scene* currentSceneOf(CWindow* window);

    // Loads the libraries of a ","-separated list (empty names skipped, blanks kept), in
    // order, in place of any loaded before. A library that does not load keeps its place
    // without an interface.
    virtual void resolveDLLs(const CXString& list);
    // Releases and unloads the libraries in the order they were named.
    virtual void doneDLLs();
    // The first object that a library's interface, asked in DLLS order, builds from the
    // element; none when none does.
    CMC_Object* resolveEx(CMElement* element) override;
    // The same for a record of a compiled scene whose type id the engine lacks: a new
    // nameless object whose record is read afterwards.
    virtual CMC_Object* serializeEx(CXArchive* archive, int typeId);

    // --- collisions and the playing animations ---
    // The picture is monitored for collisions, told to the observer, unless it is monitored
    // already; with alphaTest overlapping boxes must also meet on opaque pixels. A picture
    // that is monitored reports its moves, whatever the test.
    virtual void monitorCollisions(CGraphicsObject* object, bool alphaTest, CCollisionObserver* observer);
    // Ends the monitoring of the picture and the observer's reports.
    virtual void removeMonitorCollisions(CGraphicsObject* object, CCollisionObserver* observer);
    // The pictures the scene monitors.
    const std::vector<CGraphicsObject*>& getMonitored() const { return monitored_; }
    // The group then holds exactly the scene's ANIMO objects whose animations play.
    virtual void getPlayingAnimo(CMC_Groupped* group);

    CXString getDLLs() const { return dlls_; }
    // The plug-in modules in DLLS order.
    const std::vector<std::unique_ptr<CMC_DLLExModuleInterface>>& getModules() const { return modules_; }
    // The child nodes in definition order; the vector is the node's, and so are the nodes.
    CXVector* getSubScenes() const { return subScenes_; }
    // The child node entered first; none for a node without children.
    CMC_Scene* getStart() const { return start_; }

protected:
    CMC_Scene* current_ = nullptr;

    // The nodes that the parser built before under the names of a list separated by "," or
    // blanks, in list order; names it lacks are skipped.
    static std::vector<CMC_Scene*> builtNodes(CMC_StructureParser* parser, const CXString& names);
    // The start becomes the node that the element's STARTWITH names, else the first child;
    // none without either.
    void chooseStart(CMC_StructureParser* parser, CMElement* element);
    // Appends a child node and makes this node its parent, which enters this node (and its
    // own parent) among the child's objects. A node belongs to one parent: a child that had
    // another leaves it.
    void adopt(CMC_Scene* child);
    // Adopts the nodes that the parser built under the names, each also an object of this node.
    void adoptScenes(CMC_StructureParser* parser, const CXString& names);

private:
    // Deletes the child nodes in list order, each once.
    void deleteSubScenes();
    // Takes the child out of the list and the objects; a start that it was falls back to
    // the first child left.
    void disown(CMC_Scene* child);

    static CUnit6* defUnit_;

    CXString music_;
    CXString dlls_;
    bool startMusic_ = true;
    CXVector* subScenes_;
    CMC_Scene* start_ = nullptr;
    std::vector<std::unique_ptr<CMC_DLLExModuleInterface>> modules_;
    std::vector<CGraphicsObject*> monitored_;
};
