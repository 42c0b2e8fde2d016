#include "foundation/CConfig.h"

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

int CConfig::GetInt(const CXString& section, const CXString& key)
{
    return GetString(section, key).toNumber();
}

CXString CConfig::GetString(const CXString& section, const CXString& key)
{
    std::optional<std::string> value = platform::readProfileString(platform::resolvePath(fileName_.c_str()), section.c_str(), key.c_str());
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
    return platform::writeProfileString(platform::resolvePath(fileName_.c_str()), section.c_str(), key.c_str(),
                                        std::string_view(value.c_str(), static_cast<size_t>(value.GetLength())));
}
