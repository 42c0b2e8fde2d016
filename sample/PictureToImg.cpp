// Turns a picture that the engine reads (TGA, BMP, PSD, JPEG or IMG) into an IMG file of
// 16-bit 5-6-5 pixels packed by runs, through the engine's own reader and writer. The sample
// application's backgrounds are made with it when the project is built.
// Usage: PictureToImg <picture> <img file>
#include "graphics/CGraphicsObject.h"
#include "graphics/CImageFile.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: PictureToImg <picture> <img file>\n", stderr);
        return 2;
    }
    CImageFile file(nullptr);
    file.Load(CXString(argv[1]));
    const std::unique_ptr<CGraphicsObject> picture(file.getObject());
    if (picture == nullptr || picture->LastError() != 0 || picture->GetDataPtr() == nullptr) {
        std::fprintf(stderr, "PictureToImg: \"%s\" cannot be read\n", argv[1]);
        return 1;
    }
    picture->unpack();
    picture->Convert(16);
    if (file.Save(picture.get(), CXString(argv[2]), COMPRESSION_RLE) != FILETYPE_IMG) {
        std::fprintf(stderr, "PictureToImg: \"%s\" cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
