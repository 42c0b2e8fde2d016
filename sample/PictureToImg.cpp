// Turns a picture that the engine reads (TGA, BMP, PSD, JPEG or IMG) into an IMG file of
// 16-bit 5-6-5 pixels packed by runs, through the engine's own reader and writer, placed at the
// screen position given (0, 0 by default). The sample application's pictures are made with it
// when the project is built.
// Usage: PictureToImg <picture> <img file> [x y]
#include "graphics/CGraphicsObject.h"
#include "graphics/CImageFile.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 5) {
        std::fputs("usage: PictureToImg <picture> <img file> [x y]\n", stderr);
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
    if (argc == 5)
        picture->SetPosition(std::atoi(argv[3]), std::atoi(argv[4]));
    if (file.Save(picture.get(), CXString(argv[2]), COMPRESSION_RLE) != FILETYPE_IMG) {
        std::fprintf(stderr, "PictureToImg: \"%s\" cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
