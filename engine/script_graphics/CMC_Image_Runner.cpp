#include "script_graphics/CMC_Image_Runner.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CImage.h"
#include "script/CMC_Array.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Image.h"

#include <climits>

namespace {

using R = CMC_Image_Runner;

// The ARRAY that argument i names, or none.
CMC_Array* arrayNamed(CMC_ObjectsContainer* scope, const CXString& name)
{
    CMC_Object* named = scope != nullptr ? scope->getObject(name.c_str()) : nullptr;
    return named != nullptr && named->getType() == CMC_Object::TYPE_ARRAY ? dynamic_cast<CMC_Array*>(named) : nullptr;
}

// A point moved by a step, the step's parts truncated toward zero; held within the int range.
CXPoint stepped(int x, int y, double dx, double dy)
{
    const auto along = [](int from, double by) {
        const int64_t to = int64_t{from} + truncateToInt(by);
        return static_cast<int>(std::clamp<int64_t>(to, INT_MIN, INT_MAX));
    };
    return CXPoint(along(x, dx), along(y, dy));
}

} // namespace

const std::array<CMC_Image_Runner::Method, 43> CMC_Image_Runner::methods_ = {{
    {"SHOW", R::MTH_SHOW, &R::show, R::Result::None, 0, false},
    {"HIDE", R::MTH_HIDE, &R::hide, R::Result::None, 0, false},
    {"SETPOSITION", R::MTH_SETPOSITION, &R::setPosition, R::Result::None, 2, false},
    {"MOVE", R::MTH_MOVE, &R::move, R::Result::None, 2, false},
    {"LOAD", R::MTH_LOAD, &R::load, R::Result::None, 1, true},
    {"CLEARCLIPPING", R::MTH_CLEARCLIPPING, &R::clearClipping, R::Result::None, 0, false},
    {"SETCLIPPING", R::MTH_SETCLIPPING, &R::setClipping, R::Result::None, 1, false},
    {"GETPOSITIONX", R::MTH_GETPOSITIONX, &R::getPositionX, R::Result::Integer, 0, false},
    {"GETPOSITIONY", R::MTH_GETPOSITIONY, &R::getPositionY, R::Result::Integer, 0, false},
    {"GETWIDTH", R::MTH_GETWIDTH, &R::getWidth, R::Result::Integer, 0, false},
    {"GETHEIGHT", R::MTH_GETHEIGHT, &R::getHeight, R::Result::Integer, 0, false},
    {"ISNEAR", R::MTH_ISNEAR, &R::isNear, R::Result::Bool, 2, false},
    {"ISINSIDE", R::MTH_ISINSIDE, &R::isAt, R::Result::Bool, 3, false},
    {"MONITORCOLLISION", R::MTH_MONITORCOLLISION, &R::monitorCollision, R::Result::None, 1, false},
    {"REMOVEMONITORCOLLISION", R::MTH_REMOVEMONITORCOLLISION, &R::removeMonitorCollision, R::Result::None, 0, false},
    {"SETSCALEFACTOR", R::MTH_SETSCALEFACTOR, nullptr, R::Result::None, 0, true},
    {"SETPRIORITY", R::MTH_SETPRIORITY, &R::setPriority, R::Result::None, 1, false},
    {"GETALPHA", R::MTH_GETALPHA, &R::getAlpha, R::Result::Integer, 2, false},
    {"GETPIXEL", R::MTH_GETPIXEL, &R::getPixel, R::Result::Integer, 2, false},
    {"MERGEALPHA", R::MTH_MERGEALPHA, &R::mergeAlpha, R::Result::None, 3, false},
    {"INVALIDATE", R::MTH_INVALIDATE, &R::invalidate, R::Result::None, 0, false},
    {"GETCENTERX", R::MTH_GETCENTERX, &R::getCenterX, R::Result::Integer, 0, false},
    {"GETCENTERY", R::MTH_GETCENTERY, &R::getCenterY, R::Result::Integer, 0, false},
    {"ISVISIBLE", R::MTH_ISVISIBLE, &R::isVisible, R::Result::Bool, 0, false},
    {"LINK", R::MTH_LINK, &R::link, R::Result::None, 1, false},
    {"SETASBUTTON", R::MTH_SETASBUTTON, &R::setAsButton, R::Result::None, 2, true},
    {"SETOPACITY", R::MTH_SETOPACITY, &R::setOpacity, R::Result::None, 1, false},
    {"SAVE", R::MTH_SAVE, &R::save, R::Result::None, 1, false},
    {"SETANCHOR", R::MTH_SETANCHOR, &R::setAnchor, R::Result::None, 1, false},
    {"FLIPH", R::MTH_FLIPH, &R::flipH, R::Result::None, 0, false},
    {"FLIPV", R::MTH_FLIPV, &R::flipV, R::Result::None, 0, false},
    {"RESETFLIPS", R::MTH_RESETFLIPS, &R::resetFlip, R::Result::None, 0, false},
    {"DRAWONTO", R::MTH_DRAWONTO, &R::drawOnto, R::Result::None, 1, false},
    {"RESETPOSITION", R::MTH_RESETPOSITION, &R::resetPosition, R::Result::None, 0, false},
    {"SETRESETPOSITION", R::MTH_SETRESETPOSITION, &R::setResetPosition, R::Result::None, 2, true},
    {"ISAT", R::MTH_ISAT, &R::isAt, R::Result::Bool, 3, false},
    {"GETOPACITY", R::MTH_GETOPACITY, &R::getOpacity, R::Result::Integer, 0, false},
    {"GETSLIDECOMPS", R::MTH_GETSLIDECOMPS, &R::getSlideComps, R::Result::None, 5, false},
    {"GETCOLORAT", R::MTH_GETCOLORAT, &R::getColorAt, R::Result::None, 3, true},
    {"GETCOLORRAT", R::MTH_GETCOLORRAT, &R::getColorComponentAt, R::Result::Integer, 2, true},
    {"GETCOLORGAT", R::MTH_GETCOLORGAT, &R::getColorComponentAt, R::Result::Integer, 2, true},
    {"GETCOLORBAT", R::MTH_GETCOLORBAT, &R::getColorComponentAt, R::Result::Integer, 2, true},
    {"MERGEALPHA2", R::MTH_MERGEALPHA2, &R::mergeAlpha2, R::Result::None, 3, false},
}};

