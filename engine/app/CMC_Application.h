#pragma once

#include "app/CMC_Scene.h"

class CCommandLine6;
class CMC_StructureParser;

// The APPLICATION script object: the root of the scene tree. Its sub-scenes are the episodes
// that EPISODES names, then the scenes that SCENES names; STARTWITH names the node it enters
// first. The scenes of its episodes and its own scenes are objects of the application, so
// scripts reach them by name.
class CMC_Application : public CMC_Scene {
public:
    // Takes the nodes that EPISODES and SCENES name (separated by "," or blanks) from those
    // the parser built before, skipping names it lacks; the start is the node that STARTWITH
    // names, else the first sub-scene. The command line is not owned.
    CMC_Application(CWindow* window, CMC_StructureParser* parser, CMElement* element, CCommandLine6* commandLine);

    CCommandLine6* getCommandLine() const { return commandLine_; }

private:
    CCommandLine6* commandLine_;
};
