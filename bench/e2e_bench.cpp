// End-to-end timings of the real program under Wine: how soon a clipboard
// change made by another program shows on slot 0, against the same change
// reaching a bare viewer window of this process, and how much of a burst of
// changes made by an X program it records, against a bare viewer that
// hears the same bursts. The goals are reported, not enforced: the exit
// code says only whether the program could be run.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

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
// other program's viewer would be: it notes when each change reaches it,
// reads the text when asked to (as a history tool does) and passes the
// notification on.
class BareViewer {
public:
    explicit BareViewer(bool readText = false) : readText_(readText) {
        std::promise<HWND> joined;
        std::future<HWND> window = joined.get_future();
        thread_ = std::thread([this, &joined] { Run(joined); });
        window_ = window.get();
    }
    ~BareViewer() { Finish(); }
    BareViewer(const BareViewer&) = delete;
    BareViewer& operator=(const BareViewer&) = delete;

    bool Joined() const { return window_ != nullptr; }
    int Count() const { return count_.load(std::memory_order_acquire); }
    Clock::time_point Last() const { return Clock::time_point(Clock::duration(last_.load())); }
    // Every change heard has been passed on and answered.
    bool Settled() const { return passed_.load() == Count(); }
    // Leaves the chain; the texts read, in the order heard.
    std::vector<std::string> Finish() {
        if (!thread_.joinable()) return {};
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
        return std::move(texts_);
    }

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
            if (self->readText_) self->ReadText(window);
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

    void ReadText(HWND window) {
        if (!OpenClipboard(window)) return;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* text = static_cast<const char*>(GlobalLock(data))) {
                texts_.emplace_back(text);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }

    void PassOn(UINT message, WPARAM wParam, LPARAM lParam) const {
        DWORD_PTR result = 0;
        if (next_) SendMessageTimeoutW(next_, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    }

    const bool readText_;
    std::vector<std::string> texts_;  // the viewer thread's alone while it runs
    std::thread thread_;
    HWND window_ = nullptr;
    HWND next_ = nullptr;  // the viewer thread's alone once joined
    std::atomic<int> count_{0}, passed_{0};
    std::atomic<Clock::rep> last_{0};
};

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

// ---- Bursts from an X program ----------------------------------------------

// The X program that makes the bursts (bench/x11_burst.c), built beside the
// bench; its Unix path comes in QS_X11_BURST. Wine starts a Unix program as
// it starts its own.
std::wstring BurstProgram() {
    const char* path = std::getenv("QS_X11_BURST");
    if (!path || !*path) return {};
    std::wstring dos = L"Z:" + Wide(path);
    std::replace(dos.begin(), dos.end(), L'/', L'\\');
    return dos;
}

// A process started here, ended when the object goes.
class Child {
public:
    explicit Child(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &info_) != FALSE;
        if (!started_) std::fprintf(stderr, "cannot start %s: error %lu\n", Utf8(commandLine).c_str(), GetLastError());
    }
    // A Unix program started through Wine comes without a process handle.
    ~Child() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return started_; }

private:
    bool started_ = false;
    PROCESS_INFORMATION info_{};
};

// Another process that keeps every core busy until it is ended.
int SpinEveryCore() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    std::vector<std::thread> spinners;
    std::atomic<unsigned> sink{0};
    for (DWORD i = 0; i < std::max<DWORD>(system.dwNumberOfProcessors, 1); ++i) {
        spinners.emplace_back([&sink] {
            for (;;) sink.fetch_add(1, std::memory_order_relaxed);
        });
    }
    for (std::thread& spinner : spinners) spinner.join();
    return 0;
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

struct BurstPlan {
    const char* name;
    int count;
    int pace;  // ms
    bool load;
    // The goal: every text in every pass, or at least this share of what
    // the bare viewer records (medians); in order either way.
    bool all;
    double shareOfBare;
};

std::string BurstText(const std::string& prefix, int i) {
    char number[8];
    std::snprintf(number, sizeof(number), "%04d", i);
    return prefix + " " + number;
}

// Runs one burst; true once the X program has made every change and served
// every request. It says so in a file: Wine hands out no process handle that
// waits for a Unix program. (Z: is the Unix root in a Wine prefix.)
bool RunBurst(const BurstPlan& plan, const std::string& prefix) {
    const std::string done = "/tmp/qs_burst_" + std::to_string(GetCurrentProcessId()) + "_" + prefix;
    std::wstring doneFile = L"Z:" + Wide(done);
    std::replace(doneFile.begin(), doneFile.end(), L'/', L'\\');
    DeleteFileW(doneFile.c_str());
    Child burst(L"\"" + BurstProgram() + L"\" " + std::to_wstring(plan.count) + L" " + std::to_wstring(plan.pace) +
                L" " + Wide(prefix) + L" " + Wide(done));
    const bool ended = burst.Started() && WaitUntil([&] { return FileExists(doneFile); },
                                                    std::chrono::milliseconds(plan.count * plan.pace) + 30s);
    const std::string report = ReadBytes(doneFile);
    DeleteFileW(doneFile.c_str());
    if (ended && report.rfind("ok", 0) != 0) std::fprintf(stderr, "the X burst: %s", report.c_str());
    return ended && report.rfind("ok", 0) == 0;
}

