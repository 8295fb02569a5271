#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini/IniFile.h"

namespace pelmar::ini {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "pelmar-ini-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A settings file with comments, odd spacing, duplicate sections and keys, and line ends of
// both kinds.
constexpr std::string_view kSample =
    "; Pelmar settings\n"
    "ORPHAN=before any section\n"
    "[Init]\n"
    "CurConfig=2\n"
    "\tVER_SEL \t=\t 1 \t\n"
    "  [ Config1 ]  \r\n"
    ";FIRE_TIME=1\n"
    "# FIRE_TIME=2\n"
    "\n"
    "fire_time=12345\r\n"
    "FIRE_TIME=999\n"
    "EQUALS=a=b\n"
    "EMPTY=\n"
    "NAME=鼠标宏\n"
    "WIDE=😀😀\n"
    "no equals sign here\n"
    "[config1]\n"
    "FIRE_TIME=777\n"
    "LATER=in the duplicate section\n"
    "[Config2]\n"
    "K0=5\n";

struct ReadCase {
    std::string_view label;
    std::string_view section;
    std::string_view key;
    std::size_t capacity;
    std::string_view expected;
};

constexpr ReadCase kReadCases[] = {
    {"plain key", "Init", "CurConfig", 5, "2"},
    {"missing section", "Config9", "K0", 5, ""},
    {"missing key", "Init", "NOPE", 5, ""},
    {"key in a later section is not in this one", "Init", "K0", 5, ""},
    {"key before any section belongs to none", "", "ORPHAN", 50, ""},
    {"blanks around key and value", "Init", "VER_SEL", 5, "1"},
    {"names fold ASCII case", "iNIT", "curconfig", 5, "2"},
    {"blanks around the header, comments skipped, first duplicate key, cut to 4", "Config1",
     "FIRE_TIME", 5, "1234"},
    {"value fits the capacity exactly", "Config1", "FIRE_TIME", 6, "12345"},
    {"first duplicate section only", "Config1", "LATER", 50, ""},
    {"'=' inside the value", "Config1", "EQUALS", 5, "a=b"},
    {"capacity 1 leaves room for the terminator only", "Init", "CurConfig", 1, ""},
    {"capacity 0", "Init", "CurConfig", 0, ""},
    {"each Chinese character is one unit", "Config1", "NAME", 3, "鼠标"},
    {"surrogate pair that does not fit is dropped whole", "Config1", "WIDE", 2, ""},
    {"one surrogate pair fits in three units", "Config1", "WIDE", 4, "😀"},
    {"two surrogate pairs fit in five units", "Config1", "WIDE", 5, "😀😀"},
    {"line without '=' is no key", "Config1", "no equals sign here", 50, ""},
    {"CRLF line end is not part of the value", "Config2", "K0", 5, "5"},
};

TEST(IniRead, CasesFromOneFile) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    WriteBytes(file, kSample);
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadString(file, c.section, c.key, c.capacity), c.expected);
    }
}

TEST(IniRead, SectionsAreFoundWithoutRegardToCase) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    WriteBytes(file, kSample);
    EXPECT_TRUE(HasSection(file, "init"));
    EXPECT_TRUE(HasSection(file, "Config2"));
    EXPECT_FALSE(HasSection(file, "Config9"));
    EXPECT_FALSE(HasSection(folder.path() / "absent.ini", "Init"));
}

TEST(IniRead, MissingOrUnreadableFileReadsEmpty) {
    TempFolder folder;
    EXPECT_EQ(ReadString(folder.path() / "absent.ini", "Init", "CurConfig", 5), "");
    EXPECT_EQ(ReadString(folder.path() / "absent" / "config.ini", "Init", "CurConfig", 5), "");
    EXPECT_EQ(ReadString(folder.path(), "Init", "CurConfig", 5), "") << "a folder is no file";
    EXPECT_EQ(ReadInt(folder.path() / "absent.ini", "Init", "CurConfig", 5), 0);
}

