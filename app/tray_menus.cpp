#include "app/tray_menus.h"

#include "core/caption.h"
#include "core/frame_math.h"
#include "framework/text.h"
#include "framework/window.h"
#include "res/resource.h"
#include "view/menus.h"
#include "view/quillstack_view.h"

namespace {

// The tray menu's pop-up that holds the recent files.
constexpr int kTrayRecentPosition = 2;

}  // namespace

fw::MenuHandle BuildTrayListMenu(const CQuillstackDoc& doc, ListKind mode, const std::string& placeholder) {
    fw::MenuHandle menu(CreatePopupMenu());
    if (!menu) return menu;
    const int length = qs::TrayListLength(doc.GetItemCount(mode));
    for (int i = 0; i < length; ++i) {
        const std::string caption = EntryCaption(doc, mode, i, qs::kMenuCaptionWidth, placeholder);
        AppendMenuW(menu.Get(), MF_STRING, ID_TRAYLIST_FIRST + i, fw::Widen(caption).c_str());
    }
    return menu;
}

fw::MenuHandle BuildTrayMenu(const CQuillstackDoc& doc, const TrayMenuState& state) {
    fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_TRAYMENU)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup) return fw::MenuHandle();
    if (state.frameVisible) {
        ModifyMenuW(popup, ID_TRAY_RESTORE, MF_BYCOMMAND | MF_STRING, ID_TRAY_ICONISE,
                    fw::LoadResString(IDS_TRAY_ICONISE).c_str());
    }
    InsertListSubmenu(popup, kTrayRecentPosition, fw::LoadResString(IDS_RECENT_FILES), doc.m_RecentFiles,
                      doc.m_Settings.RecentCount, ID_RECENT_FIRST);
    MarkDisplayMode(popup, state.mode);
    CheckMenuItem(popup, ID_SHOW_TEMPSAVE, MF_BYCOMMAND | (state.tempSaveVisible ? MF_CHECKED : MF_UNCHECKED));
    return menu;
}
