#pragma once

#include "foundation/CXString.h"

#include <cstdint>
#include <optional>
#include <vector>

// One event of an animation: a named, ordered list of image indices with its own rate, loop and
// flags. In an ANN file it is a packed record of 67 bytes, followed by the indices. A new record
// holds an empty name, no frames, no loop, 15 frames per second, no flags and opacity 0.
struct _annEventInfo3 {
    // Bytes 0-31, NUL-terminated; kept byte for byte.
    char name[32] = {};
    // The index array (bytes 32-33 hold its count; bytes 34-37 stood for the array itself).
    std::vector<uint16_t> frames;
    // Positions within the event; a loop end of 0 means no loop, a loop count of 0 endless.
    uint16_t loopStart = 0;
    uint16_t loopEnd = 0;
    uint16_t loopCount = 0;
    // Run-time state, stored like the rest.
    uint16_t loopCounter = 0;
    // 0 is taken as 15.
    uint32_t fps = 15;
    uint32_t flags = 0;
    // 255 means none.
    uint8_t opacity = 0;
    // Bytes 55-66, whose meaning other tools gave them: carried unchanged.
    uint16_t carried55 = 0;
    uint8_t carried57 = 0;
    uint8_t carried58 = 0;
    uint32_t carried59 = 0;
    uint32_t carried63 = 0;

    int frameCount() const { return static_cast<int>(frames.size()); }
    CXString getName() const;
    // Longer names are cut to the 31 characters the record holds.
    void setName(const CXString& text);
};

// What one position of an event adds to the image shown there: a name, a displacement, an
// opacity and a sound. In an ANN file it is a packed record of 30 bytes, followed by the texts
// it has. A new record holds no texts, no displacement and opacity 255.
struct _anmFrameInfo3 {
    std::optional<CXString> name;
    // A second text, which only other tools read.
    std::optional<CXString> text;
    // Added to the image's position while this position is shown.
    int16_t dx = 0;
    int16_t dy = 0;
    uint32_t carried12 = 0xFFFFFFFF;
    // A sound file name; several separated by ";" make a sound chosen at random each time.
    std::optional<CXString> sound;
    uint32_t carried20 = 0;
    // 255 means none.
    uint8_t opacity = 255;
    uint8_t carried25 = 0;

    CXString getName() const { return name.value_or(CXString()); }
    CXString getSound() const { return sound.value_or(CXString()); }
};
