#include "platform/ini/IniDocument.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pelmar::ini {
namespace {

using namespace std::string_view_literals;

// Messages for refused edits, indexed by EditError.
constexpr std::array<std::string_view, 7> kEditErrorMessages{
    "no error",
    "a section name, key name or value contains a line break",
    "a section name, key name or value is not valid UTF-8",
    "a section name contains ']'",
    "a key name is blank, contains '=' or starts with '[', ';' or '#'",
    "the text cannot be represented in the file's encoding",
    "the GB18030 file would afterwards read as UTF-8 and change its meaning",
};

// Line ends as bytes, by code unit size (1: UTF-8 and GB18030, 2: UTF-16LE).
constexpr std::array<std::string_view, 3> kLfBytes{""sv, "\n"sv, "\n\0"sv};
constexpr std::array<std::string_view, 3> kCrLfBytes{""sv, "\r\n"sv, "\r\0\n\0"sv};

// First characters that make a line a comment rather than a key.
constexpr std::string_view kCommentStarts = ";#";
// Characters a key name may not start with, since the line would then read as something else.
constexpr std::string_view kKeyForbiddenStarts = "[;#";
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreaks = "\r\n";
// Completes a trailing half UTF-16 unit to a lone high surrogate (see TerminateLastLine).
constexpr char kHalfUnitPadding = '\xD8';

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// Where a trimmed part of `line` lies, as offsets from the start of the line.
struct Span {
    std::size_t begin = 0;
    std::size_t length = 0;
};

Span TrimmedSpan(std::string_view line, std::size_t begin, std::size_t end) {
    const std::string_view part = Trim(line.substr(begin, end - begin));
    if (part.empty())
        return {begin, 0};
    return {static_cast<std::size_t>(part.data() - line.data()), part.size()};
}

EditError Validate(std::string_view section, std::string_view key, std::string_view value) {
    for (const std::string_view part : {section, key, value}) {
        if (part.find_first_of(kLineBreaks) != std::string_view::npos)
            return EditError::kLineBreak;
        if (!IsValidUtf8(part))
            return EditError::kInvalidUtf8;
    }
    if (section.find(']') != std::string_view::npos)
        return EditError::kBadSectionName;
    const std::string_view trimmedKey = Trim(key);
    if (trimmedKey.empty() || key.find('=') != std::string_view::npos ||
        kKeyForbiddenStarts.find(trimmedKey.front()) != std::string_view::npos) {
        return EditError::kBadKeyName;
    }
    return EditError::kNone;
}

}  // namespace

std::string_view Describe(EditError error) {
    return kEditErrorMessages.at(static_cast<std::size_t>(error));
}

Document Document::Parse(std::string bytes) {
    Document document;
    document.encoding_ = DetectEncoding(bytes);
    document.bytes_ = std::move(bytes);
    document.Index();
    return document;
}

void Document::Index() {
    const std::size_t unit = CodeUnitSize(encoding_);
    LineDecoder decoder(encoding_);
    bool lineEndSeen = false;
    std::size_t pos = ByteOrderMark(encoding_).size();
    while (pos < bytes_.size()) {
        const std::size_t lineFeed = FindLineFeed(pos);
        if (lineFeed == std::string::npos) {
            // A last line cut off after the CR of a CRLF keeps the CR out of its text, as it
            // would be once the line is completed.
            const bool cr = bytes_.size() % unit == 0 && bytes_.size() - pos >= unit &&
                            UnitIs(bytes_.size() - unit, '\r');
            IndexLine(pos, bytes_.size() - (cr ? unit : 0), bytes_.size(), decoder);
            break;
        }
        std::size_t contentEnd = lineFeed;
        const bool crlf = contentEnd - pos >= unit && UnitIs(contentEnd - unit, '\r');
        if (crlf)
            contentEnd -= unit;
        if (!lineEndSeen) {
            newLine_ = crlf ? LineEnd::kCrLf : LineEnd::kLf;
            lineEndSeen = true;
        }
        IndexLine(pos, contentEnd, lineFeed + unit, decoder);
        pos = lineFeed + unit;
    }
}

