#include "graphics/CImageFile.h"

#include "foundation/CPath.h"
#include "graphics/CAnimo.h"
#include "graphics/CImage.h"
#include "graphics/CPSD.h"
#include "graphics/CTarga.h"
#include "graphics/CXBitmap.h"

CImageFile::CImageFile(GraphicsWindow* window)
    : window_(window)
{
}

CXString CImageFile::extensionOf(const CXString& name)
{
    const CXString file = name.Right(CPath::findLastSeparator(name) + 1);
    const int dot = file.FindLast('.');
    CXString extension = dot < 0 ? CXString() : file.Right(dot + 1);
    return extension.Lower();
}

_filetype CImageFile::Load(const CXString& name)
{
    object_ = nullptr;
    const CXString extension = extensionOf(name);
    if (extension == "tga") {
        object_ = new CTarga(window_, name);
        return FILETYPE_TGA;
    }
    if (extension == "bmp") {
        object_ = new CXBitmap(window_, name);
        return FILETYPE_BMP;
    }
    if (extension == "img" || extension == "jpg") {
        object_ = new CImage(window_, name);
        return FILETYPE_IMG;
    }
    if (extension == "psd") {
        object_ = new CPSD(window_, name);
        return FILETYPE_PSD;
    }
    if (extension == "ann") {
        object_ = new CAnimo(window_, name);
        return FILETYPE_ANN;
    }
    return FILETYPE_NONE;
}

_filetype CImageFile::Save(CGraphicsObject* object, const CXString& name, _compression code)
{
    if (object == nullptr)
        return FILETYPE_NONE;
    const CXString extension = extensionOf(name);
    if (extension == "img") {
        CImage image(window_, object);
        return image.Save(name, code) == 0 ? FILETYPE_IMG : FILETYPE_NONE;
    }
    // Only an animation is written as one.
    auto* animation = dynamic_cast<CAnimo*>(object);
    if (extension == "ann" && animation != nullptr)
        return animation->Save(name, code) == 0 ? FILETYPE_ANN : FILETYPE_NONE;
    return FILETYPE_NONE;
}
