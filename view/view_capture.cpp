// Clipboard capture: the view sits in the clipboard viewer chain, records
// what other programs copy in the clipboard history and their addresses in
// the URL history, and passes every notification on.
#include <algorithm>
#include <new>
#include <vector>

#include "framework/clipboard.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

namespace {

// A viewer that does not answer within this time is passed by, so a hung
// program further down the chain cannot freeze this one.
const UINT kChainTimeoutMs = 2000;

// Formats by which password managers and other careful programs mark
// contents that clipboard histories must leave alone.
struct PrivacyFormats {
    UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    UINT canInclude = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    UINT viewerIgnore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
};

// The history would show a marked secret on the panel and could write it to
// a plain file, so marked contents are never recorded. The formats are
// asked for all at once: every question is a call to the system, and fast
// changes leave no time to spare.
bool IsMarkedPrivate(const fw::Clipboard& clipboard) {
    static const PrivacyFormats formats;
    const std::vector<UINT> offered = fw::ClipboardFormats();
    auto offers = [&offered](UINT format) {
        return std::find(offered.begin(), offered.end(), format) != offered.end();
    };
    if (offers(formats.exclude) || offers(formats.viewerIgnore)) return true;
    const std::optional<DWORD> canInclude =
        offers(formats.canInclude) ? clipboard.GetDword(formats.canInclude) : std::nullopt;
    return canInclude && *canInclude == 0;
}

}  // namespace

// Runs on every clipboard change while the view is in the viewer chain. It
// only records and passes on: drawing waits until the changes stop coming,
// or a viewer that draws after each change reads the next ones too late.
void CQuillstackView::OnDrawClipboard() {
    DefProc(WM_DRAWCLIPBOARD, 0, 0);
    KillTimer(Hwnd(), kCaptureRetryTimer);
    retriesLeft_ = kCaptureRetries;
    CaptureUnlessOwn();
    PassOn(WM_DRAWCLIPBOARD, 0, 0);
}

void CQuillstackView::CaptureUnlessOwn() {
    if (IsOwnClipboardChange(GetClipboardOwner())) return;
    // However odd the text, the next viewer still hears of the change.
    try {
        RecordClipboardText();
    } catch (const std::bad_alloc&) {
    }
}

// Runs for the retry timer, unless a newer change, which brings its own
// notification, came first.
void CQuillstackView::OnCaptureRetry() {
    KillTimer(Hwnd(), kCaptureRetryTimer);
    if (GetClipboardSequenceNumber() == retrySequence_) CaptureUnlessOwn();
}

// Changes the program made through its own windows (the view, the
// temporary-save window), and text copied in the sentence editor's body,
// are not recorded. A change without an owner window comes from another
// program.
bool CQuillstackView::IsOwnClipboardChange(HWND owner) const {
    return owner != nullptr && (owner == Hwnd() || owner == tempSave_.Hwnd() || owner == editor_.BodyWindow());
}

void CQuillstackView::RecordClipboardText() {
    std::string text;
    {
        // Another program may hold the clipboard for a moment (Wine's bridge
        // to X does right after a change). Waiting here would hold up the
        // changes coming next, so the capture is tried again a little later.
        fw::Clipboard clipboard(Hwnd(), fw::Clipboard::kNoWait);
        if (!clipboard.IsOpen()) {
            if (retriesLeft_-- > 0) {
                retrySequence_ = GetClipboardSequenceNumber();
                SetTimer(Hwnd(), kCaptureRetryTimer, kCaptureRetryMs, nullptr);
            }
            return;
        }
        if (IsMarkedPrivate(clipboard)) return;
        text = clipboard.GetText();
    }
    if (text.empty()) return;
    CQuillstackDoc* doc = GetDocument();
    doc->AddClipHistory(text);
    doc->AddUrlsFrom(text);
    ScheduleCaptionRefresh();
}

// The captions and the editor follow the capture once the notifications
// waiting have been handled, so a burst of changes is shown once.
void CQuillstackView::ScheduleCaptionRefresh() {
    if (refreshScheduled_) return;
    refreshScheduled_ = true;
    PostMessageW(Hwnd(), kRefreshCaptions, 0, 0);
}

// Runs for the posted refresh. Drawing one caption costs several
// milliseconds under Wine, longer than fast changes are apart, so the
// buttons take their new texts at once and are drawn only once the changes
// pause.
void CQuillstackView::OnCaptionRefresh() {
    refreshScheduled_ = false;
    for (int slot = 0; slot < qs::kSlotCount; ++slot) RefreshButton(slot, fw::Drawing::Later);
    EditorShowEntry(-1, m_nMode);
    lastRefresh_ = std::chrono::steady_clock::now();
    if (drawPending_) return;
    drawPending_ = true;
    SetTimer(Hwnd(), kDrawTimer, kDrawAfterMs, nullptr);
}

// Runs for the draw timer: draws once no refresh has come for kDrawAfterMs,
// else waits for the rest of that time.
void CQuillstackView::DrawCaptions() {
    const auto quiet = std::chrono::milliseconds(kDrawAfterMs);
    const auto since = std::chrono::steady_clock::now() - lastRefresh_;
    if (since < quiet) {
        const auto rest = std::chrono::ceil<std::chrono::milliseconds>(quiet - since);
        SetTimer(Hwnd(), kDrawTimer, static_cast<UINT>(rest.count()), nullptr);
        return;
    }
    KillTimer(Hwnd(), kDrawTimer);
    drawPending_ = false;
    for (int slot = 0; slot < qs::kSlotCount; ++slot) InvalidateRect(Control(IDC_SLOT0 + slot), nullptr, TRUE);
    InvalidateRect(Control(IDC_CLOCK), nullptr, TRUE);
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
