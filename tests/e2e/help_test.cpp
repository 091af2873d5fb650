// Help in the real program: the shell opens the guide's page with the
// user's browser. Here .html files go to Wine's browser launcher, pointed at
// a small script that records the address it is given.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// The Unix path Wine gives a Windows path (the browser launcher hands Unix
// programs file addresses of these).
std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    std::string result = unix ? unix : "";
    if (unix) HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// A registry value set for the test and put back afterwards.
class RegistryValue {
public:
    RegistryValue(HKEY root, std::wstring key, std::wstring name) : root_(root), key_(std::move(key)), name_(std::move(name)) {
        wchar_t buffer[1024];
        DWORD size = sizeof(buffer);
        if (RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) == ERROR_SUCCESS) {
            old_ = buffer;
        }
    }
    ~RegistryValue() {
        if (old_) {
            Set(*old_);
        } else {
            RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
        }
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

    void Set(const std::wstring& value) const {
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(RegSetKeyValueW(root_, key_.c_str(), name_.empty() ? nullptr : name_.c_str(), REG_SZ, value.c_str(), bytes),
                  ERROR_SUCCESS);
    }
    void Delete() const { RegDeleteKeyValueW(root_, key_.c_str(), name_.empty() ? nullptr : name_.c_str()); }

private:
    HKEY root_;
    std::wstring key_, name_;
    std::optional<std::wstring> old_;
};

using HelpTest = ProgramTest;

// Without a program for .html the shell cannot open the page: a message
// names it. With Wine's browser launcher for .html, the help item of the
// tray menu opens the contents page, which forwards to a section of the
// guide.
TEST_F(HelpTest, HelpOpensTheContentsPageOrNamesThePageItCannotOpen) {
    RegistryValue association(HKEY_CLASSES_ROOT, L".html", L"");
    RegistryValue browsers(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers");
    association.Delete();
    ASSERT_TRUE(Start());
    const std::wstring page = folder.File(L"help\\context\\contents.html");

    program->Command(ID_HELP_FINDER);
    AnswerBox(Utf8(page), IDOK);

    const std::wstring script = folder.File(L"browser.sh");
    const std::wstring address = folder.File(L"address.txt");
    WriteBytes(script, "#!/bin/sh\nprintf '%s' \"$2\" > \"$1\"\n");
    ASSERT_FALSE(UnixPath(script).empty()) << "the test needs Wine's file names";
    association.Set(L"htmlfile");
    browsers.Set(Wide("/bin/sh \"" + UnixPath(script) + "\" \"" + UnixPath(address) + "\""));
    ASSERT_TRUE(ClickTrayIcon(WM_RBUTTONDOWN));
    HWND menu = program->WaitPopupMenu();
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_HOME, VK_UP, VK_UP, VK_RETURN}));  // ヘルプ(&H)
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(address).empty(); }));
    EXPECT_EQ(ReadBytes(address), "file://" + UnixPath(page));

    const std::string forward = ReadBytes(page);
    const std::string link = "../Quillstack.html#";
    const std::size_t at = forward.find(link);
    ASSERT_NE(at, std::string::npos) << forward;
    const std::size_t start = at + link.size();
    const std::string anchor = forward.substr(start, forward.find('"', start) - start);
    EXPECT_NE(ReadBytes(folder.File(L"help\\Quillstack.html")).find("id=\"" + anchor + "\""), std::string::npos)
        << anchor;
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
