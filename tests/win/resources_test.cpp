// Checks the resources of the built Quillstack.exe that the code relies on
// by number: the menus, the accelerators and the strings. The exe is loaded
// as a data file, so nothing of it runs. (The about box's text and the
// form's controls, by their ids, show end to end.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/win/win_test_support.h"

namespace {

using wintest::kPopup;
using wintest::MenuLine;

const std::vector<MenuLine> kMainMenu = {
    {0, L"ﾌｧｲﾙ(&F)", kPopup},
    {1, L"新規作成(&N)...", 57600},
    {1, L"読み込み(&L)...", 57601},
    {1, L"保存", kPopup},
    {2, L"登録文(&S)...", 32780},
    {2, L"クリップボード履歴(&C)...", 32779},
    {2, L"URL履歴(&U)", 32790},
    {1, L"", 0},
    {1, L"デフォルト(&D)", 32773},
    {1, L"", 0},  // the recent-files pop-up goes in before this one
    {1, L"保存せずに終了(&S)", 32772},
    {1, L"終了(&X)", 57665},
    {0, L"機能(&T)", kPopup},
    {1, L"登録文の確認と編集(&E)...", 32774},
    {1, L"一時保存ダイアログ(&T)...", 32792},
    {1, L"アイコン化(&A)", 32783},
    {1, L"結合", kPopup},
    {2, L"登録文(&R)...", 32810},
    {2, L"クリップボード履歴($C)...", 32811},
    {2, L"URL履歴(&U)...", 32812},
    {1, L"クリア", kPopup},
    {2, L"登録文(&R)...", 32815},
    {2, L"クリップボード履歴($C)...", 32816},
    {2, L"URL履歴(&U)...", 32817},
    {1, L"", 0},
    {1, L"登録文(&R)", 32800},
    {1, L"クリップボード履歴(&C)", 32801},
    {1, L"URL履歴(&U)", 32802},
    {1, L"", 0},
    {1, L"設定(&O)...", 32777},
    {1, L"ヘルプ(&H)...", 32784},
    {1, L"ﾊﾞｰｼﾞｮﾝ情報 (&I)...", 57664},
};

// A context menu is one pop-up (whose own title is never shown).
const std::vector<MenuLine> kTrayMenu = {
    {0, L"Tray", kPopup},
    {1, L"元のサイズに戻す(&R)", 32782},
    {1, L"読み込み(&L)...", 57601},
    {1, L"一時保存ダイアログ", 32792},
    {1, L"デフォルト(&D)", 32773},
    {1, L"", 0},
    {1, L"登録文(&R)", 32800},
    {1, L"クリップボード履歴(&R)", 32801},
    {1, L"URL履歴(&U)", 32802},
    {1, L"", 0},
    {1, L"ヘルプ(&H)", 32784},
    {1, L"終了(&E)", 32781},
};

const std::vector<MenuLine> kSlotMenu = {
    {0, L"Slot", kPopup},
    {1, L"後ろに追加コピー", 32786},
    {1, L"前に追加コピー", 32787},
    {1, L"クリップボードから登録", 32805},
};

class Resources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExW(qstest::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << qstest::Utf8(qstest::ProgramPath()); }

    static std::vector<MenuLine> Menu(int id) {
        HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(id));
        std::vector<MenuLine> lines = menu ? wintest::MenuLines(menu) : std::vector<MenuLine>();
        DestroyMenu(menu);
        return lines;
    }

    static std::wstring String(UINT id) {
        const wchar_t* text = nullptr;
        int length = LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? std::wstring(text, length) : std::wstring();
    }

    static inline HMODULE module_ = nullptr;
};

TEST_F(Resources, MenusHaveEveryPopupAndItemInOrder) {
    EXPECT_EQ(Menu(128), kMainMenu);
    EXPECT_EQ(Menu(135), kTrayMenu);
    EXPECT_EQ(Menu(136), kSlotMenu);
}

TEST_F(Resources, AcceleratorTableMapsEveryKey) {
    using Key = std::tuple<BYTE, WORD, WORD>;  // modifiers, virtual key, command
    std::vector<Key> expected = {
        {FCONTROL, 'N', 57600},       {FCONTROL, 'O', 57601},       {FCONTROL, 'S', 57603},
        {FCONTROL, 'C', 57634},       {FCONTROL, VK_INSERT, 57634}, {FCONTROL, 'X', 57635},
        {FSHIFT, VK_DELETE, 57635},   {FCONTROL, 'V', 57637},       {FSHIFT, VK_INSERT, 57637},
        {FCONTROL, 'Z', 57643},       {FALT, VK_BACK, 57643},       {0, VK_F6, 57680},
        {FSHIFT, VK_F6, 57681},       {0, '0', 32788},
    };
    HACCEL table = LoadAcceleratorsW(module_, MAKEINTRESOURCEW(128));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> entries(CopyAcceleratorTableW(table, nullptr, 0));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));

    std::vector<Key> actual;
    for (const ACCEL& a : entries) {
        EXPECT_TRUE(a.fVirt & FVIRTKEY) << "key " << a.key << " is not a virtual key";
        actual.emplace_back(a.fVirt & (FSHIFT | FCONTROL | FALT), a.key, a.cmd);
    }
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
}

// Exact texts: line breaks are real line feeds, and each message has the
// one "%s" that its path goes into.
TEST_F(Resources, StringTableHoldsTheFixedTexts) {
    const std::pair<UINT, std::wstring> table[] = {
        {128, L"Quillstack\n\nQuills\n\n\nQuillstack.Document\nQuills Document"},
        {57344, L"Quillstack"},
        {57345, L"無題"},
        {57346, L"ファイル %s を開けません。"},
        {61200, L"未登録"},
        {61201, L"登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--%s--"},
        {61202, L"変更を保存します\n[FILE] : %s"},
        {61203, L"最近使ったファイル"},
        {61204, L"Quill"},
        {61205, L"アイコン化"},
        {61210, L"登録文"},
        {61211, L"クリップボード履歴"},
        {61212, L"ＵＲＬ履歴"},
        {61213, L"デフォルト"},
        {61220, L"%Y年%m月%d日"},
        {61221, L"%H時%M分%S秒"},
    };
    for (const auto& [id, text] : table) {
        EXPECT_EQ(qstest::Utf8(String(id)), qstest::Utf8(text)) << "string " << id;
    }
}

}  // namespace
