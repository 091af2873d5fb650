#include "view/quillstack_view.h"

#include <shlwapi.h>
#include <windowsx.h>

#include <new>
#include <vector>

#include "data/app_path.h"
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/frame_window.h"
#include "framework/handles.h"
#include "framework/text.h"
#include "res/resource.h"
#include "view/caption.h"
#include "view/clipboard_text.h"

namespace {

// A viewer that does not answer within this time is passed by, so a hung
// program further down the chain cannot freeze this one.
const UINT kChainTimeoutMs = 2000;

qs::Moment Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return qs::Moment{time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond};
}

HWND MainFrameWindow() {
    fw::WinApp* app = fw::WinApp::Current();
    return app && app->MainFrame() ? app->MainFrame()->Hwnd() : nullptr;
}

// Lines one wheel notch moves, as the user set it for every program.
int WheelLinesPerNotch() {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? qs::kSlotCount : static_cast<int>(lines);
}

}  // namespace

// ---- Slot buttons -------------------------------------------------------

void CSlotButton::Attach(HWND button, CQuillstackView* view) {
    view_ = view;
    Subclass(button);
}

LRESULT CSlotButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    // The button itself never sees the right-button press.
    case WM_RBUTTONDOWN:
        view_->OnSlotContextMenu(Hwnd(), POINT{LOWORD(lParam), HIWORD(lParam)});
        return 0;
    default:
        return DefProc(message, wParam, lParam);
    }
}

// ---- Set-up and teardown ------------------------------------------------

CQuillstackView::CQuillstackView() : fw::FormView(IDD_FORM) {}

CQuillstackDoc* CQuillstackView::GetDocument() const {
    return static_cast<CQuillstackDoc*>(fw::FormView::GetDocument());
}

HMENU CQuillstackView::FunctionsMenu() const {
    HWND frame = MainFrameWindow();
    HMENU menu = frame ? GetMenu(frame) : nullptr;
    return menu ? GetSubMenu(menu, 1) : nullptr;
}

HWND CQuillstackView::ScrollBar() const {
    return Control(IDC_SCROLL);
}

void CQuillstackView::OnInitialUpdate() {
    const qs::LeadBytes& lead = fw::SystemLeadBytes();
    formats_ = qs::MakeDateTimeFormats(lead, fw::LoadAnsiString(IDS_DATE_FORMAT_KANJI),
                                       fw::LoadAnsiString(IDS_TIME_FORMAT_KANJI));
    placeholder_ = fw::LoadAnsiString(IDS_NOT_REGISTERED);

    LoadStartFile();
    // Joining the chain makes Windows report the clipboard's current content
    // at once, so a text already there becomes the first history entry.
    m_hWndNextViewer = SetClipboardViewer(Hwnd());
    MarkDisplayMode(FunctionsMenu(), kListSentences);
    m_nMode = kListSentences;
    for (int slot = 0; slot < qs::kSlotCount; ++slot) slots_[slot].Attach(Control(IDC_SLOT0 + slot), this);
    ResetPanel();
    SetTimer(Hwnd(), kClockTimer, kClockPeriodMs, nullptr);
    // The sentence editor and temporary-save windows, the topmost z-order,
    // the recent-files submenu, the keyboard hook and starting iconised join
    // this set-up, in their places, as they are built.
}

// The first command-line argument when it names an existing file other than
// the program itself; else the start file of the settings, else the default.
std::string CQuillstackView::ChooseStartFile() const {
    fw::WinApp* app = fw::WinApp::Current();
    std::string argument = app ? app->CommandLine() : std::string();
    // Stripped in a buffer as long as the whole line, so nothing is cut first.
    std::vector<char> buffer(argument.begin(), argument.end());
    buffer.push_back('\0');
    PathRemoveArgsA(buffer.data());
    PathUnquoteSpacesA(buffer.data());
    std::string file(buffer.data());

    const std::string self = qs::ModuleFilePath();

    // A longer argument cannot name a file the program can open.
    bool usable = !file.empty() && file.size() < MAX_PATH && PathFileExistsA(file.c_str()) &&
                  lstrcmpiA(file.c_str(), self.c_str()) != 0;
    if (usable) return file;
    const std::string& initial = GetDocument()->m_Settings.InitialFileName;
    return initial.empty() ? CQuillstackDoc::DefaultSentenceFile() : initial;
}

void CQuillstackView::LoadStartFile() {
    if (LoadSentenceFile(ChooseStartFile())) return;
    GetDocument()->m_Settings.InitialFileName.clear();
    LoadSentenceFile(CQuillstackDoc::DefaultSentenceFile());
}

