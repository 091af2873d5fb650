// The sentence editor: a small modeless window, docked beside the main
// window, in which the user reads and changes one entry at a time of the
// list the panel shows (a sentence with its title, or a history entry).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "data/quillstack_doc.h"
#include "framework/dialog.h"
#include "framework/handles.h"

class CSentenceEditorDlg : public fw::Dialog {
public:
    // Sent to the owner (the main frame) after every move of the editor,
    // with the editor's window as lParam: the frame decides whether it
    // stays docked.
    static constexpr UINT kMovedMessage = WM_APP + 12;
    static constexpr int kHelpContext = 16;
    // Body font heights for the sizes small, medium and large.
    static constexpr std::array<int, 3> kFontHeights{12, 15, 18};

    CSentenceEditorDlg();
    ~CSentenceEditorDlg() override;

    // Creates the window hidden; a child `parent` makes the main frame its
    // owner. `onClose` runs when the user closes it.
    bool CreateEditor(HWND parent, CQuillstackDoc* document, std::function<void()> onClose);
    // Loads an entry into the fields; no index keeps the one selected, no
    // kind keeps the list.
    void ShowEntry(std::optional<int> index, std::optional<ListKind> kind);
    // The index list offers "1" … count.
    void SetIndexCount(int count);
    // Text copied from here is the program's own and is not recorded.
    HWND BodyWindow() const;

protected:
    void Exchange(bool save) override;
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Load(std::optional<int> index, std::optional<ListKind> kind);
    void LoadPending();
    void LoadEntry(bool keepTyping);
    bool HasUnstoredTyping() const;
    void ForgetTyping() const;
    void OnStore();
    void OnClose();
    void OnPrevious();
    void OnNext();
    void OnIndexChosen();
    void OnFontChosen();
    int IndexCount() const;
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }

    std::array<fw::FontHandle, kFontHeights.size()> fonts_;
    std::string clipHistoryName_;
    std::string urlHistoryName_;
    CQuillstackDoc* document_ = nullptr;
    std::function<void()> onClose_;

    // The fields, moved to and from the controls by Exchange.
    std::string fileText_;
    std::string body_;
    int fontSize_ = 0;
    int entryIndex_ = 0;
    std::string title_;
    ListKind listKind_ = kListSentences;

    // What changed while the editor was hidden: the same entry's content
    // (a capture), or which entry it shows.
    enum class Pending { kSameEntry, kOtherEntry };
    std::optional<Pending> pending_;
};