TEST(IniRead, ReadIntConvertsTheCutValue) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    WriteBytes(file, "[Config1]\nFIRE_TIME=12345\nLED_STATUS= -300x\n");
    EXPECT_EQ(ReadInt(file, "Config1", "FIRE_TIME", 5), 1234);
    EXPECT_EQ(ReadInt(file, "Config1", "FIRE_TIME", 10), 12345);
    EXPECT_EQ(ReadInt(file, "Config1", "LED_STATUS", 5), -300);
}

TEST(IniRead, BinaryJunkAndLongLinesAreData) {
    TempFolder folder;
    const fs::path file = folder.path() / "junk.ini";
    std::string bytes = "[A]\nK=";
    bytes += std::string(10 << 20, 'x');
    bytes += "\n\0\xFF\xFE[B\0]\n=\n["sv;
    bytes += "\n[A]\nK=second\n";
    WriteBytes(file, bytes);
    EXPECT_EQ(ReadString(file, "A", "K", 5), "xxxx");
    EXPECT_EQ(ReadString(file, "A", "missing", 5), "");
}

struct ToIntCase {
    std::string_view text;
    std::int32_t expected;
};

constexpr ToIntCase kToIntCases[] = {
    {"", 0},
    {"x5", 0},
    {"5x", 5},
    {"  -12", -12},
    {"\t\n\v\f\r 42", 42},
    {"+7", 7},
    {"-", 0},
    {"+-3", 0},
    {"- 3", 0},
    {"0012", 12},
    {"2147483647", 2147483647},
    {"2147483648", 2147483647},
    {"99999999999999999999999", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"-99999999999999999999999", -2147483647 - 1},
    {"1 2", 1},
    {"3.9", 3},
    {"0x1F", 0},
};

TEST(IniToInt, DecimalPrefixConversion) {
    for (const ToIntCase& c : kToIntCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ToInt(c.text), c.expected);
    }
}

// How a file is changed behind the cache's back; each change must be seen by the next read.
enum class OutsideChange { kDifferentSize, kSameSizeOtherModificationTime, kReplacedByRename };

TEST(IniCache, UnchangedFileIsParsedOnceAndOwnWritesRefreshIt) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    WriteBytes(file, "[Init]\nCurConfig=1\n");

    const std::uint64_t before = FileParseCount();
    EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), "1");
    EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), "1");
    EXPECT_EQ(ReadString(folder.path() / "." / "config.ini", "init", "curconfig", 5), "1");
    EXPECT_EQ(FileParseCount(), before + 1);

    ASSERT_TRUE(WriteString(file, "Init", "CurConfig", "3").Ok());
    EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), "3");
    EXPECT_EQ(FileParseCount(), before + 1) << "the write left the new file in the cache";
}

TEST(IniCache, FileChangedOutsideIsReadAfresh) {
    for (const OutsideChange change :
         {OutsideChange::kDifferentSize, OutsideChange::kSameSizeOtherModificationTime,
          OutsideChange::kReplacedByRename}) {
        SCOPED_TRACE(static_cast<int>(change));
        TempFolder folder;
        const fs::path file = folder.path() / "config.ini";
        WriteBytes(file, "[Init]\nCurConfig=1\n");
        ASSERT_EQ(ReadString(file, "Init", "CurConfig", 5), "1");
        const fs::file_time_type modified = fs::last_write_time(file);

        switch (change) {
            case OutsideChange::kDifferentSize:
                WriteBytes(file, "[Init]\nCurConfig=42\n");
                break;
            case OutsideChange::kSameSizeOtherModificationTime:
                WriteBytes(file, "[Init]\nCurConfig=4\n");
                fs::last_write_time(file, modified - std::chrono::seconds(10));
                break;
            case OutsideChange::kReplacedByRename:
                WriteBytes(folder.path() / "new.ini", "[Init]\nCurConfig=4\n");
                fs::last_write_time(folder.path() / "new.ini", modified);
                fs::rename(folder.path() / "new.ini", file);
                break;
        }
        const std::string expected =
            change == OutsideChange::kDifferentSize ? std::string("42") : std::string("4");
        EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), expected);

        fs::remove(file);
        EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), "") << "a removed file reads empty";
    }
}

}  // namespace
}  // namespace pelmar::ini
