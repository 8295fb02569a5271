#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Notifier.h"
#include "skin/SkinEntry.h"
#include "skin/SkinFiles.h"
#include "skin/SkinLoaders.h"
#include "skin/SkinRect.h"
#include "tests/support/MessageLog.h"
#include "tests/support/TempFolder.h"

namespace pelmar {
namespace {

using test::MessageLog;

TEST(SkinEntryTest, SplitsAtTheFirstSixCommas) {
    const struct {
        const char* value;
        SkinEntry fields;
        bool extraCommas;
    } cases[] = {
        {"Save,20,40,60,24,Save now,", {"Save", "20", "40", "60", "24", "Save now", ""}, false},
        {"a,1,2,3,4,label,tail", {"a", "1", "2", "3", "4", "label", "tail"}, false},
        // A function name without commas is the whole value.
        {"Volume Up", {"Volume Up", "", "", "", "", "", ""}, false},
        {"", {"", "", "", "", "", "", ""}, false},
        // Fewer than six commas: the text after the last one is the next field.
        {"x,1,2", {"x", "1", "2", "", "", "", ""}, false},
        {",,,,", {"", "", "", "", "", "", ""}, false},
        // The seventh comma and everything after it stay in field 6.
        {"a,1,2,3,4,b,c,d", {"a", "1", "2", "3", "4", "b", "c,d"}, true},
        {",,,,,,,", {"", "", "", "", "", "", ","}, true},
        // Nothing is trimmed.
        {" a , 1 ,2,3,4, l ,", {" a ", " 1 ", "2", "3", "4", " l ", ""}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(ParseSkinEntry(c.value), c.fields);
        EXPECT_EQ(HasExtraCommas(c.value), c.extraCommas);
    }
}

TEST(SkinEntryTest, AreaIsHalfOpen) {
    const SkinRect area{20, 40, 60, 24};
    const struct {
        int x;
        int y;
        bool inside;
    } points[] = {
        {20, 40, true},  {79, 63, true},  {80, 40, false},
        {20, 64, false}, {19, 50, false}, {50, 39, false},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        EXPECT_EQ(area.Contains(p.x, p.y), p.inside);
    }
    // Extreme stored values neither overflow nor contain anything odd.
    const SkinRect huge{2147483647, 2147483647, 2147483647, 2147483647};
    EXPECT_TRUE(huge.Contains(std::int64_t{2147483647} + 5, std::int64_t{2147483647}));
    EXPECT_FALSE(huge.Contains(0, 0));
    EXPECT_FALSE((SkinRect{0, 0, 0, 10}).Contains(0, 0));
}

TEST(SkinEntryTest, ReadsAValueAndReportsExtraCommasOncePerEntry) {
    test::TempFolder folder;
    const auto file = folder / "skin.ini";
    const std::string longLabel(300, 'w');
    test::WriteFile(file,
                    "[BUTTONPOS]\n"
                    "0=Save,20,40,60,24,Save,\n"
                    "1=Odd,1,2,3,4,x,y,z\n"
                    "2=Long,0,0,0,0," +
                        longLabel + "\n");
    MessageLog log;

    EXPECT_EQ(ReadSkinEntry(file, "BUTTONPOS", 0)[5], "Save");
    EXPECT_TRUE(log.messages.empty());

    const SkinEntry odd = ReadSkinEntry(file, "BUTTONPOS", 1);
    EXPECT_EQ(odd[4], "4");
    EXPECT_EQ(odd[6], "y,z");
    EXPECT_EQ(log.messages, std::vector<std::string>{std::string(kMalformedEntryMessage)});

    // At most 259 units of a value are seen: 13 before the label.
    EXPECT_EQ(ReadSkinEntry(file, "BUTTONPOS", 2)[5], std::string(259 - 13, 'w'));

    EXPECT_EQ(ReadSkinEntry(file, "BUTTONPOS", 7), SkinEntry{});
    EXPECT_EQ(ReadSkinEntry(folder / "absent.ini", "BUTTONPOS", 0), SkinEntry{});
    EXPECT_EQ(log.messages.size(), 1u);
}

// A skin folder with the four layout files of both languages. Every area key
// 0 to kKeys - 1 is present, with x = key and y = language (1 English, 0
// Chinese), labelled "<language tag> <key>".
class SkinLoaderTest : public ::testing::Test {
  protected:
    static constexpr int kKeys = 130;

    void SetUp() override {
        for (const std::int32_t english : {0, 1}) {
            for (const LayoutFile file : {LayoutFile::Main, LayoutFile::Colour,
                                          LayoutFile::Advanced, LayoutFile::Warning}) {
                Write(file, english, Areas(english) + Extras(file, english));
            }
        }
    }

    static std::string Tag(std::int32_t english) { return english != 0 ? "en" : "中"; }

    static std::string Areas(std::int32_t english) {
        std::string text = "[BUTTONPOS]\n";
        for (int key = 0; key < kKeys; ++key) {
            text += std::to_string(key) + "=area," + std::to_string(key) + "," +
                    std::to_string(english) + ",10,10," + Tag(english) + " " + std::to_string(key) +
                    ",\n";
        }
        return text;
    }

    static std::string Extras(LayoutFile file, std::int32_t english) {
        if (file == LayoutFile::Main) {
            std::string text = "[FUN_STRING]\n";
            for (int code = 0; code <= 60; ++code) {
                text += std::to_string(code) + "=" + Tag(english) + " f" + std::to_string(code) +
                        ",ignored\n";
            }
            return text;
        }
        if (file == LayoutFile::Advanced) {
            return "[EDIT]\n1=a,1,1,1,1,,\n2=a,2,2,2,2,,\n3=repeat,30,31,32,33,,\n"
                   "4=name,x5,5x, 7,-3,,\n"
                   "[MACRODISPLAY]\n1=macros,10,11,12,13,,\n2=events,20,21,22,23,,\n";
        }
        return {};
    }

    void Write(LayoutFile file, std::int32_t english, const std::string& text) const {
        const std::filesystem::path path = LayoutFilePath(folder_.path(), file, english);
        std::filesystem::create_directories(path.parent_path());
        test::WriteFile(path, text);
    }

    SkinFolder In(std::int32_t english) const { return {folder_.path(), english}; }

    test::TempFolder folder_;
    MessageLog log_;
};

SkinLoad LoadAll(SkinLayout& layout, const SkinFolder& folder, const Model& model) {
    int missing = 0;
    missing += LoadMainSkin(layout, folder, model) == SkinLoad::MissingFile;
    missing += LoadColourSkin(layout, folder, model) == SkinLoad::MissingFile;
    missing += LoadAdvancedSkin(layout, folder, model) == SkinLoad::MissingFile;
    missing += LoadWarningSkin(layout, folder) == SkinLoad::MissingFile;
    return missing == 0 ? SkinLoad::Loaded : SkinLoad::MissingFile;
}

TEST_F(SkinLoaderTest, EachModelReadsItsKeyRanges) {
    const struct {
        const char* name;
        const Model& model;
        int main;
        int advanced;
    } models[] = {{"A", ModelA(), 99, 51}, {"B", ModelB(), 124, 52}};
    for (const auto& m : models) {
        SCOPED_TRACE(m.name);
        SkinLayout layout;
        ASSERT_EQ(LoadAll(layout, In(1), m.model), SkinLoad::Loaded);
        const struct {
            const SkinPage& page;
            int count;
        } pages[] = {{layout.mainPage, m.main},
                     {layout.colourPage, 13},
                     {layout.advancedPage, m.advanced},
                     {layout.warning, 3}};
        for (const auto& p : pages) {
            ASSERT_EQ(p.page.Count(), p.count);
            EXPECT_EQ(p.page.Area(p.count - 1), (SkinRect{p.count - 1, 1, 10, 10}));
            EXPECT_EQ(p.page.Label(p.count - 1), "en " + std::to_string(p.count - 1));
            EXPECT_EQ(p.page.Area(p.count), SkinRect{});
            EXPECT_EQ(p.page.Label(-1), "");
        }
        EXPECT_EQ(layout.FunctionName(0), "");
        EXPECT_EQ(layout.FunctionName(1), "en f1");
        EXPECT_EQ(layout.FunctionName(54), "en f54");
        EXPECT_EQ(layout.FunctionName(55), "");
        EXPECT_TRUE(log_.messages.empty());
    }
}

TEST_F(SkinLoaderTest, ControlPlacementsComeFromTheirKeys) {
    SkinLayout layout;
    ASSERT_EQ(LoadAll(layout, In(0), ModelA()), SkinLoad::Loaded);
    EXPECT_EQ(layout.repeatEditRect, (SkinRect{30, 31, 32, 33}));
    EXPECT_EQ(layout.macroListRect, (SkinRect{10, 11, 12, 13}));
    EXPECT_EQ(layout.eventListRect, (SkinRect{20, 21, 22, 23}));
    // Numbers are decimal prefixes: "x5" is 0, "5x" is 5, " 7" is 7.
    EXPECT_EQ(layout.nameEditRect, (SkinRect{0, 5, 7, -3}));
    EXPECT_EQ(layout.repeatEditRect.Right(), 62);
    EXPECT_EQ(layout.repeatEditRect.Bottom(), 64);
}

TEST_F(SkinLoaderTest, LanguageChoosesTheFilesAndAReloadReplacesEverything) {
    SkinLayout layout;
    ASSERT_EQ(LoadAll(layout, In(0), ModelA()), SkinLoad::Loaded);
    EXPECT_EQ(layout.mainPage.Label(3), "中 3");
    EXPECT_EQ(layout.warning.Area(2).y, 0);

    // Any nonzero value means English.
    Write(LayoutFile::Main, 1, "[BUTTONPOS]\n3=x,1,2,3,4,Apply,\n");
    ASSERT_EQ(LoadAll(layout, In(2), ModelA()), SkinLoad::Loaded);
    EXPECT_EQ(layout.mainPage.Label(3), "Apply");
    // Keys the new file lacks are emptied, not kept from the old language.
    EXPECT_EQ(layout.mainPage.Area(4), SkinRect{});
    EXPECT_EQ(layout.mainPage.Label(4), "");
    EXPECT_EQ(layout.FunctionName(1), "");
    EXPECT_EQ(layout.advancedPage.Label(5), "en 5");
}

TEST_F(SkinLoaderTest, AMissingFileIsReportedOnceAndEmptiesItsTables) {
    SkinLayout layout;
    ASSERT_EQ(LoadAll(layout, In(0), ModelA()), SkinLoad::Loaded);
    std::filesystem::remove(LayoutFilePath(folder_.path(), LayoutFile::Main, 0));

    EXPECT_EQ(LoadMainSkin(layout, In(0), ModelA()), SkinLoad::MissingFile);
    EXPECT_EQ(log_.messages, std::vector<std::string>{std::string(kMissingFileMessage)});
    EXPECT_EQ(layout.mainPage.Count(), 99);
    EXPECT_EQ(layout.mainPage.Area(5), SkinRect{});
    EXPECT_EQ(layout.mainPage.Label(5), "");
    EXPECT_EQ(layout.FunctionName(5), "");

    // One message per missing file, however many keys each loader reads.
    log_.messages.clear();
    std::filesystem::remove_all(folder_.path() / "INI_EN");
    EXPECT_EQ(LoadAll(layout, In(1), ModelA()), SkinLoad::MissingFile);
    EXPECT_EQ(log_.messages.size(), 4u);
}

}  // namespace
}  // namespace pelmar