void CQuillstackView::OnDestroy() {
    KillTimer(Hwnd(), kClockTimer);
    GetDocument()->SaveIfModified();
    ChangeClipboardChain(Hwnd(), m_hWndNextViewer);
    m_hWndNextViewer = nullptr;
}

bool CQuillstackView::LoadSentenceFile(const std::string& path) {
    if (!GetDocument()->OpenSentenceFile(path)) return false;
    if (m_nMode == kListClipHistory || m_nMode == kListUrlHistory) {
        MarkDisplayMode(FunctionsMenu(), kListSentences);
        m_nMode = kListSentences;
    }
    ResetPanel();
    RefreshButtons();
    EditorShowEntry(0, m_nMode);
    return true;
}

// ---- Messages and commands ----------------------------------------------

LRESULT CQuillstackView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {
            OnCmdMsg(LOWORD(wParam), fw::CommandCall::Run);
        } else {
            OnControlCommand(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_DRAWCLIPBOARD:
        OnDrawClipboard();
        return 0;
    case WM_CHANGECBCHAIN:
        OnChangeCbChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return DefProc(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    // A right-button press on the form outside the buttons does nothing.
    case WM_RBUTTONDOWN:
        return 0;
    case WM_DESTROY:
        fw::FormView::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    default:
        return fw::FormView::WindowProc(message, wParam, lParam);
    }
}

bool CQuillstackView::OnCmdMsg(UINT id, fw::CommandCall call) {
    switch (id) {
    case ID_MODE_SENTENCES:
    case ID_MODE_CLIPHISTORY:
    case ID_MODE_URLHISTORY:
        return fw::Handle(call, [this, id] { SetDisplayMode(static_cast<int>(id - ID_MODE_SENTENCES)); });
    case ID_CLEAR_SENTENCES:
    case ID_CLEAR_CLIPHISTORY:
    case ID_CLEAR_URLHISTORY:
        return fw::Handle(call, [this, id] { OnClearList(static_cast<int>(id - ID_CLEAR_SENTENCES)); });
    case ID_FILE_DEFAULT:
        return fw::Handle(call, [this] { OnDefaultFile(); });
    case ID_FILE_EXIT_NOSAVE:
        return fw::Handle(call, [this] { OnExitWithoutSaving(); });
    case ID_APPEND_BEHIND:
    case ID_APPEND_FRONT:
    case ID_REGISTER_CLIPBOARD:
        return fw::Handle(call, [this, id] { OnSlotMenuCommand(id); });
    default:
        break;
    }
    if (id >= ID_RECENT_FIRST && id <= ID_RECENT_LAST) {
        return fw::Handle(call, [this, id] { OnRecentFile(static_cast<int>(id - ID_RECENT_FIRST)); });
    }
    return false;
}

// Notifications of the form's own buttons.
void CQuillstackView::OnControlCommand(UINT id, UINT code) {
    if (code != BN_CLICKED) return;
    if (id >= IDC_SLOT0 && id <= IDC_SLOT7) {
        OnSlotPressed(static_cast<int>(id - IDC_SLOT0));
    } else if (id == IDC_LISTMENU) {
        OnListMenuButton();
    } else if (id == IDC_CLOCK) {
        ExpandDateTimeTemplate();
    }
}

// ---- Clipboard capture --------------------------------------------------

// Runs on every clipboard change while the view is in the viewer chain.
void CQuillstackView::OnDrawClipboard() {
    DefProc(WM_DRAWCLIPBOARD, 0, 0);
    if (!IsOwnClipboardChange(GetClipboardOwner())) {
        // However odd the text, the next viewer still hears of the change.
        try {
            RecordClipboardText();
        } catch (const std::bad_alloc&) {
        }
    }
    PassOn(WM_DRAWCLIPBOARD, 0, 0);
}

// Changes the program made through its own windows are not recorded. A
// change without an owner window comes from another program.
bool CQuillstackView::IsOwnClipboardChange(HWND owner) const {
    return owner != nullptr && owner == Hwnd();
}

void CQuillstackView::RecordClipboardText() {
    std::string text;
    {
        fw::Clipboard clipboard(Hwnd());
        if (!clipboard.IsOpen()) return;
        text = clipboard.GetText();
    }
    if (text.empty()) return;
    CQuillstackDoc* doc = GetDocument();
    doc->AddClipHistory(text);
    doc->AddUrlsFrom(text);
    RefreshButtons();
    EditorShowEntry(-1, m_nMode);
}

// Runs when any viewer leaves the chain.
void CQuillstackView::OnChangeCbChain(HWND removed, HWND next) {
    DefProc(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed), reinterpret_cast<LPARAM>(next));
    if (removed == m_hWndNextViewer) m_hWndNextViewer = next;
    PassOn(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed), reinterpret_cast<LPARAM>(next));
}

