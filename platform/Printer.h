#pragma once

#include "platform/RgbImage.h"

#include <memory>
#include <string>

namespace platform {

// The printable area of a landscape page, in device pixels.
struct PageSize {
    int width = 0;
    int height = 0;
    int dotsPerInch = 0;
};

// Where printed pages go. There is no print dialog: the destination stands for the user's
// choice.
class Printer {
public:
    virtual ~Printer() = default;

    virtual PageSize pageSize() const = 0;
    // Hands over a job of that name holding one page, a picture of exactly pageSize() that
    // prints unscaled in landscape. Returns as soon as the job is handed over; false, with
    // the cause, when no job was made.
    virtual bool printPage(const std::string& jobName, const RgbImage& page, std::string& cause) = 0;
};

// A folder of PNG pages when `folder` is not empty, else the default CUPS destination (the
// user's, else the server's). Null, with the cause, when there is none to print on.
std::unique_ptr<Printer> openPrinter(const std::string& folder, std::string& cause);

} // namespace platform
