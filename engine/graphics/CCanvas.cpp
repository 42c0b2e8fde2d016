#include "graphics/CCanvas.h"

#include "graphics/CDirectDrawSurface.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>
#include <cstring>

int CCanvas::maxRegions = 10;

namespace {

// Sets the area's bytes of a plane of `width` cells of `cellSize` bytes to 0.
void clearArea(unsigned char* plane, int width, int cellSize, const CXRect& area)
{
    if (plane == nullptr)
        return;
    for (int y = area.top; y < area.bottom; ++y)
        std::memset(plane + (static_cast<size_t>(y) * width + area.left) * cellSize, 0,
                    static_cast<size_t>(area.Width()) * cellSize);
}

// A raster of that size and depth whose colour plane, and alpha plane when asked, are 0.
void clearPlanes(CGraphicsObject& raster, bool alpha)
{
    if (raster.GetDataPtr() != nullptr)
        std::memset(raster.GetDataPtr(), 0, static_cast<size_t>(raster.GetDataSize()));
    if (alpha) {
        const size_t bytes = static_cast<size_t>(raster.Width()) * raster.Height();
        raster.AlphaChannel(new char[bytes]());
    }
}

} // namespace

CCanvas::CCanvas(GraphicsWindow* window, CXSize size, int bpp, bool alpha, bool background)
    : CGraphicsObject(window, CXSize(std::max(size.width, 0), std::max(size.height, 0)), bpp)
{
    clearPlanes(*this, alpha);
    if (!background)
        return;
    background_ = new CGraphicsObject(window, Size(), bpp);
    clearPlanes(*background_, alpha);
    add(background_, -1);
}

CCanvas::~CCanvas()
{
    for (int i = 0; i < entries_.getCount(); ++i)
        release(entries_.entry(i)->getObject());
    entries_.removeAll();
    delete background_;
}

bool CCanvas::holds(CGraphicsObject* object) const
{
    for (int i = 0; i < entries_.getCount(); ++i) {
        CGraphicsObject* entry = entries_.entry(i)->getObject();
        if (entry == object || entry->drawsFrom(object))
            return true;
    }
    return false;
}

void CCanvas::add(CGraphicsObject* object, int priority)
{
    if (object == nullptr || object == this || entries_.find(object) != nullptr)
        return;
    // A canvas drawn inside itself would redraw for ever; the screen draws every canvas.
    if (object->drawsFrom(this) || dynamic_cast<CRefreshScreen*>(object) != nullptr)
        return;
    entries_.add(object, priority, 0);
    object->addInvalidateObserver(this);
    object->SetDestiny(this);
    object->SetAutoClip(true);
    object->Invalidate();
}

void CCanvas::remove(CGraphicsObject* object)
{
    if (entries_.find(object) == nullptr)
        return;
    release(object);
    entries_.remove(object);
}

void CCanvas::release(CGraphicsObject* object)
{
    object->removeInvalidateObserver(this);
    if (object->GetDestiny() == this)
        object->SetDestiny(window_ != nullptr ? window_->GetSurface() : nullptr);
}

void CCanvas::removeAll()
{
    for (int i = 0; i < entries_.getCount(); ++i)
        release(entries_.entry(i)->getObject());
    entries_.removeAll();
    if (background_ != nullptr)
        add(background_, -1);
}

CXRect CCanvas::clippedArea()
{
    const CXRect whole(0, 0, Width(), Height());
    const CXRect clip = GetClippingRect();
    return clip.IsEmpty() ? whole : clip.Common(whole);
}

void CCanvas::clear(bool alsoBackground)
{
    const CXRect area = clippedArea();
    if (area.Width() <= 0 || area.Height() <= 0 || isPacked())
        return;
    clearArea(reinterpret_cast<unsigned char*>(GetDataPtr()), Width(), GetPixelSize(), area);
    clearArea(GetAlphaPtr(), Width(), 1, area);
    if (alsoBackground && background_ != nullptr && !background_->isPacked()) {
        clearArea(reinterpret_cast<unsigned char*>(background_->GetDataPtr()), Width(), background_->GetPixelSize(), area);
        clearArea(background_->GetAlphaPtr(), Width(), 1, area);
    }
}

void CCanvas::capture()
{
    if (background_ == nullptr)
        return;
    // Drawn by its alpha, the composition of the objects alone goes over the background's
    // picture. An opaque canvas covers the background whole: its composition must hold the
    // background's picture too.
    if (GetAlphaPtr() != nullptr)
        remove(background_);
    CGraphicsObject* destination = GetDestiny();
    const CXPoint position = GetPosition();
    const unsigned char opacity = GetOpacity();
    const CXRect clip = GetClippingRect();
    SetDestiny(background_);
    placeAt(CXPoint());
    SetOpacity(255);
    Redraw();
    SetClippingRect(clip);
    SetOpacity(opacity);
    placeAt(position);
    SetDestiny(destination);
    removeAll();
}

