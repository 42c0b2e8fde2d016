#pragma once

#include <string>

class CFile;

// A WAV file rebuilt in memory from the chunks that the engine reads itself, each found by our
// own chunk walk and cut to what the file holds: "fmt ", "fact" when there is one, and "data",
// in that order behind a RIFF header whose sizes agree with them. An outside decoder given the
// image never meets a chunk of the file that the engine has not checked.
class CWaveImage {
public:
    // Empty when the file is no RIFF WAVE file or lacks a "fmt " or a "data" chunk.
    static std::string of(CFile* file);
};