void CQuillstackView::PassOn(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!m_hWndNextViewer) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_hWndNextViewer, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        kChainTimeoutMs, &result);
}

// ---- Panel --------------------------------------------------------------

void CQuillstackView::RefreshButton(int slot) {
    if (slot < 0 || slot >= qs::kSlotCount) return;
    const CQuillstackDoc* doc = GetDocument();
    const int view = doc->m_Settings.View;
    const int index = m_nTop + slot;
    const std::string* title = (m_nMode == kListSentences && view == 0) ? doc->GetItem(kListTitles, index) : nullptr;
    const std::string* text = doc->GetItem(m_nMode, index);
    std::string caption = qs::SlotCaption(title ? *title : std::string_view(), text ? *text : std::string_view(),
                                          m_nMode, view, qs::kButtonCaptionWidth, fw::SystemLeadBytes(),
                                          placeholder_);
    HWND button = Control(IDC_SLOT0 + slot);
    std::wstring wide = fw::Widen(caption);
    // Setting an unchanged caption would only make the button flicker.
    if (fw::GetWindowTextString(button) != wide) SetWindowTextW(button, wide.c_str());
}

void CQuillstackView::RefreshButtons() {
    for (int slot = 0; slot < qs::kSlotCount; ++slot) RefreshButton(slot);
}

void CQuillstackView::OnSlotPressed(int slot) {
    EditorShowEntry(m_nTop + slot, m_nMode);
    CopyEntry(m_nTop + slot, kPasteReplace, m_nMode);
}

void CQuillstackView::CopyEntry(int index, int pasteMode, int kind) {
    CQuillstackDoc* doc = GetDocument();
    if (index < 0 || index > doc->GetItemCount(kind) - 1) return;
    const std::string* item = doc->GetItem(kind, index);
    if (!item || item->empty()) return;
    std::string text = *item;
    {
        fw::Clipboard clipboard(Hwnd());
        if (!clipboard.IsOpen()) return;
        if (pasteMode == kPasteAfterClipboard) text = clipboard.GetText() + text;
        if (pasteMode == kPasteBeforeClipboard) text += clipboard.GetText();
    }
    if (doc->m_Settings.EnableTimeTag) qs::ExpandTimeTags(text, Now(), formats_);
    SetClipboardText(Hwnd(), text);
}

void CQuillstackView::SetupScrollBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    info.nMin = 0;
    info.nMax = qs::ScrollMax(GetDocument()->m_Settings.SentenceMaxCount);
    info.nPage = 1;
    info.nPos = 0;
    SetScrollInfo(ScrollBar(), SB_CTL, &info, FALSE);
}

void CQuillstackView::ResetPanel() {
    GetDocument()->ApplyMaxCount();
    EditorSetIndexCount(GetDocument()->m_Settings.SentenceMaxCount);
    SetupScrollBar();
    m_nTop = 0;
    wheel_.Reset();
    RefreshButtons();
}

// Runs for every scroll bar action; the line and page steps act on the
// bar's own position.
void CQuillstackView::OnVScroll(int code, int thumb) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(ScrollBar(), SB_CTL, &info);
    const int max = qs::ScrollMax(GetDocument()->m_Settings.SentenceMaxCount);
    // The message's 16 bits would not reach past entry 65535: while the
    // thumb is dragged the bar holds the whole position. Outside a drag the
    // bar's track position is only its current one, and the message's
    // position is the one asked for.
    if ((info.nTrackPos & 0xFFFF) == thumb) thumb = info.nTrackPos;
    std::optional<int> top = qs::ScrollPosition(code, info.nPos, thumb, max);
    if (top) MoveTop(*top);
}

void CQuillstackView::OnMouseWheel(int delta) {
    int lines = wheel_.Lines(delta, WheelLinesPerNotch());
    if (lines == 0) return;
    const int max = qs::ScrollMax(GetDocument()->m_Settings.SentenceMaxCount);
    MoveTop(qs::ClampTop(static_cast<long long>(GetScrollPos(ScrollBar(), SB_CTL)) + lines, max));
}

void CQuillstackView::MoveTop(int top) {
    SetScrollPos(ScrollBar(), SB_CTL, top, TRUE);
    m_nTop = top;
    RefreshButtons();
}

void CQuillstackView::OnListMenuButton() {
    const CQuillstackDoc* doc = GetDocument();
    ListMenuTexts texts{fw::LoadResString(IDS_LISTMENU_SENTENCES), fw::LoadResString(IDS_LISTMENU_CLIPHISTORY),
                        fw::LoadResString(IDS_LISTMENU_URLHISTORY), fw::LoadResString(IDS_LISTMENU_DEFAULT)};
    fw::MenuHandle menu = BuildListMenu(doc->m_RecentFiles, doc->m_Settings.RecentCount, m_nMode, texts);
    if (!menu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN, cursor.x, cursor.y, 0, Hwnd(), nullptr);
}

