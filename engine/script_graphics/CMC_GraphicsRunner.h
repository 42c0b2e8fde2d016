#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "script/CMC_Runner.h"

class CGraphicsObject;
class CRefreshScreen;
class ScriptGraphicsWindow;
class ScriptWindow;

// What the runners of the picture types (ANIMO, IMAGE) read and answer alike: rectangles and
// pictures named by arguments, the overlap test, anchors by keyword, pixels at a point.
class CMC_GraphicsRunner : public CMC_Runner {
public:
    // What a method answers: nothing, or a value of a type, empty when the method cannot act.
    enum class Result { None, Bool, Integer, String };

protected:
    static CMC_Object* empty(Result result);
    static CRefreshScreen* screenOf(ScriptWindow* window);
    // One argument names a picture, whose box it is ((0, 0, 0, 0) for a name without one);
    // more are left, top, right, bottom.
    CXRect clippingRect(CMC_ObjectsContainer* scope, CXVector* args);
    // Two arguments name a picture, whose box is the rectangle, and give the percent; more
    // give the rectangle and the percent. False when the arguments give neither.
    bool nearArguments(CMC_ObjectsContainer* scope, CXVector* args, CXRect* rect, int* percent);
    // Whether at least percent of own's area lies in other; own without area is near when
    // emptyIsNear.
    static bool overlapsEnough(const CXRect& own, const CXRect& other, int percent, bool emptyIsNear);
    // The anchor of the keyword (exact upper case: "CENTER", "LEFTUPPER", ...) for a picture
    // at the corner of that size; (0, 0) for any other text.
    static CXPoint namedAnchor(const CXString& keyword, CXPoint corner, CXSize size);
    // The picture's alpha at a point of its own as a signed byte; 0 outside it or without an
    // alpha plane.
    static int signedAlphaAt(CGraphicsObject& picture, CXPoint local);
    // The picture's colour word at a point of its own as a signed 16-bit number; 0 outside.
    static int signedPixelAt(CGraphicsObject& picture, CXPoint local);
    // The picture becomes one that the graphics object named by argument 0 draws on itself.
    void drawPictureOnto(CGraphicsObject* picture, CMC_ObjectsContainer* scope, CXVector* args);
    // The ARRAY named by argument i gains the point's x and y as INTEGERs.
    void appendPoint(CMC_ObjectsContainer* scope, CXVector* args, int i, CXPoint point);
    // "SAVE"(file [, scale x, scale y, left, top, right, bottom]): a copy of the picture, cut
    // to the rectangle when it has a width and a height, scaled when a factor is not 1.0,
    // written as an unpacked IMG file; the picture itself stays as it is.
    void saveCopy(ScriptGraphicsWindow* window, CGraphicsObject* picture, CXVector* args);
};
