#pragma once

#include "platform/MessageBox.h"
#include "platform/SdlDisplay.h"

namespace platform {

// A message box over the SDL window; where none can be shown the message goes to standard error.
class SdlMessageBox : public MessageBox {
public:
    explicit SdlMessageBox(const SdlDisplay& display) : display_(display) {}
    void show(std::string_view cp1250Caption, std::string_view cp1250Text) override;

private:
    const SdlDisplay& display_;
};

} // namespace platform
