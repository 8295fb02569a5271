#include "platform/ini/IniEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

namespace pelmar::ini {
namespace {

// Byte order marks by encoding; GB18030 and plain UTF-8 files carry none.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;

constexpr const char* kGb18030Name = "GB18030";
constexpr const char* kUtf8Name = "UTF-8";
// Output room per iconv call: enough for any character of either direction (at most four bytes
// out per byte in), capped so that a huge line is converted in bounded steps.
constexpr std::size_t kMaxConversionGrowth = 4;
constexpr std::size_t kMinConversionRoom = 16;
constexpr std::size_t kMaxConversionStep = std::size_t{1} << 20;

// Well-formed UTF-8 sequences by lead byte: total length and the allowed range of the second
// byte (the later bytes are always 0x80 to 0xBF). Lead bytes not listed are invalid.
struct Utf8Lead {
    unsigned char firstLead;
    unsigned char lastLead;
    std::size_t length;
    unsigned char secondMin;
    unsigned char secondMax;
};
constexpr std::array<Utf8Lead, 7> kUtf8Leads{{
    {0xC2, 0xDF, 2, 0x80, 0xBF},
    {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF4, 4, 0x80, 0xBF},
}};
// Payload bits of the lead byte, by sequence length.
constexpr std::array<unsigned char, 5> kUtf8LeadMask{0x00, 0x7F, 0x1F, 0x0F, 0x07};
constexpr unsigned char kLastF4Second = 0x8F;

// Decodes the character at `pos`; returns its length, or 0 when the bytes there are not a
// well-formed UTF-8 sequence.
std::size_t DecodeUtf8At(std::string_view text, std::size_t pos, char32_t& out) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    for (const Utf8Lead& entry : kUtf8Leads) {
        if (lead < entry.firstLead || lead > entry.lastLead)
            continue;
        if (text.size() - pos < entry.length)
            return 0;
        const unsigned char secondMax = lead == 0xF4 ? kLastF4Second : entry.secondMax;
        const auto second = static_cast<unsigned char>(text[pos + 1]);
        if (second < entry.secondMin || second > secondMax)
            return 0;
        char32_t value = lead & kUtf8LeadMask[entry.length];
        for (std::size_t i = 1; i < entry.length; ++i) {
            const auto next = static_cast<unsigned char>(text[pos + i]);
            if ((next & 0xC0) != 0x80)
                return 0;
            value = (value << 6) | (next & 0x3F);
        }
        out = value;
        return entry.length;
    }
    return 0;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < kFirstSupplementary) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16Unit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
}

std::string DecodeUtf8Lossy(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t pos = 0; pos < raw.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(raw, pos, c);
        if (length == 0) {
            AppendUtf8(out, kReplacementCharacter);
            ++pos;
        } else {
            out.append(raw.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::string DecodeUtf16Le(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    const auto unitAt = [raw](std::size_t pos) -> char32_t {
        return static_cast<unsigned char>(raw[pos]) |
               (static_cast<char32_t>(static_cast<unsigned char>(raw[pos + 1])) << 8);
    };
    std::size_t pos = 0;
    for (; pos + 1 < raw.size(); pos += 2) {
        const char32_t unit = unitAt(pos);
        if (unit < kHighSurrogateFirst || unit > kSurrogateLast) {
            AppendUtf8(out, unit);
            continue;
        }
        const bool high = unit < kLowSurrogateFirst;
        const bool pairFollows = high && pos + 3 < raw.size() &&
                                 unitAt(pos + 2) >= kLowSurrogateFirst &&
                                 unitAt(pos + 2) <= kSurrogateLast;
        if (!pairFollows) {
            AppendUtf8(out, kReplacementCharacter);
            continue;
        }
        const char32_t low = unitAt(pos + 2);
        AppendUtf8(out, kFirstSupplementary + ((unit - kHighSurrogateFirst) << 10) +
                            (low - kLowSurrogateFirst));
        pos += 2;
    }
    if (pos < raw.size())
        AppendUtf8(out, kReplacementCharacter);
    return out;
}

std::string EncodeUtf16Le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        pos += length;
        if (c < kFirstSupplementary) {
            AppendUtf16Unit(out, c);
        } else {
            const char32_t offset = c - kFirstSupplementary;
            AppendUtf16Unit(out, kHighSurrogateFirst + (offset >> 10));
            AppendUtf16Unit(out, kLowSurrogateFirst + (offset & 0x3FF));
        }
    }
    return out;
}

}  // namespace

