#include "script_graphics/CMC_PictureRunner.h"

#include "app/CMC_Scene.h"
#include "graphics/CAnimo6.h"
#include "graphics/CImage.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Animo_Runner.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_Image_Runner.h"

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
    if (auto* scene = dynamic_cast<CMC_Scene*>(scope != nullptr ? scope->getScene() : nullptr))
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

template class CMC_PictureRunner<CMC_Animo_Runner, CMC_Animo, CAnimo6>;
template class CMC_PictureRunner<CMC_Image_Runner, CMC_Image, CImage>;
