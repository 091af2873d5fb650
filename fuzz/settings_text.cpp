// Reads arbitrary text as a settings file and checks that what the program
// writes back reads as the same record and writes as the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "data/settings_text.h"

namespace {

using namespace qs;

struct Loaded {
    Settings settings;
    StringList urlBegin;
    StringList urlEnd;
    StringList recentFiles{9};
};

auto Fields(const Settings& s) {
    return std::tie(s.Minimize, s.SaveWithDialog, s.ShowTopMost, s.EnableTimeTag, s.InitIcon, s.BkColor,
                    s.SentenceMaxCount, s.View, s.InitialFileName, s.RecentCount, s.Date, s.Time,
                    s.TimeCopyTemplate, s.UseSCKey, s.UseNumPad, s.KeyCode, s.AdditionalCode);
}

std::vector<std::string> Entries(const StringList& list) {
    return {list.begin(), list.end()};
}

Loaded Read(std::string_view text) {
    Loaded loaded;
    ReadSettingsText(text, loaded.settings, loaded.urlBegin, loaded.urlEnd, loaded.recentFiles);
    return loaded;
}

std::string Write(const Loaded& loaded) {
    return WriteSettingsText(loaded.settings, loaded.urlBegin, loaded.urlEnd, loaded.recentFiles);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

std::size_t CountLineEnds(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
}

void CheckTokens(const StringList& list) {
    for (const std::string& token : list) {
        Check(!token.empty() && token.front() != ' ' && token.find(',') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Loaded first = Read(text);
    CheckTokens(first.urlBegin);
    CheckTokens(first.urlEnd);
    Check(first.recentFiles.GetCount() == 9);
    Check(first.settings.Minimize >= 0 && first.settings.Minimize <= 3);

    // No value can hold a line end, so the file keeps its 40 lines, and every
    // key stands at the start of its own line, ahead of any key text inside
    // a value: a second reading gives the same record.
    const std::string written = Write(first);
    Check(CountLineEnds(written) == 40);

    const Loaded second = Read(written);
    Check(Fields(second.settings) == Fields(first.settings));
    Check(Entries(second.urlBegin) == Entries(first.urlBegin));
    Check(Entries(second.urlEnd) == Entries(first.urlEnd));
    Check(Entries(second.recentFiles) == Entries(first.recentFiles));
    Check(Write(second) == written);
    return 0;
}
