#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/IniFile.h"

namespace pelmar::ini {
namespace {

namespace fs = std::filesystem;

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

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> FolderEntries(const fs::path& folder) {
    return {fs::directory_iterator(folder), fs::directory_iterator()};
}

struct KeyWrite {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

struct WriteCase {
    std::string_view label;
    std::optional<std::string_view> before;  // nothing: the file does not exist
    std::vector<KeyWrite> writes;
    std::string_view after;
};

const std::vector<WriteCase>& WriteCases() {
    static const std::vector<WriteCase> cases{
        {"replace in place keeps every other byte and the key's own spelling",
         "; Pelmar settings\n"
         "[Init]\n"
         "CurConfig=1\n"
         "\n"
         "[Config1]\n"
         "  k0  =  1   \n"
         "Unknown=x\n"
         "FIRE_TIME=50\n"
         "; tail comment\n"
         "\n"
         "[Other]\n"
         "K0=9\n",
         {{"Config1", "K0", "7"}},
         "; Pelmar settings\n"
         "[Init]\n"
         "CurConfig=1\n"
         "\n"
         "[Config1]\n"
         "  k0  =  7\n"
         "Unknown=x\n"
         "FIRE_TIME=50\n"
         "; tail comment\n"
         "\n"
         "[Other]\n"
         "K0=9\n"},
        {"new key goes after the section's last key line, before its trailing comment",
         "[Config1]\nK0=1\n; tail comment\n\n[Config2]\nK0=2\n",
         {{"Config1", "DPI_LEVEL", "2"}},
         "[Config1]\nK0=1\nDPI_LEVEL=2\n; tail comment\n\n[Config2]\nK0=2\n"},
        {"section without keys gets the key right after its header",
         "[A]\n; note\n[B]\nX=1\n",
         {{"A", "K", "1"}},
         "[A]\nK=1\n; note\n[B]\nX=1\n"},
        {"missing section is appended, ending the unterminated last line",
         "[A]\nX=1",
         {{"B", "Y", "2"}},
         "[A]\nX=1\n[B]\nY=2\n"},
        {"key appended after an unterminated last line",
         "[A]\nX=1",
         {{"A", "Y", "2"}},
         "[A]\nX=1\nY=2\n"},
        {"missing file is created",
         std::nullopt,
         {{"Init", "CurConfig", "1"}},
         "[Init]\nCurConfig=1\n"},
        {"empty file", "", {{"Init", "CurConfig", "1"}}, "[Init]\nCurConfig=1\n"},
        {"writing a key twice keeps one line",
         std::nullopt,
         {{"A", "X", "1"}, {"A", "X", "2"}, {"a", "x", "3"}},
         "[A]\nX=3\n"},
        {"new section keeps the order of the writes",
         std::nullopt,
         {{"Config1", "K0", "1"},
          {"Config1", "K1", "2"},
          {"Init", "CurConfig", "1"},
          {"Config1", "K2", "3"}},
         "[Config1]\nK0=1\nK1=2\nK2=3\n[Init]\nCurConfig=1\n"},
        {"first of duplicate sections and keys is written",
         "[A]\nX=1\nX=9\n[a]\nX=2\n",
         {{"A", "X", "5"}, {"A", "Y", "6"}},
         "[A]\nX=5\nX=9\nY=6\n[a]\nX=2\n"},
        {"names match without regard to case and blanks",
         "  [ init ]  \ncurconfig =1\n",
         {{"Init", "CurConfig", "3"}, {"INIT", "VER_SEL", "1"}},
         "  [ init ]  \ncurconfig =3\nVER_SEL=1\n"},
        {"CRLF file gets CRLF lines",
         "[A]\r\nX=1\r\n",
         {{"A", "Y", "2"}, {"B", "Z", "3"}, {"A", "X", ""}},
         "[A]\r\nX=\r\nY=2\r\n[B]\r\nZ=3\r\n"},
        {"key line before any section is not the section's",
         "X=1\n[A]\n",
         {{"A", "X", "2"}},
         "X=1\n[A]\nX=2\n"},
        {"comment lines that look like keys are not keys",
         "[A]\n;X=1\n#X=2\n",
         {{"A", "X", "3"}},
         "[A]\nX=3\n;X=1\n#X=2\n"},
        {"long value and empty value",
         "[Macros]\nmacroNum=1\n0=\n",
         {{"Macros", "0", "001002003004005006007008009010"}, {"Macros", "macroNum", ""}},
         "[Macros]\nmacroNum=\n0=001002003004005006007008009010\n"},
        {"blanks around a written value are not stored",
         "[A]\nX = 1\n",
         {{"A", "X", " 2\t"}, {"A", "Y", "\t3 "}, {"A", "X", " 2\t"}},
         "[A]\nX = 2\nY=3\n"},
    };
    return cases;
}

TEST(IniWrite, SingleWritesAndBatchGiveTheExpectedText) {
    for (const WriteCase& c : WriteCases()) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        const fs::path single = folder.path() / "single.ini";
        const fs::path batched = folder.path() / "batched.ini";
        if (c.before) {
            WriteBytes(single, *c.before);
            WriteBytes(batched, *c.before);
        }
        IniBatch batch(batched);
        for (const KeyWrite& w : c.writes) {
            EXPECT_TRUE(WriteString(single, w.section, w.key, w.value).Ok());
            batch.Set(w.section, w.key, w.value);
        }
        EXPECT_TRUE(batch.Commit().Ok());
        EXPECT_EQ(ReadBytes(single), c.after);
        EXPECT_EQ(ReadBytes(batched), c.after);
    }
}

TEST(IniWrite, WrittenValueReadsBack) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    ASSERT_TRUE(WriteString(file, "Config1", "NAME", "鼠标宏 😀").Ok());
    ASSERT_TRUE(WriteString(file, "Config1", "FIRE_TIME", "-300").Ok());
    EXPECT_EQ(ReadString(file, "config1", "name", 260), "鼠标宏 😀");
    EXPECT_EQ(ReadInt(file, "Config1", "FIRE_TIME", 5), -300);
}

TEST(IniWrite, InvalidNamesAndValuesAreRefusedAndChangeNothing) {
    const KeyWrite refused[] = {
        {"A", "X", "1\n[B]"},   {"A", "X", "1\r"},          {"A\nB", "X", "1"}, {"A", "X\n", "1"},
        {"A]", "X", "1"},       {"A", "X=Y", "1"},          {"A", "", "1"},     {"A", "  ", "1"},
        {"A", ";X", "1"},       {"A", " #X", "1"},          {"A", "[X", "1"},   {"A", "X", "\xFF"},
        {"A", "\xC0\x80", "1"}, {"\xED\xA0\x80", "X", "1"},
    };
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    const std::string original = "[A]\nX=0\n";
    WriteBytes(file, original);
    for (const KeyWrite& w : refused) {
        SCOPED_TRACE(std::string(w.section) + "/" + std::string(w.key) + "/" +
                     std::string(w.value));
        EXPECT_FALSE(WriteString(file, w.section, w.key, w.value).Ok());
        IniBatch batch(file);
        batch.Set("A", "GOOD", "1");
        batch.Set(w.section, w.key, w.value);
        EXPECT_FALSE(batch.Commit().Ok()) << "one bad write refuses the whole batch";
        EXPECT_EQ(ReadBytes(file), original);
        EXPECT_FALSE(WriteString(folder.path() / "new.ini", w.section, w.key, w.value).Ok());
        EXPECT_FALSE(fs::exists(folder.path() / "new.ini"));
    }
}

TEST(IniWrite, FailedWriteReportsAndLeavesNoFile) {
    TempFolder folder;
    WriteBytes(folder.path() / "plain", "not a folder");
    const fs::path impossible[] = {
        folder.path() / "missing" / "config.ini",
        folder.path() / "plain" / "config.ini",
        folder.path(),
    };
    for (const fs::path& file : impossible) {
        SCOPED_TRACE(file);
        const WriteResult result = WriteString(file, "Init", "CurConfig", "1");
        EXPECT_FALSE(result.Ok());
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_EQ(FolderEntries(folder.path()).size(), 1u);
    EXPECT_EQ(ReadBytes(folder.path() / "plain"), "not a folder");
}

TEST(IniWrite, FailedBatchKeepsItsWritesForARetry) {
    TempFolder folder;
    const fs::path file = folder.path() / "later" / "config.ini";
    const std::uint64_t replacements = FileReplacementCount();
    IniBatch batch(file);
    batch.Set("Init", "CurConfig", "2");
    batch.Set("Config2", "K0", "1");
    EXPECT_FALSE(batch.Commit().Ok());
    EXPECT_EQ(FileReplacementCount(), replacements);
    fs::create_directory(file.parent_path());
    ASSERT_TRUE(batch.Commit().Ok());
    EXPECT_EQ(ReadBytes(file), "[Init]\nCurConfig=2\n[Config2]\nK0=1\n");
    EXPECT_EQ(FileReplacementCount(), replacements + 1) << "two writes, one replacement";

    WriteBytes(file, "changed outside");
    EXPECT_TRUE(batch.Commit().Ok()) << "nothing pending";
    EXPECT_EQ(ReadBytes(file), "changed outside");
    EXPECT_EQ(FileReplacementCount(), replacements + 1);
}

TEST(IniWrite, OversizedFileIsNeitherReadNorRewritten) {
    constexpr std::uintmax_t kOversize = (std::uintmax_t{16} << 20) + 1;
    TempFolder folder;
    const fs::path file = folder.path() / "huge.ini";
    WriteBytes(file, "[A]\nX=1\n");
    fs::resize_file(file, kOversize);
    EXPECT_EQ(ReadString(file, "A", "X", 5), "");
    EXPECT_FALSE(WriteString(file, "A", "X", "2").Ok());
    EXPECT_EQ(fs::file_size(file), kOversize);
    EXPECT_EQ(FolderEntries(folder.path()).size(), 1u);
}

// A write that fails half way (here: the file size limit stops the temporary file) must leave
// the old file as it was and remove its temporary file. Runs in a child process so that the
// limit does not touch the test runner.
TEST(IniWrite, WriteFailingMidwayLeavesOldFileIntact) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    const std::string original = "[Init]\nCurConfig=1\n";
    WriteBytes(file, original);
    constexpr rlim_t kLimit = 1024;

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kLimit, kLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const WriteResult result = WriteString(file, "Init", "BIG", std::string(4 * kLimit, '7'));
        ::_exit(result.Ok() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should have reported an error";
    EXPECT_EQ(ReadBytes(file), original);
    EXPECT_EQ(FolderEntries(folder.path()).size(), 1u) << "temporary file left behind";
    EXPECT_EQ(ReadString(file, "Init", "BIG", 5), "");
}

TEST(IniWrite, FileModeIsKeptAndNewFilesFollowUmask) {
    TempFolder folder;
    const fs::path existing = folder.path() / "existing.ini";
    WriteBytes(existing, "[A]\nX=1\n");
    fs::permissions(existing,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteString(existing, "A", "X", "2").Ok());
    EXPECT_EQ(fs::status(existing).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const mode_t previous = ::umask(022);
    const WriteResult created = WriteString(folder.path() / "new.ini", "A", "X", "1");
    ::umask(previous);
    ASSERT_TRUE(created.Ok());
    EXPECT_EQ(fs::status(folder.path() / "new.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST(IniWrite, WriteThroughSymbolicLinkKeepsTheLink) {
    TempFolder folder;
    const fs::path real = folder.path() / "real.ini";
    const fs::path link = folder.path() / "link.ini";
    WriteBytes(real, "[A]\nX=1\n");
    fs::create_symlink(real.filename(), link);
    ASSERT_TRUE(WriteString(link, "A", "X", "2").Ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "[A]\nX=2\n");
    EXPECT_EQ(ReadString(link, "A", "X", 5), "2");
}

// Files in other encodings: each fixture is read, then written with a replacement, a key added
// to a section and a new section with Chinese text, and must come out byte for byte as its
// expected twin, which keeps the byte order mark, the line ends and every untouched byte (the
// UTF-8 fixture holds an invalid byte and the UTF-16 fixture a lone surrogate in a comment).
struct EncodingCase {
    std::string_view before;
    std::string_view after;
};

constexpr EncodingCase kEncodingCases[] = {
    {"utf8_bom.ini", "utf8_bom.expected.ini"},
    {"utf16le_crlf.ini", "utf16le_crlf.expected.ini"},
    {"gb18030_crlf.ini", "gb18030_crlf.expected.ini"},
};

TEST(IniEncoding, FilesAreReadAndKeepTheirEncoding) {
    const fs::path data = fs::path(PELMAR_TEST_DATA) / "ini";
    for (const EncodingCase& c : kEncodingCases) {
        SCOPED_TRACE(c.before);
        TempFolder folder;
        const fs::path file = folder.path() / "config.ini";
        fs::copy_file(data / c.before, file);

        EXPECT_EQ(ReadString(file, "Init", "CurConfig", 5), "2");
        EXPECT_EQ(ReadString(file, "Init", "VER_SEL", 5), "0");
        EXPECT_EQ(ReadString(file, "Config1", "NAME", 260), "鼠标宏");
        EXPECT_EQ(ReadString(file, "Config1", "ICON", 260), "😀");
        EXPECT_EQ(ReadString(file, "Config1", "FIRE_TIME", 5), "50");

        ASSERT_TRUE(WriteString(file, "Config1", "FIRE_TIME", "75").Ok());
        ASSERT_TRUE(WriteString(file, "Config1", "K0", "3").Ok());
        ASSERT_TRUE(WriteString(file, "Extra", "NAME", "鼠标").Ok());
        EXPECT_EQ(ReadBytes(file), ReadBytes(data / c.after));

        EXPECT_EQ(ReadString(file, "Config1", "FIRE_TIME", 5), "75");
        EXPECT_EQ(ReadString(file, "Extra", "NAME", 260), "鼠标");
        EXPECT_EQ(ReadString(file, "Config1", "NAME", 260), "鼠标宏");
    }
}

// The file reads as GB18030 only because of the value of K ("鼠"); the bytes of X are "茅" in
// GB18030 but also valid UTF-8 ("é"). Replacing K by ASCII would turn the whole file into UTF-8
// and change X, so the write is refused; replacing it by other Chinese text is fine.
TEST(IniEncoding, WriteThatWouldMakeGb18030ReadAsUtf8IsRefused) {
    TempFolder folder;
    const fs::path file = folder.path() / "config.ini";
    const std::string original = "[A]\nK=\xCA\xF3\nX=\xC3\xA9\n";
    WriteBytes(file, original);
    ASSERT_EQ(ReadString(file, "A", "X", 5), "茅");

    EXPECT_FALSE(WriteString(file, "A", "K", "1").Ok());
    EXPECT_EQ(ReadBytes(file), original);
    ASSERT_TRUE(WriteString(file, "A", "K", "标").Ok());
    EXPECT_EQ(ReadBytes(file), "[A]\nK=\xB1\xEA\nX=\xC3\xA9\n");
    EXPECT_EQ(ReadString(file, "A", "X", 5), "茅");
}

TEST(IniEncoding, NewFileIsUtf8WithoutByteOrderMark) {
    TempFolder folder;
    const fs::path file = folder.path() / "new.ini";
    ASSERT_TRUE(WriteString(file, "名字", "NAME", "鼠标").Ok());
    EXPECT_EQ(ReadBytes(file), "[名字]\nNAME=鼠标\n");
}

}  // namespace
}  // namespace pelmar::ini
