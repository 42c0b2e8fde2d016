#pragma once

#include "script/CMC_ObjectsContainer.h"
#include "text/UnitScene.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCollisionObserver;
class CGraphicsObject;
class CMC_Array;
class CMC_DLLExModuleInterface;
class CMC_Groupped;
class CMC_SceneUpdate;
class CMC_StructureParser;
class CNetworkClient;
class CUnit6;
class CVersion;
class CWindow;
class CXArchive;

// A node of the scene tree: a scene, and the base of episodes and the application. The
// application holds episodes, an episode holds scenes; every node keeps its sub-scenes in
// definition order, the one it runs, the one a script asked for and the history of those it
// entered. A scene's objects exist only while it runs: it reads them from its text definition
// "<name>.cnv" or its compiled file "<name>.bin" when it is entered, and finishes and deletes
// them when it is left.
//
// Every scene works through one screen unit, the default unit, which the first node made
// creates and the application deletes at its end.
class CMC_Scene : public CMC_ObjectsContainer, public UnitScene {
public:
    // Positions of the scene's signals after "ONINIT" and "ONDONE".
    static constexpr int SIGNAL_ONSIGNAL = 2;
    static constexpr int SIGNAL_ONDOMODAL = 3;
    static constexpr int SIGNAL_ONRESTART = 4;
    static constexpr int SIGNAL_ONMUSICLOOPED = 5;
    static constexpr int SIGNAL_ONACTIVATE = 6;
    static constexpr int SIGNAL_ONDEACTIVATE = 7;
    static constexpr int SIGNAL_ONUPGRADED = 8;

