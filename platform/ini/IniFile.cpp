#include "platform/ini/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/ini/IniDocument.h"

namespace pelmar::ini {
namespace {

// Larger files are not settings files; they read as empty and are never rewritten.
constexpr off_t kMaxFileBytes = off_t{16} << 20;
// Parsed files kept in memory.
constexpr std::size_t kCacheCapacity = 8;
// Names tried for the temporary file before giving up.
constexpr int kTempNameAttempts = 64;
constexpr std::size_t kReadChunk = 64 * 1024;
// Mode of new files, before the process's umask.
constexpr mode_t kNewFileMode = 0666;
// Mode of the temporary file while it replaces an existing one, until fchmod copies the mode.
constexpr mode_t kPrivateFileMode = 0600;
constexpr mode_t kPermissionBits = 07777;
// White space skipped by the C library's number conversions in the "C" locale.
constexpr std::string_view kCSpace = " \t\n\v\f\r";

std::atomic<std::uint64_t> parseCount{0};
std::atomic<std::uint64_t> replacementCount{0};

std::string ErrnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// An open file descriptor, closed on destruction.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int Get() const { return fd_; }
    [[nodiscard]] bool Valid() const { return fd_ >= 0; }

    // Closes now and reports whether the close succeeded; errno tells why not.
    [[nodiscard]] bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

// What identifies one version of a file on disk. Any change in place moves the change time,
// and a replacement brings a new inode.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FileStamp Of(const struct stat& info) {
        return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    }
    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

// Parsed files by path, least recently used evicted first.
class DocumentCache {
  public:
    std::shared_ptr<const Document> Find(const std::string& path, const FileStamp& stamp) {
        std::lock_guard lock(mutex_);
        for (Slot& slot : slots_) {
            if (slot.path == path && slot.stamp == stamp) {
                slot.lastUse = ++clock_;
                return slot.document;
            }
        }
        return nullptr;
    }

    void Store(const std::string& path, const FileStamp& stamp,
               std::shared_ptr<const Document> document) {
        std::lock_guard lock(mutex_);
        auto slot = std::find_if(slots_.begin(), slots_.end(),
                                 [&path](const Slot& s) { return s.path == path; });
        if (slot == slots_.end()) {
            if (slots_.size() < kCacheCapacity) {
                slot = slots_.insert(slots_.end(), Slot{});
            } else {
                slot = std::min_element(
                    slots_.begin(), slots_.end(),
                    [](const Slot& a, const Slot& b) { return a.lastUse < b.lastUse; });
            }
        }
        *slot = Slot{path, stamp, std::move(document), ++clock_};
    }

    void Forget(const std::string& path) {
        std::lock_guard lock(mutex_);
        std::erase_if(slots_, [&path](const Slot& s) { return s.path == path; });
    }

  private:
    struct Slot {
        std::string path;
        FileStamp stamp;
        std::shared_ptr<const Document> document;
        std::uint64_t lastUse = 0;
    };

    std::mutex mutex_;
    std::vector<Slot> slots_;
    std::uint64_t clock_ = 0;
};

DocumentCache& Cache() {
    static DocumentCache cache;
    return cache;
}

// Serialises every write of this process, so each one starts from the file the previous one left.
std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

enum class LoadStatus : std::uint8_t { kLoaded, kMissing, kFailed };

struct Loaded {
    LoadStatus status = LoadStatus::kMissing;
    std::shared_ptr<const Document> document;
    mode_t mode = 0;
    std::string error;
};

Loaded Failed(std::string error) {
    return {LoadStatus::kFailed, nullptr, 0, std::move(error)};
}

std::optional<std::string> ReadAll(int fd) {
    std::string bytes;
    std::array<char, kReadChunk> chunk{};
    for (;;) {
        const ssize_t count = ::read(fd, chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            return bytes;
        bytes.append(chunk.data(), static_cast<std::size_t>(count));
        if (bytes.size() > static_cast<std::size_t>(kMaxFileBytes))
            return std::nullopt;
    }
}

// The cache is keyed by absolute path, so that a relative and an absolute name of one file
// share an entry.
std::string CacheKey(const std::filesystem::path& file) {
    std::error_code code;
    const std::filesystem::path absolute = std::filesystem::absolute(file, code);
    return (code ? file : absolute.lexically_normal()).native();
}

// Opens, checks and parses a file, or takes it from the cache when it has not changed.
Loaded Load(const std::filesystem::path& file, const std::string& cacheKey) {
    // O_NONBLOCK keeps a FIFO at this path from blocking the open.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) {
        const int error = errno;
        if (error == ENOENT)
            return {};
        return Failed("cannot open " + file.string() + ": " + ErrnoText(error));
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return Failed("cannot examine " + file.string() + ": " + ErrnoText(errno));
    }
    if (!S_ISREG(info.st_mode))
        return Failed(file.string() + " is not a regular file");
    if (info.st_size > kMaxFileBytes)
        return Failed(file.string() + " is too large");

    const FileStamp stamp = FileStamp::Of(info);
    const mode_t mode = info.st_mode & kPermissionBits;
    if (auto cached = Cache().Find(cacheKey, stamp)) {
        return {LoadStatus::kLoaded, std::move(cached), mode, {}};
    }
    std::optional<std::string> bytes = ReadAll(fd.Get());
    if (!bytes)
        return Failed("cannot read " + file.string());
    parseCount.fetch_add(1, std::memory_order_relaxed);
    auto document = std::make_shared<const Document>(Document::Parse(std::move(*bytes)));
    Cache().Store(cacheKey, stamp, document);
    return {LoadStatus::kLoaded, std::move(document), mode, {}};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// The folder a file lies in; "." for a bare file name.
std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

struct Created {
    FileDescriptor fd;
    std::filesystem::path path;
};

std::optional<Created> CreateTemporary(const std::filesystem::path& target, mode_t mode,
                                       std::string& error) {
    static std::uint64_t counter = 0;  // Guarded by WriteMutex().
    const std::filesystem::path folder = FolderOf(target);
    const std::string prefix =
        "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::filesystem::path path = folder / (prefix + std::to_string(++counter));
        FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.Valid())
            return Created{std::move(fd), std::move(path)};
        if (errno != EEXIST) {
            error = "cannot create a temporary file beside " + target.string() + ": " +
                    ErrnoText(errno);
            return std::nullopt;
        }
    }
    error = "no free temporary file name beside " + target.string();
    return std::nullopt;
}

