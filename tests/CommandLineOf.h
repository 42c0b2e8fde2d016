#pragma once

#include "foundation/CCommandLine6.h"

#include <string>
#include <vector>

// The program's command line with these options after the program's name.
inline CCommandLine6 commandLineOf(const std::vector<std::string>& options)
{
    std::vector<const char*> argv{"Kestrum"};
    for (const std::string& option : options)
        argv.push_back(option.c_str());
    return CCommandLine6(static_cast<int>(argv.size()), argv.data());
}
