// End-to-end timings of the real program under Wine: how soon a clipboard
// change made by another program shows on slot 0, against the same change
// reaching a bare viewer window of this process, and whether a fast stream
// of copies is recorded whole and in order. The goals are reported, not
// enforced: the exit code says only whether the program could be run.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

const std::size_t kCaptionBytes = 14;
const int kSlotCount = 8;

bool Smoke() {
    const char* value = std::getenv("QS_BENCH_SMOKE");
    return value && *value;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Nearest rank: the smallest sample with at least `fraction` of all at or
// below it.
double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(samples.size())));
    return samples[std::max<std::size_t>(rank, 1) - 1];
}

// A clipboard viewer with nothing behind it, on a thread of its own as any
// other program's viewer would be: it notes when each change reaches it and
// passes the notification on.
class BareViewer {
public:
    BareViewer() {
        std::promise<HWND> joined;
        std::future<HWND> window = joined.get_future();
        thread_ = std::thread([this, &joined] { Run(joined); });
        window_ = window.get();
    }
    ~BareViewer() {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    BareViewer(const BareViewer&) = delete;
    BareViewer& operator=(const BareViewer&) = delete;

    bool Joined() const { return window_ != nullptr; }
    int Count() const { return count_.load(std::memory_order_acquire); }
    Clock::time_point Last() const { return Clock::time_point(Clock::duration(last_.load())); }
    // Every change heard has been passed on and answered.
    bool Settled() const { return passed_.load() == Count(); }

private:
    void Run(std::promise<HWND>& joined) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QsBenchViewer";
        RegisterClassW(&windowClass);
        HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, this);
        if (window) next_ = SetClipboardViewer(window);
        joined.set_value(window);
        MSG message;
        while (window && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<BareViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        switch (message) {
        case WM_DRAWCLIPBOARD:
            self->last_.store(Clock::now().time_since_epoch().count());
            self->count_.fetch_add(1, std::memory_order_release);
            self->PassOn(message, wParam, lParam);
            self->passed_.fetch_add(1);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == self->next_) {
                self->next_ = reinterpret_cast<HWND>(lParam);
            } else {
                self->PassOn(message, wParam, lParam);
            }
            return 0;
        case WM_DESTROY:
            ChangeClipboardChain(window, self->next_);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }

