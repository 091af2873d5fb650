// The clipboard viewer chain: the program shares it with other viewers and
// keeps it whole whichever of them leaves, itself included, and a hung
// viewer after it does not freeze it.
#include <memory>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class ChainTest : public ProgramTest {
protected:
    // Copies `text`: the program, while it runs, records it; the viewers
    // still in the chain hear of it, and those that left hear nothing.
    ::testing::AssertionResult EveryoneHears(const std::string& text) {
        const bool runs = program->Running();
        std::vector<int> before;
        for (const auto& viewer : viewers) before.push_back(viewer->Notifications());
        auto heard = [&](std::size_t v) { return viewers[v]->Notifications() > before[v]; };
        auto allHeard = [&] {
            for (std::size_t v = 0; v < viewers.size(); ++v) {
                if (inChain[v] && !heard(v)) return false;
            }
            return true;
        };
        if (!writer.Put(text)) return ::testing::AssertionFailure() << "cannot copy";
        WaitUntil([&] { return (!runs || program->SlotText(0) == text) && allHeard(); });
        if (runs && program->SlotText(0) != text) return ::testing::AssertionFailure() << "not recorded: " << text;
        // Whatever the program still passes on has arrived once it answers.
        if (runs && !Answers(*program)) return ::testing::AssertionFailure() << "the program hangs";
        Pump();
        for (std::size_t v = 0; v < viewers.size(); ++v) {
            if (heard(v) != inChain[v]) {
                return ::testing::AssertionFailure() << "viewer " << v << (inChain[v] ? " missed it" : " left but heard");
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<std::unique_ptr<ClipboardViewer>> viewers;
    std::vector<bool> inChain;
};

// Viewers 0 to 2 join before the program and viewer 3 after it, so the
// chain runs 3, program, 2, 1, 0. Each path of the program's chain
// handling comes in turn: a viewer further on leaves (it passes the
// message on), the viewer after it leaves (it links past it), and the
// program itself leaves from the middle of the chain.
TEST_F(ChainTest, EveryoneLeftInTheChainHearsEveryChangeWhoeverLeaves) {
    auto join = [&] {
        viewers.push_back(std::make_unique<ClipboardViewer>());
        inChain.push_back(true);
    };
    for (int i = 0; i < 3; ++i) join();
    program.emplace(folder);
    ASSERT_TRUE(program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY));
    join();
    EXPECT_TRUE(EveryoneHears("all"));
    for (int leaver : {1, 2}) {
        viewers[leaver]->Leave();
        inChain[leaver] = false;
        EXPECT_TRUE(EveryoneHears("viewer " + std::to_string(leaver) + " gone"));
    }
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_TRUE(EveryoneHears("program gone"));
}

// A viewer on a thread of its own that stops serving messages once it has
// joined the chain, as a hung program would.
class HungViewer {
public:
    HungViewer() {
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
        WaitForSingleObject(ready_, 10000);
    }
    ~HungViewer() {
        SetEvent(release_);
        // Leaving the chain may send to the program, which may pass it on
        // to a window of this thread.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) Pump();
        CloseHandle(thread_);
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    HungViewer(const HungViewer&) = delete;
    HungViewer& operator=(const HungViewer&) = delete;

private:
    static DWORD WINAPI Run(void* data) {
        auto* self = static_cast<HungViewer*>(data);
        ClipboardViewer viewer;
        SetEvent(self->ready_);
        WaitForSingleObject(self->release_, INFINITE);
        return 0;
    }

    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_ = nullptr;
};

TEST_F(ChainTest, HungViewerAfterTheProgramDoesNotFreezeIt) {
    HungViewer hung;  // joins first, so it is the program's next viewer
    program.emplace(folder);
    ASSERT_TRUE(program->WaitFrame());
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));

    for (const char* text : {"first", "second"}) {
        ASSERT_TRUE(writer.Put(text));
        EXPECT_TRUE(WaitUntil([&] { return program->SlotText(0) == text; })) << text;
        EXPECT_TRUE(Answers(*program, 10s)) << "the program waits for the hung viewer for good";
    }
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
