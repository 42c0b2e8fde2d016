#pragma once

#include "app/CMC_Scene.h"

class CCommandLine6;
class CMC_StructureParser;
class CWindow;

// The APPLICATION script object: the root of the scene tree. Its sub-scenes are the episodes
// that EPISODES names, then the scenes that SCENES names; STARTWITH names the node it enters
// first. The scenes of its episodes and its own scenes are objects of the application, so
// scripts reach them by name. It is built from the text definitions or read from
// "application.bin", then either started or stored in compiled form.
class CMC_Application : public CMC_Scene {
public:
    // Takes the nodes that EPISODES and SCENES name (separated by "," or blanks) from those
    // the parser built before, skipping names it lacks; the start is the node that STARTWITH
    // names, else the first sub-scene. Then reads its own definition from its folder on the
    // data disc. The command line is not owned.
    CMC_Application(CWindow* window, CMC_StructureParser* parser, CMElement* element, CCommandLine6* commandLine);
    // Reads "application.bin" in the current folder, then its own objects from its compiled
    // file. A file that cannot be read whole leaves the application damaged.
    explicit CMC_Application(CWindow* window);
    // Leaves the running node, then finishes and deletes everything it holds and the screen
    // unit.
    ~CMC_Application() override;

    // Adds RANDOM, SYSTEM and CNVLOADER, raises "ONINIT" on what it holds, runs "__INIT__"
    // and enters the start at once. False when there is no start.
    bool initialize(CMC_Scene* previous) override;
    // Leaves the running node: the application's "ONDONE", then the node's unload.
    void unload(CMC_Scene* next) override;
    // Once per frame: the pooled temporaries and the trash list go, then the switch asked
    // for and the running node's frame.
    void domodal() override;
    // Back to the start at once, without "ONDONE" and without a history entry; what leaves
    // is deleted only at the frame's end, so the code that asked runs on. With the start
    // running, the start restarts itself.
    void restart() override;
    // The node record, the number of episodes, the start's position among them (-1: none)
    // and a record per episode. Storing loads each episode first; the compiled form holds
    // episodes only: any other node is named on standard error, left out, and the archive
    // fails. Reading makes an episode per record and enters its scenes among the
    // application's objects; a count the archive cannot hold fails it.
    void serialize(CXArchive* archive) override;
    CMC_Scene* getMCApplication() override { return this; }

    // The program ends after this frame: the window's quit flag, then "ONEXIT" (handlers, or
    // the behaviour "__ONEXIT__").
    virtual void exit();
    // Writes "application.bin" and every node's compiled file in the data folder of the local
    // tree: all of them, or none when anything could not be stored (named on standard
    // error). True when all were written.
    virtual bool storeBinary();

    CCommandLine6* getCommandLine() const { return commandLine_; }
    // Why the compiled form could not be read; empty when it was read whole.
    CXString getDamage() const { return damage_; }

private:
    // Enters the scenes of an adopted episode among the application's objects.
    void enterScenesOf(CMC_Scene* episode);

    CCommandLine6* commandLine_ = nullptr;
    CXString damage_;
    bool restarting_ = false;
};
