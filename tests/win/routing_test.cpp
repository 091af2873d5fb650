// The whole application made in this process, as the program makes it at
// start (document, frame and view), without a message loop: menu items
// are grayed unless something on the routing path handles them, and a
// command sent to the frame reaches its handler.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/quillstack_app.h"
#include "data/quillstack_doc.h"
#include "framework/frame_window.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/quillstack_view.h"

namespace {

using wintest::ListFile;
using wintest::ReadBytes;

// Start-up and teardown of the real application, callable from a test.
class TestApp : public CQuillstackApp {
public:
    using CQuillstackApp::ExitInstance;
    using CQuillstackApp::InitInstance;
};

// What the system does before it shows a pop-up, for every pop-up of the
// menu bar and the pop-ups within them.
void InitPopups(HWND frame, HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU popup = GetSubMenu(menu, i);
        if (!popup) continue;
        SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
        InitPopups(frame, popup);
    }
}

// Serves this thread's messages, waiting for more, until `done` holds,
// WM_QUIT arrives or the deadline passes. True when `done` held.
template <class Done>
bool ServeMessagesUntil(Done done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    MSG message;
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_QUIT) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return done();
}

class Routing : public wintest::DocTest {
protected:
    void SetUp() override {
        app = std::make_unique<TestApp>();
        ASSERT_TRUE(app->InitInstance());
        frame = app->MainFrame()->Hwnd();
        view = static_cast<CQuillstackView*>(app->ActiveView());
        doc = static_cast<CQuillstackDoc*>(app->ActiveDocument());
        ASSERT_NE(view, nullptr);
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(boxes.texts.empty());
    }

