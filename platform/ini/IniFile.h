#pragma once

// Settings files read and written one key at a time.
//
// Reads: a missing file, section or key reads as the empty string. Section and key names are
// compared without regard to ASCII case; spaces and tabs around names and values are ignored.
// The first matching section and, inside it, the first matching key win. Lines starting with
// ';' or '#' are comments.
//
// Writes replace the value of an existing key in place (the key keeps its spelling and the
// blanks before the value), or add the key after the last key line of its section, or append
// the section at the end of the file, or create the file. Blanks around a written value are not
// stored. Nothing is ever deleted and every other byte of the file stays as it was. A new file
// is UTF-8 without byte order mark; an existing file keeps its encoding (UTF-8 with or without
// byte order mark, UTF-16LE, GB18030), its byte order mark and its line ends. Each write
// replaces the whole file atomically (temporary file, fsync, rename) under one process-wide
// lock, keeping the file's mode, so a crash leaves either the old or the new file and
// concurrent writers in this process never lose each other's keys. Files over 16 MiB are not
// settings files: they read as empty and writes to them fail.
//
// Parsed files are cached by path and reused while the file's identity, size and modification
// and change times are unchanged. All functions are thread-safe. All text is UTF-8.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar::ini {

// The outcome of a write. On failure the file on disk is unchanged.
struct [[nodiscard]] WriteResult {
    std::string error;  // Empty on success, else what went wrong.

    [[nodiscard]] bool Ok() const { return error.empty(); }
};

// Reads a value into a buffer of `capacity` UTF-16 units including the terminator: a longer value
// is cut to capacity - 1 units (never inside a surrogate pair). Returns "" for a missing file,
// section or key, for an unreadable file and for a capacity of 0 or 1.
std::string ReadString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::size_t capacity);

// Whether the file has a section of that name; false for a missing or unreadable file.
bool HasSection(const std::filesystem::path& file, std::string_view section);

// ToInt(ReadString(file, section, key, capacity)).
std::int32_t ReadInt(const std::filesystem::path& file, std::string_view section,
                     std::string_view key, std::size_t capacity);

// Writes one key. Refuses names and values containing line breaks or invalid UTF-8, section
// names containing ']', key names that are blank, contain '=' or start with '[', ';' or '#',
// and a write after which a GB18030 file would be valid UTF-8 yet hold other non-ASCII text
// (it would then read as UTF-8 with another meaning).
[[nodiscard]] WriteResult WriteString(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view value);

// The C library's decimal prefix conversion: leading white space, an optional sign, then digits
// up to the first non-digit; no digits gives 0. Saturates at the int32 limits.
std::int32_t ToInt(std::string_view text);

// How many times a file was read from disk and parsed since the process started; reads served
// from the cache do not count.
std::uint64_t FileParseCount();

// How many times a file was replaced on disk by a write since the process started.
std::uint64_t FileReplacementCount();

// Several writes, possibly in several sections, applied to one file as a single replacement.
// The resulting text is the same as that of the same writes made one by one.
class IniBatch {
  public:
    explicit IniBatch(std::filesystem::path file);

    void Set(std::string_view section, std::string_view key, std::string_view value);

    // Applies the pending writes in order and forgets them; on failure the file is unchanged
    // and the writes stay pending. A batch without writes does not touch the file.
    [[nodiscard]] WriteResult Commit();

  private:
    struct Change {
        std::string section;
        std::string key;
        std::string value;
    };

    std::filesystem::path file_;
    std::vector<Change> changes_;
};

}  // namespace pelmar::ini
