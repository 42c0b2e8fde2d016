#pragma once

#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "platform/Printer.h"
#include "platform/RgbImage.h"

#include <memory>
#include <string>

class CGraphicsObject;

// Prints a rectangle of the client image on one landscape page: scaled smoothly to fit the
// page with its proportions kept, centred, white around it, as one job "DocPrint". The
// constructor does the whole job. Whatever stops it (an empty rectangle, no printer, a
// refused job, a folder that cannot be written) is one line on standard error, and nothing
// is printed.
class CPrinter {
public:
    // `clientImage` is a 5-6-5 or 5-5-5 raster; the rectangle is clipped to it. `printTo`
    // names a folder that receives the page as a PNG file; empty prints on the default
    // printer.
    CPrinter(CGraphicsObject* clientImage, CXRect r, const std::string& printTo);
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    // Where a picture of that size goes on a page of that size: as large as fits with its
    // proportions kept, each side truncated, centred.
    static CXRect fitOnPage(CXSize picture, CXSize page);

private:
    void print(CXRect r);
    // The rectangle of the client image widened to 8 bits per channel.
    platform::RgbImage GetImageBitmap(CXRect r) const;

    CGraphicsObject* image_;
    std::unique_ptr<platform::Printer> printer_;
};
