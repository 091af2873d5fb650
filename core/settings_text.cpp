#include "core/settings_text.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace qs {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRecentFileKey = "Recent File=";
constexpr int kRecentFileLines = 9;
constexpr int kKeyCodeFieldWidth = 4;
constexpr std::size_t kKeyCodeFieldStride = 5;  // the field and its colon

constexpr std::string_view kMinimizeNames[] = {"WIN", "MAC", "ANI", "ICO"};

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string Decimal(std::int32_t value) {
    return std::to_string(value);
}

std::string_view YesNot(bool value) {
    return value ? "YES" : "NOT";
}

}  // namespace

std::string JoinTokens(const StringList& list) {
    std::string text;
    bool first = true;
    for (const std::string& entry : list) {
        if (!first) text += ',';
        text += entry;
        first = false;
    }
    return text;
}

void AppendTokens(std::string_view text, StringList& list) {
    int position = 0;
    for (;;) {
        const std::string token = NextToken(text, position, ',');
        if (token.empty()) return;
        list.AddTailUnique(token);
    }
}

int SentenceMaxCountFromText(std::string_view text) {
    return std::clamp(ParseDecimal(text), kSentenceMaxCountLowest, kSentenceMaxCountHighest);
}

namespace {

// Each reader leaves its field alone when the key is missing.

void ReadMinimize(std::string_view text, std::int32_t& field) {
    std::string value;
    if (!GetIniValue(text, "Minimize=", value)) return;
    field = kMinimizeRollUpAnimated;
    if (value == "WIN") field = kMinimizeWindows;
    if (value == "MAC") field = kMinimizeRollUp;
    if (value == "ICO") field = kMinimizeToTray;
}

// Some flags are on unless the text is exactly "NOT", others off unless it
// is exactly "YES"; the file has always been read that way.
void ReadOnUnlessNot(std::string_view text, std::string_view key, bool& field) {
    std::string value;
    if (GetIniValue(text, key, value)) field = value != "NOT";
}

void ReadOffUnlessYes(std::string_view text, std::string_view key, bool& field) {
    std::string value;
    if (GetIniValue(text, key, value)) field = value == "YES";
}

void ReadInt(std::string_view text, std::string_view key, std::int32_t& field) {
    std::string value;
    if (GetIniValue(text, key, value)) field = ParseDecimal(value);
}

void ReadColor(std::string_view text, std::uint32_t& field) {
    std::string value;
    if (GetIniValue(text, "BkColor=", value)) field = static_cast<std::uint32_t>(ParseDecimal(value));
}

void ReadText(std::string_view text, std::string_view key, std::string& field) {
    std::string value;
    if (GetIniValue(text, key, value)) field = value;
}

// Field i is the 4 bytes at 5 * i. A value written by hand may be shorter:
// a field that is missing reads 0, a field cut short only the bytes present.
void ReadKeyCodes(std::string_view text, std::array<std::int8_t, 16>& codes) {
    std::string value;
    if (!GetIniValue(text, "KeyCode=", value)) return;
    const std::string_view fields = value;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::size_t offset = kKeyCodeFieldStride * i;
        int code = 0;
        if (offset < fields.size()) code = ParseDecimal(fields.substr(offset, kKeyCodeFieldWidth));
        codes[i] = static_cast<std::int8_t>(static_cast<std::uint8_t>(code & 0xFF));
    }
}

void ReadTokens(std::string_view text, std::string_view key, StringList& list) {
    std::string value;
    if (GetIniValue(text, key, value)) AppendTokens(value, list);
}

// The lines after "Recent File=": the key's own line end is skipped unseen,
// and a last line without a line end is not taken.
void ReadRecentFiles(std::string_view text, StringList& recentFiles) {
    const std::size_t key = FindKey(text, kRecentFileKey);
    if (key == std::string_view::npos) return;
    const std::size_t skip = kRecentFileKey.size() + kLineEnd.size();
    if (text.size() - key <= skip + 1) return;
    std::string_view rest = text.substr(key + skip);
    for (int i = 0; i < kRecentFileLines; ++i) {
        const std::size_t end = rest.find(kLineEnd);
        if (end == std::string_view::npos) return;
        recentFiles.SetAtGrow(i, rest.substr(0, end));
        rest.remove_prefix(end + kLineEnd.size());
    }
}

std::string MinimizeText(std::int32_t minimize) {
    if (minimize < 0 || minimize >= static_cast<std::int32_t>(std::size(kMinimizeNames))) return {};
    return std::string(kMinimizeNames[minimize]);
}

std::string KeyCodeText(const std::array<std::int8_t, 16>& codes) {
    std::string text;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) text += ':';
        text += PadLeft(Decimal(codes[i]), kKeyCodeFieldWidth);
    }
    return text;
}

}  // namespace

std::size_t FindKey(std::string_view text, std::string_view key) {
    const std::size_t first = text.find(key);
    for (std::size_t at = first; at != std::string_view::npos; at = text.find(key, at + 1)) {
        if (at == 0 || (at >= kLineEnd.size() && text.substr(at - kLineEnd.size(), kLineEnd.size()) == kLineEnd)) {
            return at;
        }
    }
    return first;
}

