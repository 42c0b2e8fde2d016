#include "sample/PictureOfPixels.h"

#include "graphics/CGraphicsObject.h"

#include <cstring>

std::unique_ptr<CGraphicsObject> pictureOfPixels(int width, int height, const std::vector<uint16_t>& colour,
                                                 const std::vector<uint8_t>& alpha)
{
    auto picture = std::make_unique<CGraphicsObject>(nullptr, CXSize(width, height), 16);
    std::memcpy(picture->GetDataPtr(), colour.data(), colour.size() * sizeof(uint16_t));
    if (!alpha.empty()) {
        // The picture takes the plane over.
        char* plane = new char[alpha.size()];
        std::memcpy(plane, alpha.data(), alpha.size());
        picture->AlphaChannel(plane);
    }
    return picture;
}
