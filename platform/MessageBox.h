#pragma once

#include <string_view>

namespace platform {

// A message with a single OK button that waits until the user closes it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Caption and text in the engine's Windows-1250 text.
    virtual void show(std::string_view cp1250Caption, std::string_view cp1250Text) = 0;
};

} // namespace platform
