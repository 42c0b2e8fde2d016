#include "foundation/CXObject.h"

#include "foundation/CXString.h"
#include "foundation/FoundationWindow.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

bool CXObject::isToDelete()
{
    return toDelete_;
}

void CXObject::setToDelete()
{
    toDelete_ = true;
}

int CXObject::getHashcode()
{
    return static_cast<int>(reinterpret_cast<uintptr_t>(this));
}

bool CXObject::equals(CXObject* other)
{
    return other == this;
}

int CXObject::compare(CXObject* other)
{
    return other == this ? 1 : 0;
}

CXObject* CXObject::clone()
{
    return nullptr;
}

CXString CXObject::toString()
{
    return CXString();
}

void CXObject::notifyMessageReceive(CMessage*)
{
}

int CXObject::processMessage(CMessage*)
{
    return 0;
}

short CXObject::swap_word(short v)
{
    auto u = static_cast<uint16_t>(v);
    return static_cast<short>(static_cast<uint16_t>((u << 8) | (u >> 8)));
}

int CXObject::swap_dword(int v)
{
    auto u = static_cast<uint32_t>(v);
    u = (u >> 24) | ((u >> 8) & 0x0000FF00u) | ((u << 8) & 0x00FF0000u) | (u << 24);
    return static_cast<int>(u);
}

void CXObject::log(const char* text, bool flag)
{
    FoundationWindow::toLog(CXString(text), flag);
}

namespace {
struct Stopwatch {
    uint32_t start = 0;
    std::optional<std::string> name;
};

Stopwatch& stopwatch()
{
    static Stopwatch watch;
    return watch;
}
} // namespace

void CXObject::profile(const char* name, bool toLog)
{
    Stopwatch& watch = stopwatch();
    if (name != nullptr) {
        watch.start = platform::tickCount();
        watch.name = name;
        return;
    }
    if (!watch.name)
        return;
    char line[1024];
    std::snprintf(line, sizeof line, "Time spend in %s: %d ms.\n", watch.name->c_str(),
                  static_cast<int>(platform::tickCount() - watch.start));
    platform::debugOutput(line);
    if (toLog)
        FoundationWindow::toLog(CXString(line), false);
    watch.name.reset();
}

// The most negative int has no positive counterpart and stays as it is, as the
// two's-complement negation gives it, without overflowing.
int absolute(int v)
{
    return v >= 0 ? v : static_cast<int>(0u - static_cast<unsigned>(v));
}

int CError::operator<<(int code)
{
    code_ = code;
    return code;
}

int CError::operator<<(const char*)
{
    return 0;
}