const CMC_Image_Runner::Method* CMC_Image_Runner::method(int id)
{
    for (const Method& entry : methods_)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

void CMC_Image_Runner::prepareMthHashSet()
{
    registerMethods(methods_.data(), methods_.size());
}

void CMC_Image_Runner::place(CImage* picture, CXPoint p)
{
    picture->Invalidate();
    picture->SetPosition(p.x, p.y);
    picture->Invalidate();
}

CMC_Object* CMC_Image_Runner::show(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector*)
{
    image->showPicture(true);
    return nullptr;
}

CMC_Object* CMC_Image_Runner::hide(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector*)
{
    image->showPicture(false);
    return nullptr;
}

CMC_Object* CMC_Image_Runner::setPosition(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    place(picture, CXPoint(integerParameter(args, 0), integerParameter(args, 1)));
    return nullptr;
}

CMC_Object* CMC_Image_Runner::getPositionX(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(picture->GetPosition().x);
}

CMC_Object* CMC_Image_Runner::getPositionY(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(picture->GetPosition().y);
}

// The alpha is read from the picture's own corner; a picture without an alpha plane is opaque.
CMC_Object* CMC_Image_Runner::isAt(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
    return giveBool(picture->isAt(p, boolParameter(args, 2)));
}

CMC_Object* CMC_Image_Runner::getAlpha(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
    return giveInteger(signedAlphaAt(*picture, p - picture->GetPosition()));
}

CMC_Object* CMC_Image_Runner::getPixel(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
    return giveInteger(signedPixelAt(*picture, p - picture->GetPosition()));
}

// A packed picture is unpacked for good, so that the stamp stays in it.
CMC_Object* CMC_Image_Runner::mergeAlpha(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* mask = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 2)) : nullptr;
    if (mask == nullptr)
        return nullptr;
    picture->unpack();
    picture->mergeAlpha(CXPoint(integerParameter(args, 0), integerParameter(args, 1)), mask);
    return nullptr;
}

CMC_Object* CMC_Image_Runner::getCenterX(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger((picture->GetPosition().x + picture->Size().width) / 2);
}

