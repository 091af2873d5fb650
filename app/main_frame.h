// The program's only top-level window: small, fixed in size, holding the
// form view with the eight buttons. It owns the notification-area icon and
// its two menus, minimises in the style the settings choose (to the
// taskbar, rolled up to its caption at once or animated, or to the icon),
// and keeps the sentence editor docked to one of its sides.
#pragma once

#include <optional>

#include "framework/frame_window.h"
#include "framework/tray_icon.h"

class CQuillstackDoc;
class CQuillstackView;

class CMainFrame : public fw::FrameWnd {
public:
    static constexpr int kWidth = 150;
    static constexpr int kHeight = 270;
    static constexpr UINT kTrayIconId = 100;
    static constexpr UINT kTrayNotify = WM_USER + 10;
    static constexpr DWORD kRollPauseMs = 10;

    bool OnCmdMsg(UINT id, fw::CommandCall call) override;

    // Rolled up to the caption; iconising and restoring keep it.
    bool m_bRolledUp = false;
    // The sentence editor follows the frame, at this offset from its
    // top-left corner.
    bool m_bEditorDocked = true;
    int m_nDockX = kWidth;
    int m_nDockY = 0;

protected:
    bool PreCreateWindow(CREATESTRUCTW& create) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CQuillstackView* View() const;
    CQuillstackDoc* Doc() const;

    void AddTrayIcon();
    // True when the request is dealt with here and not passed on.
    bool OnSysCommand(UINT command);
    void ToggleRollUp(bool animated);
    // The next height of an animation, none at its end.
    using RollStep = std::optional<int> (*)(int height);
    void Animate(const RECT& start, RollStep step);
    void MoveToHeight(const RECT& start, int height);

    void OnTrayNotify(UINT mouseMessage);
    void ShowTrayListMenu();
    void ShowTrayMenu();
    void CopyTrayListEntry(int index);

    void OnIconise();
    void OnRestore();
    // Shows or hides the sentence editor with the frame, when the user has
    // it open.
    void ShowEditor(int showCommand) const;

    // Docking of the sentence editor.
    void OnMove();
    void OnEditorMoved(HWND editor);
    bool TryDockEditor(HWND editor);
    void PlaceEditor(HWND editor) const;

    fw::TrayIcon tray_;
};
