// Loading and saving a list file through real files, against reading the
// same file plus one memchr pass over it. Three marker forms (CR LF, LF, and
// the two mixed) at full and half size: loading must stay linear whatever
// forms the file holds.

#include <benchmark/benchmark.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/bench_util.h"
#include "core/list_file_text.h"

namespace qs::bench {
namespace {

namespace fs = std::filesystem;

enum class Form { kCrLf, kLf, kMixed };

struct Variant {
    const char* name;
    Form form;
};

constexpr Variant kVariants[] = {{"crlf", Form::kCrLf}, {"lf", Form::kLf}, {"mixed", Form::kMixed}};

// 500,000 entries of about 100 bytes each make the 50 MB file.
int EntryCount(bool full) {
    const int count = Smoke() ? 2000 : 500000;
    return full ? count : count / 2;
}

std::string_view LineEnd(Form form, int index) {
    if (form == Form::kCrLf || (form == Form::kMixed && index % 2 == 0)) return "\r\n";
    return "\n";
}

// About 88 bytes of text: letters, some Shift-JIS characters and now and
// then a line break, never ending in white space.
void AppendEntry(std::string& text, std::uint32_t& seed, std::string_view lineEnd) {
    seed = seed * 1664525u + 1013904223u;
    const std::size_t length = 48 + (seed >> 8) % 81;
    const std::size_t start = text.size();
    while (text.size() - start < length) {
        seed = seed * 1664525u + 1013904223u;
        const unsigned pick = (seed >> 16) % 32;
        if (pick == 0) {
            text += lineEnd;
        } else if (pick < 4) {
            text += "\x93\xfa\x96\x7b";
        } else {
            text += static_cast<char>('a' + pick % 26);
        }
    }
    text += 'z';
}

std::string MakeListText(Form form, int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 110);
    std::uint32_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        const std::string_view lineEnd = LineEnd(form, i);
        text += lineEnd;
        text += kStringMarker;
        text += lineEnd;
        AppendEntry(text, seed, lineEnd);
    }
    return text;
}

bool WriteFile(const fs::path& path, std::string_view text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::string ReadFile(const fs::path& path) {
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
            text.resize(static_cast<std::size_t>(size));
            text.resize(std::fread(text.data(), 1, text.size(), file));
        }
    }
    std::fclose(file);
    return text;
}

// The input files, written once on first use into a folder of their own and
// removed at exit.
class Files {
public:
    static const Files& Get() {
        static const Files files;
        return files;
    }

    fs::path Input(const Variant& variant, bool full) const {
        return folder_ / (std::string(variant.name) + (full ? "_full.txt" : "_half.txt"));
    }
    fs::path Output() const { return folder_ / "saved.txt"; }
    bool Ready() const { return ready_; }

    ~Files() {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }

private:
    Files() {
        std::string pattern = (fs::temp_directory_path() / "qs_list_bench_XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder_ = pattern;
        ready_ = true;
        for (const Variant& variant : kVariants) {
            for (bool full : {true, false}) {
                ready_ = ready_ && WriteFile(Input(variant, full), MakeListText(variant.form, EntryCount(full)));
            }
        }
    }

    fs::path folder_;
    bool ready_ = false;
};

const LeadBytes kShiftJis = LeadBytes::ShiftJis();

bool CheckReady(benchmark::State& state) {
    if (Files::Get().Ready()) return true;
    state.SkipWithError("could not write the input files");
    return false;
}

// Memory freed by an iteration goes back to the system before the next one
// (untimed), so every iteration gets fresh pages, as a program loading a file
// does. Otherwise glibc recycles heap blocks below 32 MB but maps fresh pages
// for larger ones, and the half-size file (25 MB) would look cheaper per byte
// than the full one for reasons that have nothing to do with the code.
void ReleaseFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void ReadPlusMemchr(benchmark::State& state, const Variant& variant, bool full) {
    if (!CheckReady(state)) return;
    const fs::path path = Files::Get().Input(variant, full);
    for (auto _ : state) {
        {
            const std::string text = ReadFile(path);
            // No NUL in the file: the pass runs to the end.
            benchmark::DoNotOptimize(std::memchr(text.data(), '\0', text.size()));
            state.PauseTiming();
        }
        ReleaseFreeMemory();
        state.ResumeTiming();
    }
}

void Load(benchmark::State& state, const Variant& variant, bool full) {
    if (!CheckReady(state)) return;
    const fs::path path = Files::Get().Input(variant, full);
    for (auto _ : state) {
        {
            StringList list;
            ParseListText(ReadFile(path), list, kShiftJis);
            if (list.GetCount() != EntryCount(full)) state.SkipWithError("wrong entry count");
            // Freeing the list belongs to whatever replaces it, not to the load.
            state.PauseTiming();
        }
        ReleaseFreeMemory();
        state.ResumeTiming();
    }
}

void Save(benchmark::State& state, const Variant& variant, bool full) {
    if (!CheckReady(state)) return;
    StringList list;
    ParseListText(ReadFile(Files::Get().Input(variant, full)), list, kShiftJis);
    const fs::path output = Files::Get().Output();
    for (auto _ : state) {
        if (!WriteFile(output, WriteListText(list))) state.SkipWithError("could not write the file");
        // A new file each time, as the program's writer makes one.
        state.PauseTiming();
        std::error_code ignored;
        fs::remove(output, ignored);
        ReleaseFreeMemory();
        state.ResumeTiming();
    }
}

std::string Name(const char* what, const Variant& variant, bool full) {
    return std::string(what) + "/" + variant.name + (full ? "/full" : "/half");
}

using Body = void (*)(benchmark::State&, const Variant&, bool);

void Register(const char* what, Body body) {
    for (const Variant& variant : kVariants) {
        for (bool full : {true, false}) {
            benchmark::RegisterBenchmark(Name(what, variant, full).c_str(), body, variant, full)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

void DeclareRatios() {
    for (const Variant& variant : kVariants) {
        const std::string form = variant.name;
        const std::string base = Name("ListFileBaseline", variant, true);
        const std::string load = Name("ListFileLoad", variant, true);
        const std::string save = Name("ListFileSave", variant, true);
        AddRatio(load, base, 8.0, "list file load / read + memchr (" + form + ")");
        AddRatio(load, Name("ListFileLoad", variant, false), 2.2, "list file load growth, full / half (" + form + ")");
        AddRatio(save, base, std::nullopt, "list file save / read + memchr (" + form + ")");
        AddRatio(save, Name("ListFileSave", variant, false), std::nullopt, "list file save growth, full / half (" + form + ")");
        AddRatio(base, Name("ListFileBaseline", variant, false), std::nullopt,
                 "read + memchr growth, full / half (" + form + ")");
    }
}

[[maybe_unused]] const bool kRegistered = [] {
    Register("ListFileBaseline", ReadPlusMemchr);
    Register("ListFileLoad", Load);
    Register("ListFileSave", Save);
    DeclareRatios();
    return true;
}();

}  // namespace
}  // namespace qs::bench