CMC_Object* CMC_Image_Runner::getCenterY(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger((picture->GetPosition().y + picture->Size().height) / 2);
}

// Only another IMAGE's picture is linked.
CMC_Object* CMC_Image_Runner::link(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* other = namedOfType<CMC_Image>(scope, args, 0, CMC_Image::kType);
    if (other == nullptr || other->getImage() == nullptr)
        return nullptr;
    place(picture, picture->GetPosition());
    picture->linkPlanes(*other->getImage());
    picture->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Image_Runner::setAsButton(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector* args)
{
    const bool activeCursor = boolParameter(args, 1);
    image->setAsButton(boolParameter(args, 0), activeCursor);
    return nullptr;
}

CMC_Object* CMC_Image_Runner::setOpacity(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    picture->SetOpacity(static_cast<unsigned char>(integerParameter(args, 0) & 0xFF));
    return nullptr;
}

CMC_Object* CMC_Image_Runner::save(CMC_Image*, CImage* picture, CMC_ObjectsContainer*, CXVector* args)
{
    picture->Save(parameterText(args, 0), COMPRESSION_NONE);
    return nullptr;
}

CMC_Object* CMC_Image_Runner::resetPosition(CMC_Image* image, CImage* picture, CMC_ObjectsContainer*, CXVector*)
{
    place(picture, image->GetStartingPosition());
    return nullptr;
}

CMC_Object* CMC_Image_Runner::setResetPosition(CMC_Image* image, CImage*, CMC_ObjectsContainer*, CXVector* args)
{
    image->SetStartingPosition(integerParameter(args, 0), integerParameter(args, 1));
    return nullptr;
}

// Turns the wanted movement a step to one side, then to the other, shortening it each pass,
// until it ends outside the picture or on a transparent point; the turn is 57.29577951307855
// radians, the shortening 5/6, at most 90 passes.
CMC_Object* CMC_Image_Runner::getSlideComps(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args)
{
    constexpr double kCos = 0.7336545584623921;
    constexpr double kSin = 0.6795226183486114;
    constexpr double kShrink = 0.8333333333333334;
    constexpr int kPasses = 90;
    const double dx = doubleParameter(args, 0);
    const double dy = doubleParameter(args, 1);
    const int x = integerParameter(args, 2);
    const int y = integerParameter(args, 3);
    double ax = dx, ay = dy, bx = dx, by = dy;
    double rx = 0, ry = 0;
    for (int pass = 1;; ++pass) {
        const double nax = kShrink * (kCos * ax + kSin * ay);
        ay = kShrink * (kCos * ay - kSin * ax);
        ax = nax;
        rx = ax;
        ry = ay;
        if (!picture->isAt(stepped(x, y, ax, ay), true))
            break;
        const double nbx = kShrink * (kCos * bx - kSin * by);
        by = kShrink * (kCos * by + kSin * bx);
        bx = nbx;
        if (!picture->isAt(stepped(x, y, bx, by), true)) {
            rx = bx;
            ry = by;
            break;
        }
        if (pass >= kPasses)
            break;
    }
    if (CMC_Array* array = arrayNamed(scope, parameterText(args, 4))) {
        CMC_Double part(rx);
        array->add(&part);
        part.setValue(ry);
        array->add(&part);
    }
    return nullptr;
}

// No pixel is read: the array gains four INTEGER zeros.
CMC_Object* CMC_Image_Runner::getColorAt(CMC_Image*, CImage*, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (CMC_Array* array = arrayNamed(scope, parameterText(args, 2))) {
        CMC_Integer zero(0);
        for (int i = 0; i < 4; ++i)
            array->add(&zero);
    }
    return nullptr;
}

// No colour component is computed.
CMC_Object* CMC_Image_Runner::getColorComponentAt(CMC_Image*, CImage*, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(0);
}

CMC_Object* CMC_Image_Runner::mergeAlpha2(CMC_Image*, CImage* picture, CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* mask = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 2)) : nullptr;
    if (mask == nullptr)
        return nullptr;
    picture->unpack();
    const bool clear = argumentCount(args) > 3 && boolParameter(args, 3);
    picture->mergeAlpha2(CXPoint(integerParameter(args, 0), integerParameter(args, 1)), mask, clear);
    return nullptr;
}