    // Reads the properties of the definition; the parent is only linked, not entered among
    // the objects. The scene is an object of its own.
    CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type);
    // A node of a compiled application: nameless and without properties until its record is
    // read; it reads its objects from its compiled file.
    CMC_Scene(CWindow* window, int type);
    // Unloads as a scene (also an episode or the application), deletes the child nodes it
    // owns, ends the monitoring of its pictures' collisions.
    ~CMC_Scene() override;

    // The one screen unit of the program; none before the first node or after doneDefUnit.
    static CUnit6* getDefUnit();
    static void doneDefUnit();

    const CMC_SignalList* getBehavioursList() override;
    using CMC_Object::onSignal;
    // Without a handler bound to the signal, the behaviour named "__" + name + "__" (found
    // here or up the parents) runs, its condition unchecked. True when anything ran.
    bool onSignal(const CXString& name) override;
    // The node's record in its parent's archive: the object record and PATH. The object record
    // carries as notes DESCRIPTION, CREATIONTIME, LASTMODIFYTIME, AUTHOR, COAUTHORS, VERSION
    // and DEAMON, and the definition's elements that rebound a parent's object ("{REBINDS}").
    // Storing also writes the node's compiled file; an object that no reader could read back
    // is left out of it and named on standard error, and the archive is then marked failed,
    // as it is when the file cannot be written.
    void serialize(CXArchive* archive) override;

    // --- life cycle ---
    // Enters the scene: plug-ins, its folder (the data disc's when the local tree lacks its
    // definition), its objects, the unit, "ONINIT" of every object, "__INIT__" and its own
    // "ONINIT" again. The music plays on when the previous scene names the same file.
    // Always true.
    virtual bool initialize(CMC_Scene* previous);
    using CMC_ObjectsContainer::unload;
    // Leaves the scene for the next one (none at the end): statistics, its objects finished
    // and deleted, plug-ins released, the unit returned, the music stopped unless the next
    // scene names the same file.
    virtual void unload(CMC_Scene* next);
    // At the frame's end: the switch a script asked for, then the running sub-scene's frame.
    virtual void domodal();
    // Asks for the first sub-scene and raises "ONRESTART".
    virtual void restart();
    // Asks for the sub-scene of exactly that name at the frame's end; a name that finds none
    // cancels the request made before.
    virtual void _goto(const CXString& name);
    // Leaves the running sub-scene for `to`, enters it with `from` as the scene before and
    // adds it to the history.
    virtual void _goto(CMC_Scene* to, CMC_Scene* from);
    // "ONINIT" of every object held now, in order.
    virtual void onInit();
    // The direct sub-scene of exactly that name, or none.
    virtual CMC_Scene* find(const CXString& name);
    using CMC_Object::getScene;
    // This node or the first node below it, depth first, of exactly that name, or none.
    virtual CMC_Scene* getScene(const CXString& name);
    // The root above a leaf scene: its parent's parent.
    virtual CMC_Scene* getMCApplication();

    // --- objects ---
    // Fills the node with its objects from its compiled file or its text definition; true
    // after a compiled file was read. The node's own bindings are made again from its
    // definition, or from the record it was read from, in place of those it had.
    virtual bool loadCnv();
    // Before the node's record is stored: its plug-ins (unless some are loaded) and its
    // objects, read from its folder below the data disc's data folder. The current folder is
    // that data folder afterwards.
    void loadForStoring();
    // Reads a compiled file's contents into the node: its DLLS (whose plug-ins load before the
    // records when none are loaded yet), BACKGROUND, MUSIC and objects, then binds them all.
    // A record not read whole is dropped, and an id that nothing builds ends the reading;
    // what was read before stays.
    void readCompiled(CXArchive* archive);
    // Writes the compiled file's contents; false when an object was left out.
    bool writeCompiled(CXArchive* archive);
    // A picture monitored for collisions while the scene runs, told through the observer,
    // unless it is monitored already; with alphaTest overlapping boxes must also meet on
    // opaque pixels. A monitored picture reports its moves whatever the test.
    void monitorCollisions(CGraphicsObject* object, bool alphaTest, CCollisionObserver* observer) override;
    void removeMonitorCollisions(CGraphicsObject* object, CCollisionObserver* observer) override;
    // An object that scripts create while the scene runs: "BUTTON" or "VGO" (exact), named,
    // bound and entered in the scene, replacing its namesake. Types that cannot be made
    // (yet) create nothing and are named on the debug output.
    virtual void createObject(const CXString& type, const CXString& name);

    // --- services ---
    // The node's MUSIC, else its parent's music; "" at the root.
    CXString getMusicFilename() override;
    // Whether the next start of the unit's music may play this node's music.
    bool shouldMusicBeStarted() override { return startMusic_; }
    // The running scene of the window's application: the application's current node's current
    // node. None while either is missing.
    static CMC_Scene* currentSceneOf(CWindow* window);

    // Another name than the node's music becomes its music; then the unit starts it (null:
    // the node's) when forced or when the node lets it.
    virtual void startMusic(const char* name, bool force);
    virtual void stopMusic();
    // Adds the visit that ends now to "Played" and its whole seconds to "Time" in the
    // node's section of the application INI; both keys are written also without a visit.
    virtual void saveStats();
    // The node and the nodes below it write no statistics from now on: a tree read from a
    // damaged file was never part of the application.
    void dropStatistics();
    // Loads the libraries of a ","-separated list (empty names skipped, blanks kept), in
    // order, in place of any loaded before. A library that does not load keeps its place
    // without an interface.
    virtual void resolveDLLs(const CXString& list);
    // Releases the libraries in the order they were named. A library whose objects still
    // wait in the deferred-delete bin is unloaded by the bin after them.
    virtual void doneDLLs();
    // The first object that a library's interface, asked in DLLS order, builds from the
    // element; none when none does.
    CMC_Object* resolveEx(CMElement* element) override;
    // The same for a record of a compiled scene whose type id the engine lacks: a new
    // nameless object whose record is read afterwards.
    virtual CMC_Object* serializeEx(CXArchive* archive, int typeId);
    void setDraggedName(const CXString& name) override { draggedName_ = name; }
    CXString getDraggedName() const { return draggedName_; }
    // Gives every node without sub-scenes below this one (this node itself when it has none)
    // an updater over the peer, unless it has one already.
    virtual void createUpdates(CNetworkClient* peer);
    // The node's updater; none until createUpdates or setUpdateIfc.
    CMC_SceneUpdate* getUpdateIfc() const { return update_.get(); }
    // The node takes the updater over, in place of any it had.
    void setUpdateIfc(std::unique_ptr<CMC_SceneUpdate> update);
    // Appends the names of the playing sequences to the array.
    virtual void getPlayingSeq(CMC_Array* names);
    // Resumes the paused sequences that the array names.
    virtual void resumeExcept(CMC_Array* names);
    // The group then holds exactly the playing animations, or the enabled timers.
    virtual void getPlayingAnimo(CMC_Groupped* group);
    virtual void getRunningTimers(CMC_Groupped* group);

    // --- accessors ---
    CUnit6* getUnit() const override { return unit_; }
    // The window the scene was made with, as the application's folder knows it.
    CWindow* getWindow() const;
    void setUnit(CUnit6* unit) { unit_ = unit; }
    bool isBinary() const { return binary_; }
    bool isDeamon() const { return daemon_; }
    CXString getPath() const { return path_; }
    CXString getDesc() const { return description_; }
    CXString getDLLs() const { return dlls_; }
    CXString getBackground() const { return background_; }
    CVersion* getVersion() const { return version_.get(); }
    // The plug-in modules in DLLS order.
    const std::vector<std::unique_ptr<CMC_DLLExModuleInterface>>& getModules() const { return modules_; }
    // The child nodes in definition order; the vector is the node's, and so are the nodes.
    CXVector* getSubScenes() const { return subScenes_; }
    // The child node entered first; none for a node without children.
    CMC_Scene* getStart() const { return start_; }
    CMC_Scene* getCurrentScene() const { return current_; }
    CMC_Scene* getPendingScene() const { return pending_; }
    // Every sub-scene entered, in order.
    const std::vector<CMC_Scene*>& getHistory() const { return history_; }
    // The position of the node among the sub-scenes, -1 when it is none of them.
    int getSubId(CMC_Scene* scene) const;
    // The pictures whose collisions the scene monitors.
    const std::vector<CGraphicsObject*>& getMonitored() const { return monitored_; }
    // The folder of the node's files: the root's data folder joined with PATH.
    CXString getDataFolder() const;

