#pragma once

#include "platform/PathResolver.h"

#include <string>

// Puts the process's current folder back as it was when the guard was made.
class CurrentFolderGuard {
public:
    CurrentFolderGuard() : folder_(platform::currentFolder()) {}
    ~CurrentFolderGuard() { platform::changeFolder(folder_); }
    CurrentFolderGuard(const CurrentFolderGuard&) = delete;
    CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;

private:
    std::string folder_;
};
