#pragma once

#include "app/CMC_Scene.h"

class CMC_StructureParser;

// The EPISODE script object: the middle level of the scene tree, between the application and
// its scenes. Its SCENES are the scenes it holds, STARTWITH the one it enters first.
class CMC_Episode : public CMC_Scene {
public:
    // Takes the scenes that SCENES names (separated by "," or blanks) from those the parser
    // built before, skipping names it lacks, and adopts them in order; the start is the scene
    // that STARTWITH names, else the first.
    CMC_Episode(CWindow* window, CMC_StructureParser* parser, CMElement* element);
};
