#include "data/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace qs {
namespace {

auto Fields(const Settings& s) {
    return std::tie(s.Minimize, s.SaveWithDialog, s.ShowTopMost, s.EnableTimeTag, s.InitIcon, s.BkColor,
                    s.SentenceMaxCount, s.View, s.InitialFileName, s.RecentCount, s.Date, s.Time,
                    s.TimeCopyTemplate, s.UseSCKey, s.UseNumPad, s.KeyCode, s.AdditionalCode);
}

std::vector<std::string> Entries(const StringList& list) {
    return {list.begin(), list.end()};
}

struct Loaded {
    Settings settings;
    StringList urlBegin;
    StringList urlEnd;
    StringList recentFiles{9};
};

Loaded Read(std::string_view text) {
    Loaded loaded;
    ReadSettingsText(text, loaded.settings, loaded.urlBegin, loaded.urlEnd, loaded.recentFiles);
    return loaded;
}

std::string Write(const Loaded& loaded) {
    return WriteSettingsText(loaded.settings, loaded.urlBegin, loaded.urlEnd, loaded.recentFiles);
}

Settings Defaults(const std::function<void(Settings&)>& change) {
    Settings settings;
    change(settings);
    return settings;
}

const char kDefaultText[] =
    "//// Quillstack for Windows //////\r\n"
    "\r\n"
    "[Options]\r\n"
    "Minimize=ANI\r\n"
    "SaveWithDialog=NOT\r\n"
    "ShowTopMost=YES\r\n"
    "EnableTimeTag=NOT\r\n"
    "InitIcon=NOT\r\n"
    "BkColor=15132390\r\n"
    "View=0\r\n"
    "SentenceMaxCount=16\r\n"
    "InitialFileName=\r\n"
    "\r\n"
    "[TimeCopy]\r\n"
    "Date=0\r\n"
    "Time=0\r\n"
    "TimeCopyTemplate=<D>, <T>\r\n"
    "\r\n"
    "[ShortCutKey]\r\n"
    "UseSCKey=NOT\r\n"
    "UseNumPad=YES\r\n"
    "AdditionalCode=0\r\n"
    "KeyCode=   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0\r\n"
    "\r\n"
    "[URL Recent]\r\n"
    "URLBegin=\r\n"
    "URLEnd=\r\n"
    "\r\n"
    "[Recent File]\r\n"
    "RecentCount=5\r\n"
    "Recent File=\r\n"
    "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

TEST(SettingsText, DefaultsWriteTheCanonicalFile) {
    EXPECT_EQ(Write(Loaded()), kDefaultText);
}

TEST(SettingsText, CanonicalFileReadsAsDefaults) {
    const Loaded loaded = Read(kDefaultText);
    EXPECT_EQ(Fields(loaded.settings), Fields(Settings{}));
    EXPECT_EQ(loaded.urlBegin.GetCount(), 0);
    EXPECT_EQ(Entries(loaded.recentFiles), std::vector<std::string>(9));
}

struct FieldCase {
    const char* text;
    std::function<void(Settings&)> expected;  // applied to the defaults
};

TEST(SettingsText, KeySpellings) {
    const FieldCase cases[] = {
        {"", [](Settings&) {}},
        {"ShowTopMost=NOT\r\n", [](Settings& s) { s.ShowTopMost = false; }},
        {"ShowTopMost=yes\r\n", [](Settings& s) { s.ShowTopMost = false; }},
        {"ShowTopMost=YES \r\n", [](Settings& s) { s.ShowTopMost = false; }},
        {"SaveWithDialog=no\r\n", [](Settings& s) { s.SaveWithDialog = true; }},
        {"SaveWithDialog=\r\n", [](Settings& s) { s.SaveWithDialog = true; }},
        {"InitIcon=YES\r\n", [](Settings& s) { s.InitIcon = true; }},
        {"UseSCKey=YES\r\n", [](Settings& s) { s.UseSCKey = true; }},
        {"UseNumPad=yes\r\n", [](Settings& s) { s.UseNumPad = false; }},
        {"Minimize=WIN\r\n", [](Settings& s) { s.Minimize = 0; }},
        {"Minimize=MAC\r\n", [](Settings& s) { s.Minimize = 1; }},
        {"Minimize=ICO\r\n", [](Settings& s) { s.Minimize = 3; }},
        {"Minimize=XYZ\r\nMinimize=WIN\r\n", [](Settings& s) { s.Minimize = 2; }},
        {"Minimize=win\r\n", [](Settings& s) { s.Minimize = 2; }},
        {"BkColor=     255\r\n", [](Settings& s) { s.BkColor = 255; }},
        {"BkColor=-1\r\n", [](Settings& s) { s.BkColor = 0xFFFFFFFF; }},
        {"View=2\r\n", [](Settings& s) { s.View = 2; }},
        {"RecentCount=50\r\nDate=3\r\nTime=-4\r\nAdditionalCode=2\r\n",
         [](Settings& s) { s.RecentCount = 50, s.Date = 3, s.Time = -4, s.AdditionalCode = 2; }},
        {"TimeCopyTemplate=<T> <D>\r\n", [](Settings& s) { s.TimeCopyTemplate = "<T> <D>"; }},
        {"InitialFileName=C:\\\x83\x5c\\a b.txt\r\n",
         [](Settings& s) { s.InitialFileName = "C:\\\x83\x5c\\a b.txt"; }},
        // A last line without a line end reads as an empty value.
        {"View=2", [](Settings& s) { s.View = 0; }},
        {"ShowTopMost=YES", [](Settings& s) { s.ShowTopMost = false; }},
        {"Minimize=WIN", [](Settings& s) { s.Minimize = 2; }},
        {"TimeCopyTemplate=<T>", [](Settings& s) { s.TimeCopyTemplate = ""; }},
        // Only the first occurrence counts, wherever it stands.
        {"View=1\r\n[TimeCopy]\r\nView=2\r\n", [](Settings& s) { s.View = 1; }},
        {"Recent File=\r\nC:\\View=2\\a.txt\r\n", [](Settings& s) { s.View = 2; }},
        {"[Options]\r\nView=1\r\n[Recent File]\r\nRecent File=\r\nC:\\View=2\\a.txt\r\n",
         [](Settings& s) { s.View = 1; }},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(Fields(Read(c.text).settings), Fields(Defaults(c.expected))) << c.text;
    }
}

TEST(SettingsText, DecimalConversion) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},           {"abc", 0},        {"42", 42},          {"  \t\r\n\v\f42", 42},
        {"+7x", 7},        {"-13:", -13},     {"- 1", 0},          {"+-1", 0},
        {"0012", 12},      {"2147483647", INT_MAX},                {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},             {"-99999999999999999999", INT_MIN},
        {"99999999999999999999999", INT_MAX},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

