#include "script_graphics/CMC_GraphicsRunner.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

int64_t areaOf(const CXRect& r)
{
    return int64_t{r.right} - r.left < 0 || int64_t{r.bottom} - r.top < 0
               ? 0
               : (int64_t{r.right} - r.left) * (int64_t{r.bottom} - r.top);
}

} // namespace

CMC_Object* CMC_GraphicsRunner::empty(Result result)
{
    switch (result) {
    case Result::Bool:
        return giveBool(false);
    case Result::Integer:
        return giveInteger(0);
    case Result::String:
        return giveString(CXString());
    default:
        return nullptr;
    }
}

CRefreshScreen* CMC_GraphicsRunner::screenOf(ScriptWindow* window)
{
    return window != nullptr ? ScriptGraphicsWindow::of(window)->GetRefreshScreenInterface() : nullptr;
}

CXRect CMC_GraphicsRunner::clippingRect(CMC_ObjectsContainer* scope, CXVector* args)
{
    if (argumentCount(args) == 1) {
        CGraphicsObject* other = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr;
        return other != nullptr ? other->GetBoundingBox() : CXRect(0, 0, 0, 0);
    }
    return CXRect(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                  integerParameter(args, 3));
}

bool CMC_GraphicsRunner::nearArguments(CMC_ObjectsContainer* scope, CXVector* args, CXRect* rect, int* percent)
{
    if (argumentCount(args) == 2) {
        CGraphicsObject* other = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr;
        if (other == nullptr)
            return false;
        *rect = other->GetBoundingBox();
        *percent = integerParameter(args, 1);
        return true;
    }
    if (argumentCount(args) < 5)
        return false;
    *rect = CXRect(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                   integerParameter(args, 3));
    *percent = integerParameter(args, 4);
    return true;
}

bool CMC_GraphicsRunner::overlapsEnough(const CXRect& own, const CXRect& other, int percent, bool emptyIsNear)
{
    const int64_t ownArea = areaOf(own);
    if (ownArea == 0)
        return emptyIsNear;
    const CXRect common(std::max(own.left, other.left), std::max(own.top, other.top), std::min(own.right, other.right),
                        std::min(own.bottom, other.bottom));
    return percent <= static_cast<double>(areaOf(common)) * 100.0 / static_cast<double>(ownArea);
}

CXPoint CMC_GraphicsRunner::namedAnchor(const CXString& keyword, CXPoint corner, CXSize size)
{
    struct Named {
        const char* keyword;
        int x2;
        int y2;
    };
    // Each axis in halves of the side: 0 the corner, 1 the middle, 2 the far side.
    static constexpr Named kAnchors[] = {
        {"CENTER", 1, 1}, {"LEFTUPPER", 0, 0}, {"RIGHTUPPER", 2, 0}, {"LEFTLOWER", 0, 2}, {"RIGHTLOWER", 2, 2},
        {"LEFT", 0, 1},   {"RIGHT", 2, 1},     {"TOP", 1, 0},        {"BOTTOM", 1, 2},
    };
    const auto along = [](int halves, int side) { return halves == 2 ? side : halves == 1 ? side / 2 : 0; };
    for (const Named& anchor : kAnchors)
        if (keyword == anchor.keyword)
            return CXPoint(corner.x + along(anchor.x2, size.width), corner.y + along(anchor.y2, size.height));
    return CXPoint(0, 0);
}

int CMC_GraphicsRunner::signedAlphaAt(CGraphicsObject& picture, CXPoint local)
{
    if (picture.GetAlphaPtr() == nullptr)
        return 0;
    return static_cast<signed char>(picture.GetPixel(CHANNEL_ALPHA, local));
}

int CMC_GraphicsRunner::signedPixelAt(CGraphicsObject& picture, CXPoint local)
{
    return static_cast<int16_t>(picture.GetPixelWord(local));
}

// The mode is read only when exactly two arguments are given; drawing does not use it.
void CMC_GraphicsRunner::drawPictureOnto(CGraphicsObject* picture, CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* target = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr;
    if (target != nullptr && target != picture)
        target->addObject(picture, argumentCount(args) == 2 ? integerParameter(args, 1) : 0);
}

void CMC_GraphicsRunner::appendPoint(CMC_ObjectsContainer* scope, CXVector* args, int i, CXPoint point)
{
    auto* array = namedOfType<CMC_Array>(scope, args, i, CMC_Object::TYPE_ARRAY);
    if (array == nullptr)
        return;
    CMC_Integer x(point.x);
    CMC_Integer y(point.y);
    array->add(&x);
    array->add(&y);
}

void CMC_GraphicsRunner::saveCopy(ScriptGraphicsWindow* window, CGraphicsObject* picture, CXVector* args)
{
    if (picture == nullptr || argumentCount(args) < 1)
        return;
    CGraphicsObject copy(window);
    copy.Copy(picture);
    const CXRect part(integerParameter(args, 3), integerParameter(args, 4), integerParameter(args, 5),
                      integerParameter(args, 6));
    if (part.right != part.left && part.bottom != part.top)
        copy.crop(part);
    const double scaleX = doubleParameter(args, 1, 1.0);
    const double scaleY = doubleParameter(args, 2, 1.0);
    if (scaleX != 1.0 || scaleY != 1.0)
        copy.Scale(scaleX, scaleY);
    copy.Save(parameterText(args, 0), COMPRESSION_NONE);
}
