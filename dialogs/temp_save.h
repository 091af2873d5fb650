// The temporary-save window: a small modeless window whose two buttons keep
// up to twenty clipboard texts aside ("保存") and put any of them back on
// the clipboard ("コピー"). A right-button press on either button offers to
// clear, edit or join the texts. They live in memory only, until the exit.
#pragma once

#include <array>
#include <functional>

#include "core/lead_bytes.h"
#include "core/string_list.h"
#include "framework/dialog.h"
#include "framework/handles.h"

class CTempSaveDlg;

// One of the window's two buttons: a right-button press opens the window's
// clear/edit/join menu and never reaches the button.
class CTempSaveButton : public fw::Wnd {
public:
    void Attach(HWND button, CTempSaveDlg* window);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CTempSaveDlg* window_ = nullptr;
};

// The copy menu: an item for each text in list order (newest first),
// labelled with its first 20 bytes without half a double-byte character,
// with the command ID_TEMPCOPY_FIRST + its position.
fw::MenuHandle BuildTempCopyMenu(const qs::StringList& texts, const qs::LeadBytes& lead);

class CTempSaveDlg : public fw::Dialog {
public:
    static constexpr int kMaxTexts = 20;

    CTempSaveDlg();
    ~CTempSaveDlg() override;

    // Creates the window hidden; a child `parent` makes the main frame its
    // owner. `onClose` runs when the user closes it.
    bool CreateTempSave(HWND parent, std::function<void()> onClose);
    // Shows it without taking the activation from the window that has it;
    // the first time, right under `frame`.
    void ShowBeside(HWND frame);
    // The right-button menu of the buttons, at a point on the screen.
    void ShowButtonMenu(POINT screen);

    const qs::StringList& Texts() const { return texts_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnSave();
    void OnCopy();
    void OnCopyEntry(int index);
    void OnEdit();
    void OnJoin();
    void OnClose();

    qs::StringList texts_;
    std::array<CTempSaveButton, 2> buttons_;
    std::function<void()> onClose_;
    bool placed_ = false;
};
