// Global shortcut keys: the keyboard hook of quillstack.dll reports every
// key pressed on the desktop to the view, and a key assigned to a button
// position, with its modifier held when one is set, copies the entry that
// position stands for. Only the first running copy hooks the keyboard.
#include "core/key_names.h"
#include "view/quillstack_view.h"

namespace {

// The generic code of the modifier that `additional` asks for, or 0.
unsigned ModifierKey(int additional) {
    switch (additional) {
    case qs::kAdditionalShift: return 0x10;
    case qs::kAdditionalCtrl: return 0x11;
    default: return 0;
    }
}

}  // namespace

// At set-up, and whenever the options sheet closes.
void CQuillstackView::SetupHook() {
    if (!firstInstance_ || !GetDocument()->m_Settings.UseSCKey || m_pHook) return;
    // The library allocates the object; it answers null rather than throw.
    std::unique_ptr<QHook> hook(new QHook);
    if (!hook || hook->SetKeyboardHook(Hwnd()) == 0) return;
    m_pHook = std::move(hook);
    // While the hook was off no modifier was seen to go down or up.
    m_bKeyActive = false;
}

// Before the options sheet opens, and at teardown.
void CQuillstackView::RemoveHook() {
    if (!m_pHook) return;
    m_pHook->ReleaseHook();
    m_pHook.reset();
}

// A key went down anywhere (posted by the hook); 1 when it made a copy.
LRESULT CQuillstackView::OnHookKeyDown(unsigned key) {
    // Without a hook of its own (a later copy, or reports still queued when
    // the hook went) the view acts on no key.
    if (!m_pHook) return 0;
    const qs::Settings& settings = GetDocument()->m_Settings;
    const unsigned modifier = ModifierKey(settings.AdditionalCode);
    if (settings.AdditionalCode == qs::kAdditionalNone) {
        m_bKeyActive = true;
    } else if (modifier != 0 && key == modifier) {
        m_bKeyActive = true;
        return 0;
    }
    if (!m_bKeyActive) return 0;
    const std::optional<int> position = qs::ShortcutPosition(settings.KeyCode, static_cast<int>(key), settings.UseNumPad);
    if (!position) return 0;
    CopyEntry(m_nTop + *position, kPasteReplace, m_nMode);
    return 1;
}

// A key went up anywhere (posted by the hook).
LRESULT CQuillstackView::OnHookKeyUp(unsigned key) {
    const unsigned modifier = ModifierKey(GetDocument()->m_Settings.AdditionalCode);
    if (modifier != 0 && key == modifier) m_bKeyActive = false;
    return 0;
}
