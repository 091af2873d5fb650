#include "view/menus.h"

#include "framework/text.h"
#include "res/resource.h"

void MarkDisplayMode(HMENU menu, int mode) {
    CheckMenuRadioItem(menu, ID_MODE_SENTENCES, ID_MODE_URLHISTORY, ID_MODE_SENTENCES + mode, MF_BYCOMMAND);
}

fw::MenuHandle BuildListMenu(const qs::StringList& recentFiles, int recentCount, int mode,
                             const ListMenuTexts& texts) {
    fw::MenuHandle menu(CreatePopupMenu());
    if (!menu) return menu;
    AppendMenuW(menu.Get(), MF_STRING, ID_MODE_SENTENCES, texts.sentences.c_str());
    AppendMenuW(menu.Get(), MF_STRING, ID_MODE_CLIPHISTORY, texts.clipHistory.c_str());
    AppendMenuW(menu.Get(), MF_STRING, ID_MODE_URLHISTORY, texts.urlHistory.c_str());
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_STRING, ID_FILE_DEFAULT, texts.defaultFile.c_str());
    int index = 0;
    for (const std::string& path : recentFiles) {
        if (index >= recentCount || index > ID_RECENT_LAST - ID_RECENT_FIRST || path.empty()) break;
        AppendMenuW(menu.Get(), MF_STRING, ID_RECENT_FIRST + index, fw::Widen(path).c_str());
        ++index;
    }
    MarkDisplayMode(menu.Get(), mode);
    return menu;
}

void InsertListSubmenu(HMENU menu, int position, const std::wstring& title, const qs::StringList& list, int count,
                       UINT firstCommand) {
    fw::MenuHandle popup(CreatePopupMenu());
    if (!popup) return;
    int index = 0;
    for (const std::string& entry : list) {
        if (index >= count) break;
        AppendMenuW(popup.Get(), MF_STRING, firstCommand + static_cast<UINT>(index), fw::Widen(entry).c_str());
        ++index;
    }
    wchar_t text[256] = {};
    const auto at = static_cast<UINT>(position);
    if (GetMenuStringW(menu, at, text, 256, MF_BYPOSITION) > 0 && title == text) DeleteMenu(menu, at, MF_BYPOSITION);
    if (InsertMenuW(menu, at, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.Get()),
                    title.c_str())) {
        popup.Release();  // the menu destroys it now
    }
}
