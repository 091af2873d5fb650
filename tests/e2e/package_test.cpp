// The downloadable package, unpacked where a user may put it: a folder
// whose path holds a space and Japanese characters (package_test.sh unpacks
// it and passes the folder in QS_PACKAGE_DIR).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

TEST_F(E2eTest, TheUnpackedProgramRunsOpensItsHelpAndKeepsItsFilesBesideItself) {
    const wchar_t* unpacked = _wgetenv(L"QS_PACKAGE_DIR");
    ASSERT_TRUE(unpacked) << "run by package_test.sh";
    const std::wstring dir = unpacked;
    ASSERT_NE(dir.find(L' '), std::wstring::npos);
    const auto file = [&dir](const wchar_t* name) { return dir + L"\\" + name; };
    ASSERT_FALSE(FileExists(file(L"Quillstack.ini")) || FileExists(file(L"Quillstack.txt")));
    // The browser gets a file address: bytes other than letters, digits,
    // "-._~" and "/" as %XX.
    std::string address = "file://";
    for (const unsigned char byte : UnixPath(file(L"help\\context\\contents.html"))) {
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
        address += std::isalnum(byte) || std::strchr("-._~/", byte) ? std::string(1, byte) : escaped;
    }

    BrowserRecorder::Forget();
    BrowserRecorder browser(folder.Path());
    Program program(dir, L"");
    ASSERT_TRUE(program.WaitFrame());
    program.Command(ID_HELP_FINDER);
    EXPECT_EQ(browser.WaitAddress(), address);
    ASSERT_TRUE(program.Exit());
    EXPECT_TRUE(FileExists(file(L"Quillstack.ini")));
    EXPECT_TRUE(FileExists(file(L"Quillstack.txt")));
}

}  // namespace
}  // namespace e2e
