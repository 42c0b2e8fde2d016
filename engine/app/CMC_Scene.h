#pragma once

#include "script/CMC_ObjectsContainer.h"

class CUnit6;

// A node of the scene tree: a scene, and the base of episodes and the application. Every
// scene works through one screen unit, the default unit, which the first node made creates and
// the application deletes at its end.
class CMC_Scene : public CMC_ObjectsContainer {
public:
    // Reads MUSIC of the definition; the parent is only linked, not entered
    // among the objects. The scene is an object of its own.
    CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type);

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

protected:
    CMC_Scene* current_ = nullptr;

private:
    static CUnit6* defUnit_;

    CXString music_;
    bool startMusic_ = true;
};
