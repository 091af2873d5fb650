// Text copied by an X program on the same display (xclip) reaches the
// program through Wine's clipboard bridge and is recorded in code page 932.
//
// Run through tests/e2e/xclip_test.sh, which starts this driver and xclip:
// the driver asks for a copy by writing <n>.txt (UTF-8) into the folder
// named by QS_XCLIP_DIR, the script starts xclip on it and answers with
// <n>.done.
#include <cstdlib>
#include <optional>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// The request folder as a Windows path, or empty when not run by the script.
std::wstring RequestFolder() {
    const char* unixPath = std::getenv("QS_XCLIP_DIR");
    if (!unixPath || !*unixPath) return {};
    std::wstring path = L"Z:" + Wide(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

class XclipTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        requests_ = RequestFolder();
        ASSERT_FALSE(requests_.empty()) << "run through tests/e2e/xclip_test.sh, which copies with xclip";
        EmptyTheClipboard();
    }

    bool Start() {
        program.emplace(folder);
        return program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY);
    }

    // Has xclip copy `utf8` into the X clipboard; true once it runs.
    bool XclipCopy(std::string_view utf8) {
        static int count = 0;
        const std::wstring name = requests_ + L"\\" + std::to_wstring(++count);
        // Written under another name first, so the script never reads half.
        WriteBytes(name + L".tmp", utf8);
        if (!MoveFileW((name + L".tmp").c_str(), (name + L".txt").c_str())) return false;
        return WaitUntil([&] { return FileExists(name + L".done"); });
    }

    std::wstring requests_;
    std::optional<Program> program;
};

TEST_F(XclipTest, AsciiAndJapaneseTextsAreRecordedInCodePage932) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(XclipCopy("from X"));
    EXPECT_TRUE(SlotsShow(*program, {"from X"}));
    ASSERT_TRUE(XclipCopy("日本語の文字"));
    EXPECT_TRUE(SlotsShow(*program, {"日本語の文字", "from X"}));

    // The entry holds the code page 932 bytes: a press puts them back.
    const DWORD sequence = GetClipboardSequenceNumber();
    program->Click(IDC_SLOT0);
    EXPECT_EQ(ClipboardTextAfter(sequence), Ansi("日本語の文字"));
    ASSERT_TRUE(program->Exit());
}

TEST_F(XclipTest, AddressInJapaneseTextGoesToTheUrlHistory) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    ASSERT_TRUE(XclipCopy("詳細は http://a/日本 を見て、ftp://b/表 も"));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://b/表", "http://a/日本"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
