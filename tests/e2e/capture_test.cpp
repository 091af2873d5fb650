// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself (a slot press, an append copy) is not recorded.
#include <cstring>
#include <optional>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Puts `bytes` on the clipboard in a block exactly as long as they are, with
// no terminating NUL.
bool PutWithoutNul(HWND owner, std::string_view bytes) {
    if (!WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 5s)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!ok) GlobalFree(block);
    CloseClipboard();
    return ok;
}

// Holds the clipboard open, as a program busy with it does.
class HeldClipboard {
public:
    explicit HeldClipboard(HWND window) : open_(OpenClipboard(window) != FALSE) {}
    ~HeldClipboard() { Release(); }
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;
    bool IsOpen() const { return open_; }
    void Release() {
        if (open_) CloseClipboard();
        open_ = false;
    }

private:
    bool open_;
};

// Sends a scroll action as the scroll bar itself does: the action, then the
// end of scrolling. Sent, so the captions are updated when it returns.
void Scroll(const Program& program, int code) {
    HWND bar = program.Control(IDC_SCROLL);
    DWORD_PTR result = 0;
    for (int action : {code, static_cast<int>(SB_ENDSCROLL)}) {
        SendMessageTimeoutW(program.View(), WM_VSCROLL, MAKEWPARAM(action, 0), reinterpret_cast<LPARAM>(bar),
                            SMTO_NORMAL, 5000, &result);
    }
}

// The captions of the whole list of `count` entries (a multiple of eight),
// read page by page with the scroll bar; ends back at the top.
std::vector<std::string> ReadList(const Program& program, int count) {
    std::vector<std::string> captions;
    for (int page = 0; page < count / 8; ++page) {
        if (page > 0) Scroll(program, SB_PAGEDOWN);
        for (std::string& caption : program.SlotTexts()) captions.push_back(std::move(caption));
    }
    for (int page = 1; page < count / 8; ++page) Scroll(program, SB_PAGEUP);
    return captions;
}

std::string Numbered(int n) {
    return (n < 10 ? "text 0" : "text ") + std::to_string(n);
}

class CaptureTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }

    // Starts the program with the clipboard history shown, after the tail
    // viewer, which tells when the program has dealt with a change.
    bool Start() {
        tail.emplace();
        program.emplace(folder);
        return program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY);
    }

    // Copies as another program; true once the program has dealt with it.
    bool Copy(std::string_view utf8) {
        return WaitHandled(*tail, [&] { return writer.Put(Ansi(utf8)); });
    }

    // Presses slot `slot` (a posted click, as the user's) and returns the
    // clipboard's text once the program has replaced it and dealt with its
    // own change.
    std::optional<std::string> PressSlot(int slot) {
        return OwnChange([&] { program->Click(IDC_SLOT0 + slot); });
    }

    // A right-button press on slot `slot`, then the pop-up's item `item`
    // chosen with the keyboard; returns the clipboard's text afterwards.
    std::optional<std::string> ChooseOnSlot(int slot, int item) {
        bool chosen = false;
        std::optional<std::string> text = OwnChange([&] {
            PostMessageW(program->Control(IDC_SLOT0 + slot), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 6));
            HWND menu = WaitPopupMenu(*program);
            chosen = menu && ChooseFromPopupMenu(menu, item);
        });
        return chosen ? text : std::nullopt;
    }

    // Runs `action`, which makes the program change the clipboard.
    template <class Action>
    std::optional<std::string> OwnChange(Action action) {
        const DWORD sequence = GetClipboardSequenceNumber();
        std::optional<std::string> text;
        WaitHandled(*tail, [&] {
            action();
            text = ClipboardTextAfter(sequence);
            return text.has_value();
        });
        return text;
    }

    ClipboardWriter writer;
    std::optional<ClipboardViewer> tail;
    std::optional<Program> program;
};