void Document::IndexLine(std::size_t begin, std::size_t contentEnd, std::size_t lineEnd,
                         LineDecoder& decoder) {
    std::size_t textBase = begin;
    std::string_view line;
    if (encoding_ == Encoding::kUtf8) {
        line = std::string_view(bytes_).substr(begin, contentEnd - begin);
    } else {
        textBase = text_.size();
        text_ += decoder.Decode(std::string_view(bytes_).substr(begin, contentEnd - begin));
        line = std::string_view(text_).substr(textBase);
    }

    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos ||
        kCommentStarts.find(line[first]) != std::string_view::npos) {
        return;
    }
    Entry entry{};
    entry.rawContentEnd = contentEnd;
    entry.rawLineEnd = lineEnd;
    Span name;
    if (line[first] == '[') {
        const std::size_t close = std::min(line.find(']', first + 1), line.size());
        entry.kind = EntryKind::kSection;
        name = TrimmedSpan(line, first + 1, close);
    } else {
        const std::size_t equals = line.find('=', first);
        if (equals == std::string_view::npos)
            return;
        entry.kind = EntryKind::kKey;
        name = TrimmedSpan(line, first, equals);
        const Span value = TrimmedSpan(line, equals + 1, line.size());
        entry.valueBegin = textBase + value.begin;
        entry.valueLength = value.length;
        entry.rawValueBegin = RawValueBegin(begin, contentEnd);
    }
    entry.nameBegin = textBase + name.begin;
    entry.nameLength = name.length;
    entries_.push_back(entry);
}

std::size_t Document::FindLineFeed(std::size_t from) const {
    if (CodeUnitSize(encoding_) == 1)
        return bytes_.find('\n', from);
    for (std::size_t pos = from; pos + 1 < bytes_.size(); pos += 2) {
        if (UnitIs(pos, '\n'))
            return pos;
    }
    return std::string::npos;
}

bool Document::UnitIs(std::size_t pos, char ascii) const {
    if (bytes_[pos] != ascii)
        return false;
    return CodeUnitSize(encoding_) == 1 || bytes_[pos + 1] == '\0';
}

// The value starts after the first '=' and the blanks that follow it. '=', space and tab are
// single units in every supported encoding and never part of a multi-byte character, so the
// raw offset is found without decoding.
std::size_t Document::RawValueBegin(std::size_t begin, std::size_t contentEnd) const {
    const std::size_t unit = CodeUnitSize(encoding_);
    if (unit == 1) {
        const std::string_view line = std::string_view(bytes_).substr(begin, contentEnd - begin);
        const std::size_t equals = line.find('=');
        const std::size_t value = equals == std::string_view::npos
                                      ? std::string_view::npos
                                      : line.find_first_not_of(kBlanks, equals + 1);
        return value == std::string_view::npos ? contentEnd : begin + value;
    }
    std::size_t pos = begin;
    while (pos + unit <= contentEnd && !UnitIs(pos, '='))
        pos += unit;
    if (pos + unit > contentEnd)
        return contentEnd;
    pos += unit;
    while (pos + unit <= contentEnd && (UnitIs(pos, ' ') || UnitIs(pos, '\t')))
        pos += unit;
    return pos;
}

std::string_view Document::TextBuffer() const {
    return encoding_ == Encoding::kUtf8 ? std::string_view(bytes_) : std::string_view(text_);
}

std::string_view Document::Name(const Entry& entry) const {
    return TextBuffer().substr(entry.nameBegin, entry.nameLength);
}

std::optional<std::size_t> Document::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == EntryKind::kSection &&
            EqualIgnoringAsciiCase(Name(entries_[i]), wanted)) {
            return i;
        }
    }
    return std::nullopt;
}

Document::KeySearch Document::FindKey(std::size_t header, std::string_view key) const {
    const std::string_view wanted = Trim(key);
    KeySearch search{std::nullopt, header};
    for (std::size_t i = header + 1; i < entries_.size(); ++i) {
        if (entries_[i].kind == EntryKind::kSection)
            break;
        if (EqualIgnoringAsciiCase(Name(entries_[i]), wanted)) {
            search.match = i;
            break;
        }
        search.last = i;
    }
    return search;
}

