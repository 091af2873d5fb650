// Clipboard capture: the view sits in the clipboard viewer chain, records
// what other programs copy in the clipboard history and their addresses in
// the URL history, and passes every notification on.
#include <new>

#include "framework/clipboard.h"
#include "view/quillstack_view.h"

namespace {

// A viewer that does not answer within this time is passed by, so a hung
// program further down the chain cannot freeze this one.
const UINT kChainTimeoutMs = 2000;

}  // namespace

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

// Changes the program made through its own windows, and text copied in the
// sentence editor's body, are not recorded. A change without an owner
// window comes from another program.
bool CQuillstackView::IsOwnClipboardChange(HWND owner) const {
    return owner != nullptr && (owner == Hwnd() || owner == editor_.BodyWindow());
}

void CQuillstackView::RecordClipboardText() {
    const std::optional<std::string> text = fw::ReadClipboardText(Hwnd());
    if (!text || text->empty()) return;
    CQuillstackDoc* doc = GetDocument();
    doc->AddClipHistory(*text);
    doc->AddUrlsFrom(*text);
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
