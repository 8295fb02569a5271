#pragma once

// Text encodings of settings files. Files are UTF-8 (with or without a byte order mark),
// UTF-16LE with a byte order mark, or GB18030 when the bytes are not valid UTF-8. The rest of
// the INI code works on UTF-8 text and on the raw bytes of the file, never on wide strings.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pelmar::ini {

enum class Encoding : std::uint8_t { kUtf8, kUtf8Bom, kUtf16Le, kGb18030 };

// Picks the encoding of a file's bytes: a byte order mark decides; otherwise UTF-8 when every
// byte sequence is valid UTF-8, else GB18030.
Encoding DetectEncoding(std::string_view bytes);

// The byte order mark an encoding writes at the start of the file (empty for none).
std::string_view ByteOrderMark(Encoding encoding);

// Size in bytes of one code unit: 2 for UTF-16LE, 1 otherwise.
std::size_t CodeUnitSize(Encoding encoding);

bool IsValidUtf8(std::string_view text);

class IconvConverter;

// Converts the raw bytes of the lines of one file to UTF-8. Never fails: every byte sequence
// that cannot be decoded becomes U+FFFD, so the result is always valid UTF-8. One decoder serves
// all lines of a file, so a GB18030 converter is opened once per file; it is not to be shared
// between threads.
class LineDecoder {
  public:
    explicit LineDecoder(Encoding encoding);
    ~LineDecoder();
    LineDecoder(const LineDecoder&) = delete;
    LineDecoder& operator=(const LineDecoder&) = delete;

    std::string Decode(std::string_view raw);

  private:
    Encoding encoding_;
    std::unique_ptr<IconvConverter> converter_;  // GB18030 only
};

// Converts valid UTF-8 text to the raw bytes of the encoding (without byte order mark), or
// nothing when the text has no representation in it.
std::optional<std::string> EncodeFromUtf8(std::string_view text, Encoding encoding);

// The longest prefix of valid UTF-8 text that fits in `units` UTF-16 code units. A character
// outside the Basic Multilingual Plane takes two units and is never split.
std::string_view PrefixOfUtf16Units(std::string_view text, std::size_t units);

}  // namespace pelmar::ini
