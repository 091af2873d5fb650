// The URL scan on a large clipboard text: it runs on every clipboard change,
// so it must stay a small multiple of simply reading the text, and grow
// linearly with it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "bench/bench_util.h"
#include "core/url_scan.h"

namespace {

using qs::LeadBytes;
using qs::StringList;

constexpr int kMaxCount = 1000;  // SentenceMaxCount
constexpr std::size_t kBaseAddresses = 100000;
constexpr std::size_t kBaseBytes = 10u << 20;

// Prose pieces, about half of them code page 932 (hiragana and kanji) so
// the scan walks real double-byte characters. None contains a begin marker.
const char* const kWords[] = {
    "the ", "meeting ", "notes ", "are ", "on ", "page ", "for ", "details ", "see ", "also ",
    "release ", "schedule,\r\n", "thanks. ", "\x82\xb1\x82\xea\x82\xcd", "\x8e\x91\x97\xbf",
    "\x82\xf0\x8c\xa9\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42", "\x89\xef\x8b\x63", "\x81\x40",
    "\x8f\xda\x82\xb5\x82\xad\x82\xcd", "\x88\xc8\x89\xba", "\x81\x75\x83\x65\x83\x58\x83\x67\x81\x76",
};

// About 10 MB (times `scale`) of text with 100,000 addresses (times
// `scale`), each starting with "http://" and ending at a space; the larger
// text is the smaller one repeated.
std::string MakeText(int scale) {
    const bool smoke = qs::bench::Smoke();
    const std::size_t addresses = smoke ? 100 : kBaseAddresses;
    const std::size_t bytes = smoke ? 10000 : kBaseBytes;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> site(0, 4999);
    std::string once;
    once.reserve(bytes + 256);
    for (std::size_t i = 0; i < addresses; ++i) {
        const std::size_t segmentEnd = bytes * (i + 1) / addresses;
        const int id = site(random);
        const std::string url = "http://www.example" + std::to_string(id % 97) + ".co.jp/docs/" +
                                std::to_string(id) + "/index.html ";
        while (once.size() + url.size() < segmentEnd) once += kWords[word(random)];
        once += url;
    }
    std::string text;
    for (int i = 0; i < scale; ++i) text += once;
    return text;
}

const std::string& Text(int megabytes) {
    static std::map<int, std::string> texts;
    std::string& text = texts[megabytes];
    if (text.empty()) {
        text = MakeText(megabytes / 10);
        std::size_t found = 0;
        qs::ScanUrls(text, StringList(), StringList(), LeadBytes::ShiftJis(), [&found](std::string_view) { ++found; });
        const std::size_t expected = (qs::bench::Smoke() ? 100 : kBaseAddresses) * (megabytes / 10);
        if (found != expected) {
            std::fprintf(stderr, "url_scan_bench: %zu addresses in the text, expected %zu\n", found, expected);
            std::abort();
        }
    }
    return text;
}

void Finish(benchmark::State& state, const std::string& text) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Baseline: visit every character boundary, as any multibyte-aware scan must.
void BM_LeadPass(benchmark::State& state) {
    const std::string& text = Text(static_cast<int>(state.range(0)));
    const LeadBytes lead = LeadBytes::ShiftJis();
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        std::size_t characters = 0;
        for (std::size_t pos = 0; pos < text.size(); pos += lead.CharLength(text, pos)) ++characters;
        benchmark::DoNotOptimize(characters);
    }
    Finish(state, text);
}

// Baseline: the fastest full read of the text the library offers (looking
// for a byte that never occurs).
void BM_Memchr(benchmark::State& state) {
    const std::string& text = Text(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        const void* found = std::memchr(text.data(), '\0', text.size());
        benchmark::DoNotOptimize(found);
    }
    Finish(state, text);
}

void BM_UrlScan(benchmark::State& state) {
    const std::string& text = Text(static_cast<int>(state.range(0)));
    const StringList none;
    const LeadBytes lead = LeadBytes::ShiftJis();
    for (auto _ : state) {
        std::size_t count = 0;
        qs::ScanUrls(text, none, none, lead, [&count](std::string_view) { ++count; });
        benchmark::DoNotOptimize(count);
    }
    Finish(state, text);
}

void BM_RecordUrls(benchmark::State& state) {
    const std::string& text = Text(static_cast<int>(state.range(0)));
    const StringList none;
    const LeadBytes lead = LeadBytes::ShiftJis();
    for (auto _ : state) {
        StringList history;
        qs::RecordUrls(text, none, none, lead, history, kMaxCount);
        benchmark::DoNotOptimize(history.GetCount());
    }
    Finish(state, text);
}

BENCHMARK(BM_LeadPass)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memchr)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UrlScan)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordUrls)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

[[maybe_unused]] const bool kRatios = [] {
    using qs::bench::AddRatio;
    for (const char* mb : {"10", "20"}) {
        const std::string size = std::string("/") + mb;
        AddRatio("BM_UrlScan" + size, "BM_LeadPass" + size, 3.0, std::string("URL scan / lead-byte pass, ") + mb + " MB");
        AddRatio("BM_UrlScan" + size, "BM_Memchr" + size, std::nullopt, std::string("URL scan / memchr, ") + mb + " MB");
        AddRatio("BM_RecordUrls" + size, "BM_Memchr" + size, std::nullopt,
                 std::string("URL scan and history / memchr, ") + mb + " MB");
    }
    AddRatio("BM_RecordUrls/20", "BM_RecordUrls/10", 2.2, "URL scan and history, 20 MB / 10 MB");
    return true;
}();

}  // namespace
