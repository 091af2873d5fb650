// Shortcut-key timing of the real program under Wine: from a key press
// (Ctrl+Q, put into the system's input with SendInput) until the program
// has changed the clipboard, against the same press reaching a bare
// low-level keyboard hook of this process, in the same run. The figures are
// reported, not enforced: the exit code says only whether the program ran.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

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

// A low-level keyboard hook with nothing behind it, on a thread of its own
// that serves its message loop, as the program's library runs its own: it
// notes when each Q goes down.
class BareHook {
public:
    BareHook() {
        std::promise<DWORD> started;
        std::future<DWORD> thread = started.get_future();
        thread_ = std::thread([this, &started] { Run(started); });
        threadId_ = thread.get();
    }
    ~BareHook() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    BareHook(const BareHook&) = delete;
    BareHook& operator=(const BareHook&) = delete;

    bool Installed() const { return installed_; }
    int Count() const { return count_.load(); }
    Clock::time_point Last() const { return Clock::time_point(Clock::duration(last_.load())); }

private:
    void Run(std::promise<DWORD>& started) {
        MSG message;
        PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue for WM_QUIT
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, GetModuleHandleW(nullptr), 0);
        installed_ = hook != nullptr;
        started.set_value(GetCurrentThreadId());
        while (hook && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        if (hook) UnhookWindowsHookEx(hook);
    }

    static LRESULT CALLBACK OnKey(int code, WPARAM wParam, LPARAM lParam) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (code == HC_ACTION && wParam == WM_KEYDOWN && key->vkCode == 'Q') {
            last_.store(Clock::now().time_since_epoch().count());
            count_.fetch_add(1);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    std::thread thread_;
    DWORD threadId_ = 0;
    bool installed_ = false;
    // The hook procedure gets no pointer of its own; there is one bare hook.
    static inline std::atomic<int> count_{0};
    static inline std::atomic<Clock::rep> last_{0};
};

// Left Ctrl and Q down and up, in one call so no key is left held down.
bool PressCtrlQ() {
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_LCONTROL, 'Q', 'Q', VK_LCONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, inputs, sizeof(INPUT)) == 4;
}

struct Latency {
    std::vector<double> program, bare;  // milliseconds from each press
    int missed = 0;
};

// Polls without sleeping, so the figure is the program's and not the
// poll's. Each press waits until the program has dealt with the last one.
Latency Measure(const Program& program, const BareHook& bare, int presses) {
    Latency result;
    for (int i = 0; i < presses; ++i) {
        Answers(program);
        const DWORD sequence = GetClipboardSequenceNumber();
        const int heard = bare.Count();
        const Clock::time_point start = Clock::now();
        if (!PressCtrlQ()) {
            ++result.missed;
            continue;
        }
        std::optional<Clock::time_point> copied;
        const Clock::time_point deadline = start + 5s;
        while ((!copied || bare.Count() == heard) && Clock::now() < deadline) {
            if (!copied && GetClipboardSequenceNumber() != sequence) copied = Clock::now();
            Pump();
        }
        if (!copied || bare.Count() == heard) {
            ++result.missed;
            continue;
        }
        result.program.push_back(Milliseconds(*copied - start));
        result.bare.push_back(Milliseconds(bare.Last() - start));
    }
    return result;
}

void Print(const Latency& latency, int presses) {
    const double programMedian = Percentile(latency.program, 0.5), programP95 = Percentile(latency.program, 0.95);
    const double bareMedian = Percentile(latency.bare, 0.5), bareP95 = Percentile(latency.bare, 0.95);
    std::printf("Shortcut key: a press of Ctrl+Q until it has effect (%d presses, %d missed)\n", presses,
                latency.missed);
    std::printf("  %-32s %10s %10s\n", "", "median", "p95");
    std::printf("  %-32s %7.3f ms %7.3f ms\n", "clipboard changed by the program", programMedian, programP95);
    std::printf("  %-32s %7.3f ms %7.3f ms\n", "bare low-level hook", bareMedian, bareP95);
    if (bareMedian > 0 && bareP95 > 0) {
        std::printf("  %-32s %10.1f %10.1f\n", "ratio program / bare", programMedian / bareMedian,
                    programP95 / bareP95);
    }
}

}  // namespace

int main() {
    const int presses = Smoke() ? 10 : 100;
    std::printf("Quillstack shortcut-key timing under Wine%s\n\n", Smoke() ? " (smoke run)" : "");
    RemoveInstanceAtom();
    TempFolder folder;
    WriteBytes(folder.File(L"Quillstack.txt"), ListFileBytes({"entry 0", "entry 1", "entry 2"}));
    WriteSettings(folder, {"UseSCKey=YES", "AdditionalCode=2",
                           "KeyCode=   0:   0:  81:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0"});
    Program program(folder);
    if (!program.WaitFrame()) {
        std::fprintf(stderr, "the program could not be run\n");
        return 1;
    }
    Latency latency;
    {
        // Installed after the program's, the bare hook is called first.
        BareHook bare;
        if (!bare.Installed()) {
            std::fprintf(stderr, "no low-level keyboard hook could be installed\n");
            return 1;
        }
        latency = Measure(program, bare, presses);
    }
    Print(latency, presses);
    const bool ran = program.Exit() && latency.missed < presses;
    return ran ? 0 : 1;
}
