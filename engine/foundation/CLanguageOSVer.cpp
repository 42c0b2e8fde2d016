#include "foundation/CLanguageOSVer.h"

#include "foundation/CPath.h"
#include "foundation/FoundationWindow.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"
#include "platform/SystemLanguage.h"

namespace {

struct Language {
    const char* code;
    int number;
    const char* folder;
};

constexpr Language kLanguages[] = {
    {"0415", 1, "POL"}, {"0405", 2, "CZE"}, {"0402", 3, "BUL"}, {"0418", 4, "ROM"},
    {"0419", 5, "RUS"}, {"040E", 6, "HUN"}, {"041B", 7, "SLO"},
};

} // namespace

CLanguageOSVer::CLanguageOSVer()
{
    CXString code(platform::systemLanguageId().c_str());
    code.Upper();
    selectByCode(code);
    folder_ = getSubFolder();
}

void CLanguageOSVer::setLanguageFolder(const CXString& code)
{
    selectByCode(code);
    folder_ = getSubFolder();
    if (window_ != nullptr)
        window_->onLanguageChanged();
}

CXString CLanguageOSVer::getLocalFileName(const CXString& path) const
{
    if (!folder_.IsString())
        return path;
    const int separator = CPath::findLastSeparator(path);
    if (separator < 0)
        return folder_ + "\\" + path;
    const CXString candidate = path.Left(separator + 1) + folder_ + path.Right(separator);
    return platform::isReadableFile(platform::resolvePath(candidate.c_str())) ? candidate : path;
}

bool CLanguageOSVer::selectByCode(const CXString& code)
{
    for (const Language& language : kLanguages) {
        if (code == language.code) {
            language_ = language.number;
            return true;
        }
    }
    return false;
}

CXString CLanguageOSVer::getSubFolder() const
{
    for (const Language& language : kLanguages) {
        if (language.number == language_)
            return language.folder;
    }
    return "";
}
