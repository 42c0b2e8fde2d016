#pragma once

#include "TempFolder.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// While it lives, printing finds no print server and no default printer, whatever the
// machine has: the server is a socket that does not exist, and no setting names a printer.
class NoPrintServer {
public:
    NoPrintServer()
    {
        set("CUPS_SERVER", home_.file("no-server.sock").c_str());
        set("HOME", home_.path().c_str());
        set("PRINTER", nullptr);
        set("LPDEST", nullptr);
    }
    ~NoPrintServer()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }
    NoPrintServer(const NoPrintServer&) = delete;
    NoPrintServer& operator=(const NoPrintServer&) = delete;

private:
    void set(const char* name, const char* value)
    {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    TempFolder home_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
