#include "platform/CupsPrinter.h"

#include "platform/PngWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cups/cups.h>

namespace platform {

namespace {

constexpr int kDefaultDotsPerInch = 300;
constexpr int kHundredthsOfMmPerInch = 2540;
// Letter without margins, for a destination that names no default medium.
constexpr int kLetterWidth = 21590;
constexpr int kLetterLength = 27940;

std::string lastCupsError()
{
    const char* text = cupsLastErrorString();
    return text != nullptr && *text != '\0' ? text : "unknown error";
}

// What went wrong with a destination, with the server's reason.
std::string destinationCause(const cups_dest_t* dest, const char* what)
{
    return std::string("printer \"") + dest->name + "\" " + what + " (" + lastCupsError() + ")";
}

// Why no default destination came back: either nothing answers at the server's address, or
// the server has no default.
std::string missingDestinationCause()
{
    const std::string lookup = lastCupsError();
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (http == nullptr)
        return std::string("no print server answers at ") + cupsServer() + " (" + std::strerror(errno) + ")";
    httpClose(http);
    return "no default printer (" + lookup + ")";
}

int defaultDotsPerInch(cups_dest_t* dest, cups_dinfo_t* info)
{
    ipp_attribute_t* attribute = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (attribute == nullptr)
        return kDefaultDotsPerInch;
    int vertical = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int horizontal = ippGetResolution(attribute, 0, &vertical, &units);
    // Pictures are made of square pixels: the coarser direction sets their size.
    double perUnit = std::min(horizontal, vertical);
    if (units == IPP_RES_PER_CM)
        perUnit *= 2.54;
    const int dotsPerInch = static_cast<int>(std::lround(perUnit));
    return dotsPerInch > 0 ? dotsPerInch : kDefaultDotsPerInch;
}

class CupsPrinter : public Printer {
public:
    CupsPrinter(cups_dest_t* dest, cups_dinfo_t* info)
        : dest_(dest)
        , info_(info)
    {
        cups_size_t medium{};
        if (!cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest_, info_, CUPS_MEDIA_FLAGS_DEFAULT, &medium)
            || medium.width - medium.left - medium.right <= 0 || medium.length - medium.top - medium.bottom <= 0)
            medium = cups_size_t{{}, kLetterWidth, kLetterLength, 0, 0, 0, 0};
        const int dotsPerInch = defaultDotsPerInch(dest_, info_);
        const auto pixels = [dotsPerInch](long hundredthsOfMm) {
            return static_cast<int>(hundredthsOfMm * dotsPerInch / kHundredthsOfMmPerInch);
        };
        // Landscape: the medium's length runs across the page.
        page_ = PageSize{pixels(medium.length - medium.top - medium.bottom),
                         pixels(medium.width - medium.left - medium.right), dotsPerInch};
    }
    ~CupsPrinter() override
    {
        cupsFreeDestInfo(info_);
        cupsFreeDests(1, dest_);
    }
    CupsPrinter(const CupsPrinter&) = delete;
    CupsPrinter& operator=(const CupsPrinter&) = delete;

    PageSize pageSize() const override { return page_; }

    bool printPage(const std::string& jobName, const RgbImage& page, std::string& cause) override
    {
        const std::string dotsPerInch = std::to_string(page_.dotsPerInch);
        cups_option_t* options = nullptr;
        int count = 0;
        count = cupsAddOption("copies", "1", count, &options);
        count = cupsAddOption("orientation-requested", "4", count, &options);
        count = cupsAddOption("print-scaling", "none", count, &options);
        count = cupsAddOption("ppi", dotsPerInch.c_str(), count, &options);
        int job = 0;
        const ipp_status_t created =
            cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest_, info_, &job, jobName.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (created > IPP_STATUS_OK_CONFLICTING || job <= 0) {
            cause = destinationCause(dest_, "refused the job");
            return false;
        }
        if (!sendDocument(job, jobName, page)) {
            cause = destinationCause(dest_, "did not take the page");
            cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest_, job);
            return false;
        }
        return true;
    }

private:
    bool sendDocument(int job, const std::string& jobName, const RgbImage& page)
    {
        if (cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest_, info_, job, jobName.c_str(), "image/png", 0, nullptr, 1)
            != HTTP_STATUS_CONTINUE)
            return false;
        const bool written = writePng(page, page_.dotsPerInch, [](const uint8_t* bytes, size_t count) {
            return cupsWriteRequestData(CUPS_HTTP_DEFAULT, reinterpret_cast<const char*>(bytes), count)
                == HTTP_STATUS_CONTINUE;
        });
        const bool finished = cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest_, info_) <= IPP_STATUS_OK_CONFLICTING;
        return written && finished;
    }

    cups_dest_t* dest_;
    cups_dinfo_t* info_;
    PageSize page_;
};

} // namespace

std::unique_ptr<Printer> openCupsPrinter(std::string& cause)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (dest == nullptr) {
        cause = missingDestinationCause();
        return nullptr;
    }
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (info == nullptr) {
        cause = destinationCause(dest, "does not answer");
        cupsFreeDests(1, dest);
        return nullptr;
    }
    return std::make_unique<CupsPrinter>(dest, info);
}

} // namespace platform
