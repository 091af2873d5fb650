// Reads arbitrary text as a settings file and checks that what the program
// writes back reads as the same record and writes as the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/unit/core_helpers.h"

namespace {

using namespace qs;
using namespace qs::test;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::size_t CountLineEnds(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
}

void CheckTokens(const StringList& list) {
    for (const std::string& token : list) {
        Check(!token.empty() && token.front() != ' ' && token.find(',') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Loaded first = Read(text);
    CheckTokens(first.urlBegin);
    CheckTokens(first.urlEnd);
    Check(first.recentFiles.GetCount() == 9);
    Check(first.settings.Minimize >= 0 && first.settings.Minimize <= 3);

    // No value can hold a line end, so the file keeps its 40 lines, and every
    // key stands at the start of its own line, ahead of any key text inside
    // a value: a second reading gives the same record.
    const std::string written = Write(first);
    Check(CountLineEnds(written) == 40);
    const Loaded second = Read(written);
    Check(Everything(second) == Everything(first));
    Check(Write(second) == written);
    return 0;
}
