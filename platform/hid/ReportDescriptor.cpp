#include "platform/hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>

namespace pelmar {

namespace {

// Item types and tags of the short items the parser acts on.
enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

enum class MainTag : std::uint8_t {
    Input = 0x8,
    Output = 0x9,
    Collection = 0xA,
    Feature = 0xB,
    EndCollection = 0xC,
};

enum class GlobalTag : std::uint8_t {
    UsagePage = 0x0,
    ReportSize = 0x7,
    ReportId = 0x8,
    ReportCount = 0x9,
    Push = 0xA,
    Pop = 0xB,
};

enum class LocalTag : std::uint8_t { Usage = 0x0 };

constexpr std::uint8_t kLongItemPrefix = 0xFE;
// Data size in bytes by the two size bits of a short item's prefix.
constexpr std::array<std::size_t, 4> kShortItemSizes{0, 1, 2, 4};
// A deeper push stack than any real device needs; further pushes are ignored.
constexpr std::size_t kMaxPushDepth = 64;
// Bits a report can hold before its length would no longer fit the caps.
constexpr std::uint64_t kMaxReportBits = 8ull * std::numeric_limits<std::uint16_t>::max();

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

enum ReportType : std::size_t { kInput = 0, kOutput = 1, kFeature = 2, kReportTypes = 3 };

// Bits of each report of one top-level collection, by type and identifier.
struct CollectionReports {
    HidCaps caps;
    std::array<std::map<std::uint8_t, std::uint64_t>, kReportTypes> bits;
};

std::uint16_t ByteLength(const std::map<std::uint8_t, std::uint64_t>& reports) {
    if (reports.empty()) {
        return 0;
    }
    std::uint64_t longest = 0;
    for (const auto& [id, bits] : reports) {
        longest = std::max(longest, bits);
    }
    const std::uint64_t bytes = (longest + 7) / 8 + 1;  // data plus the identifier byte
    return static_cast<std::uint16_t>(
        std::min<std::uint64_t>(bytes, std::numeric_limits<std::uint16_t>::max()));
}

class Parser {
  public:
    ReportDescriptor Run(std::span<const std::uint8_t> bytes) {
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::uint8_t prefix = bytes[at];
            if (prefix == kLongItemPrefix) {
                // Long items carry no information the collections need.
                if (at + 1 >= bytes.size()) {
                    break;
                }
                at += 3 + bytes[at + 1];
                continue;
            }
            const std::size_t size = kShortItemSizes[prefix & 0x3u];
            if (at + 1 + size > bytes.size()) {
                break;
            }
            std::uint32_t data = 0;
            for (std::size_t i = 0; i < size; ++i) {
                data |= static_cast<std::uint32_t>(bytes[at + 1 + i]) << (8 * i);
            }
            Item(static_cast<ItemType>((prefix >> 2) & 0x3u),
                 static_cast<std::uint8_t>(prefix >> 4), data, size);
            at += 1 + size;
        }
        return Result();
    }

  private:
    void Item(ItemType type, std::uint8_t tag, std::uint32_t data, std::size_t size) {
        switch (type) {
            case ItemType::Main:
                MainItem(static_cast<MainTag>(tag));
                usages_.clear();
                break;
            case ItemType::Global:
                GlobalItem(static_cast<GlobalTag>(tag), data);
                break;
            case ItemType::Local:
                if (static_cast<LocalTag>(tag) == LocalTag::Usage) {
                    // A four-byte usage names its own page in the high half.
                    usages_.push_back(size == 4 ? data
                                                : (std::uint32_t{global_.usagePage} << 16) |
                                                      (data & 0xFFFFu));
                }
                break;
            case ItemType::Reserved:
                break;
        }
    }

    void MainItem(MainTag tag) {
        switch (tag) {
            case MainTag::Collection:
                if (depth_ == 0) {
                    CollectionReports collection;
                    if (!usages_.empty()) {
                        collection.caps.usagePage =
                            static_cast<std::uint16_t>(usages_.front() >> 16);
                        collection.caps.usage =
                            static_cast<std::uint16_t>(usages_.front() & 0xFFFFu);
                    } else {
                        collection.caps.usagePage = global_.usagePage;
                    }
                    collections_.push_back(std::move(collection));
                }
                ++depth_;
                break;
            case MainTag::EndCollection:
                if (depth_ > 0) {
                    --depth_;
                }
                break;
            case MainTag::Input:
                AddReportBits(kInput);
                break;
            case MainTag::Output:
                AddReportBits(kOutput);
                break;
            case MainTag::Feature:
                AddReportBits(kFeature);
                break;
        }
    }

    void GlobalItem(GlobalTag tag, std::uint32_t data) {
        switch (tag) {
            case GlobalTag::UsagePage:
                global_.usagePage = static_cast<std::uint16_t>(data);
                break;
            case GlobalTag::ReportSize:
                global_.reportSize = data;
                break;
            case GlobalTag::ReportCount:
                global_.reportCount = data;
                break;
            case GlobalTag::ReportId:
                global_.reportId = static_cast<std::uint8_t>(data);
                numbered_ = true;
                break;
            case GlobalTag::Push:
                if (stack_.size() < kMaxPushDepth) {
                    stack_.push_back(global_);
                }
                break;
            case GlobalTag::Pop:
                if (!stack_.empty()) {
                    global_ = stack_.back();
                    stack_.pop_back();
                }
                break;
        }
    }

    // Main items outside every collection belong to no interface.
    void AddReportBits(ReportType type) {
        if (depth_ == 0 || collections_.empty()) {
            return;
        }
        std::uint64_t& bits = collections_.back().bits[type][global_.reportId];
        const std::uint64_t added = std::uint64_t{global_.reportSize} * global_.reportCount;
        bits = std::min(bits + std::min(added, kMaxReportBits), kMaxReportBits);
    }

    ReportDescriptor Result() const {
        ReportDescriptor descriptor;
        descriptor.numberedReports = numbered_;
        for (const CollectionReports& reports : collections_) {
            HidCollection collection;
            collection.caps = reports.caps;
            collection.caps.inputReportByteLength = ByteLength(reports.bits[kInput]);
            collection.caps.outputReportByteLength = ByteLength(reports.bits[kOutput]);
            collection.caps.featureReportByteLength = ByteLength(reports.bits[kFeature]);
            if (numbered_) {
                for (const auto& [id, bits] : reports.bits[kInput]) {
                    collection.inputReportIds.push_back(id);
                }
            }
            descriptor.collections.push_back(std::move(collection));
        }
        return descriptor;
    }

    GlobalState global_;
    std::vector<GlobalState> stack_;
    std::vector<std::uint32_t> usages_;
    std::vector<CollectionReports> collections_;
    std::size_t depth_ = 0;
    bool numbered_ = false;
};

}  // namespace

ReportDescriptor ParseReportDescriptor(std::span<const std::uint8_t> bytes) {
    return Parser().Run(bytes);
}

}  // namespace pelmar
