// Help in the real program: the shell opens the guide's page with the
// user's browser, here Wine's launcher pointed at a recording script.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using HelpTest = ProgramTest;

// Without a program for .html the shell cannot open the page: a message
// names it. With one, the tray menu's help item opens the contents page,
// which forwards to a section of the guide, and the help buttons of the
// sentence editor and the new-file wizard their pages.
TEST_F(HelpTest, HelpOpensTheContentsPageOrNamesThePageItCannotOpen) {
    BrowserRecorder::Forget();
    ASSERT_TRUE(Start());
    const std::wstring page = folder.File(L"help\\context\\contents.html");
    program->Command(ID_HELP_FINDER);
    AnswerBox(Utf8(page), IDOK);

    BrowserRecorder browser(folder.Path());
    HWND menu = ClickTrayIcon(WM_RBUTTONDOWN) ? program->WaitPopupMenu() : nullptr;
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_HOME, VK_UP, VK_UP, VK_RETURN}));  // ヘルプ(&H)
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(page));

    const std::string forward = ReadBytes(page), link = "url=../Quillstack.html#";
    const std::size_t start = forward.find(link) + link.size(), end = forward.find('"', start);
    ASSERT_GT(start, link.size()) << forward;
    EXPECT_NE(ReadBytes(folder.File(L"help\\Quillstack.html")).find("id=\"" + forward.substr(start, end - start) + "\""),
              std::string::npos);

    browser.Clear();
    program->Command(ID_SHOW_EDITOR);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor = FindWindowW(L"#32770", L"登録文の確認と編集")); }));
    Program::PressButton(editor, IDC_EDITOR_HELP);
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(folder.File(L"help\\context\\16.html")));

    // The new-file wizard's help button, its page (the wizard stays open).
    browser.Clear();
    program->Command(ID_FILE_NEW);
    HWND wizard = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(wizard = FindWindowW(L"#32770", L"新規作成")); }));
    Program::PressButton(wizard, IDC_WIZARD_HELP);
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(folder.File(L"help\\context\\8.html")));
    Program::PressButton(wizard, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
