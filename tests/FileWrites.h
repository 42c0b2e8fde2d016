#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <string>

// Counts, through inotify, the writes of one file in a folder as other processes or the engine
// make them: each replacement by a rename onto its name, and each write in place that ends.
class FileWrites {
public:
    FileWrites(const std::filesystem::path& folder, std::string name)
        : descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
        , name_(std::move(name))
    {
        inotify_add_watch(descriptor_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~FileWrites() { ::close(descriptor_); }
    FileWrites(const FileWrites&) = delete;
    FileWrites& operator=(const FileWrites&) = delete;

    // The writes since the last count.
    int take()
    {
        int writes = 0;
        alignas(inotify_event) char buffer[65536];
        for (ssize_t length; (length = ::read(descriptor_, buffer, sizeof buffer)) > 0;) {
            for (size_t at = 0; at < static_cast<size_t>(length);) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && name_ == event->name)
                    ++writes;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return writes;
    }

private:
    int descriptor_;
    std::string name_;
};
