#include "launcher/InputScript.h"

#include "media/CMC_Keyboard.h"
#include "media/CMC_Mouse.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

constexpr int kKeyCodes = 256;

bool readNumber(std::istringstream& words, int& number)
{
    std::string word;
    if (!(words >> word))
        return false;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, number);
    return error == std::errc() && stop == end;
}

// The key that scripts know by the name; the first of two keys of one name (the top row's
// digits before the numeric pad's).
std::optional<int> keyNamed(const std::string& name)
{
    for (int key = 1; key < kKeyCodes; ++key)
        if (CMC_Keyboard::getKeySignal(key) == CXString(name.c_str()))
            return key;
    return std::nullopt;
}

std::optional<platform::MouseButton> buttonNamed(const std::string& name)
{
    for (const platform::MouseButton button :
         {platform::MouseButton::Left, platform::MouseButton::Middle, platform::MouseButton::Right})
        if (CMC_Mouse::getButton(static_cast<int>(button)) == CXString(name.c_str()))
            return button;
    return std::nullopt;
}

// The event of a line after its frame number; none with the cause.
std::optional<platform::Event> parseEvent(std::istringstream& words, platform::Point& pointer, std::string& cause)
{
    std::string kind;
    std::string name;
    words >> kind;
    if (kind == "key") {
        std::string direction;
        words >> direction >> name;
        if (direction != "down" && direction != "up") {
            cause = "\"key\" is followed by \"down\" or \"up\" and a key";
            return std::nullopt;
        }
        const std::optional<int> key = keyNamed(name);
        if (!key) {
            cause = "unknown key \"" + name + "\"";
            return std::nullopt;
        }
        return direction == "down" ? platform::Event::keyDown(*key) : platform::Event::keyUp(*key);
    }
    if (kind == "move") {
        if (!readNumber(words, pointer.x) || !readNumber(words, pointer.y)) {
            cause = "\"move\" is followed by x and y";
            return std::nullopt;
        }
        return platform::Event::mouseMove(pointer);
    }
    if (kind == "press" || kind == "release") {
        words >> name;
        const std::optional<platform::MouseButton> button = buttonNamed(name);
        if (!button) {
            cause = "unknown button \"" + name + "\"";
            return std::nullopt;
        }
        return kind == "press" ? platform::Event::mouseDown(*button, pointer) : platform::Event::mouseUp(*button, pointer);
    }
    cause = "no event \"" + kind + "\": key, move, press or release";
    return std::nullopt;
}

} // namespace

std::optional<InputScript> InputScript::load(const std::string& path, std::string& cause)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        cause = "\"input\" cannot read \"" + path + "\"";
        return std::nullopt;
    }
    InputScript script;
    platform::Point pointer;
    int lastFrame = 1;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        words.seekg(0);
        const auto refuse = [&](const std::string& why) {
            cause = "\"input\" line " + std::to_string(number) + ": " + why;
            return std::nullopt;
        };
        int frame = 0;
        if (!readNumber(words, frame) || frame < 1)
            return refuse("a line starts with its frame, a whole number above 0");
        if (frame < lastFrame)
            return refuse("frame " + std::to_string(frame) + " comes after frame " + std::to_string(lastFrame));
        std::string why;
        const std::optional<platform::Event> event = parseEvent(words, pointer, why);
        std::string rest;
        if (!event)
            return refuse(why);
        if (words >> rest)
            return refuse("\"" + rest + "\" is too much");
        script.events_[frame].push_back(*event);
        lastFrame = frame;
    }
    return script;
}

std::vector<platform::Event> InputScript::eventsBefore(int frame) const
{
    const auto found = events_.find(frame);
    return found != events_.end() ? found->second : std::vector<platform::Event>();
}
