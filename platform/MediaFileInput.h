#pragma once

#include "platform/FileSystem.h"

#include <memory>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

// A media container opened by FFmpeg's demuxers but read through our own file access: only a
// plain file opens, and the demuxer may not open further files or URLs that the container
// names (playlists, references), so a data file can never reach beyond itself.
namespace platform {

class MediaFileInput {
public:
    // Null when the file does not open as a plain file or no demuxer recognises it.
    static std::unique_ptr<MediaFileInput> open(const std::string& diskPath);
    ~MediaFileInput();
    MediaFileInput(const MediaFileInput&) = delete;
    MediaFileInput& operator=(const MediaFileInput&) = delete;

    AVFormatContext* context() const { return format_; }

private:
    explicit MediaFileInput(std::unique_ptr<FileStream> file);

    static int read(void* opaque, uint8_t* buffer, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);

    std::unique_ptr<FileStream> file_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
};

// FFmpeg's own messages (damaged packets and the like) join the engine's debug output.
void routeMediaLibraryMessages();

} // namespace platform