protected:
    // The sub-node that runs now; none before the first switch and in a leaf scene.
    CMC_Scene* current_ = nullptr;
    // The sub-node entered first; the one a script asked for at the frame's end; every
    // sub-node entered, in order.
    CMC_Scene* start_ = nullptr;
    CMC_Scene* pending_ = nullptr;
    std::vector<CMC_Scene*> history_;

    // The nodes that the parser built before under the names of a list separated by "," or
    // blanks, in list order; names it lacks are skipped (a debug line each).
    std::vector<CMC_Scene*> builtNodes(CMC_StructureParser* parser, const CXString& names) const;
    // The start becomes the node that the element's STARTWITH names, else the first child;
    // none without either.
    void chooseStart(CMC_StructureParser* parser, CMElement* element);
    // Appends a child node and makes this node its parent, which enters this node (and its
    // own parent) among the child's objects. A node belongs to one parent: a child that had
    // another leaves it. A child listed here already, this node itself or a node above it
    // is not adopted (a debug line); false then.
    bool adopt(CMC_Scene* child);
    // Adopts the nodes that the parser built under the names, each also an object of this node.
    void adoptScenes(CMC_StructureParser* parser, const CXString& names);
    // Deletes the child nodes in list order, each once.
    void deleteSubScenes();
    // Runs the object of that name when it is a behaviour.
    bool runNamedBehaviour(const CXString& name, bool checkCondition);
    // After the node record of an episode or the application: the number of sub-scenes, the
    // start's position among them (-1: none) and each one's record, written after the
    // sub-scene was loaded (then it is told `stored`). Only sub-scenes of the type can be
    // read back: any other is named on standard error and left out, and the archive fails.
    void storeSubScenes(CXArchive* archive, int type, const std::function<void(CMC_Scene*)>& stored);
    // Reads what storeSubScenes wrote: each node made by `make` reads its record and is
    // adopted, then told `adopted`. A count that the archive cannot hold, or a damaged record,
    // fails the archive; the nodes read before it stay.
    void readSubScenes(CXArchive* archive, const std::function<CMC_Scene*()>& make,
                       const std::function<void(CMC_Scene*)>& adopted);

private:
    // The unit this node took, while it is still the default unit.
    CUnit6* boundUnit() const;
    // The data folder below the root, or on the data disc when the local tree lacks the
    // node's definition.
    void enterDataFolder();
    // The bindings of the record the node was read from, as placeholders.
    void restoreRecordedBindings();
    // The definition's elements that bound more signals of an object of a parent are kept
    // with the node's record, and bind them again when its compiled file is read.
    void onRebound(CMElement* element) override;
    std::vector<RecordNote> getRecordNotes() override;
    // The texts of the node's definition that its record carries as notes, by note.
    std::vector<std::pair<CXString, CXString*>> describingTexts();
    // Takes the notes of the node's definition out of the bindings read.
    void takeDescription();
    void rebindAsDefined(const CXString& rebinds);
    // The objects held but scene nodes.
    std::vector<CMC_Object*> ownObjects();
    // Compiles every behaviour held, before anything is raised.
    void compileBehaviours();
    // The text definition: builds the objects and binds the node's own signals.
    void loadDefinition();
    // Opens the compiled file and reads it; false when it cannot be opened.
    bool loadCompiled();
    // Writes the node's compiled file; false when it could not be written whole.
    bool storeCompiled();
    // Takes the pictures out of the collision inspector and forgets them.
    void endCollisionMonitoring();
    // Takes the child out of the list and the objects; a start that it was falls back to
    // the first child left.
    void disown(CMC_Scene* child);
    // Whether an object that the plug-ins made waits in the deferred-delete bin.
    bool moduleObjectsWaitInTheBin() const;
    // Remembers an object a plug-in made, for doneDLLs.
    CMC_Object* madeByModule(CMC_Object* object);


    CXString dlls_;
    CXString description_;
    CXString creationTime_;
    CXString lastModifyTime_;
    CXString author_;
    CXString coauthors_;
    CXString path_;
    CXString background_;
    CXString music_;
    // VERSION as written, and as read.
    CXString versionText_;
    std::unique_ptr<CVersion> version_;
    std::unique_ptr<CMC_SceneUpdate> update_;
    CUnit6* unit_ = nullptr;
    CXVector* subScenes_;
    std::vector<CGraphicsObject*> monitored_;
    std::vector<std::unique_ptr<CMC_DLLExModuleInterface>> modules_;
    std::vector<CMC_Object*> moduleObjects_;
    // The bytes of the object record the node was read from: its name and bindings.
    std::string ownRecord_;
    // The elements of the last reading of the definition that rebound, as CMElementText.
    CXString rebinds_;
    CXString draggedName_;
    CXString savedUnitName_;
    bool startMusic_ = true;
    bool binary_ = false;
    bool daemon_ = false;
    // The tick count when the last entry ended; counted by saveStats while visiting.
    uint32_t startTicks_ = 0;
    bool visiting_ = false;
    bool keepsStatistics_ = true;
};
