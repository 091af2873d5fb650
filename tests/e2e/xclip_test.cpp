// Text copied by an X program on the same display (xclip) reaches the
// program through Wine's clipboard bridge and is recorded in code page 932.
//
// Run through tests/e2e/xclip_test.sh, which starts this driver and xclip:
// the driver asks for a copy by writing <n>.txt (UTF-8) into the folder
// named by QS_XCLIP_DIR, the script starts xclip on it and answers with
// <n>.done.
#include <algorithm>
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class XclipTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const char* unixPath = std::getenv("QS_XCLIP_DIR");
        ASSERT_TRUE(unixPath && *unixPath) << "run through tests/e2e/xclip_test.sh, which copies with xclip";
        requests_ = L"Z:" + Wide(unixPath);
        std::replace(requests_.begin(), requests_.end(), L'/', L'\\');
    }

    // Has xclip copy `utf8` into the X clipboard; true once the program has
    // dealt with it.
    bool XclipCopy(std::string_view utf8) {
        static int count = 0;
        const std::wstring name = requests_ + L"\\" + std::to_wstring(++count);
        return WaitHandled(*tail, [&] {
            // Written under another name first, so the script never reads half.
            WriteBytes(name + L".tmp", utf8);
            return MoveFileW((name + L".tmp").c_str(), (name + L".txt").c_str()) &&
                   WaitUntil([&] { return FileExists(name + L".done"); });
        });
    }

    std::wstring requests_;
};

TEST_F(XclipTest, JapaneseTextAndItsAddressesAreRecordedInCodePage932) {
    const std::string text = "詳細は http://a/日本 を見て、ftp://b/表 も";
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(XclipCopy(text));
    EXPECT_TRUE(SlotsShow(*program, {"詳細は http://"}));
    // The entry holds the code page 932 bytes: a press puts them back.
    EXPECT_EQ(PressSlot(0), Ansi(text));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://b/表", "http://a/日本"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
