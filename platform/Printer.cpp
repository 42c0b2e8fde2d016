#include "platform/Printer.h"

#include "platform/CupsPrinter.h"
#include "platform/FolderPrinter.h"

namespace platform {

std::unique_ptr<Printer> openPrinter(const std::string& folder, std::string& cause)
{
    if (!folder.empty())
        return FolderPrinter::open(folder, cause);
    return openCupsPrinter(cause);
}

} // namespace platform
