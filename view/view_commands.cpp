// The display, list, file and join commands of the menus and the "▼"
// button, and the clock: its caption and the template it copies.
#include "data/app_path.h"
#include "dialogs/join_dest.h"
#include "dialogs/new_file_wizard.h"
#include "dialogs/text_file_dialog.h"
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/file.h"
#include "framework/text.h"
#include "options/options_sheet.h"
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

void CQuillstackView::OnOpenFile() {
    if (std::optional<std::string> path = AskOpenTextFile(Hwnd(), qs::GetAppFilePath(""))) LoadChosenFile(*path);
}

// The new file is opened like a chosen one. Written over the open file at
// the user's word, it stands: the sentences it replaced, changed or not,
// are not saved over it first.
void CQuillstackView::OnNewFile() {
    CNewFileWizardDlg wizard;
    if (wizard.DoModal() != IDOK) return;
    CQuillstackDoc* doc = GetDocument();
    if (fw::IsSameFile(wizard.GetFileName(), doc->m_strSentenceFile)) doc->m_bSentencesDirty = false;
    LoadChosenFile(wizard.GetFileName());
}

void CQuillstackView::LoadChosenFile(const std::string& path) {
    GetDocument()->m_RecentFiles.AddHeadUnique(path, CQuillstackDoc::kRecentFileCount);
    RebuildRecentMenu();
    LoadSentenceFile(path);
}

void CQuillstackView::RebuildRecentMenu() {
    HWND frame = fw::MainWindow();
    HMENU bar = frame ? GetMenu(frame) : nullptr;
    HMENU file = bar ? GetSubMenu(bar, kFileMenuIndex) : nullptr;
    if (!file) return;
    const CQuillstackDoc* doc = GetDocument();
    InsertListSubmenu(file, kRecentFilesPosition, fw::LoadResString(IDS_RECENT_FILES), doc->m_RecentFiles,
                      doc->m_Settings.RecentCount, ID_RECENT_FIRST);
    DrawMenuBar(frame);
}

// The dialog opens on the open file's folder with its name filled in.
// Under the file's own name the changed mark goes, but only once the file
// holds the sentences; under another name that file becomes the open one
// and the mark stays, so the sentences are still written at the end.
void CQuillstackView::OnSaveSentences() {
    CQuillstackDoc* doc = GetDocument();
    const std::string open = doc->m_strSentenceFile;
    // Split by characters: the second byte of a double-byte character may
    // read as a backslash.
    const std::size_t name = fw::SystemLeadBytes().FileNameStart(open);
    const std::optional<std::string> path = AskSaveTextFile(Hwnd(), open.substr(0, name), open.substr(name));
    if (!path) return;
    if (doc->SaveList(kListSentences, *path) && *path == open) doc->m_bSentencesDirty = false;
}

void CQuillstackView::OnSaveHistory(ListKind kind) {
    if (std::optional<std::string> path = AskSaveTextFile(Hwnd(), qs::GetAppFilePath(""), {})) {
        GetDocument()->SaveList(kind, *path);
    }
}

// Joined into a file, the dialog starts in the program's folder.
void CQuillstackView::OnJoin(ListKind kind) {
    CJoinDestDlg destination;
    switch (destination.DoModal()) {
    case CJoinDestDlg::kToFile:
        if (std::optional<std::string> path = AskSaveTextFile(Hwnd(), qs::GetAppFilePath(""), {})) {
            GetDocument()->ExportList(ExportTarget::File, kind, *path);
        }
        break;
    // Owned by the frame, the joined text is recorded like another
    // program's copy.
    case CJoinDestDlg::kToClipboard:
        GetDocument()->ExportList(ExportTarget::Clipboard, kind, {});
        break;
    default:
        break;
    }
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

// Shown beside the frame without taking the activation; a second use while
// it shows changes nothing.
void CQuillstackView::OnShowTempSave() {
    CheckMenuItem(FunctionsMenu(), ID_SHOW_TEMPSAVE, MF_BYCOMMAND | MF_CHECKED);
    DrawMenuBar(fw::MainWindow());
    tempSave_.ShowBeside(GetAncestor(Hwnd(), GA_ROOT));
}

// The user closed the temporary-save window (its list stays).
void CQuillstackView::OnTempSaveClosed() {
    CheckMenuItem(FunctionsMenu(), ID_SHOW_TEMPSAVE, MF_BYCOMMAND | MF_UNCHECKED);
    DrawMenuBar(fw::MainWindow());
}

// The user closed the editor: the frame no longer shows it with itself.
void CQuillstackView::OnEditorClosed() {
    CheckMenuItem(FunctionsMenu(), ID_SHOW_EDITOR, MF_BYCOMMAND | MF_UNCHECKED);
    DrawMenuBar(fw::MainWindow());
    m_bEditorShown = false;
}

// No shortcut acts while the sheet is open. After OK its changes show at
// once: the latch, the topmost band, the panel's limits, captions and
// colour; whichever way it closed, the recent files may have been cleared.
void CQuillstackView::OnOptions() {
    RemoveHook();
    if (RunOptionsSheet(fw::MainWindow(), *GetDocument(), firstInstance_)) {
        m_bKeyActive = GetDocument()->m_Settings.AdditionalCode == qs::kAdditionalNone;
        ApplyTopMost();
        ResetPanel();
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    SetupHook();
    RebuildRecentMenu();
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
