#include "platform/HeadlessMessageBox.h"

#include "platform/Charset.h"

#include <cstdio>

namespace platform {

void HeadlessMessageBox::show(std::string_view cp1250Caption, std::string_view cp1250Text)
{
    Shown box{cp1250ToUtf8(cp1250Caption), cp1250ToUtf8(cp1250Text)};
    std::fprintf(stderr, "%s: %s\n", box.caption.c_str(), box.text.c_str());
    shown_.push_back(std::move(box));
}

} // namespace platform
