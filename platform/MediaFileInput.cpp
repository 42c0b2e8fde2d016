#include "platform/MediaFileInput.h"

#include "platform/DebugOutput.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr int kReadBufferSize = 64 * 1024;

int refuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

void forwardMessage(void* context, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_WARNING || !isDebugOutputEnabled())
        return;
    char line[1024];
    int printPrefix = 1;
    av_log_format_line2(context, level, format, arguments, line, sizeof line, &printPrefix);
    debugOutput(line);
}

} // namespace

void routeMediaLibraryMessages()
{
    static std::once_flag routed;
    std::call_once(routed, [] { av_log_set_callback(forwardMessage); });
}

std::unique_ptr<MediaFileInput> MediaFileInput::open(const std::string& diskPath)
{
    routeMediaLibraryMessages();
    std::unique_ptr<FileStream> file = FileStream::open(diskPath, "rb");
    if (!file)
        return nullptr;
    std::unique_ptr<MediaFileInput> input(new MediaFileInput(std::move(file)));
    auto* buffer = static_cast<unsigned char*>(av_malloc(kReadBufferSize));
    if (buffer == nullptr)
        return nullptr;
    input->io_ = avio_alloc_context(buffer, kReadBufferSize, 0, input.get(), &MediaFileInput::read, nullptr,
                                    &MediaFileInput::seek);
    if (input->io_ == nullptr) {
        av_free(buffer);
        return nullptr;
    }
    AVFormatContext* format = avformat_alloc_context();
    if (format == nullptr)
        return nullptr;
    format->pb = input->io_;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->io_open = refuseNestedOpen;
    // The name only hints the demuxer at the container through its extension; the bytes come
    // through our reader.
    if (avformat_open_input(&format, diskPath.c_str(), nullptr, nullptr) < 0)
        return nullptr; // avformat_open_input frees the context when it fails
    input->format_ = format;
    if (avformat_find_stream_info(format, nullptr) < 0)
        return nullptr;
    return input;
}

MediaFileInput::MediaFileInput(std::unique_ptr<FileStream> file) : file_(std::move(file))
{
}

MediaFileInput::~MediaFileInput()
{
    avformat_close_input(&format_);
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

int MediaFileInput::read(void* opaque, uint8_t* buffer, int size)
{
    FILE* file = static_cast<MediaFileInput*>(opaque)->file_->handle();
    const size_t count = std::fread(buffer, 1, static_cast<size_t>(size), file);
    if (count > 0)
        return static_cast<int>(count);
    return std::ferror(file) ? AVERROR(EIO) : AVERROR_EOF;
}

int64_t MediaFileInput::seek(void* opaque, int64_t offset, int whence)
{
    FILE* file = static_cast<MediaFileInput*>(opaque)->file_->handle();
    if (whence & AVSEEK_SIZE) {
        struct stat info {};
        return ::fstat(::fileno(file), &info) == 0 ? static_cast<int64_t>(info.st_size) : AVERROR(EIO);
    }
    if (::fseeko(file, static_cast<off_t>(offset), whence & ~AVSEEK_FORCE) != 0)
        return AVERROR(EIO);
    return static_cast<int64_t>(::ftello(file));
}

} // namespace platform
