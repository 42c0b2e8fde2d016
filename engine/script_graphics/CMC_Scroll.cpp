#include "script_graphics/CMC_Scroll.h"

#include "foundation/CXArchive.h"
#include "graphics/CGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>

namespace {

// Script numbers move by whatever they say, wrapping rather than overflowing.
int wrapped(int a, int b)
{
    return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int negated(int n)
{
    return static_cast<int>(0u - static_cast<uint32_t>(n));
}

} // namespace

CMC_Scroll::CMC_Scroll(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("temp"), kType)
{
    setScene(container);
}

CMC_Scroll::CMC_Scroll(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, kType)
    , viewport_(element->getPropertyRectValue("VIEWPORT"))
{
    initializeBehaviours(container, element);
}

CMC_Scroll::~CMC_Scroll()
{
    for (CGraphicsObject* graphics : objects_)
        graphics->removeInvalidateObserver(this);
}

const CMC_SignalList* CMC_Scroll::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONTOP", "ONBOTTOM", "ONLEFT", "ONRIGHT"};
    return &signals;
}

void CMC_Scroll::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << viewport_.left << viewport_.top << viewport_.right << viewport_.bottom;
        return;
    }
    CXRect viewport;
    *archive >> &viewport.left >> &viewport.top >> &viewport.right >> &viewport.bottom;
    if (!archive->failed())
        viewport_ = viewport;
}

void CMC_Scroll::add(CGraphicsObject* graphics)
{
    if (graphics == nullptr)
        return;
    fit(graphics);
    objects_.push_back(graphics);
    graphics->addInvalidateObserver(this);
}

void CMC_Scroll::remove(const CXString& name)
{
    CGraphicsObject* graphics = getScene() != nullptr ? getScene()->getGraphicsObject(name) : nullptr;
    if (graphics == nullptr)
        return;
    const auto found = std::find(objects_.begin(), objects_.end(), graphics);
    if (found != objects_.end()) {
        objects_.erase(found);
        if (std::find(objects_.begin(), objects_.end(), graphics) == objects_.end())
            graphics->removeInvalidateObserver(this);
    }
    graphics->SetClippingRect(CXRect());
}

void CMC_Scroll::scrollUp(int n)
{
    scroll(0, negated(n));
}

void CMC_Scroll::scrollDown(int n)
{
    scroll(0, n);
}

void CMC_Scroll::scrollLeft(int n)
{
    scroll(negated(n), 0);
}

void CMC_Scroll::scrollRight(int n)
{
    scroll(n, 0);
}

void CMC_Scroll::setViewport(CXRect viewport)
{
    viewport_ = viewport;
    invalidate();
}

void CMC_Scroll::moveViewport(int dx, int dy)
{
    viewport_ = CXRect(wrapped(viewport_.left, dx), wrapped(viewport_.top, dy), wrapped(viewport_.right, dx),
                       wrapped(viewport_.bottom, dy));
    invalidate();
}

void CMC_Scroll::onDestroy(CGraphicsObject* graphics)
{
    std::erase(objects_, graphics);
}

void CMC_Scroll::scroll(int dx, int dy)
{
    if (objects_.empty())
        return;
    for (CGraphicsObject* graphics : objects_) {
        graphics->SetClippingRect(CXRect());
        graphics->Move(dx, dy);
        fit(graphics);
    }
    if (getScene() != nullptr && getScene()->getWindow() != nullptr)
        ScriptGraphicsWindow::of(getScene()->getWindow())->Invalidate();
}

void CMC_Scroll::invalidate()
{
    for (CGraphicsObject* graphics : objects_)
        fit(graphics);
}

void CMC_Scroll::fit(CGraphicsObject* graphics)
{
    const CXRect inside = graphics->GetBoundingBox().Common(viewport_);
    if (inside.Width() <= 0 || inside.Height() <= 0) {
        if (graphics->isVisible())
            graphics->Visible(false);
        return;
    }
    graphics->SetClippingRect(inside - graphics->GetPosition());
    if (!graphics->isVisible())
        graphics->Visible(true);
}
