#pragma once

#include <string>
#include <string_view>

// The one resolver of file names. Data and engine name files the Windows way, in
// Windows-1250: "\" and "/" both separate, letter case does not matter, "C:" or a leading
// separator makes a name absolute, anything else is relative to the current folder.
// The disk is case-sensitive and names its files in UTF-8.
namespace platform {

bool isAbsoluteName(std::string_view name);

// The disk path (UTF-8, absolute, '/'-separated) of a name. Each component is taken as
// written when the disk has it exactly, else as the first disk entry equal to it ignoring
// case; a component that the disk lacks is kept as written (so new files can be created).
// "." and ".." are folded away; a drive letter stands for the disk's root.
std::string resolvePath(std::string_view name);

// The engine's form of a disk path: separators become "\", names become Windows-1250
// (a name the code page cannot hold keeps its UTF-8 bytes, which resolvePath accepts back).
std::string toWindowsName(std::string_view diskPath);

// The virtual current folder of the process, as a disk path. It starts as the process's
// working directory; changing it never changes the working directory, so threads that
// open files by disk path are not disturbed.
std::string currentFolder();
// The same as the engine spelled it when it changed there (absolute, "\"-separated), so the
// names it looks for in it ("Dane") keep their case whatever case the disk uses.
std::string currentFolderName();
// False, leaving the current folder alone, when the name resolves to no folder.
bool changeFolder(std::string_view name);

} // namespace platform
