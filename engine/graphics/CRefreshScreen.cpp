#include "graphics/CRefreshScreen.h"

#include "graphics/CCanvasObserver.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CDrawListIndex.h"
#include "graphics/CImageFile.h"
#include "graphics/CRefreshRegion.h"
#include "graphics/GraphicsUnit.h"
#include "graphics/GraphicsWindow.h"

#include <cstring>

CValidationElement::CValidationElement(CGraphicsObject* object, int priority)
    : object_(object)
    , priority_(priority)
{
}

int CValidationElement::compare(CXObject* other)
{
    return static_cast<CValidationElement*>(other)->priority_ < priority_ ? 1 : 0;
}

CValidationQuene::CValidationQuene()
    : CSortedVector(101)
{
}

CValidationQuene::~CValidationQuene()
{
    removeAll();
}

CValidationElement* CValidationQuene::add(CGraphicsObject* object, int priority, int)
{
    auto* element = new CValidationElement(object, priority);
    CSortedVector::add(element);
    return element;
}

CValidationElement* CValidationQuene::find(CGraphicsObject* object) const
{
    const int i = getIndex(object);
    return i < 0 ? nullptr : entry(i);
}

int CValidationQuene::getIndex(CGraphicsObject* object) const
{
    for (int i = 0; i < getCount(); ++i)
        if (entry(i)->getObject() == object)
            return i;
    return -1;
}

void CValidationQuene::remove(CGraphicsObject* object)
{
    const int i = getIndex(object);
    if (i < 0)
        return;
    delete entry(i);
    removeAt(i);
}

void CValidationQuene::removeAll()
{
    for (int i = 0; i < getCount(); ++i)
        delete entry(i);
    CSortedVector::removeAll();
}

void CValidationQuene::clearMarks()
{
    for (int i = 0; i < getCount(); ++i)
        entry(i)->setMark(false);
}

// The background behind every object: a surface that scrolls with its position. A background
// both wider and higher than the screen shows the window at its position; one as high as the
// screen wraps sideways, one as wide as the screen wraps up and down.
class CRefreshScreen::CBackgroundManager : public CXObject {
public:
    enum ScrollMode { Plain = 0, WrapsSideways = 1, WrapsUpAndDown = 2, Larger = 3 };

    CBackgroundManager(GraphicsWindow* window, CRefreshScreen* screen)
        : window_(window)
        , screen_(screen)
    {
    }
    ~CBackgroundManager() override { delete surface_; }
    CBackgroundManager(const CBackgroundManager&) = delete;
    CBackgroundManager& operator=(const CBackgroundManager&) = delete;

    void SetBackground(CColor* colour)
    {
        replaceSurface(newSurface(CXSize(screen_->Width(), screen_->Height()), false));
        CColor dark(7, 7, 7);
        surface_->Fill(colour != nullptr ? colour : &dark);
        mode_ = Plain;
    }

    void SetBackground(CGraphicsObject* picture)
    {
        replaceSurface(picture != nullptr ? newSurface(picture->Size(), true) : nullptr);
        if (surface_ == nullptr)
            return;
        // A picture with transparent parts shows black there rather than stale memory.
        if (char* pixels = surface_->GetDataPtr())
            std::memset(pixels, 0, static_cast<size_t>(surface_->GetDataSize()));
        // The picture is drawn once; it goes on drawing where it drew before.
        CGraphicsObject* destination = picture->GetDestiny();
        picture->SetDestiny(surface_);
        picture->Redraw();
        picture->SetDestiny(destination);
        surface_->applyToRestore(picture);
        mode_ = Plain;
        checkScrollMode();
    }

    void setBackground(CDirectDrawSurface* surface)
    {
        replaceSurface(surface);
        mode_ = Plain;
        checkScrollMode();
    }

    CDirectDrawSurface* getSurface() const { return surface_; }

    void Redraw(CDirectDrawSurface* back, CRefreshRegion* region)
    {
        if (surface_ == nullptr || surface_->Width() <= 0 || surface_->Height() <= 0)
            return;
        const int width = surface_->Width();
        const int height = surface_->Height();
        const CXPoint position = surface_->GetPosition();
        const CXPoint offset(nonNegativeRemainder(position.x, width), nonNegativeRemainder(position.y, height));
        surface_->SetPosition(offset);
        if (mode_ == Plain && offset.x != 0)
            mode_ = WrapsSideways;
        else if (mode_ == Plain && offset.y != 0)
            mode_ = WrapsUpAndDown;
        const CXRect screen(0, 0, screen_->Width(), screen_->Height());
        for (int i = 0; i < region->getCount(); ++i) {
            const CXRect* stored = region->rectAt(i);
            const CXRect entry = stored != nullptr ? *stored : screen;
            if (mode_ == WrapsSideways) {
                // Screen columns from here on show the background's start again.
                const int seam = width - offset.x;
                copyPart(back, entry.Common(CXRect(entry.left, entry.top, seam, entry.bottom)), offset);
                copyPart(back, entry.Common(CXRect(seam, entry.top, entry.right, entry.bottom)),
                         CXPoint(offset.x - width, offset.y));
            } else if (mode_ == WrapsUpAndDown) {
                const int seam = height - offset.y;
                copyPart(back, entry.Common(CXRect(entry.left, entry.top, entry.right, seam)), offset);
                copyPart(back, entry.Common(CXRect(entry.left, seam, entry.right, entry.bottom)),
                         CXPoint(offset.x, offset.y - height));
            } else {
                copyPart(back, entry, offset);
            }
        }
    }

private:
    static int nonNegativeRemainder(int value, int size)
    {
        const int remainder = value % size;
        return remainder < 0 ? remainder + size : remainder;
    }

