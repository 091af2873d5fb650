// The eight-button panel: captions, pressing a slot, the scroll bar and the
// wheel, the slot buttons' menu and the form's background.
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/handles.h"
#include "framework/text.h"
#include "core/caption.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

namespace {

// Lines one wheel notch moves, as the user set it for every program.
int WheelLinesPerNotch() {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? qs::kSlotCount : static_cast<int>(lines);
}

}  // namespace

std::string EntryCaption(const CQuillstackDoc& doc, ListKind mode, int index, std::size_t width,
                         const std::string& placeholder) {
    const int view = doc.m_Settings.View;
    const std::string* title = (mode == kListSentences && view == 0) ? doc.GetItem(kListTitles, index) : nullptr;
    const std::string* text = doc.GetItem(mode, index);
    return qs::SlotCaption(title ? *title : std::string_view(), text ? *text : std::string_view(), mode, view, width,
                           fw::SystemLeadBytes(), placeholder);
}

void CQuillstackView::RefreshButton(int slot, fw::Drawing drawing) {
    if (slot < 0 || slot >= qs::kSlotCount) return;
    const std::string caption =
        EntryCaption(*GetDocument(), m_nMode, m_nTop + slot, qs::kButtonCaptionWidth, placeholder_);
    fw::SetWindowTextIfChanged(Control(IDC_SLOT0 + slot), fw::Widen(caption), drawing);
}

void CQuillstackView::RefreshButtons() {
    for (int slot = 0; slot < qs::kSlotCount; ++slot) RefreshButton(slot);
}

void CQuillstackView::OnSlotPressed(int slot) {
    EditorShowEntry(m_nTop + slot, m_nMode);
    CopyEntry(m_nTop + slot, kPasteReplace, m_nMode);
}

void CQuillstackView::CopyEntry(int index, PasteMode pasteMode, ListKind kind) {
    CQuillstackDoc* doc = GetDocument();
    if (index < 0 || index > doc->GetItemCount(kind) - 1) return;
    const std::string* item = doc->GetItem(kind, index);
    if (!item || item->empty()) return;
    std::string text = *item;
    if (pasteMode != kPasteReplace) {
        const std::optional<std::string> clipboard = fw::ReadClipboardText(Hwnd());
        if (!clipboard) return;
        text = pasteMode == kPasteAfterClipboard ? *clipboard + text : text + *clipboard;
    }
    if (doc->m_Settings.EnableTimeTag) qs::ExpandTimeTags(text, Now(), formats_);
    fw::SetClipboardText(Hwnd(), text);
}

// ---- Scrolling ----------------------------------------------------------

int CQuillstackView::ScrollMaxTop() const {
    return qs::ScrollMax(GetDocument()->m_Settings.SentenceMaxCount);
}

void CQuillstackView::SetupScrollBar() {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    info.nMin = 0;
    info.nMax = ScrollMaxTop();
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
    const int wanted = qs::ThumbPosition(thumb, info.nTrackPos);
    if (std::optional<int> top = qs::ScrollPosition(code, info.nPos, wanted, ScrollMaxTop())) MoveTop(*top);
}

void CQuillstackView::OnMouseWheel(int delta) {
    int lines = wheel_.Lines(delta, WheelLinesPerNotch());
    if (lines == 0) return;
    MoveTop(qs::ClampTop(static_cast<long long>(GetScrollPos(ScrollBar(), SB_CTL)) + lines, ScrollMaxTop()));
}

void CQuillstackView::MoveTop(int top) {
    SetScrollPos(ScrollBar(), SB_CTL, top, TRUE);
    m_nTop = top;
    RefreshButtons();
}

// ---- The slot buttons' menu ---------------------------------------------

void CQuillstackView::OnSlotContextMenu(HWND button, POINT point) {
    fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_SLOTMENU)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup) return;
    m_hWndMenuButton = button;
    ClientToScreen(button, &point);
    fw::TrackMenu(popup, point);
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
    const std::optional<std::string> text = fw::ReadClipboardText(Hwnd());
    if (!text || text->empty()) return;
    doc->SetItem(m_nMode, *index, *text);
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
