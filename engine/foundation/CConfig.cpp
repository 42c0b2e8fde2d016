#include "foundation/CConfig.h"

#include "platform/PathResolver.h"

namespace {

constexpr int kLongestValue = 10239;

} // namespace

CConfig::CConfig(const CXString& fileName)
    : fileName_(fileName)
{
}

CConfig::~CConfig()
{
    if (gathered_)
        writeGathered();
}

std::string CConfig::diskPath() const
{
    return platform::resolvePath(fileName_.c_str());
}

int CConfig::GetInt(const CXString& section, const CXString& key)
{
    return GetString(section, key).toNumber();
}

CXString CConfig::GetString(const CXString& section, const CXString& key)
{
    std::optional<std::string> value = gathered_ ? gathered_->value(section.c_str(), key.c_str())
                                                 : platform::readProfileString(diskPath(), section.c_str(), key.c_str());
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
    const std::string_view text(value.c_str(), static_cast<size_t>(value.GetLength()));
    if (!gathering_)
        return platform::writeProfileString(diskPath(), section.c_str(), key.c_str(), text);
    if (!gathered_)
        gathered_ = platform::ProfileDocument::load(diskPath());
    if (!gathered_)
        return false;
    gathered_->set(section.c_str(), key.c_str(), text);
    refused_ = false;
    return true;
}

bool CConfig::Flush()
{
    if (!gathered_)
        return true;
    return !refused_ && writeGathered();
}

bool CConfig::writeGathered()
{
    refused_ = !gathered_->save(diskPath());
    if (!refused_)
        gathered_.reset();
    return !refused_;
}
