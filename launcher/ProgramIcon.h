#pragma once

#include "foundation/CXString.h"
#include "platform/Display.h"

#include <optional>

// The window's icon: the program's own picture, or one from a picture file.
namespace ProgramIcon {

// A kestrel's head in profile on a round sky, drawn here so that the program needs no file.
platform::IconImage builtIn();
// The picture of a file that the engine's readers read (IMG, JPEG, TGA, PSD), its alpha plane
// as transparency; none when it cannot be read.
std::optional<platform::IconImage> fromFile(const CXString& name);

} // namespace ProgramIcon
