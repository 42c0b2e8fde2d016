#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Folder listings kept between look-ups, so that a name written in another letter case than
// the disk's costs one hash look-up instead of a scan of the folder. Safe from any thread:
// folders are read outside the lock, so no look-up waits on another folder being read.
namespace platform {

// What the folder's own inode says about it: any change to its entries or its permissions
// changes the stamp.
struct FolderStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modified = 0; // nanoseconds
    int64_t changed = 0;  // nanoseconds
    // The stamp was taken so soon after the folder's last change that a further change
    // could still leave the same modification time.
    bool recent = false;

    // Null when the path is no folder.
    static std::optional<FolderStamp> of(const std::string& folder);
    bool sameFolderState(const FolderStamp& other) const;
};

class FolderListingCache {
public:
    // At most this many names, over all folders, are kept; the folders used longest ago go first.
    explicit FolderListingCache(size_t nameLimit);

    // The one the path resolver uses.
    static FolderListingCache& shared();

    // The disk name of the entry in `folder` that equals `engineName` ignoring case
    // (Windows-1250 letters); where several do, the first in byte order. Null when none does
    // or the folder cannot be read.
    std::optional<std::string> find(const std::string& folder, std::string_view engineName);

    // The engine has just changed something in `folder`: its listing is read anew when next needed.
    void forget(const std::string& folder);

    bool holds(const std::string& folder) const;
    size_t nameCount() const;

private:
    struct Listing;
    struct Slot {
        std::shared_ptr<const Listing> listing;
        std::list<std::string>::iterator use;
    };

    std::shared_ptr<const Listing> cached(const std::string& folder);
    std::shared_ptr<const Listing> read(const std::string& folder, const FolderStamp& stamp);
    void store(const std::string& folder, std::shared_ptr<const Listing> listing);
    void dropLocked(const std::string& folder);

    const size_t nameLimit_;
    mutable std::mutex lock_;
    std::unordered_map<std::string, Slot> slots_;
    std::list<std::string> useOrder_; // most recently used first
    size_t nameCount_ = 0;
};

} // namespace platform