TEST(SettingsText, KeyCodeFields) {
    using Codes = std::array<std::int8_t, 16>;
    const std::pair<const char*, Codes> cases[] = {
        {"KeyCode=  65:  66\r\n", {65, 66}},
        {"KeyCode=  -1:\r\n", {-1}},
        {"KeyCode= 300:-128\r\n", {44, -128}},
        {"KeyCode=  65:  6\r\n", {65, 6}},
        {"KeyCode=\r\n", {}},
        {"KeyCode=  65:  66", {}},
        {"KeyCode=   1:   2:   3:   4:   5:   6:   7:   8:   9:  10:  11:  12:  13:  14:  15:  16:  17\r\n",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
        {"KeyCode=1    2    3\r\n", {1, 2, 3}},
    };
    for (const auto& [text, codes] : cases) EXPECT_EQ(Read(text).settings.KeyCode, codes) << text;
}

TEST(SettingsText, UrlTokens) {
    using Tokens = std::vector<std::string>;
    const std::pair<const char*, Tokens> cases[] = {
        {"URLBegin=ab ,cd\r\n", {"ab ", "cd"}},
        {"URLBegin=http:// , ftp://\r\n", {"http:// ", "ftp://"}},
        {"URLBegin=,ab\r\n", {}},
        {"URLBegin=ab,,cd\r\n", {"ab"}},
        {"URLBegin=ab, ,cd\r\n", {"ab"}},
        {"URLBegin=a,b,a\r\n", {"a", "b"}},
        {"URLBegin=\r\n", {}},
        {"URLBegin=mailto:", {}},
    };
    for (const auto& [text, tokens] : cases) EXPECT_EQ(Entries(Read(text).urlBegin), tokens) << text;
    EXPECT_EQ(Entries(Read("URLEnd=>,)\r\n").urlEnd), (Tokens{">", ")"}));
}

TEST(SettingsText, NextTokenLeavesPositionOutOfRange) {
    for (int start : {-1, 4, INT_MAX}) {
        int position = start;
        EXPECT_EQ(NextToken("a,b", position, ','), "");
        EXPECT_EQ(position, start);
    }
}

TEST(SettingsText, RecentFileLines) {
    using Paths = std::vector<std::string>;
    const auto nine = [](Paths paths) {
        paths.resize(9);
        return paths;
    };
    const std::pair<const char*, Paths> cases[] = {
        {"Recent File=\r\nC:\\a.txt\r\nC:\\b.txt\r\nC:\\c.txt\r\n", nine({"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"})},
        {"Recent File=\r\na\r\nb", nine({"a"})},
        {"Recent File=\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"Recent File=\r\n", nine({})},
        {"Recent File=\r\nab", nine({})},
        {"Recent File=\r\n\r\n", nine({""})},
        {"Recent File=XYa\r\n", nine({"a"})},
        {"Recent File=", nine({})},
        {"[Recent File]\r\nRecentCount=3\r\n", nine({})},
    };
    for (const auto& [text, paths] : cases) EXPECT_EQ(Entries(Read(text).recentFiles), paths) << text;
}

TEST(SettingsText, WrittenValueForms) {
    Loaded loaded;
    loaded.settings.BkColor = 255;
    loaded.settings.Minimize = 7;
    loaded.settings.KeyCode[0] = -1;
    loaded.settings.KeyCode[15] = -128;
    loaded.urlBegin.AddTail("a");
    loaded.urlBegin.AddTail("b");
    const std::string text = Write(loaded);
    for (const char* line : {"\r\nBkColor=     255\r\n", "\r\nMinimize=\r\n", "\r\nURLBegin=a,b\r\n",
                             "\r\nKeyCode=  -1:   0:", ":   0:-128\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(Read(text).settings.KeyCode, loaded.settings.KeyCode);
}

TEST(SettingsText, RoundTripOfChangedRecord) {
    Loaded loaded;
    Settings& s = loaded.settings;
    s = {3, true, false, true, true, 0x123456, 40, 2, "D:\\notes.txt", 9, 4, 5, "<T>", true, false, {}, 1};
    s.KeyCode = {96, 97, -1, 127, -128, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    loaded.urlBegin.AddTail("mailto:");
    loaded.urlBegin.AddTail("news:");
    loaded.urlEnd.AddTail(">");
    loaded.recentFiles.SetAtGrow(0, "C:\\a.txt");
    loaded.recentFiles.SetAtGrow(8, "C:\\\x93\xfa\x96\x7b.txt");

    const std::string text = Write(loaded);
    const Loaded back = Read(text);
    EXPECT_EQ(Fields(back.settings), Fields(s));
    EXPECT_EQ(Entries(back.urlBegin), Entries(loaded.urlBegin));
    EXPECT_EQ(Entries(back.urlEnd), Entries(loaded.urlEnd));
    EXPECT_EQ(Entries(back.recentFiles), Entries(loaded.recentFiles));
    EXPECT_EQ(Write(back), text);
}

// A hand-edited file: keys in reverse order, most without their section.
TEST(SettingsText, OrderAndSectionsDoNotMatter) {
    const char* text =
        "Recent File=\r\nC:\\x.txt\r\n"
        "RecentCount=7\r\nURLEnd=)\r\nURLBegin=mailto:\r\n"
        "KeyCode=  65\r\nAdditionalCode=1\r\nUseNumPad=NOT\r\nUseSCKey=YES\r\n"
        "TimeCopyTemplate=<T>\r\nTime=1\r\nDate=2\r\n"
        "[Options]\r\nInitialFileName=a.txt\r\nSentenceMaxCount=30\r\nView=1\r\nBkColor=0\r\n"
        "InitIcon=YES\r\nEnableTimeTag=YES\r\nShowTopMost=NOT\r\nSaveWithDialog=YES\r\nMinimize=ICO\r\n";
    const Loaded loaded = Read(text);
    Settings expected{3, true, false, true, true, 0, 30, 1, "a.txt", 7, 2, 1, "<T>", true, false, {65}, 1};
    EXPECT_EQ(Fields(loaded.settings), Fields(expected));
    EXPECT_EQ(Entries(loaded.urlBegin), std::vector<std::string>{"mailto:"});
    EXPECT_EQ(Entries(loaded.urlEnd), std::vector<std::string>{")"});
    EXPECT_EQ(*loaded.recentFiles.GetAt(0), "C:\\x.txt");
}

// A key's text inside an earlier value must not stand in for the key: a
// start file in a folder named "Date=5" would otherwise change the date
// format at every start. Only where the key has no line of its own does the
// first occurrence anywhere count.
TEST(SettingsText, KeyLinesWinOverKeyTextInsideEarlierValues) {
    const char* text =
        "InitialFileName=C:\\Date=5\\a.txt\r\n"
        "Date=1\r\n"
        "TimeCopyTemplate=<D> RecentCount=9\r\n"
        "RecentCount=4\r\n";
    const Loaded loaded = Read(text);
    EXPECT_EQ(loaded.settings.Date, 1);
    EXPECT_EQ(loaded.settings.RecentCount, 4);
    EXPECT_EQ(loaded.settings.InitialFileName, "C:\\Date=5\\a.txt");

    EXPECT_EQ(Read("Recent File=\r\nC:\\View=2\\a.txt\r\n").settings.View, 2);
    EXPECT_EQ(FindKey("xView=1\r\nView=2\r\n", "View="), 9u);
    EXPECT_EQ(FindKey("View=1", "View="), 0u);
    // Lines end with CR LF: a bare LF inside a value starts no line.
    EXPECT_EQ(FindKey("a=x\nView=1\r\nView=2\r\n", "View="), 12u);
    EXPECT_EQ(FindKey("abc", "View="), std::string_view::npos);
}

}  // namespace
}  // namespace qs
