#pragma once

#include "app/CMC_Scene.h"

class CMC_StructureParser;
class CWindow;

// The EPISODE script object: the middle level of the scene tree, between the application and
// its scenes. Its SCENES are the scenes it holds, STARTWITH the one it enters first. Scripts
// move through its scenes with NEXT, PREV, BACK and GOTO; each only asks for the switch, which
// comes at the frame's end, and each switch raises the episode's "ONDONE".
class CMC_Episode : public CMC_Scene {
public:
    // Takes the scenes that SCENES names (separated by "," or blanks) from those the parser
    // built before, skipping names it lacks, and adopts them in order; the start is the scene
    // that STARTWITH names, else the first.
    CMC_Episode(CWindow* window, CMC_StructureParser* parser, CMElement* element);
    // An episode of a compiled application; its record is read afterwards.
    explicit CMC_Episode(CWindow* window);
    // Leaves its scene.
    ~CMC_Episode() override;

    // Reads its definition from its folder on the data disc (its own bindings made again),
    // raises "ONINIT" on what it holds (its scenes and the application among them) and
    // enters its start at once. False, with no scene running, when it has no scenes.
    bool initialize(CMC_Scene* previous) override;
    // Leaves the running scene for the next one: the episode's "ONDONE" when bound, then the
    // scene's unload; the scene becomes the latest left.
    void unload(CMC_Scene* next) override;
    // The node record, the number of scenes, the start's position among them (-1: none) and
    // a record per scene. Storing loads each scene first (the compiled form holds plain
    // scenes only: any other node is named on standard error, left out, and the archive
    // fails). Reading makes a scene per record; a count the archive cannot hold fails it.
    void serialize(CXArchive* archive) override;
    // The application above.
    CMC_Scene* getMCApplication() override;

    // Ask for the next or the previous scene in list order; nothing past either end. With no
    // scene running, NEXT asks for the first.
    void next();
    void prev();
    // Asks for the scene entered before the running one and forgets the running one's entry
    // in the history; nothing with fewer than two entries.
    void back();
    // The name of the scene left last; empty until one was left.
    CXString getLatestScene() const { return latestScene_; }

private:
    CXString latestScene_;
};
