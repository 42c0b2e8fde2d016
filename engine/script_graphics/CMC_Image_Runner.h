#pragma once

#include "graphics/CImage.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_PictureRunner.h"

#include <array>

// The methods of IMAGE, each working on the object's picture. Without a picture a method does
// nothing and answers its result type's empty value; so does a method given fewer arguments
// than it reads. Ids without a name reach the common methods' runner like any unknown id.
class CMC_Image_Runner : public CMC_PictureRunner<CMC_Image_Runner, CMC_Image, CImage> {
public:
    static constexpr int MTH_SHOW = 1;
    static constexpr int MTH_HIDE = 2;
    static constexpr int MTH_SETPOSITION = 5;
    static constexpr int MTH_MOVE = 6;
    static constexpr int MTH_LOAD = 7;
    static constexpr int MTH_CLEARCLIPPING = 8;
    static constexpr int MTH_SETCLIPPING = 9;
    static constexpr int MTH_GETPOSITIONX = 15;
    static constexpr int MTH_GETPOSITIONY = 16;
    static constexpr int MTH_GETWIDTH = 17;
    static constexpr int MTH_GETHEIGHT = 18;
    static constexpr int MTH_ISNEAR = 23;
    static constexpr int MTH_ISINSIDE = 24;
    static constexpr int MTH_MONITORCOLLISION = 26;
    static constexpr int MTH_REMOVEMONITORCOLLISION = 27;
    // Known by name, doing nothing.
    static constexpr int MTH_SETSCALEFACTOR = 28;
    static constexpr int MTH_SETPRIORITY = 32;
    static constexpr int MTH_GETALPHA = 33;
    static constexpr int MTH_GETPIXEL = 34;
    static constexpr int MTH_MERGEALPHA = 36;
    static constexpr int MTH_INVALIDATE = 37;
    static constexpr int MTH_GETCENTERX = 40;
    static constexpr int MTH_GETCENTERY = 41;
    static constexpr int MTH_ISVISIBLE = 48;
    static constexpr int MTH_LINK = 49;
    static constexpr int MTH_SETASBUTTON = 50;
    static constexpr int MTH_SETOPACITY = 51;
    static constexpr int MTH_SAVE = 52;
    static constexpr int MTH_SETANCHOR = 53;
    static constexpr int MTH_FLIPH = 54;
    static constexpr int MTH_FLIPV = 55;
    static constexpr int MTH_RESETFLIPS = 56;
    static constexpr int MTH_DRAWONTO = 57;
    static constexpr int MTH_RESETPOSITION = 58;
    static constexpr int MTH_SETRESETPOSITION = 59;
    static constexpr int MTH_ISAT = 63;
    static constexpr int MTH_GETOPACITY = 64;
    static constexpr int MTH_GETSLIDECOMPS = 65;
    static constexpr int MTH_GETCOLORAT = 66;
    static constexpr int MTH_GETCOLORRAT = 67;
    static constexpr int MTH_GETCOLORGAT = 68;
    static constexpr int MTH_GETCOLORBAT = 69;
    static constexpr int MTH_MERGEALPHA2 = 70;

    // A picture without a box is near nothing.
    static constexpr bool kEmptyBoxIsNear = false;

    void prepareMthHashSet() override;

private:
    static const std::array<Method, 43> methods_;

    const Method* method(int id) override;

    CMC_Object* show(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* hide(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setPosition(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPositionX(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getPositionY(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* isAt(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getAlpha(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPixel(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* mergeAlpha(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getCenterX(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getCenterY(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* link(CMC_Image* image, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* setAsButton(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setOpacity(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* save(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* resetPosition(CMC_Image* image, CImage* picture, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setResetPosition(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getSlideComps(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getColorAt(CMC_Image*, CImage*, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getColorComponentAt(CMC_Image*, CImage*, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* mergeAlpha2(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args);

    // Marks the old and the new area for redraw around placing the picture at the point.
    static void place(CImage* picture, CXPoint p);
};