TEST_F(CaptureTest, CopiedTextGoesFirstAndTheSameTextAgainLeavesOneEntry) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SlotsShow(*program, {}));
    ASSERT_TRUE(Copy("alpha"));
    EXPECT_TRUE(SlotsShow(*program, {"alpha"}));
    ASSERT_TRUE(Copy("beta"));
    EXPECT_TRUE(SlotsShow(*program, {"beta", "alpha"}));
    ASSERT_TRUE(Copy("beta"));
    EXPECT_TRUE(SlotsShow(*program, {"beta", "alpha"}));
    ASSERT_TRUE(Copy("alpha"));
    EXPECT_TRUE(SlotsShow(*program, {"alpha", "beta"}));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, AtTheBoundAnOlderTextMovesUpAndANewTextDropsTheLast) {
    WriteSettings(folder, {"SentenceMaxCount=16"});
    ASSERT_TRUE(Start());
    std::vector<std::string> expected;
    for (int n = 1; n <= 16; ++n) {
        ASSERT_TRUE(Copy(Numbered(n)));
        expected.insert(expected.begin(), Numbered(n));
    }
    ASSERT_TRUE(SlotsShow(*program, {expected.begin(), expected.begin() + 8}));
    EXPECT_EQ(ReadList(*program, 16), expected);

    // Text 5 again: it moves to the front and text 1 stays last.
    ASSERT_TRUE(Copy(Numbered(5)));
    std::erase(expected, Numbered(5));
    expected.insert(expected.begin(), Numbered(5));
    ASSERT_TRUE(SlotsShow(*program, {expected.begin(), expected.begin() + 8}));
    EXPECT_EQ(ReadList(*program, 16), expected);

    // A new text: text 1 goes.
    ASSERT_TRUE(Copy("new text"));
    expected.pop_back();
    expected.insert(expected.begin(), "new text");
    ASSERT_TRUE(SlotsShow(*program, {expected.begin(), expected.begin() + 8}));
    EXPECT_EQ(ReadList(*program, 16), expected);
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, TextPutThereWithoutAnOwnerWindowIsRecorded) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put("no owner", false); }));
    EXPECT_TRUE(SlotsShow(*program, {"no owner"}));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, PictureWithoutTextRecordsNothing) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("before"));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    EXPECT_TRUE(SlotsShow(*program, {"before"}));
    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "before"}));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, SeveralMegabytesAreRecordedWholeWithTheAddressAtTheirEnd) {
    ASSERT_TRUE(Start());
    const std::string text = "long:" + std::string(3 << 20, 'x') + " http://tail/z";
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put(text); }));
    EXPECT_TRUE(SlotsShow(*program, {text.substr(0, 14)}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"http://tail/z"}));

    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    std::optional<std::string> copied = PressSlot(0);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->size(), text.size());
    EXPECT_TRUE(*copied == text) << "the entry differs from the copied text";
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, TextBlockWithoutTerminatingNulIsRecordedToItsEnd) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitHandled(*tail, [&] { return PutWithoutNul(writer.Window(), "thirteen byte"); }));
    // Wine ends the text inside the block (on its last byte); the program
    // must record what any reader gets, and nothing from beyond the block.
    const std::string given = ClipboardText();
    ASSERT_FALSE(given.empty());
    EXPECT_EQ(std::string("thirteen byte").rfind(given, 0), 0u) << given;
    EXPECT_TRUE(SlotsShow(*program, {given}));
    ASSERT_TRUE(Copy("other"));
    EXPECT_EQ(PressSlot(1), given);
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, ClipboardHeldOpenByAnotherProgramNeitherHangsItNorStopsTheChain) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("before"));
    ASSERT_TRUE(SlotsShow(*program, {"before"}));

    HeldClipboard held(writer.Window());
    ASSERT_TRUE(held.IsOpen());
    // Another viewer passes a notification on while the clipboard is busy.
    EXPECT_TRUE(WaitHandled(*tail, [&] { return PostMessageW(program->View(), WM_DRAWCLIPBOARD, 0, 0) != FALSE; }))
        << "the notification was not passed on";
    EXPECT_TRUE(Answers(*program, 3s)) << "the program hangs on the busy clipboard";
    held.Release();

    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "before"}));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, AddressesGoToTheUrlHistoryTheLaterOnesFirst) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    ASSERT_TRUE(Copy("see http://a/1 then\r\nhttp://b/2,ftp://c/3"));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://c/3", "http://b/2", "http://a/1"}));

    // No begin marker, so no address; the text itself is recorded.
    ASSERT_TRUE(Copy("www.d.jp mailto:e"));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://c/3", "http://b/2", "http://a/1"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_EQ(program->SlotText(0), "www.d.jp mailt");
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, PressingASlotCopiesItsEntryAndRecordsNothing) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("first"));
    ASSERT_TRUE(Copy("second"));
    ASSERT_TRUE(SlotsShow(*program, {"second", "first"}));

    EXPECT_EQ(PressSlot(1), "first");
    EXPECT_TRUE(SlotsShow(*program, {"second", "first"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {}));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, AppendCopiesPutTheEntryBehindOrInFrontOfTheClipboardText) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("B"));
    ASSERT_TRUE(Copy("A"));
    ASSERT_TRUE(SlotsShow(*program, {"A", "B"}));

    EXPECT_EQ(ChooseOnSlot(1, 0), "AB");  // 後ろに追加コピー
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    ASSERT_TRUE(Copy("A"));
    EXPECT_EQ(ChooseOnSlot(1, 1), "BA");  // 前に追加コピー
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e
