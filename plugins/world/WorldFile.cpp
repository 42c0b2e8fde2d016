#include "WorldFile.h"

#include "ITolvan.h"

#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string>

namespace {

constexpr std::string_view kMagic = "KESTRUM-WORLD";
constexpr std::string_view kVersion = "1";

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const size_t stop = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, stop - start));
        at = stop;
    }
    return fields;
}

template <typename Number>
bool readNumber(std::string_view field, Number* value)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *value);
    return error == std::errc() && end == field.data() + field.size();
}

bool readFloat(std::string_view field, float* value)
{
    return readNumber(field, value) && std::isfinite(*value);
}

// The index of the field among the names, or -1.
int32_t choice(std::string_view field, std::initializer_list<std::string_view> names)
{
    int32_t index = 0;
    for (std::string_view name : names) {
        if (equalsIgnoringCase(field, name))
            return index;
        ++index;
    }
    return -1;
}

bool readBody(const std::vector<std::string_view>& f, BodyDescription* body)
{
    if (f.size() != 13 || !readNumber(f[1], &body->id))
        return false;
    body->shape = choice(f[2], {"CIRCLE", "BOX"});
    body->kind = choice(f[3], {"DYNAMIC", "STATIC", "KINEMATIC"});
    float* const values[] = {&body->x,  &body->y,    &body->z,           &body->rx,      &body->ry,
                             &body->rz, &body->mass, &body->restitution, &body->maxSpeed};
    for (size_t i = 0; i < std::size(values); ++i) {
        if (!readFloat(f[4 + i], values[i]))
            return false;
    }
    return body->isValid();
}

bool readPoint(const std::vector<std::string_view>& f, PathPoint* point)
{
    float z = 0;
    return readFloat(f[f.size() - 3], &point->x) && readFloat(f[f.size() - 2], &point->y) &&
           readFloat(f[f.size() - 1], &z);
}

bool readRecord(const std::vector<std::string_view>& f, WorldDescription* world, std::set<uint32_t>* bodyIds)
{
    switch (choice(f[0], {"GRAVITY", "BODY", "WAYPOINT"})) {
    case 0: {
        PathPoint gravity;
        if (f.size() != 4 || !readPoint(f, &gravity))
            return false;
        world->gravity = gravity;
        return true;
    }
    case 1: {
        BodyDescription body;
        if (!readBody(f, &body) || !bodyIds->insert(body.id).second)
            return false;
        world->bodies.push_back(body);
        return true;
    }
    case 2: {
        WorldDescription::WayPoint wayPoint;
        if (f.size() != 5 || !readNumber(f[1], &wayPoint.number) || !readPoint(f, &wayPoint.at))
            return false;
        world->wayPoints.push_back(wayPoint);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

int32_t WorldFile::read(const char* fileName, WorldDescription* description)
{
    if (fileName == nullptr || *fileName == '\0')
        return ITolvan::UNREADABLE_FILE;
    const auto stream = platform::FileStream::open(platform::resolvePath(fileName), "rb");
    if (!stream)
        return ITolvan::UNREADABLE_FILE;
    std::string text;
    char buffer[65536];
    while (const size_t got = std::fread(buffer, 1, sizeof buffer, stream->handle())) {
        text.append(buffer, got);
        if (text.size() > LARGEST_SIZE)
            return ITolvan::DAMAGED_FILE;
    }
    if (std::ferror(stream->handle()))
        return ITolvan::UNREADABLE_FILE;
    return parse(text, description);
}

int32_t WorldFile::parse(std::string_view text, WorldDescription* description)
{
    WorldDescription world;
    std::set<uint32_t> bodyIds;
    bool headerSeen = false;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string_view> fields = fieldsOf(line);
        if (fields.empty() || fields[0].front() == '#' || fields[0].front() == ';')
            continue;
        if (!headerSeen) {
            if (fields.size() != 2 || fields[0] != kMagic || fields[1] != kVersion)
                return ITolvan::DAMAGED_FILE;
            headerSeen = true;
            continue;
        }
        if (!readRecord(fields, &world, &bodyIds))
            return ITolvan::DAMAGED_FILE;
    }
    if (!headerSeen)
        return ITolvan::DAMAGED_FILE;
    *description = std::move(world);
    return ITolvan::OK;
}
