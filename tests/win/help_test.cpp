// The user guide the build puts beside the program names everything the
// menus and buttons show. (Opening it shows end to end.)
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/text.h"
#include "framework/window.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;

// The guide as its reader sees it: no tags, entities resolved, each run of
// white space one blank.
std::wstring VisibleGuide() {
    const std::wstring program = ProgramPath();
    std::wstring text = Wide(ReadBytes(program.substr(0, program.rfind(L'\\') + 1) + L"help\\Quillstack.html"));
    text = std::regex_replace(std::regex_replace(text, std::wregex(L"<[^>]*>"), L""), std::wregex(L"\\s+"), L" ");
    for (auto [entity, character] : {std::pair{L"&lt;", L"<"}, {L"&gt;", L">"}, {L"&quot;", L"\""}, {L"&amp;", L"&"}}) {
        text = std::regex_replace(text, std::wregex(entity), character);
    }
    return text;
}

void CollectMenuTexts(HMENU menu, std::vector<std::wstring>& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0) texts.push_back(text);
        if (HMENU popup = GetSubMenu(menu, i)) CollectMenuTexts(popup, texts);
    }
}

// Every button of every dialog template (push buttons, check boxes, radio
// buttons, group boxes), made as hidden windows; the view sets the slot
// buttons' captions.
void CollectButtonTexts(std::vector<std::wstring>& texts) {
    std::vector<WORD> ids;
    EnumResourceNamesW(fw::ModuleInstance(), RT_DIALOG, [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) -> BOOL {
        return reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name)), TRUE;
    }, reinterpret_cast<LONG_PTR>(&ids));
    OwnedWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    for (WORD id : ids) {
        HWND dialog = CreateDialogParamW(fw::ModuleInstance(), MAKEINTRESOURCEW(id), parent.get(), nullptr, 0);
        ASSERT_NE(dialog, nullptr) << id;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int control = GetDlgCtrlID(child);
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            const std::wstring text = fw::GetWindowTextString(child);
            const bool slot = id == IDD_FORM && control >= IDC_SLOT0 && control <= IDC_SLOT7;
            if (lstrcmpiW(className, L"Button") == 0 && !slot && !text.empty()) texts.push_back(text);
        }
        DestroyWindow(dialog);
    }
}

// What the menus show (not the context menus' own titles, never seen), the
// menu items the program makes from its strings, and every button caption.
TEST(Guide, NamesEveryMenuItemAndButtonCaption) {
    std::vector<std::wstring> texts;
    for (UINT menuId : {IDR_MAINFRAME, IDR_TRAYMENU, IDR_SLOTMENU, IDR_TEMPSAVE_MENU}) {
        fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(menuId)));
        CollectMenuTexts(menuId == IDR_MAINFRAME ? menu.Get() : GetSubMenu(menu.Get(), 0), texts);
    }
    for (UINT id : {IDS_TRAY_ICONISE, IDS_RECENT_FILES, IDS_LISTMENU_SENTENCES, IDS_LISTMENU_CLIPHISTORY,
                    IDS_LISTMENU_URLHISTORY, IDS_LISTMENU_DEFAULT}) {
        texts.push_back(fw::LoadResString(id));
    }
    CollectButtonTexts(texts);
    ASSERT_GT(texts.size(), 40u);
    const std::wstring guide = VisibleGuide();
    for (const std::wstring& text : texts) EXPECT_NE(guide.find(text), std::wstring::npos) << Utf8(text);
}

}  // namespace
