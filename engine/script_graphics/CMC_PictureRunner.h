#pragma once

#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_GraphicsRunner.h"
#include "script_graphics/GraphicsScene.h"

#include <cstddef>

// The runner of a type whose objects show one picture (Runner, serving objects of type Object
// that show a Picture): its method table, the dispatch by id, and the methods such types have
// alike. A type's runner instantiates only the methods its table names. A method of the
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

template <typename Runner, typename Object, typename Picture>
void CMC_PictureRunner<Runner, Object, Picture>::registerMethods(const Method* methods, size_t count)
{
    CMC_Runner::prepareMthHashSet();
    for (size_t i = 0; i < count; ++i)
        if (methods[i].name != nullptr)
            registerMethod(methods[i].name, methods[i].id);
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope,
                                                            CXVector* args)
{
    const Method* entry = method(id);
    auto* typed = dynamic_cast<Object*>(object);
    if (entry == nullptr || typed == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    auto* picture = static_cast<Picture*>(typed->getShownGraphics(CXString()));
    if (entry->handler == nullptr || (picture == nullptr && !entry->withoutPicture)
        || argumentCount(args) < entry->arguments)
        return empty(entry->result);
    return (static_cast<Runner*>(this)->*entry->handler)(typed, picture, scope, args);
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::load(Object* object, Picture*, CMC_ObjectsContainer*,
                                                             CXVector* args)
{
    object->load(parameterText(args, 0), true);
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::move(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                             CXVector* args)
{
    picture->Move(integerParameter(args, 0), integerParameter(args, 1));
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::clearClipping(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                      CXVector*)
{
    picture->SetClippingRect(CXRect(0, 0, 0, 0));
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::setClipping(Object*, Picture* picture,
                                                                    CMC_ObjectsContainer* scope, CXVector* args)
{
    picture->SetClippingRect(clippingRect(scope, args));
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::getWidth(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                 CXVector*)
{
    return giveInteger(picture->Width());
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::getHeight(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                  CXVector*)
{
    return giveInteger(picture->Height());
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::monitorCollision(Object* object, Picture* picture,
                                                                         CMC_ObjectsContainer* scope, CXVector* args)
{
    if (auto* scene = dynamic_cast<GraphicsScene*>(scope != nullptr ? scope->getScene() : nullptr))
        scene->monitorCollisions(picture, boolParameter(args, 0), object);
    picture->setMonitorCollisions(true);
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::removeMonitorCollision(Object* object, Picture* picture,
                                                                               CMC_ObjectsContainer*, CXVector*)
{
    object->removeCollisionsMonitoring();
    picture->setMonitorCollisions(false);
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::setPriority(Object* object, Picture* picture,
                                                                    CMC_ObjectsContainer* scope, CXVector* args)
{
    if (CRefreshScreen* screen = screenOf(callerWindow(scope, object)))
        screen->SetPriority(picture, integerParameter(args, 0));
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::invalidate(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                   CXVector*)
{
    picture->Invalidate();
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::isVisible(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                  CXVector*)
{
    return giveBool(picture->CGraphicsObject::isVisible());
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::flipH(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                              CXVector*)
{
    picture->FlipH();
    picture->Invalidate();
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::flipV(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                              CXVector*)
{
    picture->FlipV();
    picture->Invalidate();
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::resetFlip(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                  CXVector*)
{
    picture->resetFlips();
    picture->Invalidate();
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::drawOnto(Object*, Picture* picture,
                                                                 CMC_ObjectsContainer* scope, CXVector* args)
{
    drawPictureOnto(picture, scope, args);
    return nullptr;
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::getOpacity(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                   CXVector*)
{
    return giveInteger(picture->GetOpacity());
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::isNear(Object*, Picture* picture, CMC_ObjectsContainer* scope,
                                                               CXVector* args)
{
    CXRect other;
    int percent = 0;
    if (!nearArguments(scope, args, &other, &percent))
        return giveBool(false);
    return giveBool(overlapsEnough(picture->GetBoundingBox(), other, percent, Runner::kEmptyBoxIsNear));
}

template <typename Runner, typename Object, typename Picture>
CMC_Object* CMC_PictureRunner<Runner, Object, Picture>::setAnchor(Object*, Picture* picture, CMC_ObjectsContainer*,
                                                                  CXVector* args)
{
    if (argumentCount(args) == 1)
        picture->setAnchor(namedAnchor(parameterText(args, 0), picture->GetPosition(), picture->Size()));
    else
        picture->setAnchor(CXPoint(integerParameter(args, 0), integerParameter(args, 1)));
    return nullptr;
}
