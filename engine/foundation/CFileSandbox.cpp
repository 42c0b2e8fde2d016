#include "foundation/CFileSandbox.h"

#include "foundation/FoundationWindow.h"
#include "platform/DebugOutput.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

namespace {

// How many confining scopes live on this thread.
thread_local int confinedDepth = 0;

// The folder that the application's data lie in: the data-disc root, which the application
// sets to its own folder, or the folder the program started in while none is set.
std::string applicationFolder()
{
    const CXString root = FoundationWindow::getCDPath().IsString() ? FoundationWindow::getCDPath() : FoundationWindow::rootPath;
    return root.IsString() ? platform::resolvePath(root.c_str()) : std::string();
}

} // namespace

void CFileSandbox::enter()
{
    ++confinedDepth;
}

void CFileSandbox::leave()
{
    --confinedDepth;
}

bool CFileSandbox::isConfined()
{
    return confinedDepth > 0;
}

bool CFileSandbox::admits(const std::string& diskPath)
{
    if (!isConfined())
        return true;
    const std::string folder = applicationFolder();
    return !folder.empty() && platform::liesWithin(diskPath, folder);
}

bool CFileSandbox::permits(const CXString& name, const std::string& diskPath)
{
    if (admits(diskPath))
        return true;
    refuse(name);
    return false;
}

void CFileSandbox::refuse(const CXString& name)
{
    const std::string line = std::string("Network: code from a peer may not use ") + name.c_str() +
                             ", which lies outside the application's folder\n";
    platform::debugOutput(line.c_str());
}
