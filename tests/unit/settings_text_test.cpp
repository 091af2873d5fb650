#include "core/settings_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "tests/unit/core_helpers.h"

namespace qs {
namespace {

using namespace test;

const std::string kDefaultText =
    "//// Quillstack for Windows //////\r\n\r\n"
    "[Options]\r\nMinimize=ANI\r\nSaveWithDialog=NOT\r\nShowTopMost=YES\r\nEnableTimeTag=NOT\r\nInitIcon=NOT\r\n"
    "BkColor=15132390\r\nView=0\r\nSentenceMaxCount=16\r\nInitialFileName=\r\n\r\n"
    "[TimeCopy]\r\nDate=0\r\nTime=0\r\nTimeCopyTemplate=<D>, <T>\r\n\r\n"
    "[ShortCutKey]\r\nUseSCKey=NOT\r\nUseNumPad=YES\r\nAdditionalCode=0\r\n"
    "KeyCode=   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0\r\n\r\n"
    "[URL Recent]\r\nURLBegin=\r\nURLEnd=\r\n\r\n"
    "[Recent File]\r\nRecentCount=5\r\nRecent File=\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

// The defaults' text with each of `lines` put over as many lines from the one with its key.
std::string DefaultsWith(const std::vector<std::string>& lines) {
    std::string text = kDefaultText;
    for (const std::string& line : lines) {
        const std::size_t at = text.find("\n" + line.substr(0, line.find('=') + 1)) + 1;
        std::size_t end = at;
        for (auto n = std::count(line.begin(), line.end(), '\n'); n >= 0; --n) end = text.find("\r\n", end) + 2;
        text.replace(at, end - 2 - at, line);
    }
    return text;
}

// The same text edited by hand: the last keys first, and no section lines.
std::string Shuffled(const std::string& text) {
    const std::size_t last = text.find("[Recent File]");
    std::string edited = text.substr(last) + text.substr(0, last);
    for (std::string_view section : {"[Recent File]", "[Options]", "[TimeCopy]", "[ShortCutKey]", "[URL Recent]"}) {
        edited.erase(edited.find(section), section.size());
    }
    return edited;
}

// Each text is read over the defaults; what the record then writes shows
// every field at once, and reads back as the same record in any order.
TEST(SettingsText, ReadsWhatEachTextSays) {
    EXPECT_EQ(Write(Loaded()), kDefaultText);
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {kDefaultText, {}},
        // Some flags are on unless "NOT", the others off unless "YES".
        {"SaveWithDialog=x\r\nShowTopMost=x\r\nEnableTimeTag=x\r\nInitIcon=x\r\nUseSCKey=x\r\nUseNumPad=x\r\n",
         {"SaveWithDialog=YES", "ShowTopMost=NOT", "EnableTimeTag=YES", "InitIcon=YES", "UseNumPad=NOT"}},
        {"ShowTopMost=yes\r\nUseNumPad=YES \r\nUseSCKey=YES\r\n", {"ShowTopMost=NOT", "UseNumPad=NOT", "UseSCKey=YES"}},
        {"Minimize=WIN\r\n", {"Minimize=WIN"}}, {"Minimize=MAC\r\n", {"Minimize=MAC"}},
        {"Minimize=ICO\r\n", {"Minimize=ICO"}},
        {"Minimize=XYZ\r\nMinimize=WIN\r\n", {"Minimize=ANI"}},  // an unknown name; the first counts
        {"BkColor=     255\r\nView=-1\r\nDate=2\r\nTime=1\r\n", {"BkColor=     255", "View=-1", "Date=2", "Time=1"}},
        {"BkColor=-1\r\nSentenceMaxCount=30\r\nRecentCount=7\r\nAdditionalCode=1\r\n",
         {"BkColor=      -1", "SentenceMaxCount=30", "RecentCount=7", "AdditionalCode=1"}},
        {"InitialFileName=C:\\\x83\x5c\\a b.txt\r\n", {"InitialFileName=C:\\\x83\x5c\\a b.txt"}},
        // A last line without a line end reads as an empty value.
        {"ShowTopMost=YES", {"ShowTopMost=NOT"}}, {"TimeCopyTemplate=<T>", {"TimeCopyTemplate="}},
        {"URLBegin=http:// , ftp://\r\nURLEnd=a,b,a\r\n", {"URLBegin=http:// ,ftp://", "URLEnd=a,b"}},
        {"URLBegin=,ab\r\nURLEnd=ab, ,cd\r\n", {"URLBegin=", "URLEnd=ab"}},
        {"Recent File=\r\nC:\\a.txt\r\nC:\\b.txt\r\n", {"Recent File=\r\nC:\\a.txt\r\nC:\\b.txt"}},
        {"Recent File=\r\na\r\nb", {"Recent File=\r\na"}},
        {"Recent File=\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n",
         {"Recent File=\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9"}},
        {"Recent File=XYa\r\n", {"Recent File=\r\na"}},  // the key's own line end is skipped unseen
        {"Recent File=", {}},
        // A key's text inside an earlier value must not stand in for the key: a start
        // file in a folder named "Date=5" would otherwise change the date format.
        {"InitialFileName=C:\\Date=5\\a.txt\r\nDate=1\r\nTimeCopyTemplate=<D> RecentCount=9\r\nRecentCount=4\r\n",
         {"InitialFileName=C:\\Date=5\\a.txt", "Date=1", "TimeCopyTemplate=<D> RecentCount=9", "RecentCount=4"}},
        // Only where the key has no line of its own does the first occurrence anywhere count.
        {"Recent File=\r\nC:\\View=2\\a.txt\r\n", {"View=2", "Recent File=\r\nC:\\View=2\\a.txt"}},
        {"a=x\nView=1\r\nView=2\r\n", {"View=2"}},  // a bare LF inside a value starts no line
        // Key code i is the four bytes at 5 * i, however short the value is.
        {"KeyCode=  65:  6\r\n",
         {"KeyCode=  65:   6:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0"}},
        {"KeyCode= 300:-128:  -1: 127\r\n",
         {"KeyCode=  44:-128:  -1: 127:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0"}},
        {"KeyCode=1    2    3\r\n",
         {"KeyCode=   1:   2:   3:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0"}},
        {"KeyCode=   1:   2:   3:   4:   5:   6:   7:   8:   9:  10:  11:  12:  13:  14:  15:  16:  17\r\n",
         {"KeyCode=   1:   2:   3:   4:   5:   6:   7:   8:   9:  10:  11:  12:  13:  14:  15:  16"}},
    };
    for (const auto& [text, lines] : cases) {
        const std::string expected = DefaultsWith(lines);
        EXPECT_EQ(Write(Read(text)), expected) << text;
        EXPECT_EQ(Write(Read(Shuffled(expected))), expected) << text;
    }
    Loaded odd;
    odd.settings.Minimize = 7;  // only a hand-made record holds this
    EXPECT_EQ(Write(odd), DefaultsWith({"Minimize="}));
    for (int position : {-1, 4, INT_MAX}) EXPECT_EQ(NextToken("a,b", position, ','), "") << position;
}

TEST(SettingsText, DecimalConversion) {
    const std::pair<const char*, int> cases[] = {
        {"abc", 0},   {"  \t\r\n\v\f42", 42}, {"+7x", 7}, {"-13:", -13}, {"- 1", 0}, {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN}, {"99999999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

}  // namespace
}  // namespace qs