std::optional<std::string_view> Document::Find(std::string_view section,
                                               std::string_view key) const {
    const std::optional<std::size_t> header = FindSection(section);
    if (!header)
        return std::nullopt;
    const std::optional<std::size_t> match = FindKey(*header, key).match;
    if (!match)
        return std::nullopt;
    const Entry& entry = entries_[*match];
    return TextBuffer().substr(entry.valueBegin, entry.valueLength);
}

std::string Document::LineEndBytes() const {
    const std::size_t unit = CodeUnitSize(encoding_);
    return std::string(newLine_ == LineEnd::kCrLf ? kCrLfBytes[unit] : kLfBytes[unit]);
}

// What must be added before text appended at the end of the file: nothing when the file is empty
// or ends with a line feed, the LF that completes a trailing CR, else a line end. A UTF-16 file
// that ends in half a code unit first gets the byte 0xD8 to complete it: the unit is then a
// lone high surrogate, which reads as U+FFFD just as the half unit did, so the line keeps its
// meaning.
std::string Document::TerminateLastLine() const {
    const std::size_t unit = CodeUnitSize(encoding_);
    const std::size_t bodySize = bytes_.size() - ByteOrderMark(encoding_).size();
    if (bodySize == 0)
        return {};
    if (bodySize % unit != 0)
        return std::string(1, kHalfUnitPadding) + LineEndBytes();
    if (UnitIs(bytes_.size() - unit, '\n'))
        return {};
    if (UnitIs(bytes_.size() - unit, '\r'))
        return std::string(kLfBytes[unit]);
    return LineEndBytes();
}

// A GB18030 file is recognised by not being valid UTF-8. An edit that removes the last bytes
// that are invalid UTF-8 while other non-ASCII text remains would make the whole file read as
// UTF-8 with a different meaning, so such an edit is refused.
EditError Document::Replace(std::string updated) {
    if (encoding_ == Encoding::kGb18030 && DetectEncoding(updated) == Encoding::kUtf8 &&
        std::any_of(updated.begin(), updated.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        return EditError::kWouldReadAsUtf8;
    }
    *this = Parse(std::move(updated));
    return EditError::kNone;
}

EditError Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (const EditError error = Validate(section, key, value); error != EditError::kNone) {
        return error;
    }
    // Reads ignore blanks around a value, so they are not stored; this also makes writing the
    // same value twice leave the same bytes.
    value = Trim(value);
    const std::string lineEnd = LineEndBytes();
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        const std::optional<std::string> headerLine =
            EncodeFromUtf8("[" + std::string(section) + "]", encoding_);
        const std::optional<std::string> keyLine =
            EncodeFromUtf8(std::string(key) + "=" + std::string(value), encoding_);
        if (!headerLine || !keyLine)
            return EditError::kNotEncodable;
        return Replace(bytes_ + TerminateLastLine() + *headerLine + lineEnd + *keyLine + lineEnd);
    }

    const KeySearch search = FindKey(*header, key);
    if (search.match) {
        const Entry& entry = entries_[*search.match];
        const std::optional<std::string> encoded = EncodeFromUtf8(value, encoding_);
        if (!encoded)
            return EditError::kNotEncodable;
        return Replace(bytes_.substr(0, entry.rawValueBegin) + *encoded +
                       bytes_.substr(entry.rawContentEnd));
    }

    const std::optional<std::string> keyLine =
        EncodeFromUtf8(std::string(key) + "=" + std::string(value), encoding_);
    if (!keyLine)
        return EditError::kNotEncodable;
    const Entry& after = entries_[search.last];
    const bool atEndOfFile = after.rawLineEnd == bytes_.size();
    const std::string before = atEndOfFile ? TerminateLastLine() : std::string();
    return Replace(bytes_.substr(0, after.rawLineEnd) + before + *keyLine + lineEnd +
                   bytes_.substr(after.rawLineEnd));
}

}  // namespace pelmar::ini
