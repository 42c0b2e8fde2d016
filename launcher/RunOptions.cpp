#include "launcher/RunOptions.h"

#include "foundation/CCommandLine6.h"

#include <charconv>

std::optional<RunOptions> RunOptions::read(const CCommandLine6& commandLine, std::string& cause)
{
    RunOptions options;
    if (commandLine.findToken("frames")) {
        const std::string text = commandLine.getNextToken("frames").c_str();
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, options.frames);
        if (text.empty() || error != std::errc() || stop != end || options.frames <= 0) {
            cause = "\"frames\" needs a whole number above 0, not \"" + text + "\"";
            return std::nullopt;
        }
    }
    if (commandLine.findToken("screenshot")) {
        options.screenshot = commandLine.getNextToken("screenshot").c_str();
        if (options.screenshot.empty() || options.screenshot[0] == '-') {
            cause = "\"screenshot\" needs the name of a file";
            return std::nullopt;
        }
    }
    return options;
}
