#include "platform/FolderListingCache.h"

#include "platform/Charset.h"
#include "platform/FileSystem.h"

#include <ctime>
#include <sys/stat.h>

namespace platform {

namespace {

// Enough names for the data trees of several applications at once; a listing costs some
// hundred bytes a name.
constexpr size_t kSharedNameLimit = 100000;

// File systems keep modification times in steps: two seconds on FAT, whole seconds on some,
// a tick of the kernel's clock or finer on the rest. Two changes within one step leave the
// same time, so a listing read within a few steps of the folder's last change may miss a
// change that follows.
constexpr int64_t kSecond = 1'000'000'000;
constexpr int64_t kSettlingOnWholeSeconds = 2 * kSecond;
constexpr int64_t kSettlingOnFineTimes = kSecond / 10;

int64_t nanoseconds(const timespec& time)
{
    return static_cast<int64_t>(time.tv_sec) * kSecond + time.tv_nsec;
}

} // namespace

std::optional<FolderStamp> FolderStamp::of(const std::string& folder)
{
    // The clock is read before the folder: a change after the reading cannot be older.
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    FolderStamp stamp;
    stamp.device = static_cast<uint64_t>(info.st_dev);
    stamp.inode = static_cast<uint64_t>(info.st_ino);
    stamp.modified = nanoseconds(info.st_mtim);
    stamp.changed = nanoseconds(info.st_ctim);
    const int64_t settling = stamp.modified % kSecond == 0 ? kSettlingOnWholeSeconds : kSettlingOnFineTimes;
    stamp.recent = stamp.modified > nanoseconds(now) - settling;
    return stamp;
}

bool FolderStamp::sameFolderState(const FolderStamp& other) const
{
    return device == other.device && inode == other.inode && modified == other.modified &&
           changed == other.changed;
}

// One folder as it was read: its stamp at the time, and each entry's disk name under its
// engine name folded to lower case.
struct FolderListingCache::Listing {
    FolderStamp stamp;
    std::unordered_map<std::string, std::string> diskNames;

    std::optional<std::string> diskNameOf(const std::string& foldedName) const
    {
        const auto found = diskNames.find(foldedName);
        if (found == diskNames.end())
            return std::nullopt;
        return found->second;
    }
};

FolderListingCache::FolderListingCache(size_t nameLimit)
    : nameLimit_(nameLimit)
{
}

FolderListingCache& FolderListingCache::shared()
{
    static FolderListingCache cache(kSharedNameLimit);
    return cache;
}

std::optional<std::string> FolderListingCache::find(const std::string& folder, std::string_view engineName)
{
    const std::string key = cp1250Folded(engineName);
    const std::optional<FolderStamp> stamp = FolderStamp::of(folder);
    if (!stamp) {
        forget(folder);
        return std::nullopt;
    }
    const std::shared_ptr<const Listing> kept = cached(folder);
    if (kept && kept->stamp.sameFolderState(*stamp))
        return kept->diskNameOf(key);
    const std::shared_ptr<const Listing> fresh = read(folder, *stamp);
    return fresh ? fresh->diskNameOf(key) : std::nullopt;
}

void FolderListingCache::forget(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(lock_);
    dropLocked(folder);
}

bool FolderListingCache::holds(const std::string& folder) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return slots_.count(folder) != 0;
}

size_t FolderListingCache::nameCount() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return nameCount_;
}

std::shared_ptr<const FolderListingCache::Listing> FolderListingCache::cached(const std::string& folder)
{
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = slots_.find(folder);
    if (found == slots_.end())
        return nullptr;
    useOrder_.splice(useOrder_.begin(), useOrder_, found->second.use);
    return found->second.listing;
}

// The stamp is taken before the entries are read, so a change made meanwhile shows as a
// different stamp at the next look-up. A folder that changed a moment ago is read afresh
// until it settles.
std::shared_ptr<const FolderListingCache::Listing> FolderListingCache::read(const std::string& folder,
                                                                            const FolderStamp& stamp)
{
    std::optional<std::vector<std::string>> names = folderEntryNames(folder);
    if (!names) {
        forget(folder);
        return nullptr;
    }
    auto listing = std::make_shared<Listing>();
    listing->stamp = stamp;
    listing->diskNames.reserve(names->size());
    // Names come in byte order, and the first of those that differ only in case is kept.
    for (std::string& name : *names)
        listing->diskNames.emplace(cp1250Folded(engineNameOfDiskName(name)), std::move(name));
    if (stamp.recent)
        forget(folder);
    else
        store(folder, listing);
    return listing;
}

void FolderListingCache::store(const std::string& folder, std::shared_ptr<const Listing> listing)
{
    std::lock_guard<std::mutex> guard(lock_);
    dropLocked(folder);
    const size_t names = listing->diskNames.size();
    if (names > nameLimit_)
        return;
    useOrder_.push_front(folder);
    slots_.emplace(folder, Slot{std::move(listing), useOrder_.begin()});
    nameCount_ += names;
    while (nameCount_ > nameLimit_) {
        const std::string leastUsed = useOrder_.back();
        dropLocked(leastUsed);
    }
}

void FolderListingCache::dropLocked(const std::string& folder)
{
    const auto found = slots_.find(folder);
    if (found == slots_.end())
        return;
    nameCount_ -= found->second.listing->diskNames.size();
    useOrder_.erase(found->second.use);
    slots_.erase(found);
}

} // namespace platform
