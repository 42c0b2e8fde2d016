#include "script/CMC_ScratchText.h"

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<CXString>>& idleTexts()
{
    static std::vector<std::unique_ptr<CXString>> texts;
    return texts;
}

} // namespace

CMC_ScratchText::CMC_ScratchText()
{
    auto& idle = idleTexts();
    if (idle.empty()) {
        text_ = new CXString();
    } else {
        text_ = idle.back().release();
        idle.pop_back();
    }
}

CMC_ScratchText::CMC_ScratchText(const char* text)
    : CMC_ScratchText()
{
    *this = text;
}

CMC_ScratchText::~CMC_ScratchText()
{
    idleTexts().emplace_back(text_);
}

CXString& CMC_ScratchText::operator=(const char* text)
{
    *text_ = text;
    return *text_;
}