    void TearDown() override {
        app->ExitInstance();
        app.reset();
        // The frame asked the thread to quit when it went; later tests must
        // not find that request in their own loops.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    bool Grayed(UINT id) const { return (GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(UINT id) const { return (GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    void Command(UINT id) const { SendMessageW(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    std::unique_ptr<TestApp> app;
    HWND frame = nullptr;
    CQuillstackView* view = nullptr;
    CQuillstackDoc* doc = nullptr;
};

const UINT kHandled[] = {
    ID_FILE_DEFAULT,     ID_FILE_EXIT_NOSAVE,  ID_APP_EXIT,         ID_APP_ABOUT,
    ID_MODE_SENTENCES,   ID_MODE_CLIPHISTORY,  ID_MODE_URLHISTORY,
    ID_CLEAR_SENTENCES,  ID_CLEAR_CLIPHISTORY, ID_CLEAR_URLHISTORY,
};

// Commands that nothing on the routing path handles yet; an id moves to the
// list above when its handler comes.
const UINT kUnhandled[] = {
    ID_FILE_NEW,       ID_FILE_OPEN,        ID_SAVE_SENTENCES,  ID_SAVE_CLIPHISTORY, ID_SAVE_URLHISTORY,
    ID_SHOW_EDITOR,    ID_SHOW_TEMPSAVE,    ID_ICONISE,         ID_OPTIONS,          ID_HELP_FINDER,
    ID_JOIN_SENTENCES, ID_JOIN_CLIPHISTORY, ID_JOIN_URLHISTORY,
};

TEST_F(Routing, ItemsWithoutAHandlerAreGrayedWhenTheirMenuOpens) {
    // The resource grays nothing: what follows comes from the routing.
    for (UINT id : kUnhandled) ASSERT_FALSE(Grayed(id)) << id;

    InitPopups(frame, GetMenu(frame));
    for (UINT id : kHandled) EXPECT_FALSE(Grayed(id)) << id;
    for (UINT id : kUnhandled) EXPECT_TRUE(Grayed(id)) << id;
}

TEST_F(Routing, StartShowsTheSentencesWithTheirRadioMark) {
    EXPECT_EQ(view->m_nMode, 0);
    EXPECT_TRUE(Checked(ID_MODE_SENTENCES));
    EXPECT_FALSE(Checked(ID_MODE_CLIPHISTORY));
    EXPECT_EQ(doc->m_strSentenceFile, dir.File("Quillstack.txt"));
}

TEST_F(Routing, ModeCommandsReachTheViewAndMoveTheRadioMark) {
    Command(ID_MODE_CLIPHISTORY);
    EXPECT_EQ(view->m_nMode, 1);
    EXPECT_FALSE(Checked(ID_MODE_SENTENCES));
    EXPECT_TRUE(Checked(ID_MODE_CLIPHISTORY));

    // As an accelerator sends it.
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_MODE_URLHISTORY, 1), 0);
    EXPECT_EQ(view->m_nMode, 2);
    EXPECT_FALSE(Checked(ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(Checked(ID_MODE_URLHISTORY));

    Command(ID_MODE_SENTENCES);
    EXPECT_EQ(view->m_nMode, 0);
    EXPECT_TRUE(Checked(ID_MODE_SENTENCES));
    EXPECT_FALSE(Checked(ID_MODE_URLHISTORY));
}

TEST_F(Routing, ClearCommandsEmptyTheirListOnly) {
    doc->AddClipHistory("clip");
    doc->AddUrlsFrom("http://u");
    Command(ID_CLEAR_CLIPHISTORY);
    EXPECT_EQ(doc->GetItemCount(1), 0);
    EXPECT_EQ(doc->GetItemCount(2), 1);
    EXPECT_FALSE(doc->m_bSentencesDirty);
    Command(ID_CLEAR_URLHISTORY);
    EXPECT_EQ(doc->GetItemCount(2), 0);
}

// The joined text goes on the clipboard with the main frame as its owner,
// so the view records it like a text copied by another program.
TEST_F(Routing, JoiningToTheClipboardIsRecordedLikeAnotherProgramsCopy) {
    doc->SetItem(0, 0, "s0");
    doc->SetItem(0, 2, wintest::Ansi("日本 http://x.jp/"));
    const std::string joined = "s0\r\n\r\n" + wintest::Ansi("日本 http://x.jp/") + "\r\n";

    doc->ExportList(true, 0, "");
    EXPECT_EQ(wintest::ClipboardText(), joined);
    EXPECT_EQ(GetClipboardOwner(), frame);
    EXPECT_TRUE(ServeMessagesUntil([&] { return doc->GetItem(1, 0) && *doc->GetItem(1, 0) == joined; }));
    EXPECT_EQ(*doc->GetItem(2, 0), "http://x.jp/");

    // Titles and unknown kinds are not joined: the clipboard stays.
    doc->ExportList(true, 3, "");
    doc->ExportList(true, 7, "");
    EXPECT_EQ(wintest::ClipboardText(), joined);

    doc->ClearList(1);
    doc->AddClipHistory("c1");
    doc->AddClipHistory("c2");
    doc->ExportList(true, 1, "");
    EXPECT_EQ(wintest::ClipboardText(), "c2\r\nc1\r\n");
    doc->ClearList(2);
    doc->ExportList(true, 2, "");
    EXPECT_EQ(wintest::ClipboardText(), "");
}

TEST_F(Routing, ExitWithoutSavingLeavesTheChangedSentencesUnwritten) {
    doc->SetItem(0, 0, "unsaved");
    Command(ID_FILE_EXIT_NOSAVE);
    EXPECT_FALSE(doc->m_bSentencesDirty);
    // The exit it posts goes the whole way: application, frame, view.
    EXPECT_TRUE(ServeMessagesUntil([&] { return !IsWindow(frame); }));
    EXPECT_EQ(ReadBytes(dir.File("Quillstack.txt")), "");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Routing, TheExitCommandWritesTheChangedSentences) {
    doc->SetItem(0, 0, "saved");
    Command(ID_APP_EXIT);
    EXPECT_TRUE(ServeMessagesUntil([&] { return !IsWindow(frame); }));
    EXPECT_EQ(ReadBytes(dir.File("Quillstack.txt")), ListFile({"saved"}));
    EXPECT_EQ(ReadBytes(dir.File("Quillstack_Title.txt")), "");
}

}  // namespace
