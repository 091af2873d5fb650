// The view's set-up when the program starts and its teardown when the
// window goes, and loading a sentence file into the panel.
#include <shlwapi.h>

#include <vector>

#include "data/app_path.h"
#include "framework/app.h"
#include "framework/text.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

void CQuillstackView::OnInitialUpdate() {
    const qs::LeadBytes& lead = fw::SystemLeadBytes();
    formats_ = qs::MakeDateTimeFormats(lead, fw::LoadAnsiString(IDS_DATE_FORMAT_KANJI),
                                       fw::LoadAnsiString(IDS_TIME_FORMAT_KANJI));
    placeholder_ = fw::LoadAnsiString(IDS_NOT_REGISTERED);

    CreateEditor();
    CreateTempSave();
    LoadStartFile();
    ApplyTopMost();
    // Joining the chain makes Windows report the clipboard's current content
    // at once, so a text already there becomes the first history entry.
    m_hWndNextViewer = SetClipboardViewer(Hwnd());
    RebuildRecentMenu();
    MarkDisplayMode(FunctionsMenu(), kListSentences);
    m_nMode = kListSentences;
    for (int slot = 0; slot < qs::kSlotCount; ++slot) slots_[slot].Attach(Control(IDC_SLOT0 + slot), this);
    SetupHook();
    if (StartsIconised()) PostMessageW(fw::MainWindow(), WM_COMMAND, ID_ICONISE, 0);
    ResetPanel();
    SetTimer(Hwnd(), kClockTimer, kClockPeriodMs, nullptr);
}

// Hidden until the user opens it, flush against the frame's right edge
// with the tops aligned: where it docks.
void CQuillstackView::CreateEditor() {
    RECT frame{};
    GetWindowRect(GetAncestor(Hwnd(), GA_ROOT), &frame);
    if (!editor_.CreateEditor(Hwnd(), GetDocument(), [this] { OnEditorClosed(); })) return;
    SetWindowPos(editor_.Hwnd(), HWND_NOTOPMOST, frame.right, frame.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

// Hidden until the user shows it; where it first shows is chosen then.
void CQuillstackView::CreateTempSave() {
    tempSave_.CreateTempSave(Hwnd(), [this] { OnTempSaveClosed(); });
}

void CQuillstackView::ApplyTopMost() const {
    const bool topMost = GetDocument()->m_Settings.ShowTopMost;
    HWND order = topMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(GetAncestor(Hwnd(), GA_ROOT), order, 0, 0, 0, 0, flags);
    HWND editor = editor_.Hwnd();
    if (!editor) return;
    // Wine keeps an owned window in the topmost band while it stands right
    // above its owner, whatever it is asked; for the moment without its
    // owner, it leaves the band.
    const LONG_PTR owner = topMost ? 0 : SetWindowLongPtrW(editor, GWLP_HWNDPARENT, 0);
    SetWindowPos(editor, order, 0, 0, 0, 0, flags);
    if (owner) SetWindowLongPtrW(editor, GWLP_HWNDPARENT, owner);
}

// "-i" anywhere in the arguments, even inside a file name, and only in
// lower case; or the setting. The start shows the window first; the posted
// command hides it right after.
bool CQuillstackView::StartsIconised() const {
    const fw::WinApp* app = fw::WinApp::Current();
    const bool switched = app && app->CommandLine().find("-i") != std::string::npos;
    return switched || GetDocument()->m_Settings.InitIcon;
}

// The first command-line argument when it names an existing file other than
// the program itself; else the start file of the settings, else the default.
CQuillstackView::StartFile CQuillstackView::ChooseStartFile() const {
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
    if (usable) return {file, false};
    const std::string& initial = GetDocument()->m_Settings.InitialFileName;
    if (initial.empty()) return {CQuillstackDoc::DefaultSentenceFile(), false};
    return {initial, true};
}

// A start file of the settings that is gone is forgotten; one that another
// program holds, or one named on the command line, is not the settings'
// fault.
void CQuillstackView::LoadStartFile() {
    const StartFile start = ChooseStartFile();
    if (LoadSentenceFile(start.path)) return;
    if (start.fromSettings && !PathFileExistsA(start.path.c_str())) {
        GetDocument()->m_Settings.InitialFileName.clear();
    }
    LoadSentenceFile(CQuillstackDoc::DefaultSentenceFile());
}

void CQuillstackView::OnDestroy() {
    KillTimer(Hwnd(), kClockTimer);
    GetDocument()->SaveIfModified();
    RemoveHook();
    ChangeClipboardChain(Hwnd(), m_hWndNextViewer);
    m_hWndNextViewer = nullptr;
    editor_.DestroyWindow();
    tempSave_.DestroyWindow();
}

bool CQuillstackView::LoadSentenceFile(const std::string& path) {
    if (!GetDocument()->OpenSentenceFile(path)) return false;
    if (m_nMode == kListClipHistory || m_nMode == kListUrlHistory) {
        MarkDisplayMode(FunctionsMenu(), kListSentences);
        m_nMode = kListSentences;
    }
    ResetPanel();
    EditorShowEntry(0, m_nMode);
    return true;
}
