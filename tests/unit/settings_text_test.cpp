#include "core/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/unit/core_helpers.h"

namespace qs {
namespace {

using namespace test;

const char kDefaultText[] =
    "//// Quillstack for Windows //////\r\n\r\n"
    "[Options]\r\nMinimize=ANI\r\nSaveWithDialog=NOT\r\nShowTopMost=YES\r\nEnableTimeTag=NOT\r\nInitIcon=NOT\r\n"
    "BkColor=15132390\r\nView=0\r\nSentenceMaxCount=16\r\nInitialFileName=\r\n\r\n"
    "[TimeCopy]\r\nDate=0\r\nTime=0\r\nTimeCopyTemplate=<D>, <T>\r\n\r\n"
    "[ShortCutKey]\r\nUseSCKey=NOT\r\nUseNumPad=YES\r\nAdditionalCode=0\r\n"
    "KeyCode=   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0\r\n\r\n"
    "[URL Recent]\r\nURLBegin=\r\nURLEnd=\r\n\r\n"
    "[Recent File]\r\nRecentCount=5\r\nRecent File=\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

TEST(SettingsText, DefaultsWriteTheCanonicalFileAndReadBackFromIt) {
    EXPECT_EQ(Write(Loaded()), kDefaultText);
    EXPECT_EQ(Everything(Read(kDefaultText)), Everything(Loaded()));
}

TEST(SettingsText, ValueSpellings) {
    const struct {
        const char* text;
        void (*expected)(Settings&);  // applied to the defaults
    } cases[] = {
        // Some flags are on unless "NOT", the others off unless "YES".
        {"SaveWithDialog=x\r\nShowTopMost=x\r\nEnableTimeTag=x\r\nInitIcon=x\r\nUseSCKey=x\r\nUseNumPad=x\r\n",
         [](Settings& s) {
             s.SaveWithDialog = s.EnableTimeTag = s.InitIcon = true;
             s.ShowTopMost = s.UseNumPad = false;
         }},
        {"ShowTopMost=yes\r\nUseNumPad=YES \r\n", [](Settings& s) { s.ShowTopMost = s.UseNumPad = false; }},
        {"Minimize=WIN\r\n", [](Settings& s) { s.Minimize = 0; }},
        {"Minimize=MAC\r\n", [](Settings& s) { s.Minimize = 1; }},
        {"Minimize=ICO\r\n", [](Settings& s) { s.Minimize = 3; }},
        {"Minimize=XYZ\r\nMinimize=WIN\r\n", [](Settings& s) { s.Minimize = 2; }},  // an unknown name; the first counts
        {"BkColor=     255\r\n", [](Settings& s) { s.BkColor = 255; }},
        {"BkColor=-1\r\n", [](Settings& s) { s.BkColor = 0xFFFFFFFF; }},
        {"InitialFileName=C:\\\x83\x5c\\a b.txt\r\n", [](Settings& s) { s.InitialFileName = "C:\\\x83\x5c\\a b.txt"; }},
        // A last line without a line end reads as an empty value.
        {"ShowTopMost=YES", [](Settings& s) { s.ShowTopMost = false; }},
        {"TimeCopyTemplate=<T>", [](Settings& s) { s.TimeCopyTemplate = ""; }},
    };
    for (const auto& c : cases) {
        Settings expected;
        c.expected(expected);
        EXPECT_EQ(Fields(Read(c.text).settings), Fields(expected)) << c.text;
    }
}

TEST(SettingsText, DecimalConversion) {
    const std::pair<const char*, int> cases[] = {
        {"abc", 0},   {"  \t\r\n\v\f42", 42}, {"+7x", 7}, {"-13:", -13}, {"- 1", 0}, {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN}, {"99999999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

// Field i is the four bytes at 5 * i, however short the value is.
TEST(SettingsText, KeyCodeFields) {
    using Codes = std::array<std::int8_t, 16>;
    const std::pair<const char*, Codes> cases[] = {
        {"KeyCode=  65:  66\r\n", {65, 66}},
        {"KeyCode=  65:  6\r\n", {65, 6}},
        {"KeyCode= 300:-128\r\n", {44, -128}},
        {"KeyCode=1    2    3\r\n", {1, 2, 3}},
        {"KeyCode=   1:   2:   3:   4:   5:   6:   7:   8:   9:  10:  11:  12:  13:  14:  15:  16:  17\r\n",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
    };
    for (const auto& [text, codes] : cases) EXPECT_EQ(Read(text).settings.KeyCode, codes) << text;
}

TEST(SettingsText, UrlTokens) {
    const std::pair<const char*, Texts> cases[] = {
        {"URLBegin=http:// , ftp://\r\n", {"http:// ", "ftp://"}},
        {"URLBegin=,ab\r\n", {}},
        {"URLBegin=ab, ,cd\r\n", {"ab"}},
        {"URLBegin=a,b,a\r\n", {"a", "b"}},
    };
    for (const auto& [text, tokens] : cases) EXPECT_EQ(Items(Read(text).urlBegin), tokens) << text;
    for (int position : {-1, 4, INT_MAX}) EXPECT_EQ(NextToken("a,b", position, ','), "") << position;
}

TEST(SettingsText, RecentFileLines) {
    const std::pair<const char*, Texts> cases[] = {
        {"Recent File=\r\nC:\\a.txt\r\nC:\\b.txt\r\nC:\\c.txt\r\n", {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}},
        {"Recent File=\r\na\r\nb", {"a"}},
        {"Recent File=\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"Recent File=XYa\r\n", {"a"}},  // the key's own line end is skipped unseen
        {"Recent File=", {}},
        {"[Recent File]\r\nRecentCount=3\r\n", {}},
    };
    for (auto [text, paths] : cases) {
        paths.resize(9);  // the rest stay empty
        EXPECT_EQ(Items(Read(text).recentFiles), paths) << text;
    }
}

TEST(SettingsText, ChangedRecordWritesItsFormsAndReadsBack) {
    Loaded loaded;
    Settings& s = loaded.settings;
    s = {3, true, false, true, true, 255, 40, 2, "D:\\notes.txt", 9, 4, 5, "<T>", true, false, {}, 1};
    s.KeyCode = {96, -1, 127, -128, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    loaded.urlBegin = ListOf({"mailto:", "news:"});
    loaded.urlEnd.AddTail(">");
    loaded.recentFiles.SetAtGrow(0, "C:\\a.txt");
    loaded.recentFiles.SetAtGrow(8, "C:\\\x93\xfa\x96\x7b.txt");
    const std::string text = Write(loaded);
    for (const char* line : {"\r\nBkColor=     255\r\n", "\r\nURLBegin=mailto:,news:\r\n",
                             "\r\nKeyCode=  96:  -1: 127:-128:   0:   1:"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(Everything(Read(text)), Everything(loaded));
    s.Minimize = 7;  // only a hand-made record holds this
    EXPECT_NE(Write(loaded).find("\r\nMinimize=\r\n"), std::string::npos);
}

// A hand-edited file: keys in reverse order, most without their section.
TEST(SettingsText, OrderAndSectionsDoNotMatter) {
    Loaded loaded = Read(
        "Recent File=\r\nC:\\x.txt\r\n"
        "RecentCount=7\r\nURLEnd=)\r\nURLBegin=mailto:\r\n"
        "KeyCode=  65\r\nAdditionalCode=1\r\nUseNumPad=NOT\r\nUseSCKey=YES\r\n"
        "TimeCopyTemplate=<T>\r\nTime=1\r\nDate=2\r\n"
        "[Options]\r\nInitialFileName=a.txt\r\nSentenceMaxCount=30\r\nView=1\r\nBkColor=0\r\n"
        "InitIcon=YES\r\nEnableTimeTag=YES\r\nShowTopMost=NOT\r\nSaveWithDialog=YES\r\nMinimize=ICO\r\n");
    loaded.recentFiles.SetCount(1);  // the eight lines after the path are taken as paths too
    Loaded expected;
    expected.settings = {3, true, false, true, true, 0, 30, 1, "a.txt", 7, 2, 1, "<T>", true, false, {65}, 1};
    expected.urlBegin.AddTail("mailto:");
    expected.urlEnd.AddTail(")");
    expected.recentFiles = ListOf({"C:\\x.txt"});
    EXPECT_EQ(Everything(loaded), Everything(expected));
}

// A key's text inside an earlier value must not stand in for the key: a
// start file in a folder named "Date=5" would otherwise change the date
// format at every start. Only where the key has no line of its own does the
// first occurrence anywhere count.
TEST(SettingsText, KeyLinesWinOverKeyTextInsideEarlierValues) {
    const Loaded loaded = Read(
        "InitialFileName=C:\\Date=5\\a.txt\r\nDate=1\r\nTimeCopyTemplate=<D> RecentCount=9\r\nRecentCount=4\r\n");
    EXPECT_EQ(loaded.settings.Date, 1);
    EXPECT_EQ(loaded.settings.RecentCount, 4);
    EXPECT_EQ(loaded.settings.InitialFileName, "C:\\Date=5\\a.txt");
    EXPECT_EQ(Read("Recent File=\r\nC:\\View=2\\a.txt\r\n").settings.View, 2);
    // Lines end with CR LF: a bare LF inside a value starts no line.
    EXPECT_EQ(Read("a=x\nView=1\r\nView=2\r\n").settings.View, 2);
}

}  // namespace
}  // namespace qs
