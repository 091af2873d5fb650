// The clipboard viewer chain: the program shares it with other viewers and
// keeps it whole whichever of them leaves, itself included, and a hung
// viewer after it does not freeze it.
#include <array>
#include <memory>
#include <ostream>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const int kProgram = 2;  // among those who leave, the program itself

// Where the program joins among viewers 0 and 1, which join in turn at the
// chain's head (place 2: it joins last and heads the chain), and who leaves
// in turn. The cases reach each path of the program's chain handling: the
// viewer after it leaves (it links past it), a viewer further on leaves (it
// passes the message on), and the program itself leaves.
struct ChainCase {
    const char* name;
    int programJoins;
    std::vector<int> leave;
};

void PrintTo(const ChainCase& c, std::ostream* os) {
    *os << c.name;
}

class ChainTest : public ProgramTest {
protected:
    bool Join(int programJoins) {
        for (int place = 0, viewer = 0; place < 3; ++place) {
            if (place != programJoins) {
                viewers[viewer++] = std::make_unique<ClipboardViewer>();
                continue;
            }
            program.emplace(folder);
            if (!program->WaitFrame() || !SendCommand(*program, ID_MODE_CLIPHISTORY)) return false;
        }
        return true;
    }

    // Copies `text`: the program, while it runs, records it; the viewers
    // still in the chain hear of it, and those that left hear nothing.
    ::testing::AssertionResult EveryoneHears(const std::string& text) {
        const bool runs = program->Running();
        const std::array<int, 2> before{viewers[0]->Notifications(), viewers[1]->Notifications()};
        auto heard = [&](int v) { return viewers[v]->Notifications() > before[v]; };
        if (!writer.Put(text)) return ::testing::AssertionFailure() << "cannot copy";
        WaitUntil([&] {
            return (!runs || program->SlotText(0) == text) && (!inChain[0] || heard(0)) && (!inChain[1] || heard(1));
        });
        if (runs && program->SlotText(0) != text) return ::testing::AssertionFailure() << "not recorded: " << text;
        // Whatever the program still passes on has arrived once it answers.
        if (runs && !Answers(*program)) return ::testing::AssertionFailure() << "the program hangs";
        Pump();
        for (int v : {0, 1}) {
            if (heard(v) != inChain[v]) {
                return ::testing::AssertionFailure() << "viewer " << v << (inChain[v] ? " missed it" : " left but heard");
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::array<bool, 2> inChain{true, true};
    std::array<std::unique_ptr<ClipboardViewer>, 2> viewers;  // after the program: they leave while it runs
};

class LeavingTest : public ChainTest, public ::testing::WithParamInterface<ChainCase> {};

INSTANTIATE_TEST_SUITE_P(AnyOrder, LeavingTest,
                         ::testing::Values(ChainCase{"AtTheHead_NextLeavesFirst", 2, {1, 0}},
                                           ChainCase{"AtTheHead_LastLeavesFirst", 2, {0, 1}},
                                           ChainCase{"InTheMiddle_NextThenHeadLeave", 1, {0, 1}},
                                           ChainCase{"InTheMiddle_ProgramLeaves", 1, {kProgram}},
                                           ChainCase{"AtTheHead_ProgramLeaves", 2, {kProgram}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(LeavingTest, EveryoneLeftInTheChainHearsEveryChange) {
    ASSERT_TRUE(Join(GetParam().programJoins));
    EXPECT_TRUE(EveryoneHears("all three"));
    for (int leaver : GetParam().leave) {
        if (leaver == kProgram) {
            ASSERT_TRUE(program->Exit());
            EXPECT_EQ(program->ExitCode(), 0u);
        } else {
            viewers[leaver]->Leave();
            inChain[leaver] = false;
        }
        EXPECT_TRUE(EveryoneHears(leaver == kProgram ? "program gone" : "viewer " + std::to_string(leaver) + " gone"));
    }
    EXPECT_TRUE(!program->Running() || program->Exit());
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