    void PassOn(UINT message, WPARAM wParam, LPARAM lParam) const {
        DWORD_PTR result = 0;
        if (next_) SendMessageTimeoutW(next_, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    }

    std::thread thread_;
    HWND window_ = nullptr;
    HWND next_ = nullptr;  // the viewer thread's alone once joined
    std::atomic<int> count_{0}, passed_{0};
    std::atomic<Clock::rep> last_{0};
};

// Wine's X11 driver, inside the program's OpenClipboard, now and then asks
// the clipboard owner (this process) something and waits up to 5 s for the
// answer: the owner has to keep serving its messages, also between copies.
void PumpUntil(Clock::time_point until) {
    for (;;) {
        Pump();
        auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

// The program in a fresh folder with the clipboard history shown, settled
// once a first change has reached slot 0.
struct Session {
    explicit Session(const std::vector<std::string_view>& settings = {}) {
        RemoveInstanceAtom();
        if (!settings.empty()) WriteSettings(folder, settings);
        program.emplace(folder);
        if (!program->WaitFrame()) return;
        program->Command(ID_MODE_CLIPHISTORY);
        ready = writer.Put("warm-up") && WaitUntil([&] { return program->SlotText(0) == "warm-up"; });
    }
    ~Session() {
        if (program && program->Running()) program->Exit();
    }

    TempFolder folder;
    ClipboardWriter writer;
    std::optional<Program> program;
    bool ready = false;
};

struct Latency {
    std::vector<double> program, bare;  // milliseconds from each write
    int missed = 0;
};

// Polls without sleeping, so the figure is the program's and not the poll's,
// and serves this process's messages meanwhile (see PumpUntil). Each change
// waits for the last to be answered along the chain: one that came in while
// the viewer still waited for the program would nest inside that wait, and
// Wine drops sent messages nested too deep.
Latency MeasureLatency(Session& session, BareViewer& bare, int changes) {
    Latency result;
    HWND slot0 = session.program->Control(IDC_SLOT0);
    for (int i = 0; i < changes; ++i) {
        WaitUntil([&] { return bare.Settled(); }, 5s);
        std::string text = "latency " + std::to_string(i);
        std::wstring caption = Wide(text);
        int heard = bare.Count();
        Clock::time_point start = Clock::now();
        if (!session.writer.Put(text)) {
            ++result.missed;
            continue;
        }
        std::optional<Clock::time_point> shown;
        Clock::time_point deadline = start + 5s;
        while ((!shown || bare.Count() == heard) && Clock::now() < deadline) {
            if (!shown && WindowText(slot0) == caption) shown = Clock::now();
            Pump();
        }
        if (!shown || bare.Count() == heard) {
            ++result.missed;
            continue;
        }
        result.program.push_back(Milliseconds(*shown - start));
        result.bare.push_back(Milliseconds(bare.Last() - start));
    }
    return result;
}

// Distinct within the bytes a caption shows, so the read-back can tell them
// apart and see their order.
std::string StreamText(int i) {
    char number[8];
    std::snprintf(number, sizeof(number), "%04d", i);
    return std::string("stream ") + number + " of the bench";
}

struct Stream {
    int copied = 0, recorded = 0;
    bool inOrder = false;
    double copySeconds = 0, catchUpSeconds = 0;
};

// The page-down message the scroll bar sends its parent; sent, so the
// captions have moved when it returns.
void PageDown(const Program& program) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(program.View(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0),
                        reinterpret_cast<LPARAM>(program.Control(IDC_SCROLL)), SMTO_ABORTIFHUNG, 5000, &result);
}

// Reads the history back a page at a time. The program answers a message
// only between handlers, so no refresh of the captions is half done.
std::vector<std::string> ReadBack(const Program& program, int count) {
    std::vector<std::string> captions;
    Answers(program);
    for (int top = 0; top < count; top += kSlotCount) {
        if (top > 0) PageDown(program);
        for (std::string& caption : program.SlotTexts()) captions.push_back(std::move(caption));
    }
    captions.resize(static_cast<std::size_t>(count));
    return captions;
}

Stream MeasureStream(Session& session, int count) {
    Stream result;
    // The warm-up text would be the oldest entry; the stream alone is read.
    // A change is heard before a posted command: wait for the clear to show.
    session.program->Command(ID_CLEAR_CLIPHISTORY);
    WaitUntil([&] { return session.program->SlotText(0) == "未登録"; });
    Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        PumpUntil(start + i * 20ms);
        if (session.writer.Put(StreamText(i))) ++result.copied;
    }
    Clock::time_point copied = Clock::now();
    const std::string last = StreamText(count - 1).substr(0, kCaptionBytes);
    WaitUntil([&] { return session.program->SlotText(0) == last; }, 30s);
    result.copySeconds = std::chrono::duration<double>(copied - start).count();
    result.catchUpSeconds = std::chrono::duration<double>(Clock::now() - copied).count();

    std::vector<std::string> captions = ReadBack(*session.program, count);
    std::vector<std::string> expected;
    for (int i = count - 1; i >= 0; --i) expected.push_back(StreamText(i).substr(0, kCaptionBytes));
    std::set<std::string> shown(captions.begin(), captions.end());
    for (const std::string& caption : expected) result.recorded += static_cast<int>(shown.count(caption));
    result.inOrder = captions == expected;
    return result;
}

void PrintLatency(const Latency& latency, int changes) {
    double programMedian = Percentile(latency.program, 0.5), programP95 = Percentile(latency.program, 0.95);
    double bareMedian = Percentile(latency.bare, 0.5), bareP95 = Percentile(latency.bare, 0.95);
    std::printf("Latency: a change by another program until it is seen (%d changes, %d missed)\n", changes,
                latency.missed);
    std::printf("  %-28s %10s %10s\n", "", "median", "p95");
    std::printf("  %-28s %7.3f ms %7.3f ms\n", "slot 0 of the program", programMedian, programP95);
    std::printf("  %-28s %7.3f ms %7.3f ms\n", "bare viewer window", bareMedian, bareP95);
    if (bareMedian > 0 && bareP95 > 0) {
        std::printf("  %-28s %10.1f %10.1f\n", "ratio program / bare", programMedian / bareMedian,
                    programP95 / bareP95);
    }
}

void PrintStream(const Stream& stream, int count) {
    bool met = stream.recorded == count && stream.inOrder;
    std::printf("Throughput: %d distinct texts copied 20 ms apart (SentenceMaxCount 1000)\n", count);
    std::printf("  copied %d in %.2f s; slot 0 showed the last %.3f s later\n", stream.copied, stream.copySeconds,
                stream.catchUpSeconds);
    std::printf("  recorded %d of %d, in order: %s (goal: all, in order: %s)\n", stream.recorded, count,
                stream.inOrder ? "yes" : "no", met ? "met" : "NOT met");
}

}  // namespace

int main() {
    const int changes = Smoke() ? 10 : 200;
    const int texts = Smoke() ? 20 : 1000;
    std::printf("Quillstack end-to-end timings under Wine%s\n\n", Smoke() ? " (smoke run)" : "");

    Latency latency;
    {
        Session session;
        if (!session.ready) {
            std::fprintf(stderr, "the program could not be run\n");
            return 1;
        }
        // Joined after the program, the bare viewer hears each change first
        // and passes it on to the program.
        BareViewer bare;
        if (!bare.Joined()) {
            std::fprintf(stderr, "no clipboard viewer window could be made\n");
            return 1;
        }
        latency = MeasureLatency(session, bare, changes);
    }
    PrintLatency(latency, changes);
    std::printf("\n");
    std::fflush(stdout);

    Session session({"SentenceMaxCount=1000"});
    if (!session.ready) {
        std::fprintf(stderr, "the program could not be run\n");
        return 1;
    }
    PrintStream(MeasureStream(session, texts), texts);
    return 0;
}
