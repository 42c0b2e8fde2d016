#include "script_graphics/CMC_Canvas.h"

#include "foundation/CXArchive.h"
#include "graphics/CCanvas.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr int kImageType = 2008;
constexpr int kTextType = 2006;

} // namespace

CMC_Canvas::CMC_Canvas(CMC_ObjectsContainer* owner)
    : CMC_Canvas(owner, static_cast<CCanvas*>(nullptr))
{
}

CMC_Canvas::CMC_Canvas(CMC_ObjectsContainer* owner, CCanvas* canvas)
    : CMC_ButtonRaster(CXString("temp"), kType, owner)
    , canvas_(canvas)
{
    if (canvas_ != nullptr)
        canvas_->clear(false);
    CMC_Object::watch(this);
}

CMC_Canvas::CMC_Canvas(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_ButtonRaster(owner, element, kType)
{
    const int priority = element->getPropertyIntValue("PRIORITY");
    const int width = element->getPropertyIntValue("WIDTH");
    const int height = element->getPropertyIntValue("HEIGHT");
    const bool alpha = element->getPropertyBoolValue("ALPHA");
    const bool background = element->getPropertyBoolValue("BACKGROUND");
    makeCanvas(width, height, alpha, background, priority);
    CMC_Object::watch(this);
    initializeBehaviours(owner, element);
}

CMC_Canvas::~CMC_Canvas()
{
    CMC_Object::unwatch(this);
    if (CRefreshScreen* composer = screen())
        *composer >> canvas_;
    delete canvas_;
}

CGraphicsObject* CMC_Canvas::raster() const
{
    return canvas_;
}

void CMC_Canvas::makeCanvas(int width, int height, bool alpha, bool background, int priority)
{
    // A size that no screen could show is taken as none, rather than as gigabytes of pixels.
    constexpr int64_t kLargestArea = int64_t{1} << 24;
    if (width < 0 || height < 0 || int64_t{width} * height > kLargestArea)
        width = height = 0;
    CRefreshScreen* composer = screen();
    canvas_ = new CCanvas(window(), CXSize(width, height), composer != nullptr ? composer->GetBpp() : 16, alpha,
                          background);
    canvas_->clear(false);
    if (composer != nullptr)
        composer->put(canvas_, priority);
}

void CMC_Canvas::onObjectGone(CMC_Object* object)
{
    std::erase(remembered_, object);
}

void CMC_Canvas::remember(CMC_Object* object)
{
    if (std::find(remembered_.begin(), remembered_.end(), object) == remembered_.end())
        remembered_.push_back(object);
}

CXObject* CMC_Canvas::clone()
{
    if (canvas_ == nullptr)
        return nullptr;
    auto* copy = new CMC_Canvas(getScene(), canvas_->clone());
    for (CMC_Object* object : remembered_)
        copy->remember(object);
    return copy;
}

void CMC_Canvas::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        CRefreshScreen* composer = screen();
        const bool placed = canvas_ != nullptr;
        *archive << static_cast<int32_t>(placed ? canvas_->Width() : 0) << static_cast<int32_t>(placed ? canvas_->Height() : 0)
                 << static_cast<int32_t>(placed && composer != nullptr ? composer->GetPriority(canvas_) : -1)
                 << (placed && canvas_->GetAlphaPtr() != nullptr) << (placed && canvas_->getBackground() != nullptr);
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    int32_t priority = 0;
    bool alpha = false;
    bool background = false;
    *archive >> &width >> &height >> &priority >> &alpha >> &background;
    if (archive->failed() || canvas_ != nullptr)
        return;
    makeCanvas(width, height, alpha, background, priority);
}

void CMC_Canvas::add(const CXString& name, int priority)
{
    CMC_ObjectsContainer* owner = getScene();
    CGraphicsObject* object = owner != nullptr && canvas_ != nullptr ? owner->getGraphicsObject(name) : nullptr;
    if (object == nullptr)
        return;
    canvas_->add(object, priority);
    if (!canvas_->holds(object))
        return;
    CMC_Object* shown = owner->getObject(name.c_str());
    if (shown != nullptr && (shown->getType() == kImageType || shown->getType() == kTextType))
        remember(shown);
}

void CMC_Canvas::capture(bool deleteRemembered)
{
    if (canvas_ != nullptr)
        canvas_->capture();
    const std::vector<CMC_Object*> remembered = std::exchange(remembered_, {});
    if (!deleteRemembered)
        return;
    for (CMC_Object* object : remembered) {
        CMC_ObjectsContainer* holder = object->getScene();
        // Only what a container holds is deleted, and only after the frame: the object may be
        // the one whose behaviour runs this.
        if (holder == nullptr || !holder->removeObject(object))
            continue;
        object->done(true);
        holder->deleteLater(object);
    }
}

void CMC_Canvas::setAsButton(bool enable, bool cursor)
{
    button().setButton(enable);
    button().setActiveCursor(cursor);
}
