// Shared by the core's unit tests and its fuzz targets (so no test framework
// here): both build lists, parse list files and load settings text alike.
#pragma once

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/list_file_text.h"
#include "core/settings_text.h"
#include "core/string_list.h"

namespace qs::test {

using Texts = std::vector<std::string>;

inline StringList ListOf(const Texts& texts) {
    StringList list;
    for (const std::string& text : texts) list.AddTail(text);
    return list;
}

inline Texts Items(const StringList& list) { return {list.begin(), list.end()}; }

// A list file's entries; the list starts non-empty as parsing must replace it.
inline Texts ParseList(std::string_view text, const LeadBytes& lead = LeadBytes::ShiftJis()) {
    StringList list(2);
    ParseListText(text, list, lead);
    return Items(list);
}

// Everything a settings file carries, as the document holds it.
struct Loaded {
    Settings settings;
    StringList urlBegin, urlEnd, recentFiles{9};
};

inline Loaded Read(std::string_view text) {
    Loaded l;
    ReadSettingsText(text, l.settings, l.urlBegin, l.urlEnd, l.recentFiles);
    return l;
}

inline std::string Write(const Loaded& l) { return WriteSettingsText(l.settings, l.urlBegin, l.urlEnd, l.recentFiles); }

// The record's fields and the three lists, comparable in one go.
inline auto Everything(const Loaded& l) {
    const Settings& s = l.settings;
    return std::make_tuple(s.Minimize, s.SaveWithDialog, s.ShowTopMost, s.EnableTimeTag, s.InitIcon, s.BkColor,
                           s.SentenceMaxCount, s.View, s.InitialFileName, s.RecentCount, s.Date, s.Time,
                           s.TimeCopyTemplate, s.UseSCKey, s.UseNumPad, s.KeyCode, s.AdditionalCode,
                           Items(l.urlBegin), Items(l.urlEnd), Items(l.recentFiles));
}

}  // namespace qs::test