struct Pass {
    int recorded = -1;  // distinct texts of the burst; -1: the pass could not run
    bool inOrder = false;
};

// The burst's texts among `texts`, oldest first: how many distinct ones, and
// whether they came in the order they were copied.
Pass Tally(const std::vector<std::string>& texts, const std::string& prefix, int count) {
    std::vector<int> seen;
    for (const std::string& text : texts) {
        for (int i = 0; i < count; ++i) {
            if (text != BurstText(prefix, i)) continue;
            if (seen.empty() || seen.back() != i) seen.push_back(i);  // read twice in a row: once
            break;
        }
    }
    Pass pass;
    pass.recorded = static_cast<int>(std::set<int>(seen.begin(), seen.end()).size());
    pass.inOrder = std::is_sorted(seen.begin(), seen.end()) && pass.recorded == static_cast<int>(seen.size());
    return pass;
}

// The program, with the clipboard history shown and emptied, hears the burst
// alone; its history is read back afterwards.
Pass ProgramPass(const BurstPlan& plan, const std::string& prefix) {
    Session session({"SentenceMaxCount=1000"});
    if (!session.ready) return {};
    session.program->Command(ID_CLEAR_CLIPHISTORY);
    WaitUntil([&] { return session.program->SlotText(0) == "未登録"; });
    if (!RunBurst(plan, prefix)) return {};
    Answers(*session.program);
    std::vector<std::string> captions = ReadBack(*session.program, plan.count);
    std::reverse(captions.begin(), captions.end());
    return Tally(captions, prefix, plan.count);
}

// The bare viewer hears the same burst alone in the chain.
Pass BarePass(const BurstPlan& plan, const std::string& prefix) {
    std::optional<BareViewer> bare(std::in_place, true);
    if (!bare->Joined() || !RunBurst(plan, prefix)) return {};
    WaitUntil([&] { return bare->Settled(); }, 5s);
    std::vector<std::string> texts = bare->Finish();
    return Tally(texts, prefix, plan.count);
}

int Median(std::vector<int> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string Describe(const Pass& pass) {
    if (pass.recorded < 0) return "did not run";
    return std::to_string(pass.recorded) + (pass.inOrder ? " in order" : " OUT OF ORDER");
}

// Program and bare viewer in alternating passes, each alone in the chain, so
// the one's pace never holds up the other; the load, when asked for, runs
// through both.
void MeasureBursts(const BurstPlan& plan, int rounds, int& runs) {
    std::optional<Child> load;
    if (plan.load) load.emplace(L"\"" + OwnPath() + L"\" --load");
    std::printf("%s%s\n", plan.name, load && !load->Started() ? " (the load did not start)" : "");
    std::printf("  %-8s %-22s %-22s\n", "pass", "program", "bare viewer");
    std::vector<int> program, bare;
    bool ordered = true, all = true;
    for (int round = 1; round <= rounds; ++round) {
        Pass p = ProgramPass(plan, "p" + std::to_string(++runs));
        Pass b = BarePass(plan, "b" + std::to_string(++runs));
        std::printf("  %-8d %-22s %-22s\n", round, Describe(p).c_str(), Describe(b).c_str());
        std::fflush(stdout);
        program.push_back(p.recorded);
        bare.push_back(b.recorded);
        ordered = ordered && p.inOrder;
        all = all && p.recorded == plan.count;
    }
    const int programMedian = Median(program), bareMedian = Median(bare);
    const double share = bareMedian > 0 ? static_cast<double>(programMedian) / bareMedian : 0.0;
    const bool met = ordered && (plan.all ? all : bareMedian > 0 && share >= plan.shareOfBare);
    std::printf("  %-8s %-22d %-22d program / bare %.3f%s; goal %s\n\n", "median", programMedian, bareMedian, share,
                ordered ? "" : ", a program pass OUT OF ORDER", met ? "met" : "NOT met");
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

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--load") return SpinEveryCore();
    const int changes = Smoke() ? 10 : 200;
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

    if (BurstProgram().empty()) {
        std::fprintf(stderr, "QS_X11_BURST names no X burst program (bench/x11_burst.c)\n");
        return 1;
    }
    std::printf("Bursts of clipboard changes made by an X program; recorded: distinct texts\n"
                "(SentenceMaxCount 1000, the clipboard history shown)\n\n");
    const int burst = Smoke() ? 20 : 200, stream = Smoke() ? 20 : 1000;
    const BurstPlan plans[] = {
        {"200 changes 5 ms apart (goal: program >= 95% of bare)", burst, 5, false, false, 0.95},
        {"1000 texts 20 ms apart, idle (goal: all of them, in order)", stream, 20, false, true, 0},
        {"1000 texts 20 ms apart, every core busy (goal: as many as bare, in order)", stream, 20, true, false, 1.0},
    };
    int runs = 0;
    for (const BurstPlan& plan : plans) MeasureBursts(plan, Smoke() ? 1 : 3, runs);
    return 0;
}
