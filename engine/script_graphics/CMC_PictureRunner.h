#pragma once

#include "script_graphics/CMC_GraphicsRunner.h"

#include <cstddef>

// The runner of a picture type (Runner, serving objects of type Object that show a Picture):
// its method table, the dispatch by id, and the methods both types have alike. A method of the
// table runs only with the object's picture (unless it works without one) and with at least
// the arguments it reads; otherwise it answers its result type's empty value. Ids without a
// method go to the common methods.
template <typename Runner, typename Object, typename Picture>
class CMC_PictureRunner : public CMC_GraphicsRunner {
public:
    using Handler = CMC_Object* (Runner::*)(Object*, Picture*, CMC_ObjectsContainer*, CXVector*);
    struct Method {
        const char* name;
        int id;
        // None for a name that does nothing.
        Handler handler;
        Result result;
        // The fewest arguments the method works with.
        int arguments;
        // Whether the method acts without a picture.
        bool withoutPicture;
    };

    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

protected:
    // The common methods, then the named methods of the table.
    void registerMethods(const Method* methods, size_t count);
    // The table's method of the id, or none.
    virtual const Method* method(int id) = 0;

    // "LOAD"(file): the object takes the file's picture, loaded at once.
    CMC_Object* load(Object* object, Picture*, CMC_ObjectsContainer*, CXVector* args);
    // "MOVE"(dx, dy).
    CMC_Object* move(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector* args);
    // "CLEARCLIPPING"; "SETCLIPPING"(name) or (left, top, right, bottom).
    CMC_Object* clearClipping(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setClipping(Object*, Picture* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getWidth(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getHeight(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    // "MONITORCOLLISION"(alpha): the calling scene watches the picture, once.
    CMC_Object* monitorCollision(Object* object, Picture* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* removeMonitorCollision(Object* object, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    // "SETPRIORITY"(p) on the screen of the calling container's window.
    CMC_Object* setPriority(Object* object, Picture* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* invalidate(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* isVisible(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    // Each flip marks the picture for redraw.
    CMC_Object* flipH(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* flipV(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* resetFlip(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    // "DRAWONTO"(name [, mode]).
    CMC_Object* drawOnto(Object*, Picture* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getOpacity(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector*);
    // "ISNEAR"(name, percent) or (left, top, right, bottom, percent): whether that share of
    // the picture's box lies in the other box; a picture without a box is near as the
    // runner's kEmptyBoxIsNear says.
    CMC_Object* isNear(Object*, Picture* picture, CMC_ObjectsContainer* scope, CXVector* args);
    // "SETANCHOR"(keyword) at the drawn corner, or (x, y); nothing moves until it is placed.
    CMC_Object* setAnchor(Object*, Picture* picture, CMC_ObjectsContainer*, CXVector* args);
};
