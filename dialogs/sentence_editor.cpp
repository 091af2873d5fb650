#include "dialogs/sentence_editor.h"

#include <algorithm>

#include "framework/data_exchange.h"
#include "framework/help.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

const wchar_t kBodyFace[] = L"ＭＳ ゴシック";

// The index list stops here: filling it costs about 50 ms a thousand under
// Wine, so a hand-edited bound of millions would hold up the start for
// minutes. Entries past it still show when the panel asks for them, with
// no number selected.
const int kMaxIndexItems = 10000;

fw::FontHandle MakeBodyFont(int height) {
    return fw::FontHandle(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN,
                                      kBodyFace));
}

}  // namespace

CSentenceEditorDlg::CSentenceEditorDlg()
    : fw::Dialog(IDD_SENTENCE_EDITOR),
      clipHistoryName_(fw::LoadAnsiString(IDS_EDITOR_CLIPHISTORY)),
      urlHistoryName_(fw::LoadAnsiString(IDS_EDITOR_URLHISTORY)) {
    for (std::size_t size = 0; size < fonts_.size(); ++size) fonts_[size] = MakeBodyFont(kFontHeights[size]);
}

// The window goes before the fonts its body uses.
CSentenceEditorDlg::~CSentenceEditorDlg() {
    DestroyWindow();
}

bool CSentenceEditorDlg::CreateEditor(HWND parent, CQuillstackDoc* document, std::function<void()> onClose) {
    document_ = document;
    onClose_ = std::move(onClose);
    return document_ && CreateModeless(parent);
}

HWND CSentenceEditorDlg::BodyWindow() const {
    return Item(IDC_EDITOR_BODY);
}

void CSentenceEditorDlg::Exchange(bool save) {
    fw::ExchangeText(Item(IDC_EDITOR_FILE), fileText_, save);
    fw::ExchangeText(Item(IDC_EDITOR_BODY), body_, save);
    fw::ExchangeListIndex(Item(IDC_EDITOR_FONT), fontSize_, save);
    fw::ExchangeListIndex(Item(IDC_EDITOR_INDEX), entryIndex_, save);
    fw::ExchangeText(Item(IDC_EDITOR_TITLE), title_, save);
}

BOOL CSentenceEditorDlg::OnInitDialog() {
    for (UINT id : {IDS_EDITOR_FONT_SMALL, IDS_EDITOR_FONT_MEDIUM, IDS_EDITOR_FONT_LARGE}) {
        SendMessageW(Item(IDC_EDITOR_FONT), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fw::LoadResString(id).c_str()));
    }
    const BOOL result = fw::Dialog::OnInitDialog();
    SendMessageW(BodyWindow(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[fontSize_].Get()), FALSE);
    return result;
}

void CSentenceEditorDlg::ShowEntry(std::optional<int> index, std::optional<ListKind> kind) {
    if (!Hwnd()) return;
    if (IsWindowVisible(Hwnd())) {
        Load(index, kind);
        return;
    }
    // A hidden editor shows nothing, and filling its fields costs time (the
    // body's edit control takes seconds over a history entry of megabytes):
    // it keeps what to show and loads it when it is shown.
    const bool otherEntry = index || (kind && *kind != listKind_);
    if (index) entryIndex_ = *index;
    if (kind) listKind_ = *kind;
    if (otherEntry) {
        pending_ = Pending::kOtherEntry;
    } else if (!pending_) {
        pending_ = Pending::kSameEntry;
    }
}

void CSentenceEditorDlg::LoadPending() {
    if (!pending_) return;
    const bool otherEntry = *pending_ == Pending::kOtherEntry;
    pending_.reset();
    Load(otherEntry ? std::optional<int>(entryIndex_) : std::nullopt, std::nullopt);
}

void CSentenceEditorDlg::Load(std::optional<int> index, std::optional<ListKind> kind) {
    // The entry on show, asked for again: after a capture, or on reopening.
    const bool again = !index && (!kind || *kind == listKind_);
    if (index) {
        entryIndex_ = *index;
    } else {
        Exchange(true);
    }
    if (kind) listKind_ = *kind;
    // A sentence being written survives a copy made elsewhere to paste into
    // it. A history shifts at every capture, so there the entry is another.
    const bool keepTyping = again && listKind_ == kListSentences && HasUnstoredTyping();
    LoadEntry(keepTyping);
    Exchange(false);
    if (!keepTyping) ForgetTyping();
}

