// The user guide the build puts beside the program: it names everything the
// menus and buttons show, each help context's page forwards to a section of
// it, and the help routine opens the page of a context.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/help.h"
#include "framework/text.h"
#include "framework/window.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;

std::wstring HelpFolder() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.rfind(L'\\') + 1) + L"help\\";
}

std::wstring ReadUtf8(const std::wstring& path) {
    return Wide(ReadBytes(path));
}

// The guide as its reader sees it: tags dropped, entities resolved, every
// run of white space one blank.
std::wstring VisibleText(std::wstring_view html) {
    const struct {
        std::wstring_view entity, text;
    } entities[] = {{L"&lt;", L"<"}, {L"&gt;", L">"}, {L"&quot;", L"\""}, {L"&#39;", L"'"}, {L"&nbsp;", L" "},
                    {L"&amp;", L"&"}};
    std::wstring text;
    for (std::size_t i = 0; i < html.size();) {
        if (html[i] == L'<') {
            const std::size_t end = html.find(L'>', i);
            i = end == std::wstring_view::npos ? html.size() : end + 1;
            continue;
        }
        bool replaced = false;
        for (const auto& e : entities) {
            if (html.substr(i, e.entity.size()) == e.entity) {
                text += e.text;
                i += e.entity.size();
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        const wchar_t c = iswspace(html[i]) ? L' ' : html[i];
        if (c != L' ' || text.empty() || text.back() != L' ') text += c;
        ++i;
    }
    return text;
}

// Every item and pop-up title of a menu and the pop-ups within it.
void CollectMenuTexts(HMENU menu, std::vector<std::wstring>& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0) texts.push_back(text);
        if (HMENU popup = GetSubMenu(menu, i)) CollectMenuTexts(popup, texts);
    }
}

INT_PTR CALLBACK SilentDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The captions of every button (push buttons, check boxes, radio buttons,
// group boxes) of every dialog template, made as hidden windows. The slot
// buttons' template texts are never seen: the view sets their captions.
void CollectButtonTexts(std::vector<std::wstring>& texts) {
    std::vector<WORD> ids;
    EnumResourceNamesW(
        fw::ModuleInstance(), RT_DIALOG,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(list)->push_back(LOWORD(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_GE(ids.size(), 2u);
    OwnedWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));
    for (WORD id : ids) {
        HWND dialog = CreateDialogParamW(fw::ModuleInstance(), MAKEINTRESOURCEW(id), parent.get(), SilentDialog, 0);
        ASSERT_NE(dialog, nullptr) << "dialog " << id;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int control = GetDlgCtrlID(child);
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            const bool runTimeCaption = id == IDD_FORM && control >= IDC_SLOT0 && control <= IDC_SLOT7;
            const std::wstring text = fw::GetWindowTextString(child);
            if (lstrcmpiW(className, L"Button") == 0 && !runTimeCaption && !text.empty()) texts.push_back(text);
        }
        DestroyWindow(dialog);
    }
}

// What the user sees in the menus (the two context menus' own titles are
// never shown) and on the buttons is named in the guide.
TEST(Guide, NamesEveryMenuItemAndButtonCaption) {
    std::vector<std::wstring> texts;
    for (UINT menuId : {IDR_MAINFRAME, IDR_TRAYMENU, IDR_SLOTMENU}) {
        fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(menuId)));
        ASSERT_TRUE(menu) << menuId;
        HMENU shown = menuId == IDR_MAINFRAME ? menu.Get() : GetSubMenu(menu.Get(), 0);
        CollectMenuTexts(shown, texts);
    }
    // Menu items the program builds from its strings.
    for (UINT stringId : {IDS_TRAY_ICONISE, IDS_RECENT_FILES, IDS_LISTMENU_SENTENCES, IDS_LISTMENU_CLIPHISTORY,
                          IDS_LISTMENU_URLHISTORY, IDS_LISTMENU_DEFAULT}) {
        texts.push_back(fw::LoadResString(stringId));
    }
    CollectButtonTexts(texts);
    ASSERT_GT(texts.size(), 40u);

    const std::wstring guide = VisibleText(ReadUtf8(HelpFolder() + L"Quillstack.html"));
    ASSERT_FALSE(guide.empty());
    for (const std::wstring& text : texts) EXPECT_NE(guide.find(text), std::wstring::npos) << Utf8(text);
}

// Every context the program asks for has a page that forwards to a section
// of the guide (the shell cannot open a file at an anchor).
TEST(Guide, EachContextPageForwardsToASection) {
    const std::wstring guide = ReadUtf8(HelpFolder() + L"Quillstack.html");
    for (const wchar_t* context : {L"contents", L"8", L"16", L"49", L"50", L"51", L"52", L"53"}) {
        SCOPED_TRACE(Utf8(context));
        const std::wstring page = ReadUtf8(HelpFolder() + L"context\\" + context + L".html");
        const std::wstring link = L"../Quillstack.html#";
        const std::size_t at = page.find(link);
        ASSERT_NE(at, std::wstring::npos) << "no forward";
        const std::size_t start = at + link.size();
        const std::wstring anchor = page.substr(start, page.find(L'"', start) - start);
        EXPECT_NE(guide.find(L"id=\"" + anchor + L"\""), std::wstring::npos) << Utf8(anchor);
    }
}

// The contents and each numbered context open the page of that name beside
// the program. (The shell itself, and its failure, show end to end.)
TEST(Help, AContextOpensItsPageBesideTheProgram) {
    std::vector<std::wstring> opened;
    fw::HelpOpener old = fw::SetHelpOpenerForTesting([&](HWND, const std::wstring& page) {
        opened.push_back(page);
        return true;
    });
    fw::ShowHelpContents(nullptr);
    fw::ShowHelp(nullptr, 49);
    fw::SetHelpOpenerForTesting(std::move(old));
    EXPECT_EQ(opened, (std::vector<std::wstring>{HelpFolder() + L"context\\contents.html",
                                                 HelpFolder() + L"context\\49.html"}));
}

}  // namespace
