#pragma once

#include "graphics/CImage.h"

#include "RasterMaker.h"
#include "TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An IMG file written by the engine's own writer: a width × height picture of one colour word,
// with the alpha bytes given (none: no alpha plane). Its path.
inline std::string writePicture(const TempFolder& folder, const std::string& name, int width, int height,
                                uint16_t word, const std::vector<uint8_t>& alpha = {})
{
    auto raster = makeRaster(width, height, 16, std::vector<uint16_t>(static_cast<size_t>(width) * height, word), alpha);
    const std::string path = folder.file(name);
    raster->Save(CXString(path.c_str()), COMPRESSION_NONE);
    return path;
}

// The picture of that file, loaded for the window and placed at (x, y).
inline std::unique_ptr<CImage> loadPicture(CWindow* window, const std::string& path, int x, int y)
{
    auto picture = std::make_unique<CImage>(window, CXString(path.c_str()));
    picture->SetPosition(x, y);
    return picture;
}
