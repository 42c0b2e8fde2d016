#include "launcher/RunOptions.h"

#include "foundation/CCommandLine6.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace {

bool readWholeNumberAboveZero(std::string_view text, int& number)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return !text.empty() && error == std::errc() && stop == end && number > 0;
}

// The value of a file option; false when it has none.
bool readFileName(const CCommandLine6& commandLine, const char* option, std::string& file, std::string& cause)
{
    if (!commandLine.findToken(option))
        return true;
    file = commandLine.getNextToken(option).c_str();
    if (file.empty() || file[0] == '-') {
        cause = std::string("\"") + option + "\" needs the name of a file";
        return false;
    }
    return true;
}

} // namespace

std::string RunOptions::shotFile(int frame) const
{
    return (std::filesystem::path(shotsFolder) / ("shot-" + std::to_string(frame) + ".png")).string();
}

std::optional<RunOptions> RunOptions::read(const CCommandLine6& commandLine, std::string& cause)
{
    RunOptions options;
    if (commandLine.findToken("frames")) {
        const std::string text = commandLine.getNextToken("frames").c_str();
        if (!readWholeNumberAboveZero(text, options.frames)) {
            cause = "\"frames\" needs a whole number above 0, not \"" + text + "\"";
            return std::nullopt;
        }
    }
    if (!readFileName(commandLine, "screenshot", options.screenshot, cause) ||
        !readFileName(commandLine, "input", options.input, cause) ||
        !readFileName(commandLine, "audio", options.audio, cause) ||
        !readFileName(commandLine, "frametimes", options.frameTimes, cause))
        return std::nullopt;
    for (std::string* file : {&options.audio, &options.frameTimes})
        if (!file->empty())
            *file = std::filesystem::absolute(*file).string();
    if (commandLine.findToken("shots")) {
        const std::string list = commandLine.getNextToken("shots").c_str();
        size_t begin = 0;
        do {
            const size_t comma = std::min(list.find(',', begin), list.size());
            int frame = 0;
            if (!readWholeNumberAboveZero(std::string_view(list).substr(begin, comma - begin), frame)) {
                cause = "\"shots\" needs frames, whole numbers above 0 separated by commas, not \"" + list + "\"";
                return std::nullopt;
            }
            options.shots.insert(frame);
            begin = comma + 1;
        } while (begin <= list.size());
        options.shotsFolder = std::filesystem::current_path().string();
    }
    return options;
}