void CQuillstackView::OnSlotContextMenu(HWND button, POINT point) {
    fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_SLOTMENU)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup) return;
    m_hWndMenuButton = button;
    {
        // A busy clipboard leaves the commands enabled; they check again.
        fw::Clipboard clipboard(Hwnd());
        if (clipboard.IsOpen() && !clipboard.HasText()) EnableClipboardCommands(popup, false);
    }
    RECT rect{};
    GetWindowRect(button, &rect);
    TrackPopupMenu(popup, TPM_LEFTALIGN, rect.left + point.x, rect.top + point.y, 0, Hwnd(), nullptr);
}

int CQuillstackView::SlotOfMenuButton() const {
    for (int slot = 0; slot < qs::kSlotCount; ++slot) {
        if (Control(IDC_SLOT0 + slot) == m_hWndMenuButton) return slot;
    }
    return -1;
}

void CQuillstackView::OnSlotMenuCommand(UINT id) {
    int slot = SlotOfMenuButton();
    if (slot < 0) return;
    switch (id) {
    case ID_APPEND_BEHIND:
        CopyEntry(m_nTop + slot, kPasteAfterClipboard, m_nMode);
        break;
    case ID_APPEND_FRONT:
        CopyEntry(m_nTop + slot, kPasteBeforeClipboard, m_nMode);
        break;
    case ID_REGISTER_CLIPBOARD:
        RegisterFromClipboard(slot);
        break;
    default:
        break;
    }
}

void CQuillstackView::RegisterFromClipboard(int slot) {
    CQuillstackDoc* doc = GetDocument();
    std::optional<int> index = qs::SlotIndex(m_nTop, slot, doc->m_Settings.SentenceMaxCount);
    if (!index) return;
    std::string text;
    {
        fw::Clipboard clipboard(Hwnd());
        if (!clipboard.IsOpen()) return;
        text = clipboard.GetText();
    }
    if (text.empty()) return;
    doc->SetItem(m_nMode, *index, text);
    RefreshButton(slot);
    EditorShowEntry(*index, m_nMode);
}

void CQuillstackView::OnDraw(HDC dc) {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    fw::BrushHandle brush(CreateSolidBrush(GetDocument()->m_Settings.BkColor));
    {
        fw::SelectGuard select(dc, brush.Get());
        PatBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, PATCOPY);
    }
    RefreshButtons();
}

// ---- Display and file commands ------------------------------------------

void CQuillstackView::SetDisplayMode(int mode) {
    MarkDisplayMode(FunctionsMenu(), mode);
    m_nMode = mode;
    RefreshButtons();
    EditorShowEntry(0, m_nMode);
}

void CQuillstackView::OnClearList(int kind) {
    GetDocument()->ClearList(kind);
    RefreshButtons();
}

void CQuillstackView::OnDefaultFile() {
    const std::string& initial = GetDocument()->m_Settings.InitialFileName;
    LoadSentenceFile(initial.empty() ? CQuillstackDoc::DefaultSentenceFile() : initial);
}

void CQuillstackView::OnRecentFile(int index) {
    const std::string* path = GetDocument()->m_RecentFiles.GetAt(index);
    // A copy: the load may change the recent-file list.
    LoadSentenceFile(path ? std::string(*path) : std::string());
}

void CQuillstackView::OnExitWithoutSaving() {
    GetDocument()->m_bSentencesDirty = false;
    PostMessageW(MainFrameWindow(), WM_COMMAND, ID_APP_EXIT, 0);
}

// ---- Date and time --------------------------------------------------------

// Ten times a second, so a change of the second shows at once.
void CQuillstackView::OnTimer() {
    std::string now = qs::FormatDateTime(Now(), qs::DateTimeKind::kTime, 0, formats_);
    std::wstring wide = fw::Widen(now);
    HWND clock = Control(IDC_CLOCK);
    if (fw::GetWindowTextString(clock) != wide) SetWindowTextW(clock, wide.c_str());
}

void CQuillstackView::ExpandDateTimeTemplate() {
    const qs::Settings& settings = GetDocument()->m_Settings;
    if (settings.TimeCopyTemplate.empty()) return;
    std::string text =
        qs::FillDateTimeTemplate(settings.TimeCopyTemplate, Now(), settings.Date, settings.Time, formats_);
    SetClipboardText(Hwnd(), text);
}
