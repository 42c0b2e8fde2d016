#pragma once

#include "platform/Printer.h"

#include <memory>
#include <string>

namespace platform {

// The default CUPS destination: the user's default, else the server's. Its page is the
// printable area of the default medium, turned landscape, at the destination's default
// resolution (300 dots per inch when it names none). Null, with the cause, when no server
// answers or none is the default.
std::unique_ptr<Printer> openCupsPrinter(std::string& cause);

} // namespace platform
