// The form view on dialog 101: eight buttons over the list shown (the
// sentences, the clipboard history or the URL history), a clock button, a
// "▼" button and a scroll bar. It records clipboard changes made by other
// programs and carries the file, list and display commands.
//
// One class over several files, one per concern: quillstack_view.cpp
// (messages and commands), view_setup.cpp (set-up and teardown),
// view_capture.cpp (clipboard capture), view_panel.cpp (the buttons and the
// scroll bar), view_commands.cpp (display, file, join and date/time
// commands), view_hook.cpp (the global shortcut keys).
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "core/date_time.h"
#include "core/panel_math.h"
#include "data/quillstack_doc.h"
#include "dialogs/sentence_editor.h"
#include "dialogs/temp_save.h"
#include "framework/text.h"
#include "framework/view.h"
#include "hook/qhook.h"
#include "view/menus.h"

class CQuillstackView;

// A slot button: its own procedure takes the right-button press for the
// context menu and passes everything else on.
class CSlotButton : public fw::Wnd {
public:
    void Attach(HWND button, CQuillstackView* view);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CQuillstackView* view_ = nullptr;
};

// The caption of entry `index` of list `mode`, `width` bytes at most: the
// sentence's title when titles are chosen, else the start or the end of its
// text; `placeholder` for an empty one. The buttons show 14 bytes, the
// tray's list menu 20.
std::string EntryCaption(const CQuillstackDoc& doc, ListKind mode, int index, std::size_t width,
                         const std::string& placeholder);

// How CopyEntry combines the entry with the clipboard's text.
enum PasteMode : int {
    kPasteReplace = 0,
    kPasteAfterClipboard = 1,
    kPasteBeforeClipboard = 2,
};

class CQuillstackView : public fw::FormView {
public:
    static constexpr UINT_PTR kClockTimer = 100;
    static constexpr UINT kClockPeriodMs = 100;
    // Posted to itself: show the captions after a capture.
    static constexpr UINT kRefreshCaptions = WM_APP + 1;
    // Draws them once the changes pause for this long.
    static constexpr UINT_PTR kDrawTimer = 101;
    static constexpr UINT kDrawAfterMs = 100;
    // Tries again to read a clipboard another program held, this often.
    static constexpr UINT_PTR kCaptureRetryTimer = 102;
    static constexpr UINT kCaptureRetryMs = 10;
    static constexpr int kCaptureRetries = 5;

    // Only the first running copy of the program hooks the keyboard.
    explicit CQuillstackView(bool firstInstance);

    CQuillstackDoc* GetDocument() const;

    void OnInitialUpdate() override;
    bool OnCmdMsg(UINT id, fw::CommandCall call) override;

    // Panel
    void RefreshButton(int slot, fw::Drawing drawing = fw::Drawing::Now);
    void RefreshButtons();
    void CopyEntry(int index, PasteMode pasteMode, ListKind kind);
    void ResetPanel();
    bool LoadSentenceFile(const std::string& path);
    // A file the user chose to open (or created): first in the recent files,
    // then loaded.
    void LoadChosenFile(const std::string& path);
    // The recent-files pop-up of the menu bar, built afresh from the
    // document's list and count.
    void RebuildRecentMenu();
    // A right-button press on a slot button, at `point` in its client area.
    void OnSlotContextMenu(HWND button, POINT point);

    // The two modeless windows. The frame shows the editor with itself; the
    // temporary-save window stays as the user left it.
    HWND EditorWindow() const { return editor_.Hwnd(); }
    HWND TempSaveWindow() const { return tempSave_.Hwnd(); }
    // The frame and the sentence editor stay above other windows while
    // ShowTopMost is set.
    void ApplyTopMost() const;

    // Shortcut keys: the hook goes while the options sheet is open.
    bool IsFirstInstance() const { return firstInstance_; }
    void SetupHook();
    void RemoveHook();

    ListKind m_nMode = kListSentences;
    int m_nTop = 0;
    bool m_bEditorShown = false;
    HWND m_hWndNextViewer = nullptr;
    HWND m_hWndMenuButton = nullptr;
    // The keyboard hook, held only while it is installed.
    std::unique_ptr<QHook> m_pHook;
    // The modifier of the shortcut keys is down (always set without one).
    bool m_bKeyActive = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC dc) override;

private:
    // Messages and commands
    void OnControlCommand(UINT id, UINT code);

    // Set-up and teardown
    void CreateEditor();
    void CreateTempSave();
    struct StartFile {
        std::string path;
        bool fromSettings;  // InitialFileName
    };
    StartFile ChooseStartFile() const;
    void LoadStartFile();
    bool StartsIconised() const;
    void OnDestroy();

    // Clipboard capture
    void OnDrawClipboard();
    void OnChangeCbChain(HWND removed, HWND next);
    bool IsOwnClipboardChange(HWND owner) const;
    void CaptureUnlessOwn();
    void OnCaptureRetry();
    void RecordClipboardText();
    void ScheduleCaptionRefresh();
    void OnCaptionRefresh();
    void DrawCaptions();
    void PassOn(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Panel
    void OnSlotPressed(int slot);
    int ScrollMaxTop() const;
    void SetupScrollBar();
    // `thumb`: the low 16 bits of the thumb position the message carries.
    void OnVScroll(int code, int thumb);
    void OnMouseWheel(int delta);
    void MoveTop(int top);
    void OnSlotMenuCommand(UINT id);
    int SlotOfMenuButton() const;
    void RegisterFromClipboard(int slot);

    // Shortcut keys
    LRESULT OnHookKeyDown(unsigned key);
    LRESULT OnHookKeyUp(unsigned key);

    // Display and file commands
    void SetDisplayMode(ListKind mode);
    void OnListMenuButton();
    void OnClearList(ListKind kind);
    void OnDefaultFile();
    void OnRecentFile(int index);
    void OnOpenFile();
    void OnNewFile();
    void OnShowTempSave();
    void OnTempSaveClosed();
    void OnSaveSentences();
    void OnSaveHistory(ListKind kind);
    void OnJoin(ListKind kind);
    void OnExitWithoutSaving();
    void OnShowEditor();
    void OnOptions();
    void OnEditorClosed();

    // Date and time
    static qs::Moment Now();
    void OnTimer();
    void ExpandDateTimeTemplate();

    // Where the panel tells the sentence editor which entry to show (index
    // -1: the one it shows) and how many indexes its list offers.
    void EditorShowEntry(int index, ListKind kind) {
        editor_.ShowEntry(index < 0 ? std::nullopt : std::optional<int>(index), kind);
    }
    void EditorSetIndexCount(int count) { editor_.SetIndexCount(count); }

    HMENU FunctionsMenu() const;
    HWND ScrollBar() const;

    CSentenceEditorDlg editor_;
    CTempSaveDlg tempSave_;
    std::array<CSlotButton, qs::kSlotCount> slots_;
    qs::WheelAccumulator wheel_;
    qs::DateTimeFormats formats_;
    std::string placeholder_;
    bool refreshScheduled_ = false;
    bool drawPending_ = false;
    int retriesLeft_ = 0;
    DWORD retrySequence_ = 0;
    std::chrono::steady_clock::time_point lastRefresh_;
    bool firstInstance_;
};