void CCanvas::erase(CGraphicsObject* eraser, int x, int y)
{
    if (eraser == nullptr || background_ == nullptr)
        return;
    // Pictures kept packed are unpacked for the while, as for drawing.
    const bool unpacked = eraser->GetCompression() == COMPRESSION_RLE;
    if (unpacked)
        eraser->DeCompressRLE2();
    if (!eraser->isPacked())
        eraseUnpacked(eraser, x, y);
    if (unpacked)
        eraser->bringBackCompressed();
}

void CCanvas::eraseUnpacked(CGraphicsObject* eraser, int x, int y)
{
    const unsigned char* mask = eraser->GetAlphaPtr();
    unsigned char* planes[] = {GetAlphaPtr(), background_->GetAlphaPtr()};
    if (mask == nullptr || planes[0] == nullptr || planes[1] == nullptr || isPacked() || background_->isPacked())
        return;
    const int maskWidth = eraser->Width();
    // An eraser partly outside stays aligned: its pixel (i, j) meets the canvas's (x + i, y + j).
    const CXRect area = CXRect(x, y, x + maskWidth, y + eraser->Height()).Common(CXRect(0, 0, Width(), Height()));
    if (area.Width() <= 0 || area.Height() <= 0)
        return;
    for (unsigned char* plane : planes)
        for (int row = area.top; row < area.bottom; ++row) {
            const unsigned char* taken = mask + static_cast<size_t>(row - y) * maskWidth + (area.left - x);
            unsigned char* kept = plane + static_cast<size_t>(row) * Width() + area.left;
            for (int i = 0; i < area.Width(); ++i)
                kept[i] = kept[i] > taken[i] ? static_cast<unsigned char>(kept[i] - taken[i]) : 0;
        }
    tellScreen(area + GetPosition());
}

void CCanvas::draw(CGraphicsObject* object, int x, int y)
{
    if (object == nullptr || background_ == nullptr || object == this || object == background_)
        return;
    const CXPoint position = object->GetPosition();
    const CXPoint anchor = object->getAnchor();
    const CXRect clip = object->GetClippingRect();
    CGraphicsObject* destination = object->GetDestiny();
    object->SetAutoClip(true);
    object->SetClippingRect(CXRect());
    object->SetPosition(x, y);
    object->SetDestiny(background_);
    object->Redraw();
    object->SetPosition(position.x + anchor.x, position.y + anchor.y);
    object->SetClippingRect(clip);
    object->SetDestiny(destination);
    const CXPoint at = GetPosition() + CXPoint(x, y);
    tellScreen(CXRect(at.x, at.y, at.x + object->Width(), at.y + object->Height()));
}

void CCanvas::tellScreen(CXRect rect)
{
    if (CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr)
        screen->Invalidate(&rect);
}

void CCanvas::Redraw()
{
    clear(false);
    const CXRect clip = GetClippingRect();
    for (int i = 0; i < entries_.getCount(); ++i) {
        CGraphicsObject* object = entries_.entry(i)->getObject();
        if (!object->isVisible())
            continue;
        const CXRect saved = object->GetClippingRect();
        if (!clip.IsEmpty()) {
            const CXRect common = object->GetBoundingBox().Common(clip);
            if (common.Width() == 0 || common.Height() == 0)
                continue;
            object->SetClippingRect(common - object->GetPosition());
        }
        object->SetDestiny(this);
        object->Redraw();
        object->SetClippingRect(saved);
    }
    CGraphicsObject::Redraw();
    invalidations_ = 0;
}

CCanvas* CCanvas::clone()
{
    const bool alpha = background_ != nullptr && background_->GetAlphaPtr() != nullptr;
    auto* copy = new CCanvas(window_, Size(), bpp_, alpha, background_ != nullptr);
    for (int i = 0; i < entries_.getCount(); ++i) {
        CValidationElement* entry = entries_.entry(i);
        if (entry->getObject() != background_)
            copy->add(entry->getObject(), entry->getPriority());
    }
    CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    if (screen != nullptr && screen->GetPriority(this) >= 0)
        screen->put(copy, screen->GetPriority(this));
    return copy;
}

void CCanvas::onInvalidate(CGraphicsObject*, CXRect* rect)
{
    ++invalidations_;
    if (invalidations_ < maxRegions) {
        if (rect != nullptr)
            tellScreen(*rect + GetPosition());
    } else if (!isMarkedInvalidated()) {
        Invalidate();
    }
}

void CCanvas::onDestroy(CGraphicsObject* object)
{
    remove(object);
}
