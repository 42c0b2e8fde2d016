#include "graphics/CPrinter.h"

#include "foundation/CCommandLine6.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/SmoothStretch.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kJobName = "DocPrint";

void reportNothingPrinted(const std::string& cause)
{
    std::fprintf(stderr, "Nothing printed: %s\n", cause.c_str());
}

// The back buffer: the client area as the composer draws it.
CGraphicsObject* clientImageOf(GraphicsWindow* window)
{
    CGraphicsObject* image = window != nullptr ? window->GetSurface() : nullptr;
    if (image == nullptr || image->GetDataPtr() == nullptr || (image->GetBpp() != 15 && image->GetBpp() != 16))
        return nullptr;
    return image;
}

std::string printFolderOf(GraphicsWindow* window)
{
    const CCommandLine6* commandLine = window->getCommandLineIfc();
    return commandLine != nullptr ? commandLine->getPrintTo().c_str() : "";
}

} // namespace

CPrinter::CPrinter(GraphicsWindow* window, CXRect r)
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
    const platform::PixelView pixels{reinterpret_cast<const uint16_t*>(image->GetDataPtr()), image->Width(),
                                     image->Height(), image->GetPitch() * 2};
    return platform::widenPixels(pixels, platform::Rect{r.left, r.top, r.right, r.bottom}, image->GetBpp());
}