// Replaces `target` with `bytes` through a synced temporary file in the same folder, so that
// the target is at every moment either the old file or the complete new one. Returns the stamp
// of the new file, or nothing when another process replaced it again at once.
std::optional<FileStamp> ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                                     std::optional<mode_t> keepMode, std::string& error) {
    std::optional<Created> temporary =
        CreateTemporary(target, keepMode ? kPrivateFileMode : kNewFileMode, error);
    if (!temporary)
        return std::nullopt;
    const auto fail = [&](const std::string& what) {
        error = what + " " + temporary->path.string() + ": " + ErrnoText(errno);
        ::unlink(temporary->path.c_str());
        return std::nullopt;
    };
    const int fd = temporary->fd.Get();
    if (keepMode && ::fchmod(fd, *keepMode) != 0)
        return fail("cannot set the mode of");
    if (!WriteAll(fd, bytes))
        return fail("cannot write");
    if (::fsync(fd) != 0)
        return fail("cannot sync");
    struct stat written {};
    if (::fstat(fd, &written) != 0)
        return fail("cannot examine");
    if (!temporary->fd.Close())
        return fail("cannot close");
    if (::rename(temporary->path.c_str(), target.c_str()) != 0)
        return fail("cannot rename");
    replacementCount.fetch_add(1, std::memory_order_relaxed);

    // The rename may change the change time, so the stamp is taken from the target, provided
    // it is still the file written here.
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || info.st_dev != written.st_dev ||
        info.st_ino != written.st_ino) {
        return std::nullopt;
    }
    return FileStamp::Of(info);
}

// Writes go to the file a symbolic link points to, so the link itself stays.
std::optional<std::filesystem::path> WriteTarget(const std::filesystem::path& file,
                                                 std::string& error) {
    std::error_code code;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, code)))
        return file;
    std::filesystem::path resolved = std::filesystem::canonical(file, code);
    if (code) {
        error = "cannot resolve the link " + file.string() + ": " + code.message();
        return std::nullopt;
    }
    return resolved;
}

}  // namespace

std::string ReadString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::size_t capacity) {
    if (capacity <= 1)
        return {};
    const Loaded loaded = Load(file, CacheKey(file));
    if (!loaded.document)
        return {};
    const std::optional<std::string_view> value = loaded.document->Find(section, key);
    if (!value)
        return {};
    return std::string(PrefixOfUtf16Units(*value, capacity - 1));
}

bool HasSection(const std::filesystem::path& file, std::string_view section) {
    const Loaded loaded = Load(file, CacheKey(file));
    return loaded.document && loaded.document->HasSection(section);
}

std::int32_t ReadInt(const std::filesystem::path& file, std::string_view section,
                     std::string_view key, std::size_t capacity) {
    return ToInt(ReadString(file, section, key, capacity));
}

WriteResult WriteString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
    IniBatch batch(file);
    batch.Set(section, key, value);
    return batch.Commit();
}

std::int32_t ToInt(std::string_view text) {
    std::size_t pos = std::min(text.find_first_not_of(kCSpace), text.size());
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), limit);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::uint64_t FileParseCount() {
    return parseCount.load(std::memory_order_relaxed);
}

std::uint64_t FileReplacementCount() {
    return replacementCount.load(std::memory_order_relaxed);
}

IniBatch::IniBatch(std::filesystem::path file) : file_(std::move(file)) {}

void IniBatch::Set(std::string_view section, std::string_view key, std::string_view value) {
    changes_.push_back({std::string(section), std::string(key), std::string(value)});
}

WriteResult IniBatch::Commit() {
    if (changes_.empty())
        return {};
    std::lock_guard lock(WriteMutex());

    std::string error;
    const std::optional<std::filesystem::path> target = WriteTarget(file_, error);
    if (!target)
        return {error};
    const std::string cacheKey = CacheKey(file_);
    const Loaded loaded = Load(file_, cacheKey);
    if (loaded.status == LoadStatus::kFailed)
        return {loaded.error};

    Document document = loaded.document ? *loaded.document : Document();
    for (const Change& change : changes_) {
        const EditError editError = document.Set(change.section, change.key, change.value);
        if (editError != EditError::kNone) {
            return {"cannot write " + change.section + "/" + change.key + " to " + file_.string() +
                    ": " + std::string(Describe(editError))};
        }
    }

    std::optional<mode_t> keepMode;
    if (loaded.status == LoadStatus::kLoaded)
        keepMode = loaded.mode;
    const std::optional<FileStamp> stamp = ReplaceFile(*target, document.Bytes(), keepMode, error);
    if (!error.empty())
        return {error};
    changes_.clear();
    if (stamp) {
        Cache().Store(cacheKey, *stamp, std::make_shared<const Document>(std::move(document)));
    } else {
        Cache().Forget(cacheKey);
    }
    return {};
}

}  // namespace pelmar::ini
