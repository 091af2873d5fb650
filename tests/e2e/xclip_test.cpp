// Text copied by an X program on the same display (xclip) reaches the
// program through Wine's clipboard bridge and is recorded in code page 932.
// Run through xclip_test.sh: the driver asks for a copy by writing <n>.txt
// (UTF-8) into the folder named by QS_XCLIP_DIR, and the script answers
// with <n>.done once xclip holds it.
#include <algorithm>
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using XclipTest = ProgramTest;

TEST_F(XclipTest, JapaneseTextAndItsAddressesAreRecordedInCodePage932) {
    const char* unixPath = std::getenv("QS_XCLIP_DIR");
    ASSERT_TRUE(unixPath && *unixPath) << "run through tests/e2e/xclip_test.sh, which copies with xclip";
    std::wstring request = L"Z:" + Wide(unixPath) + L"/1";
    std::replace(request.begin(), request.end(), L'/', L'\\');
    const std::string text = "詳細は http://a/日本 を見て、ftp://b/表 も";
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(WaitHandled(*tail, [&] {
        // Written under another name first, so the script never reads half.
        WriteBytes(request + L".tmp", text);
        return MoveFileW((request + L".tmp").c_str(), (request + L".txt").c_str()) &&
               WaitUntil([&] { return FileExists(request + L".done"); });
    }));
    EXPECT_TRUE(SlotsShow(*program, {"詳細は http://"}));
    // The entry holds the code page 932 bytes: a press puts them back.
    EXPECT_EQ(PressSlot(0), Ansi(text));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://b/表", "http://a/日本"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
