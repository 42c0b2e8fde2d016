#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/CGraphicsObject.h"

class GraphicsWindow;

// What CImageFile read or wrote; 0 for nothing.
enum _filetype {
    FILETYPE_NONE = 0,
    FILETYPE_IMG = 1,
    FILETYPE_TGA = 2,
    FILETYPE_BMP = 3,
    FILETYPE_PSD = 4,
    FILETYPE_ANN = 5,
};

// Loads and saves pictures by the extension of their file name, ignoring its case.
class CImageFile : public CXObject {
public:
    explicit CImageFile(GraphicsWindow* window);

    // Makes the object of the extension's class, which reads the file: tga, bmp, img or jpg,
    // psd, ann (an animation). Any other extension makes nothing and gives FILETYPE_NONE.
    _filetype Load(const CXString& name);
    // "img" is written as an image sharing the object's planes, "ann" as the animation the
    // object must be; FILETYPE_NONE for any other extension or object, or when the file could
    // not be written.
    _filetype Save(CGraphicsObject* object, const CXString& name, _compression code);

    // The object made by the last Load, the caller's to delete; null when it made none.
    CGraphicsObject* getObject() const { return object_; }

    // The text after the file name's last dot, lower-cased; "" without one.
    static CXString extensionOf(const CXString& name);

private:
    GraphicsWindow* window_;
    CGraphicsObject* object_ = nullptr;
};
