#include "platform/ProfileFile.h"

#include "platform/Charset.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <vector>

namespace platform {
namespace {

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;
    std::string_view value;
};

std::string_view trimmed(std::string_view text)
{
    const char* blanks = " \t";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// A line without "=" inside a section is a key without a value: reading it gives
// nothing, writing it gives the line a value.
ParsedLine parse(const std::string& line)
{
    ParsedLine parsed;
    std::string_view text = trimmed(line);
    if (text.empty())
        return parsed;
    if (text.front() == ';') {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    if (text.front() == '[') {
        parsed.kind = LineKind::Section;
        size_t close = text.find(']');
        parsed.name = trimmed(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return parsed;
    }
    parsed.kind = LineKind::Key;
    size_t equals = text.find('=');
    parsed.name = trimmed(text.substr(0, equals));
    if (equals != std::string_view::npos)
        parsed.value = trimmed(text.substr(equals + 1));
    return parsed;
}

std::optional<std::vector<ProfileLine>> readLines(const std::string& path)
{
    std::unique_ptr<FileStream> in = FileStream::open(path, "rb");
    if (!in)
        return std::nullopt;
    std::string content;
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, in->handle())) > 0;)
        content.append(block, n);
    in->discard();
    std::vector<ProfileLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t lf = content.find('\n', start);
        size_t end = lf == std::string::npos ? content.size() : lf;
        size_t textEnd = end > start && content[end - 1] == '\r' ? end - 1 : end;
        ProfileLine line{content.substr(start, textEnd - start), content.substr(textEnd, lf == std::string::npos ? end - textEnd : end + 1 - textEnd)};
        lines.push_back(std::move(line));
        start = lf == std::string::npos ? content.size() : lf + 1;
    }
    return lines;
}

struct Location {
    size_t sectionLine = std::string::npos;
    size_t keyLine = std::string::npos;
    size_t lastEntryLine = std::string::npos; // last key line of the section, or its header
};

// Blanks around the names asked for are ignored, as around the names in the file.
Location locate(const std::vector<ProfileLine>& lines, std::string_view section, std::string_view key)
{
    section = trimmed(section);
    key = trimmed(key);
    Location where;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed = parse(lines[i].text);
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                break;
            inSection = cp1250EqualIgnoringCase(parsed.name, section);
            if (inSection)
                where.sectionLine = where.lastEntryLine = i;
        } else if (inSection && parsed.kind == LineKind::Key) {
            where.lastEntryLine = i;
            if (cp1250EqualIgnoringCase(parsed.name, key)) {
                where.keyLine = i;
                break;
            }
        }
    }
    return where;
}

// A value that Windows would read back differently (blanks at its ends are trimmed,
// matching outer quotes stripped) is written inside double quotes, so it reads back
// as written. A line break would start a new line of the file: the value ends there.
std::string storedValue(std::string_view value)
{
    value = value.substr(0, value.find_first_of("\r\n"));
    bool blankAtEnd = !value.empty() && (trimmed(value).size() != value.size());
    bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (blankAtEnd || quoted)
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

std::string readValue(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

} // namespace

std::optional<ProfileDocument> ProfileDocument::load(const std::string& path)
{
    ProfileDocument document;
    std::optional<std::vector<ProfileLine>> lines = readLines(path);
    if (lines)
        document.lines_ = std::move(*lines);
    else if (exists(path))
        return std::nullopt;
    return document;
}

std::optional<std::string> ProfileDocument::value(std::string_view section, std::string_view key) const
{
    Location where = locate(lines_, section, key);
    if (where.keyLine == std::string::npos)
        return std::nullopt;
    return readValue(parse(lines_[where.keyLine].text).value);
}

void ProfileDocument::set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string lineBreak = lines_.empty() || lines_.front().lineBreak.empty() ? "\r\n" : lines_.front().lineBreak;
    std::string entry = std::string(trimmed(key)) + "=" + storedValue(value);

    Location where = locate(lines_, section, key);
    if (where.keyLine != std::string::npos) {
        std::string writtenName(parse(lines_[where.keyLine].text).name);
        lines_[where.keyLine].text = writtenName + "=" + storedValue(value);
    } else if (where.sectionLine != std::string::npos) {
        ProfileLine& previous = lines_[where.lastEntryLine];
        if (previous.lineBreak.empty())
            previous.lineBreak = lineBreak;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(where.lastEntryLine) + 1, ProfileLine{entry, lineBreak});
    } else {
        if (!lines_.empty()) {
            if (lines_.back().lineBreak.empty())
                lines_.back().lineBreak = lineBreak;
            lines_.push_back(ProfileLine{"", lineBreak});
        }
        lines_.push_back(ProfileLine{"[" + std::string(trimmed(section)) + "]", lineBreak});
        lines_.push_back(ProfileLine{entry, lineBreak});
    }
}

bool ProfileDocument::save(const std::string& path) const
{
    std::string content;
    for (const ProfileLine& line : lines_)
        content += line.text + line.lineBreak;
    std::unique_ptr<FileStream> out = FileStream::open(path, "wb");
    if (!out)
        return false;
    if (std::fwrite(content.data(), 1, content.size(), out->handle()) != content.size()) {
        out->discard();
        return false;
    }
    return out->commit();
}

std::optional<std::string> readProfileString(const std::string& path, std::string_view section,
                                             std::string_view key)
{
    // A file that is there but cannot be read gives nothing, as a missing one does.
    std::optional<ProfileDocument> document = ProfileDocument::load(path);
    return document ? document->value(section, key) : std::nullopt;
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value)
{
    std::optional<ProfileDocument> document = ProfileDocument::load(path);
    if (!document)
        return false;
    document->set(section, key, value);
    return document->save(path);
}

} // namespace platform
