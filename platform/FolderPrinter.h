#pragma once

#include "platform/Printer.h"

#include <memory>
#include <string>

namespace platform {

// Prints each page as a PNG file of a landscape Letter page at 300 dots per inch into a
// folder: "page-0001.png", "page-0002.png" and so on, continuing after the highest number
// already there. A page appears under its name only once it is complete.
class FolderPrinter : public Printer {
public:
    static constexpr PageSize kLetterLandscape{3300, 2550, 300};

    // Creates the folder when it is missing. Null, with the cause, when the path is no
    // folder and cannot become one.
    static std::unique_ptr<FolderPrinter> open(const std::string& folder, std::string& cause);

    PageSize pageSize() const override { return kLetterLandscape; }
    bool printPage(const std::string& jobName, const RgbImage& page, std::string& cause) override;

private:
    explicit FolderPrinter(std::string folder)
        : folder_(std::move(folder))
    {
    }
    // The name after the highest page number in the folder; empty when it cannot be listed.
    std::string nextPageName() const;

    std::string folder_;
};

} // namespace platform
