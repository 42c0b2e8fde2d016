#pragma once

#include "foundation/CXObject.h"

class CMElement;
class CPlayable;
class GraphicsWindow;

// Makes an engine object straight from a definition element, with no script object around
// it: by TYPE (compared exactly), "IMAGE" a picture, "ANIMO" an animation, "SEQUENCE" a
// sequence. FILENAME names the picture or animation file, VISIBLE shows what is made. What is
// made belongs to the caller; whether its file could be read is the object's business.
class CMElementCreator : public CXObject {
public:
    // A picture for TYPE "IMAGE" with a FILENAME; none otherwise.
    static CXObject* createObject(GraphicsWindow* window, CMElement* element);
    // An animation for TYPE "ANIMO" with a FILENAME, a sequence for "SEQUENCE"; none otherwise.
    static CPlayable* createPlayable(GraphicsWindow* window, CMElement* element);
};
