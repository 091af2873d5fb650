// Help in the real program: the shell opens the guide's page with the
// user's browser. Here .html files go to Wine's browser launcher, pointed at
// a small script that records the address it is given.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// The Unix path of a Windows path, as Wine's launcher hands it on.
std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

void SetValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(), bytes), ERROR_SUCCESS);
}

// The tests' own Wine prefix has no program for .html but while this test
// sets one.
class HelpTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ForgetTheBrowser();
    }
    void TearDown() override { ForgetTheBrowser(); }
    static void ForgetTheBrowser() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers");
    }
};

// Without a program for .html the shell cannot open the page: a message
// names it. With Wine's launcher for .html, the tray menu's help item opens
// the contents page, which forwards to a section of the guide, and the
// sentence editor's help button the editor's page.
TEST_F(HelpTest, HelpOpensTheContentsPageOrNamesThePageItCannotOpen) {
    ASSERT_TRUE(Start());
    const std::wstring page = folder.File(L"help\\context\\contents.html");
    program->Command(ID_HELP_FINDER);
    AnswerBox(Utf8(page), IDOK);

    const std::wstring script = folder.File(L"browser.sh"), address = folder.File(L"address.txt");
    WriteBytes(script, "printf '%s' \"$2\" > \"$1\"\n");
    ASSERT_FALSE(UnixPath(script).empty()) << "the test needs Wine's file names";
    SetValue(HKEY_CLASSES_ROOT, L".html", nullptr, L"htmlfile");
    SetValue(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers",
             Wide("/bin/sh \"" + UnixPath(script) + "\" \"" + UnixPath(address) + "\""));
    HWND menu = ClickTrayIcon(WM_RBUTTONDOWN) ? program->WaitPopupMenu() : nullptr;
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_HOME, VK_UP, VK_UP, VK_RETURN}));  // ヘルプ(&H)
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(address).empty(); }));
    EXPECT_EQ(ReadBytes(address), "file://" + UnixPath(page));

    const std::string forward = ReadBytes(page), link = "url=../Quillstack.html#";
    const std::size_t start = forward.find(link) + link.size(), end = forward.find('"', start);
    ASSERT_GT(start, link.size()) << forward;
    EXPECT_NE(ReadBytes(folder.File(L"help\\Quillstack.html")).find("id=\"" + forward.substr(start, end - start) + "\""),
              std::string::npos);

    DeleteFileW(address.c_str());
    program->Command(ID_SHOW_EDITOR);
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor = FindWindowW(L"#32770", L"登録文の確認と編集")); }));
    Program::PressButton(editor, IDC_EDITOR_HELP);
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(address).empty(); }));
    EXPECT_EQ(ReadBytes(address), "file://" + UnixPath(folder.File(L"help\\context\\16.html")));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
