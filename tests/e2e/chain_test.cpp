// The clipboard viewer chain: the program shares it with other viewers and
// keeps it whole whichever of them leaves, itself included, and a hung
// viewer after it does not freeze it.
#include <array>
#include <memory>
#include <optional>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using Viewers = std::array<std::unique_ptr<ClipboardViewer>, 2>;

// Where the program joins among the two viewers (0 first, so it ends up
// last in the chain; 2 last, at its head), and which viewer leaves first.
struct ChainCase {
    int programJoins;
    int firstToLeave;
};

void PrintTo(const ChainCase& c, std::ostream* os) {
    *os << "program joins " << c.programJoins << ", viewer " << c.firstToLeave << " leaves first";
}

std::string CaseName(const ::testing::TestParamInfo<ChainCase>& info) {
    static const char* const kJoins[] = {"ProgramAtTheEnd", "ProgramInTheMiddle", "ProgramAtTheHead"};
    return std::string(kJoins[info.param.programJoins]) + "_Viewer" + std::to_string(info.param.firstToLeave) +
           "LeavesFirst";
}

class ChainTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }

    // Viewers 0 and 1 join the chain in turn, the program at place
    // `programJoins` among them.
    bool Join(int programJoins) {
        int next = 0;
        for (int i = 0; i < 3; ++i) {
            if (i != programJoins) {
                viewers[next++] = std::make_unique<ClipboardViewer>();
                continue;
            }
            program.emplace(folder);
            if (!program->WaitFrame() || !SendCommand(*program, ID_MODE_CLIPHISTORY)) return false;
        }
        return true;
    }

    // Copies `text`; the program (unless gone) must record it, the viewers
    // still in the chain hear of it and those that left hear nothing.
    ::testing::AssertionResult EveryoneHears(std::string_view text, std::array<bool, 2> inChain,
                                             bool programRuns = true) {
        std::array<int, 2> before{viewers[0]->Notifications(), viewers[1]->Notifications()};
        if (!writer.Put(Ansi(text))) return ::testing::AssertionFailure() << "cannot copy";
        auto heard = [&](int v) { return viewers[v]->Notifications() > before[v]; };
        bool done = WaitUntil([&] {
            return (!programRuns || program->SlotText(0) == text) && (!inChain[0] || heard(0)) &&
                   (!inChain[1] || heard(1));
        });
        if (programRuns && program->SlotText(0) != text) {
            return ::testing::AssertionFailure() << "the program did not record \"" << text << "\"";
        }
        for (int v : {0, 1}) {
            if (inChain[v] && !heard(v)) return ::testing::AssertionFailure() << "viewer " << v << " missed it";
        }
        // Whatever the program still passes on has arrived once it answers.
        if (programRuns && !Answers(*program)) return ::testing::AssertionFailure() << "the program hangs";
        Pump();
        for (int v : {0, 1}) {
            if (!inChain[v] && heard(v)) return ::testing::AssertionFailure() << "viewer " << v << " left but heard";
        }
        return done ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "time-out";
    }

    ClipboardWriter writer;
    std::optional<Program> program;
    Viewers viewers;  // after the program: they leave while it still runs
};

class ViewerLeaves : public ChainTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(ViewerLeaves, TheOthersHearEveryChange) {
    const ChainCase& c = GetParam();
    ASSERT_TRUE(Join(c.programJoins));
    EXPECT_TRUE(EveryoneHears("all three", {true, true}));

    const int first = c.firstToLeave;
    const int second = 1 - first;
    std::array<bool, 2> inChain{true, true};
    viewers[first]->Leave();
    inChain[first] = false;
    EXPECT_TRUE(EveryoneHears("one left", inChain));

    viewers[second]->Leave();
    inChain[second] = false;
    EXPECT_TRUE(EveryoneHears("both left", inChain));
    ASSERT_TRUE(program->Exit());
}

INSTANTIATE_TEST_SUITE_P(AnyOrder, ViewerLeaves,
                         ::testing::Values(ChainCase{0, 0}, ChainCase{0, 1}, ChainCase{1, 0}, ChainCase{1, 1},
                                           ChainCase{2, 0}, ChainCase{2, 1}),
                         CaseName);

class ProgramLeaves : public ChainTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProgramLeaves, TheViewersStillHearEveryChange) {
    ASSERT_TRUE(Join(GetParam()));
    EXPECT_TRUE(EveryoneHears("all three", {true, true}));
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_TRUE(EveryoneHears("program gone", {true, true}, false));
}

std::string PlaceName(const ::testing::TestParamInfo<int>& info) {
    static const char* const kNames[] = {"AtTheEnd", "InTheMiddle", "AtTheHead"};
    return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(AnyPlace, ProgramLeaves, ::testing::Values(0, 1, 2), PlaceName);

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

    ASSERT_TRUE(writer.Put("first"));
    EXPECT_TRUE(SlotsShow(*program, {"first"}));
    EXPECT_TRUE(Answers(*program, 10s)) << "the program waits for the hung viewer for good";
    ASSERT_TRUE(writer.Put("second"));
    EXPECT_TRUE(SlotsShow(*program, {"second", "first"}));
    EXPECT_TRUE(Answers(*program, 10s));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
