#pragma once

#include "BodyDescription.h"
#include "PathPoint.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What a world file holds.
struct WorldDescription {
    struct WayPoint {
        uint32_t number = 0;
        PathPoint at;
    };

    std::optional<PathPoint> gravity;
    std::vector<BodyDescription> bodies;
    std::vector<WayPoint> wayPoints;
};

// The world file: text, one record a line, fields separated by blanks or tabs, numbers in
// the C locale's form, keywords in any letter case, lines ending in LF or CR LF. Blank lines
// and lines starting with '#' or ';' are comments. The first record is the header:
//
//   KESTRUM-WORLD 1
//   GRAVITY <gx> <gy> <gz>
//   BODY <id> <CIRCLE|BOX> <DYNAMIC|STATIC|KINEMATIC> <x> <y> <z> <rx> <ry> <rz> <mass> <restitution> <maxSpeed>
//   WAYPOINT <number> <x> <y> <z>
//
// Coordinates are world units (pixels, y up). A body is valid as ITolvan::AddBody takes it;
// two bodies of one id make the file damaged; a way point number given again moves its way
// point; a second GRAVITY replaces the first. Any fault makes the whole file damaged.
class WorldFile {
public:
    // Files above this size are taken as damaged.
    static constexpr size_t LARGEST_SIZE = 16 * 1024 * 1024;

    // Reads a file named the engine's way (through its name resolver). ITolvan::OK,
    // UNREADABLE_FILE or DAMAGED_FILE; the description is written only on success.
    static int32_t read(const char* fileName, WorldDescription* description);
    // The same from the file's text.
    static int32_t parse(std::string_view text, WorldDescription* description);
};
