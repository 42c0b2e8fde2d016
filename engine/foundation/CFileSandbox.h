#pragma once

#include "foundation/CXString.h"

#include <string>

// Code that a network peer sent runs confined: the files it has the engine open, write, copy
// or list must lie in the application's folder (the folder of its data, else the folder the
// program started in). Confinement lasts while a confining Scope lives on the thread; code
// made, bound or scheduled while it lasts keeps the mark and confines its own runs again.
// Other threads, such as a sound stream's, are never confined.
class CFileSandbox {
public:
    // Confines the thread's runs until its end when `confine` is set; otherwise changes
    // nothing, so that code called from confined code stays confined.
    class Scope {
    public:
        explicit Scope(bool confine)
            : confines_(confine)
        {
            if (confines_)
                enter();
        }
        ~Scope()
        {
            if (confines_)
                leave();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        bool confines_;
    };

    static bool isConfined();
    // Whether the disk path may be used now: always while nothing is confined, else only
    // inside the application's folder.
    static bool admits(const std::string& diskPath);
    // The same, telling the debug output about a refusal of the named file.
    static bool permits(const CXString& name, const std::string& diskPath);
    // The debug line of a file that confined code may not use.
    static void refuse(const CXString& name);

private:
    static void enter();
    static void leave();
};