// An iconv conversion descriptor, closed on destruction. A descriptor must not be shared
// between threads.
class IconvConverter {
  public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvConverter() {
        if (Valid())
            iconv_close(handle_);
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    [[nodiscard]] bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`, appending to `out`. On a sequence that cannot be converted, returns
    // false when `replacement` is empty; otherwise appends it, skips one input byte and goes on.
    bool Convert(std::string_view in, std::string& out, std::string_view replacement) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        while (inLeft > 0) {
            // Output goes straight into `out`, in steps large enough that a line normally takes
            // one call.
            const std::size_t start = out.size();
            const std::size_t room =
                std::min(kMaxConversionStep, inLeft * kMaxConversionGrowth + kMinConversionRoom);
            out.resize(start + room);
            char* outPtr = out.data() + start;
            std::size_t outLeft = room;
            const std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            out.resize(start + room - outLeft);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG)
                continue;
            if (replacement.empty())
                return false;
            out.append(replacement);
            ++inPtr;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

  private:
    iconv_t handle_;
};

namespace {

std::optional<std::string> EncodeGb18030(std::string_view text) {
    IconvConverter converter(kGb18030Name, kUtf8Name);
    std::string out;
    if (!converter.Valid() || !converter.Convert(text, out, {}))
        return std::nullopt;
    return out;
}

}  // namespace

Encoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return Encoding::kUtf8Bom;
    if (bytes.starts_with(kUtf16LeBom))
        return Encoding::kUtf16Le;
    return IsValidUtf8(bytes) ? Encoding::kUtf8 : Encoding::kGb18030;
}

std::string_view ByteOrderMark(Encoding encoding) {
    switch (encoding) {
        case Encoding::kUtf8Bom:
            return kUtf8Bom;
        case Encoding::kUtf16Le:
            return kUtf16LeBom;
        case Encoding::kUtf8:
        case Encoding::kGb18030:
            break;
    }
    return {};
}

std::size_t CodeUnitSize(Encoding encoding) {
    return encoding == Encoding::kUtf16Le ? 2 : 1;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

LineDecoder::LineDecoder(Encoding encoding) : encoding_(encoding) {
    if (encoding_ == Encoding::kGb18030)
        converter_ = std::make_unique<IconvConverter>(kUtf8Name, kGb18030Name);
}

LineDecoder::~LineDecoder() = default;

std::string LineDecoder::Decode(std::string_view raw) {
    switch (encoding_) {
        case Encoding::kUtf8:
        case Encoding::kUtf8Bom:
            return DecodeUtf8Lossy(raw);
        case Encoding::kUtf16Le:
            return DecodeUtf16Le(raw);
        case Encoding::kGb18030:
            break;
    }
    std::string out;
    out.reserve(raw.size() + raw.size() / 2);
    if (converter_->Valid()) {
        converter_->Convert(raw, out, kReplacementUtf8);
        return out;
    }
    // Without a converter only the ASCII range can be read.
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += kReplacementUtf8;
        }
    }
    return out;
}

std::optional<std::string> EncodeFromUtf8(std::string_view text, Encoding encoding) {
    if (!IsValidUtf8(text))
        return std::nullopt;
    switch (encoding) {
        case Encoding::kUtf8:
        case Encoding::kUtf8Bom:
            return std::string(text);
        case Encoding::kUtf16Le:
            return EncodeUtf16Le(text);
        case Encoding::kGb18030:
            break;
    }
    return EncodeGb18030(text);
}

std::string_view PrefixOfUtf16Units(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        const std::size_t length = std::max<std::size_t>(DecodeUtf8At(text, pos, c), 1);
        const std::size_t needed = c >= kFirstSupplementary ? 2 : 1;
        if (used + needed > units)
            break;
        used += needed;
        pos += length;
    }
    return text.substr(0, pos);
}

}  // namespace pelmar::ini
