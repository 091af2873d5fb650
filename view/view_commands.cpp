// The display, list and file commands of the menus and the "▼" button, and
// the clock: its caption and the template it copies.
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/text.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

void CQuillstackView::SetDisplayMode(ListKind mode) {
    MarkDisplayMode(FunctionsMenu(), mode);
    m_nMode = mode;
    RefreshButtons();
    EditorShowEntry(0, m_nMode);
}

void CQuillstackView::OnListMenuButton() {
    const CQuillstackDoc* doc = GetDocument();
    ListMenuTexts texts{fw::LoadResString(IDS_LISTMENU_SENTENCES), fw::LoadResString(IDS_LISTMENU_CLIPHISTORY),
                        fw::LoadResString(IDS_LISTMENU_URLHISTORY), fw::LoadResString(IDS_LISTMENU_DEFAULT)};
    fw::MenuHandle menu = BuildListMenu(doc->m_RecentFiles, doc->m_Settings.RecentCount, m_nMode, texts);
    if (!menu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    fw::TrackMenu(menu.Get(), cursor);
}

void CQuillstackView::OnClearList(ListKind kind) {
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
    PostMessageW(fw::MainWindow(), WM_COMMAND, ID_APP_EXIT, 0);
}

// A second use while the editor is open changes nothing but the mark.
void CQuillstackView::OnShowEditor() {
    CheckMenuItem(FunctionsMenu(), ID_SHOW_EDITOR, MF_BYCOMMAND | MF_CHECKED);
    DrawMenuBar(fw::MainWindow());
    if (!IsWindowVisible(EditorWindow())) {
        ShowWindow(EditorWindow(), SW_SHOWNORMAL);
        EditorShowEntry(-1, m_nMode);
    }
    m_bEditorShown = true;
}

// The user closed the editor: the frame no longer shows it with itself.
void CQuillstackView::OnEditorClosed() {
    CheckMenuItem(FunctionsMenu(), ID_SHOW_EDITOR, MF_BYCOMMAND | MF_UNCHECKED);
    DrawMenuBar(fw::MainWindow());
    m_bEditorShown = false;
}

// ---- Date and time --------------------------------------------------------

qs::Moment CQuillstackView::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return qs::Moment{time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond};
}

// Ten times a second, so a change of the second shows at once.
void CQuillstackView::OnTimer() {
    std::string now = qs::FormatDateTime(Now(), qs::DateTimeKind::kTime, 0, formats_);
    // While clipboard changes stream in, the clock is drawn with the captions.
    const fw::Drawing drawing = drawPending_ ? fw::Drawing::Later : fw::Drawing::Now;
    fw::SetWindowTextIfChanged(Control(IDC_CLOCK), fw::Widen(now), drawing);
}

void CQuillstackView::ExpandDateTimeTemplate() {
    const qs::Settings& settings = GetDocument()->m_Settings;
    if (settings.TimeCopyTemplate.empty()) return;
    std::string text =
        qs::FillDateTimeTemplate(settings.TimeCopyTemplate, Now(), settings.Date, settings.Time, formats_);
    fw::SetClipboardText(Hwnd(), text);
}