bool GetIniValue(std::string_view text, std::string_view key, std::string& value) {
    const std::size_t at = FindKey(text, key);
    if (at == std::string_view::npos) return false;
    const std::size_t start = at + key.size();
    const std::size_t end = text.find(kLineEnd, start);
    value = end == std::string_view::npos ? std::string() : std::string(text.substr(start, end - start));
    return true;
}

std::string NextToken(std::string_view text, int& position, char separator) {
    // Positions are 32-bit: bytes beyond that range are out of reach.
    const std::size_t size = std::min<std::size_t>(text.size(), INT_MAX);
    if (position < 0 || static_cast<std::size_t>(position) > size) return {};
    std::size_t pos = static_cast<std::size_t>(position);
    while (pos < size && text[pos] == ' ') ++pos;
    std::size_t end = text.substr(0, size).find(separator, pos);
    std::string token;
    if (end == std::string_view::npos) {
        token = text.substr(pos, size - pos);
        pos = size;
    } else {
        token = text.substr(pos, end - pos);
        pos = end + 1;
    }
    position = static_cast<int>(pos);
    return token;
}

int ParseDecimal(std::string_view text) {
    constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

void ReadSettingsText(std::string_view text, Settings& settings, StringList& urlBegin,
                      StringList& urlEnd, StringList& recentFiles) {
    ReadMinimize(text, settings.Minimize);
    ReadOnUnlessNot(text, "SaveWithDialog=", settings.SaveWithDialog);
    ReadOffUnlessYes(text, "ShowTopMost=", settings.ShowTopMost);
    ReadOnUnlessNot(text, "EnableTimeTag=", settings.EnableTimeTag);
    ReadOnUnlessNot(text, "InitIcon=", settings.InitIcon);
    ReadColor(text, settings.BkColor);
    ReadInt(text, "View=", settings.View);
    ReadInt(text, "SentenceMaxCount=", settings.SentenceMaxCount);
    ReadInt(text, "Date=", settings.Date);
    ReadInt(text, "Time=", settings.Time);
    ReadText(text, "TimeCopyTemplate=", settings.TimeCopyTemplate);
    ReadText(text, "InitialFileName=", settings.InitialFileName);
    ReadInt(text, "RecentCount=", settings.RecentCount);
    ReadOffUnlessYes(text, "UseSCKey=", settings.UseSCKey);
    ReadOffUnlessYes(text, "UseNumPad=", settings.UseNumPad);
    ReadInt(text, "AdditionalCode=", settings.AdditionalCode);
    ReadKeyCodes(text, settings.KeyCode);
    ReadTokens(text, "URLBegin=", urlBegin);
    ReadTokens(text, "URLEnd=", urlEnd);
    ReadRecentFiles(text, recentFiles);
}

std::string WriteSettingsText(const Settings& settings, const StringList& urlBegin,
                              const StringList& urlEnd, const StringList& recentFiles) {
    std::string text;
    const auto line = [&text](std::string_view key, std::string_view value = {}) {
        text += key;
        text += value;
        text += kLineEnd;
    };
    line("//// Quillstack for Windows //////");
    line("");
    line("[Options]");
    line("Minimize=", MinimizeText(settings.Minimize));
    line("SaveWithDialog=", YesNot(settings.SaveWithDialog));
    line("ShowTopMost=", YesNot(settings.ShowTopMost));
    line("EnableTimeTag=", YesNot(settings.EnableTimeTag));
    line("InitIcon=", YesNot(settings.InitIcon));
    line("BkColor=", PadLeft(Decimal(static_cast<std::int32_t>(settings.BkColor)), 8));
    line("View=", Decimal(settings.View));
    line("SentenceMaxCount=", Decimal(settings.SentenceMaxCount));
    line("InitialFileName=", settings.InitialFileName);
    line("");
    line("[TimeCopy]");
    line("Date=", Decimal(settings.Date));
    line("Time=", Decimal(settings.Time));
    line("TimeCopyTemplate=", settings.TimeCopyTemplate);
    line("");
    line("[ShortCutKey]");
    line("UseSCKey=", YesNot(settings.UseSCKey));
    line("UseNumPad=", YesNot(settings.UseNumPad));
    line("AdditionalCode=", Decimal(settings.AdditionalCode));
    line("KeyCode=", KeyCodeText(settings.KeyCode));
    line("");
    line("[URL Recent]");
    line("URLBegin=", JoinTokens(urlBegin));
    line("URLEnd=", JoinTokens(urlEnd));
    line("");
    line("[Recent File]");
    line("RecentCount=", Decimal(settings.RecentCount));
    line(kRecentFileKey);
    for (int i = 0; i < kRecentFileLines; ++i) {
        const std::string* path = recentFiles.GetAt(i);
        line(path ? std::string_view(*path) : std::string_view());
    }
    return text;
}

}  // namespace qs