    CDirectDrawSurface* newSurface(CXSize size, bool videoMemory)
    {
        return new CDirectDrawSurface(window_, size, screen_->GetBpp(), videoMemory);
    }

    void replaceSurface(CDirectDrawSurface* surface)
    {
        if (surface == surface_)
            return;
        delete surface_;
        surface_ = surface;
    }

    void checkScrollMode()
    {
        const int width = surface_->Width();
        const int height = surface_->Height();
        if (width > screen_->Width() && height > screen_->Height())
            mode_ = Larger;
        else if (height == screen_->Height())
            mode_ = WrapsSideways;
        else if (width == screen_->Width())
            mode_ = WrapsUpAndDown;
    }

    // Copies the screen rectangle from the background point it shows (the rectangle moved by
    // offset), only as far as the background reaches.
    void copyPart(CDirectDrawSurface* back, const CXRect& part, CXPoint offset)
    {
        if (part.Width() <= 0 || part.Height() <= 0)
            return;
        const CXRect wanted = part + offset;
        CXRect source = wanted.Common(CXRect(0, 0, surface_->Width(), surface_->Height()));
        if (source.Width() <= 0 || source.Height() <= 0)
            return;
        back->Blt(surface_, part.left + source.left - wanted.left, part.top + source.top - wanted.top, &source);
    }

    CDirectDrawSurface* surface_ = nullptr;
    GraphicsWindow* window_;
    CRefreshScreen* screen_;
    ScrollMode mode_ = Larger;
};

namespace {

// The screen's size and depth: the window's, or 800 x 600 at 16 bits without one.
CXSize screenSizeOf(GraphicsWindow* window)
{
    return window != nullptr ? window->GetScreenSize() : CXSize(800, 600);
}

int screenBppOf(GraphicsWindow* window)
{
    const int bpp = window != nullptr ? window->GetBpp() : 0;
    return bpp != 0 ? bpp : 16;
}

} // namespace

CRefreshScreen::CRefreshScreen(GraphicsWindow* window)
    : CGraphicsObject(window, screenSizeOf(window), screenBppOf(window), nullptr)
    , region_(new CRefreshRegion(true))
    , background_(new CBackgroundManager(window, this))
    , queue_(new CValidationQuene)
    , index_(new CDrawListIndex(screenSizeOf(window)))
{
}

CRefreshScreen::~CRefreshScreen()
{
    // Objects still listed outlive the screen: they must not report to it any more.
    for (int i = 0; i < queue_->getCount(); ++i)
        if (CGraphicsObject* object = queue_->entry(i)->getObject(); object->GetCanvas() == this)
            object->SetCanvas(nullptr);
    delete background_;
    delete region_;
    delete queue_;
    delete index_;
    delete canvasObservers_;
    delete backgroundPicture_;
}

bool CRefreshScreen::hasFrameWork() const
{
    if (region_->getCount() > 0 || (canvasObservers_ != nullptr && canvasObservers_->getCount() > 0))
        return true;
    GraphicsUnit* unit = GraphicsUnit::getDefault();
    return unit != nullptr && !unit->wasInitiallyUpdated();
}

bool CRefreshScreen::Redraw(CDirectDrawSurface* back, CSurface*, bool* initialUpdateDone)
{
    if (composing_)
        return false;
    composing_ = true;
    const bool drawn = compose(back, initialUpdateDone);
    composing_ = false;
    return drawn;
}

bool CRefreshScreen::compose(CDirectDrawSurface* back, bool* initialUpdateDone)
{
    if (GraphicsUnit* unit = GraphicsUnit::getDefault()) {
        if (!unit->wasInitiallyUpdated()) {
            if (notifyEnabled_)
                notify(0);
            unit->onInitialUpdate();
            if (window_ != nullptr)
                window_->Invalidate();
            if (initialUpdateDone != nullptr)
                *initialUpdateDone = true;
        } else {
            unit->onCanvasRefreshed();
        }
        if (!unit->wasInitiallyUpdated())
            return false;
    }
    return drawPass(back);
}

