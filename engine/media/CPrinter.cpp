#include "media/CPrinter.h"

#include "app/CWindow.h"
#include "foundation/CCommandLine6.h"
#include "graphics/CDirectDrawSurface.h"
#include "media/SmoothStretch.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kJobName = "DocPrint";

void reportNothingPrinted(const std::string& cause)
{
    std::fprintf(stderr, "Nothing printed: %s\n", cause.c_str());
}

// A channel of n bits widened to 8 by repeating its top bits below it, so that the
// darkest and the brightest value stay 0 and 255.
uint8_t widen(unsigned value, int bits)
{
    return static_cast<uint8_t>(value << (8 - bits) | value >> (2 * bits - 8));
}

// The back buffer: the client area as the composer draws it.
CGraphicsObject* clientImageOf(CWindow* window)
{
    CGraphicsObject* image = window != nullptr ? window->GetSurface() : nullptr;
    if (image == nullptr || image->GetDataPtr() == nullptr || (image->GetBpp() != 15 && image->GetBpp() != 16))
        return nullptr;
    return image;
}

std::string printFolderOf(CWindow* window)
{
    const CCommandLine6* commandLine = window->getCommandLineIfc();
    return commandLine != nullptr ? commandLine->getPrintTo().c_str() : "";
}

} // namespace

CPrinter::CPrinter(CWindow* window, CXRect r)
    : window_(window)
{
    CGraphicsObject* image = clientImageOf(window_);
    if (image == nullptr) {
        reportNothingPrinted("the window shows no 15- or 16-bit picture");
        return;
    }
    const CXRect area = r.Common(CXRect(0, 0, image->Width(), image->Height()));
    if (area.Width() <= 0 || area.Height() <= 0) {
        reportNothingPrinted("the area to print is empty");
        return;
    }
    std::string cause;
    printer_ = platform::openPrinter(printFolderOf(window_), cause);
    if (!printer_) {
        reportNothingPrinted(cause);
        return;
    }
    print(area);
}

CXRect CPrinter::fitOnPage(CXSize picture, CXSize page)
{
    // The aspects compare as cross products, so that equal proportions fill the page exactly
    // instead of falling a pixel short by rounding.
    const int64_t pictureAcross = static_cast<int64_t>(picture.width) * page.height;
    const int64_t pageAcross = static_cast<int64_t>(page.width) * picture.height;
    CXSize size;
    if (pictureAcross > pageAcross)
        size = CXSize(page.width, static_cast<int>(static_cast<int64_t>(page.width) * picture.height / picture.width));
    else
        size = CXSize(static_cast<int>(static_cast<int64_t>(page.height) * picture.width / picture.height), page.height);
    const int left = (page.width - size.width) / 2;
    const int top = (page.height - size.height) / 2;
    return CXRect(left, top, left + size.width, top + size.height);
}

void CPrinter::print(CXRect r)
{
    const platform::PageSize pageSize = printer_->pageSize();
    const CXRect place = fitOnPage(CXSize(r.Width(), r.Height()), CXSize(pageSize.width, pageSize.height));
    platform::RgbImage page(pageSize.width, pageSize.height, 255);
    stretchSmoothly(GetImageBitmap(r), page, place);
    std::string cause;
    if (!printer_->printPage(kJobName, page, cause))
        reportNothingPrinted(cause);
}

platform::RgbImage CPrinter::GetImageBitmap(CXRect r) const
{
    window_->Invalidate();
    window_->Redraw();
    CGraphicsObject* image = clientImageOf(window_);
    const bool sixBitGreen = image->GetBpp() == 16;
    const int redShift = sixBitGreen ? 11 : 10;
    const int greenBits = sixBitGreen ? 6 : 5;
    const auto* words = reinterpret_cast<const uint16_t*>(image->GetDataPtr());
    platform::RgbImage bitmap(r.Width(), r.Height(), 0);
    for (int y = 0; y < bitmap.height; ++y) {
        const uint16_t* in = words + static_cast<size_t>(r.top + y) * image->GetPitch() + r.left;
        uint8_t* out = bitmap.row(y);
        for (int x = 0; x < bitmap.width; ++x) {
            const unsigned word = in[x];
            *out++ = widen(word >> redShift & 0x1F, 5);
            *out++ = widen(word >> 5 & ((1u << greenBits) - 1), greenBits);
            *out++ = widen(word & 0x1F, 5);
        }
    }
    return bitmap;
}
