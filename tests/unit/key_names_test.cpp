#include "core/key_names.h"
#include "hook/key_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace qs {
namespace {

TEST(KeyNames, NamesAndCodes) {
    const std::pair<int, std::string> names[] = {{0x30, "0"}, {0x39, "9"}, {0x41, "A"},  {0x5A, "Z"}, {0x60, "N0"},
                                                 {0x69, "N9"}, {0x70, "F1"}, {0x78, "F9"}, {0, ""},    {-1, ""}};
    for (const auto& [code, name] : names) EXPECT_EQ(KeyNameFromCode(code), name) << code;
    // Every named code, and only those, comes back from its name.
    int named = 0;
    for (int code = 0; code < 0x200; ++code) {
        const std::string name = KeyNameFromCode(code);
        if (!name.empty()) EXPECT_EQ(KeyCodeFromName(name), code) << name;
        named += !name.empty();
    }
    EXPECT_EQ(named, 10 + 26 + 10 + 9);
    const std::pair<std::string, int> codes[] = {{"F", 0x46}, {"N", 0x4E}, {"F0", 0x46}, {"NX", 0x4E},
                                                 {"", 0},     {"\x82\xA0", 0x82}};
    for (const auto& [name, code] : codes) EXPECT_EQ(KeyCodeFromName(name), code) << name;
}

TEST(KeyNames, NormalizeFoldsKeypadDigitsAndClearsLaterDuplicates) {
    const std::pair<KeyCodes, KeyCodes> cases[] = {
        {{0x61, 0, 0, 0, 0, 0x31}, {0x31}},
        {{0x31, 0x61, 0x41, 0x41, 0x69, 0x60, 0x6A, -1, -1}, {0x31, 0, 0x41, 0, 0x39, 0x30, 0x6A, -1}},
        {{0, 0, 0x5F, 0x70}, {0, 0, 0x5F, 0x70}},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x66, 0x36}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x36}}};
    for (auto [codes, expected] : cases) {
        NormalizeKeyCodes(codes);
        EXPECT_EQ(codes, expected);
    }
}

// The position a key reported by the hook stands for: the first one with its
// code, a keypad digit as the digit key only when the keypad is not told
// apart, and nothing for code 0 or codes above 0x7F kept as signed bytes.
TEST(KeyNames, ShortcutPositionOfAKey) {
    const KeyCodes codes = {0, 'Q', 0x61, '1', 'Q', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::int8_t>(0xDE)};
    const struct {
        int key;
        bool useNumPad;
        std::optional<int> position;
    } cases[] = {{'Q', true, 1},  {0x61, true, 2}, {0x61, false, 3}, {'1', true, 3},     {0x62, false, std::nullopt},
                 {0, true, std::nullopt}, {0xDE, true, 15}, {'W', true, std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(ShortcutPosition(codes, c.key, c.useNumPad), c.position) << c.key;
}

// The hook reports either side's modifier as the generic one.
TEST(HookKeyCodes, ModifiersBecomeGenericOthersStay) {
    const std::pair<unsigned, unsigned> cases[] = {
        {0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11}, {0xA3, 0x11}, {0xA4, 0x12}, {0xA5, 0x12},
        {0x10, 0x10}, {0x11, 0x11}, {0x12, 0x12}, {0x9F, 0x9F}, {0xA6, 0xA6}, {0x51, 0x51},
        {0x61, 0x61}, {0x31, 0x31}, {0x70, 0x70}, {0xFE, 0xFE}};
    for (const auto& [seen, reported] : cases) EXPECT_EQ(qhook::GenericKeyCode(seen), reported) << seen;
}

}  // namespace
}  // namespace qs
