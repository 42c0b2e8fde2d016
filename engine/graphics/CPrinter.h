#pragma once

#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "platform/Printer.h"
#include "platform/RgbImage.h"

#include <memory>
#include <string>

class GraphicsWindow;

// Prints a rectangle of the window's picture on one landscape page: scaled smoothly to fit the
// page with its proportions kept, centred, white around it, as one job "DocPrint". The
// constructor does the whole job. Whatever stops it (an empty rectangle, no printer, a
// refused job, a folder that cannot be written) is one line on standard error, and nothing
// is printed.
class CPrinter {
public:
    // The picture is the window's client area, without its frame, freshly composed; the
    // rectangle is clipped to it. The page goes to the folder that the window's "printto"
    // option names, as a PNG file, else to the default printer.
    CPrinter(GraphicsWindow* window, CXRect r);
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    // Where a picture of that size goes on a page of that size: as large as fits with its
    // proportions kept, each side truncated, centred.
    static CXRect fitOnPage(CXSize picture, CXSize page);

private:
    void print(CXRect r);
    // The rectangle of the whole window drawn again at once, widened to 8 bits per channel.
    platform::RgbImage GetImageBitmap(CXRect r) const;

    GraphicsWindow* window_;
    std::unique_ptr<platform::Printer> printer_;
};