void CSentenceEditorDlg::LoadEntry(bool keepTyping) {
    switch (listKind_) {
    case kListClipHistory:
        fileText_ = clipHistoryName_;
        break;
    case kListUrlHistory:
        fileText_ = urlHistoryName_;
        break;
    default:
        fileText_ = document_->m_strSentenceFile;
        break;
    }
    if (keepTyping) return;
    const std::string* title = listKind_ == kListSentences ? document_->GetItem(kListTitles, entryIndex_) : nullptr;
    const std::string* body = document_->GetItem(listKind_, entryIndex_);
    title_ = title ? *title : std::string();
    body_ = body ? *body : std::string();
}

bool CSentenceEditorDlg::HasUnstoredTyping() const {
    return SendMessageW(BodyWindow(), EM_GETMODIFY, 0, 0) || SendMessageW(Item(IDC_EDITOR_TITLE), EM_GETMODIFY, 0, 0);
}

void CSentenceEditorDlg::ForgetTyping() const {
    SendMessageW(BodyWindow(), EM_SETMODIFY, FALSE, 0);
    SendMessageW(Item(IDC_EDITOR_TITLE), EM_SETMODIFY, FALSE, 0);
}

void CSentenceEditorDlg::SetIndexCount(int count) {
    if (!Hwnd()) return;
    // Hidden, the list still shows an entry chosen before.
    if (IsWindowVisible(Hwnd())) Exchange(true);
    HWND list = Item(IDC_EDITOR_INDEX);
    const int wanted = std::clamp(count, 0, kMaxIndexItems);
    for (int n = IndexCount(); n < wanted; ++n) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(n + 1).c_str()));
    }
    for (int n = IndexCount(); n > wanted; --n) SendMessageW(list, CB_DELETESTRING, static_cast<WPARAM>(n - 1), 0);
    if (entryIndex_ > count - 1) ShowEntry(0, std::nullopt);
}

int CSentenceEditorDlg::IndexCount() const {
    const LRESULT count = SendMessageW(Item(IDC_EDITOR_INDEX), CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

bool CSentenceEditorDlg::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case IDC_EDITOR_STORE:
        OnStore();
        return true;
    // Escape, and Alt+F4 on the window, close it as the button does.
    case IDC_EDITOR_CLOSE:
    case IDCANCEL:
        OnClose();
        return true;
    case IDC_EDITOR_HELP:
        fw::ShowHelp(Hwnd(), kHelpContext);
        return true;
    case IDC_EDITOR_PREVIOUS:
        OnPrevious();
        return true;
    case IDC_EDITOR_NEXT:
        OnNext();
        return true;
    case IDC_EDITOR_INDEX:
        if (code == CBN_SELCHANGE) OnIndexChosen();
        return true;
    case IDC_EDITOR_FONT:
        if (code == CBN_SELCHANGE) OnFontChosen();
        return true;
    default:
        return false;
    }
}

LRESULT CSentenceEditorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam) LoadPending();
    if (message != WM_MOVE) return fw::Dialog::WindowProc(message, wParam, lParam);
    DefProc(message, wParam, lParam);
    if (HWND owner = GetWindow(Hwnd(), GW_OWNER)) SendMessageW(owner, kMovedMessage, 0, reinterpret_cast<LPARAM>(Hwnd()));
    return 0;
}

void CSentenceEditorDlg::OnStore() {
    Exchange(true);
    document_->SetItem(listKind_, entryIndex_, body_);
    if (listKind_ == kListSentences) document_->SetItem(kListTitles, entryIndex_, title_);
    ForgetTyping();
    // The panel's repaint recomputes its captions, so the change shows at once.
    if (HWND owner = GetWindow(Hwnd(), GW_OWNER)) RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CSentenceEditorDlg::OnClose() {
    if (onClose_) onClose_();
    ShowWindow(Hwnd(), SW_HIDE);
}

// Entry 1 goes round to the last.
void CSentenceEditorDlg::OnPrevious() {
    Exchange(true);
    const int count = IndexCount();
    if (count > 0) ShowEntry((entryIndex_ == 0 ? count : entryIndex_) - 1, std::nullopt);
}

// The last entry, or one past the list, goes round to entry 1.
void CSentenceEditorDlg::OnNext() {
    Exchange(true);
    ShowEntry(entryIndex_ >= IndexCount() - 1 ? 0 : entryIndex_ + 1, std::nullopt);
}

void CSentenceEditorDlg::OnIndexChosen() {
    Exchange(true);
    ShowEntry(entryIndex_, std::nullopt);
    HWND body = BodyWindow();
    SendMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(body), TRUE);
    SendMessageW(body, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(body, EM_SCROLLCARET, 0, 0);
}

// Only the body changes font; the title keeps the dialog's.
void CSentenceEditorDlg::OnFontChosen() {
    Exchange(true);
    const auto size = static_cast<std::size_t>(std::clamp(fontSize_, 0, static_cast<int>(fonts_.size()) - 1));
    SendMessageW(BodyWindow(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[size].Get()), TRUE);
}
