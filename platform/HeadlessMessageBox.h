#pragma once

#include "platform/MessageBox.h"

#include <string>
#include <vector>

namespace platform {

// Message boxes without a screen: each is kept, in UTF-8 as a user would have read it, and
// written to standard error so that a run without graphics still reports it.
class HeadlessMessageBox : public MessageBox {
public:
    struct Shown {
        std::string caption;
        std::string text;
    };

    void show(std::string_view cp1250Caption, std::string_view cp1250Text) override;
    const std::vector<Shown>& shown() const { return shown_; }

private:
    std::vector<Shown> shown_;
};

} // namespace platform