bool CRefreshScreen::drawPass(CDirectDrawSurface* back)
{
    const bool hadDirty = region_->getCount() > 0;
    const bool whole = region_->isWholeScreen();
    ++frameCounter_;
    lastBack_ = back;
    if (back == nullptr)
        return hadDirty;
    background_->Redraw(back, region_);
    if (queue_->getCount() > 0 && notifyEnabled_)
        notify(1);
    // The whole screen shows every entry; a part of it only those that the index finds.
    index_->startPass(*region_, whole);
    if (whole) {
        for (int i = 0; i < queue_->getCount(); ++i)
            visit(queue_->entry(i), back, whole);
    } else {
        while (CValidationElement* element = index_->nextVisit())
            visit(element, back, whole);
    }
    if (queue_->getCount() > 0 && notifyEnabled_)
        notify(2);
    // The marks live within the pass: only the entries it visited can hold one.
    if (whole)
        queue_->clearMarks();
    index_->endPass();
    if ((screenFlags_ & kGreyFlag) != 0)
        back->ToGrayScale();
    return hadDirty;
}

void CRefreshScreen::visit(CValidationElement* element, CDirectDrawSurface* back, bool whole)
{
    CGraphicsObject* object = element->getObject();
    // isInvalidated clears the flag: a hidden object keeps its pending redraw.
    if (object->isVisible() && object->isInvalidated())
        drawInvalidated(object, back);
    else if (drawInDirtyRects(object, back, whole))
        element->setMark(true);
}

void CRefreshScreen::drawInvalidated(CGraphicsObject* object, CDirectDrawSurface* back)
{
    const CXRect r = object->GetBoundingBox().Common(screenRect());
    if (r.Width() == 0 || r.Height() == 0)
        return;
    const CXRect saved = object->GetClippingRect();
    object->SetClippingRect(r - object->GetPosition());
    object->SetDestiny(back);
    object->Redraw();
    object->SetClippingRect(saved);
}

bool CRefreshScreen::drawInDirtyRects(CGraphicsObject* object, CDirectDrawSurface* back, bool whole)
{
    if (!object->isVisible())
        return false;
    // Drawing changes neither the object's place nor, once its clipping is put back, its box.
    const CXRect box = object->GetBoundingBox();
    for (int k = 0; k < region_->getCount(); ++k) {
        const CXRect* dirty = region_->rectAt(k);
        // Most dirty rectangles lie beside the object: they are passed over without a cut.
        if (!whole && dirty != nullptr
            && (dirty->right <= box.left || box.right <= dirty->left || dirty->bottom <= box.top || box.bottom <= dirty->top))
            continue;
        const CXRect r = dirty == nullptr ? box : dirty->Common(box);
        if (!whole && (r.Width() == 0 || r.Height() == 0))
            continue;
        const CXRect saved = object->GetClippingRect();
        object->SetDestiny(back);
        if (saved.Width() == 0 || saved.Height() == 0)
            object->SetClippingRect(r - object->GetPosition());
        object->Redraw();
        object->SetClippingRect(saved);
        // Drawn whole: further dirty rectangles need not draw it again.
        if (r.Width() == object->Width() && r.Height() == object->Height())
            return true;
    }
    return false;
}

void CRefreshScreen::put(CGraphicsObject* object, int priority)
{
    if (object == nullptr || object == this || queue_->find(object) != nullptr)
        return;
    // A screen that lists the object too hears no more of its changes.
    if (CRefreshScreen* other = object->GetCanvas(); other != nullptr && other != this)
        other->index_->untracked(object);
    object->SetCanvas(this);
    index_->add(queue_->add(object, priority, 0));
    Invalidate(object);
}

CRefreshScreen& CRefreshScreen::operator<<(CGraphicsObject* object)
{
    put(object, 0);
    return *this;
}

CRefreshScreen& CRefreshScreen::operator>>(CGraphicsObject* object)
{
    if (object != nullptr) {
        queue_->remove(object);
        index_->remove(object);
    }
    return *this;
}

void CRefreshScreen::SetPriority(CGraphicsObject* object, int priority)
{
    if (queue_->find(object) == nullptr)
        return;
    queue_->remove(object);
    index_->add(queue_->add(object, priority, 0));
}

int CRefreshScreen::GetPriority(CGraphicsObject* object)
{
    CValidationElement* element = queue_->find(object);
    return element == nullptr ? -1 : element->getPriority();
}

int CRefreshScreen::getIndex(CGraphicsObject* object)
{
    return queue_->getIndex(object);
}

int CRefreshScreen::GetFlags(CGraphicsObject* object)
{
    CValidationElement* element = queue_->find(object);
    return element == nullptr ? 0 : element->getFlags();
}

