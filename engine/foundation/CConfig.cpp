#include "foundation/CConfig.h"

#include "foundation/CFileSandbox.h"
#include "platform/PathResolver.h"
#include "platform/ProfileFile.h"

#include <string>

namespace {

constexpr int kLongestValue = 10239;

} // namespace

CConfig::CConfig(const CXString& fileName)
    : fileName_(fileName)
{
}

std::optional<std::string> CConfig::diskPath() const
{
    std::string path = platform::resolvePath(fileName_.c_str());
    if (!CFileSandbox::permits(fileName_, path))
        return std::nullopt;
    return path;
}

int CConfig::GetInt(const CXString& section, const CXString& key)
{
    return GetString(section, key).toNumber();
}

CXString CConfig::GetString(const CXString& section, const CXString& key)
{
    const std::optional<std::string> path = diskPath();
    std::optional<std::string> value = path ? platform::readProfileString(*path, section.c_str(), key.c_str()) : std::nullopt;
    if (!value)
        return CXString();
    if (value->size() > kLongestValue)
        value->resize(kLongestValue);
    return CXString(value->c_str());
}

bool CConfig::PutInt(const CXString& section, const CXString& key, int value)
{
    return PutString(section, key, CXString::toString(value));
}

bool CConfig::PutString(const CXString& section, const CXString& key, const CXString& value)
{
    const std::optional<std::string> path = diskPath();
    return path && platform::writeProfileString(*path, section.c_str(), key.c_str(),
                                                std::string_view(value.c_str(), static_cast<size_t>(value.GetLength())));
}
