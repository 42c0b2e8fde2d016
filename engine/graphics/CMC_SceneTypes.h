#pragma once

#include "foundation/CXString.h"

class CMC_Object;
class CMC_ObjectsContainer;
class CPlayable;

// What scenes need of script types that their own folders build: the playable behind an
// object (ANIMO, SEQUENCE), the graphics object behind it (ANIMO, IMAGE, ...), whether an
// object runs (TIMER), and the objects that scripts create in a running scene ("BUTTON",
// "VGO"). Each type attaches its part when it exists; until then scenes find no playable, no
// graphics object, nothing running and nothing to create.
class CMC_SceneTypes {
public:
    using PlayableOf = CPlayable* (*)(CMC_Object* object);
    using RunningTest = bool (*)(CMC_Object* object);
    // The script object of a run-time type over a new graphic in the scene, named; not
    // bound and not entered.
    using Maker = CMC_Object* (*)(CMC_ObjectsContainer* scene, const CXString& name);

    // Replaces the part the type had; none detaches it.
    static void attachPlayable(int typeId, PlayableOf playableOf);
    static void attachRunningTest(int typeId, RunningTest test);
    // Attaches the maker of "BUTTON" or "VGO" and gives back the one it replaces; none, and
    // nothing attached, for any other word.
    static Maker attachMaker(const char* word, Maker maker);

    // The object's playable, by its type; none.
    static CPlayable* playableOf(CMC_Object* object);
    // Whether the object runs, by its type; false.
    static bool isRunning(CMC_Object* object);
    // The object of the word (exact case), or none.
    static CMC_Object* make(const CXString& word, CMC_ObjectsContainer* scene, const CXString& name);
};
