#include "graphics/CAnimo6.h"

#include "graphics/CFrame.h"
#include "media/CSound4.h"
#include "script/CMElement.h"

#include <algorithm>

CAnimo6::CAnimo6(GraphicsWindow* window)
    : CAnimo(window)
{
}

CAnimo6::CAnimo6(GraphicsWindow* window, const CXString& file)
    : CAnimo(window, file)
{
}

CAnimo6::CAnimo6(CAnimo& source)
    : CAnimo(source)
{
}

CAnimo6::CAnimo6(GraphicsWindow* window, CMElement* element)
    : CAnimo(window)
{
    if (element == nullptr)
        return;
    const bool releaseAfterUse = element->getPropertyBoolValue("RELEASEAFTERUSE");
    const CXString preload = element->getPropertyValue("PRELOAD");
    const CXString file = element->getPropertyValue("FILENAME");
    setFilename(file);
    if (file.IsString() && (!preload.IsString() || preload.toBool()))
        Load(file);
    if (!element->getPropertyBoolValue("VISIBLE"))
        hide();
    toRelease(releaseAfterUse);
}

CAnimo6* CAnimo6::clone()
{
    return new CAnimo6(*this);
}

void CAnimo6::redraw(CGraphicsObject* destination)
{
    if (const CFrame* image = drawCurrentImage(destination, imagePosition() + globalPosition()))
        sharePlanes(*image);
}

void CAnimo6::Redraw()
{
    if (GetDestiny() != nullptr)
        redraw(GetDestiny());
}

CXPoint CAnimo6::ClientCoords(CXPoint p)
{
    return p - globalPosition() - imagePosition();
}

CXRect CAnimo6::getRect()
{
    return getImageRect(Current());
}

CXRect CAnimo6::getImageRect(int image)
{
    CFrame* frame = GetFrame(image);
    return frame != nullptr ? frame->getRect() + globalPosition() : CXRect();
}

int CAnimo6::GetMaxWidth()
{
    int widest = 0;
    for (int i = 0; i < GetNOF(); ++i)
        widest = std::max(widest, GetFrame(i)->Width());
    return widest;
}

int CAnimo6::GetMaxHeight()
{
    int highest = 0;
    for (int i = 0; i < GetNOF(); ++i)
        highest = std::max(highest, GetFrame(i)->Height());
    return highest;
}

bool CAnimo6::isPlaying(const char* name)
{
    return IsPlaying() && name != nullptr && getCurrentEventName() == name;
}

bool CAnimo6::isAt(CXPoint p, bool useAlpha)
{
    CFrame* image = GetFrame(Current());
    if (image == nullptr)
        return false;
    const CXPoint at = GetPosition();
    if (!CXRect(at.x, at.y, at.x + image->Width(), at.y + image->Height()).IsInRect(p))
        return false;
    return !useAlpha || image->GetAlphaPtr() == nullptr || image->GetPixel(CHANNEL_ALPHA, p - at) != 0;
}

void CAnimo6::setVolume(int volume)
{
    forEachSound([volume](CSound4& sound) { sound.setVolume(volume); });
}

void CAnimo6::setPanning(int panning)
{
    forEachSound([panning](CSound4& sound) { sound.setPanning(panning); });
}

void CAnimo6::setFrequency(int frequency)
{
    forEachSound([frequency](CSound4& sound) { sound.setFrequency(frequency); });
}

void CAnimo6::FlipH()
{
    forEachImage([](CFrame& image) { image.FlipH(); });
}

void CAnimo6::FlipV()
{
    forEachImage([](CFrame& image) { image.FlipV(); });
}

void CAnimo6::resetFlips()
{
    forEachImage([](CFrame& image) { image.resetFlips(); });
}

void CAnimo6::pack(bool freeUnpacked)
{
    forEachImage([freeUnpacked](CFrame& image) { image.pack(freeUnpacked); });
}

void CAnimo6::unpack()
{
    forEachImage([](CFrame& image) { image.unpack(); });
}
