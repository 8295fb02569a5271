#pragma once

// The in-memory form of one settings file: its exact bytes plus an index of its section headers
// and key lines. Lookups and edits follow the private-profile rules described in IniFile.h;
// this class does no file I/O, so it can be tested and fuzzed on bytes alone.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/IniEncoding.h"

namespace pelmar::ini {

// Why an edit was refused. A refused edit leaves the document as it was.
enum class EditError : std::uint8_t {
    kNone,
    kLineBreak,        // a name or the value contains CR or LF
    kInvalidUtf8,      // a name or the value is not valid UTF-8
    kBadSectionName,   // the section name contains ']'
    kBadKeyName,       // the key name is blank, contains '=', or starts like a header or comment
    kNotEncodable,     // the text has no representation in the file's encoding
    kWouldReadAsUtf8,  // a GB18030 file would become valid UTF-8 and so change its meaning
};

std::string_view Describe(EditError error);

class Document {
  public:
    // An empty new file: UTF-8 without byte order mark, lines ending in "\n".
    Document() = default;

    // Indexes any bytes; never fails. Encoding detection is that of DetectEncoding().
    static Document Parse(std::string bytes);

    // The trimmed value of the first key named `key` in the first section named `section`
    // (both compared without regard to ASCII case), as UTF-8; nothing when either is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Whether a section of that name (compared without regard to ASCII case) exists.
    bool HasSection(std::string_view section) const { return FindSection(section).has_value(); }

    // Replaces the value of the key in place, or inserts "key=value" after the last key line of
    // the section, or appends the section with the key at the end of the file. All other bytes
    // stay as they are; new lines use the encoding and line end of the file. Blanks around the
    // value are not stored.
    [[nodiscard]] EditError Set(std::string_view section, std::string_view key,
                                std::string_view value);

    // The file's complete bytes, byte order mark included.
    const std::string& Bytes() const { return bytes_; }

  private:
    enum class LineEnd : std::uint8_t { kLf, kCrLf };
    enum class EntryKind : std::uint8_t { kSection, kKey };

    // A section header or key line. Offsets named raw* index bytes_; the others index the
    // decoded text (TextBuffer()).
    struct Entry {
        EntryKind kind;
        std::size_t rawContentEnd;  // end of the line's text, before its line end
        std::size_t rawLineEnd;     // after its line end (equal to rawContentEnd at end of file)
        std::size_t rawValueBegin;  // where the value starts (key lines)
        std::size_t nameBegin;
        std::size_t nameLength;
        std::size_t valueBegin;
        std::size_t valueLength;
    };

    // The first key line named `key` in the section whose header is entries_[header], if any,
    // and the section's last entry (its header when it has no keys).
    struct KeySearch {
        std::optional<std::size_t> match;
        std::size_t last;
    };

    void Index();
    void IndexLine(std::size_t begin, std::size_t contentEnd, std::size_t lineEnd,
                   LineDecoder& decoder);
    std::size_t FindLineFeed(std::size_t from) const;
    bool UnitIs(std::size_t pos, char ascii) const;
    std::size_t RawValueBegin(std::size_t begin, std::size_t contentEnd) const;
    std::string_view TextBuffer() const;
    std::string_view Name(const Entry& entry) const;
    std::optional<std::size_t> FindSection(std::string_view section) const;
    KeySearch FindKey(std::size_t header, std::string_view key) const;
    std::string LineEndBytes() const;
    std::string TerminateLastLine() const;
    EditError Replace(std::string updated);

    std::string bytes_;
    // Decoded UTF-8 text of the lines; unused for plain UTF-8 files, whose bytes are the text.
    std::string text_;
    std::vector<Entry> entries_;
    Encoding encoding_ = Encoding::kUtf8;
    LineEnd newLine_ = LineEnd::kLf;
};

}  // namespace pelmar::ini