bool CRefreshScreen::SetFlags(CGraphicsObject* object, int flags)
{
    if (object == nullptr) {
        screenFlags_ = flags;
        return true;
    }
    CValidationElement* element = queue_->find(object);
    if (element == nullptr)
        return false;
    element->setFlags(flags);
    return true;
}

void CRefreshScreen::Visible(bool visible)
{
    for (int i = 0; i < queue_->getCount(); ++i)
        queue_->entry(i)->getObject()->Visible(visible);
}

void CRefreshScreen::Empty()
{
    queue_->removeAll();
    index_->removeAll();
}

void CRefreshScreen::Invalidate(CGraphicsObject* object)
{
    if (object != nullptr && object->isVisible() && queue_->find(object) != nullptr) {
        CXRect box = object->GetBoundingBox();
        Invalidate(&box);
    }
}

void CRefreshScreen::objectChanged(CGraphicsObject* object)
{
    index_->changed(object);
}

void CRefreshScreen::Invalidate(CXRect* rect)
{
    const CXRect common = rect == nullptr ? screenRect() : rect->Common(screenRect());
    if (rect != nullptr && (common.Width() == 0 || common.Height() == 0))
        return;
    region_->add(&common);
    // A rectangle made dirty while a pass draws reaches the objects that it has yet to draw.
    index_->dirtied(region_->isWholeScreen() ? nullptr : &common);
}

void CRefreshScreen::validate()
{
    region_->removeAll();
}

CGraphicsObject* CRefreshScreen::getGraphicsAt(int x, int y, bool onlyVisible, int minPriority, int maxPriority,
                                               bool ignoreAlpha)
{
    CGraphicsObject* best = nullptr;
    int bestPriority = -1;
    for (int i = 0; i < queue_->getCount(); ++i) {
        const CValidationElement* element = queue_->entry(i);
        const int priority = element->getPriority();
        CGraphicsObject* object = element->getObject();
        if ((minPriority >= 0 && priority < minPriority) || (maxPriority >= 0 && priority > maxPriority))
            continue;
        if (onlyVisible && !object->isVisible())
            continue;
        if (!object->GetBoundingBox().IsInRect(x, y))
            continue;
        const bool hit = ignoreAlpha || object->GetAlphaPtr() == nullptr ||
                         object->GetPixel(CHANNEL_ALPHA, object->ClientCoords(CXPoint(x, y))) != 0;
        if (hit && priority >= bestPriority) {
            best = object;
            bestPriority = priority;
        }
    }
    return best;
}

void CRefreshScreen::SetBackground(CGraphicsObject* picture)
{
    background_->SetBackground(picture);
}

void CRefreshScreen::SetBackground(CColor* colour)
{
    background_->SetBackground(colour);
}

void CRefreshScreen::setBackground(CDirectDrawSurface* surface)
{
    background_->setBackground(surface);
}

void CRefreshScreen::SetBackground(const CXString& fileName)
{
    CImageFile file(window_);
    file.Load(fileName);
    flush();
    backgroundPicture_ = file.getObject();
    if (backgroundPicture_ != nullptr && backgroundPicture_->LastError() == 0)
        background_->SetBackground(backgroundPicture_);
}

void CRefreshScreen::flush()
{
    delete backgroundPicture_;
    backgroundPicture_ = nullptr;
}

CGraphicsObject* CRefreshScreen::getBackgroundIfc()
{
    return background_->getSurface();
}

int CRefreshScreen::Save(const CXString& fileName, _compression compression)
{
    return lastBack_ != nullptr ? lastBack_->Save(fileName, compression) : 0;
}

void CRefreshScreen::addNotifier(CCanvasObserver* observer)
{
    if (canvasObservers_ == nullptr)
        canvasObservers_ = new CXArray(101, 0.75f);
    canvasObservers_->add(observer);
}

void CRefreshScreen::removeNotifier(CCanvasObserver* observer)
{
    if (canvasObservers_ != nullptr)
        canvasObservers_->remove(observer);
}

void CRefreshScreen::notify(int code)
{
    if (canvasObservers_ == nullptr)
        return;
    // An observer may take itself off the list while it is told.
    CXArray observers(*canvasObservers_);
    for (int i = 0; i < observers.getCount(); ++i) {
        auto* observer = static_cast<CCanvasObserver*>(observers.at(i));
        switch (code) {
        case 0: observer->onInitialUpdate(); break;
        case 1: observer->onUpdate(); break;
        case 2: observer->onUpdated(); break;
        case 3: observer->onFocusOn(); break;
        case 4: observer->onFocusOff(); break;
        default: return;
        }
    }
}

void CRefreshScreen::onFocusOn()
{
    if (notifyEnabled_)
        notify(3);
}

void CRefreshScreen::onFocusOff()
{
    if (notifyEnabled_)
        notify(4);
}
