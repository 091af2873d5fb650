#include "data/app_path.h"

#include <windows.h>

#include <vector>

#include "framework/text.h"

namespace qs {
namespace {

std::string& FolderOverride() {
    static std::string folder;
    return folder;
}

std::string ModuleFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// Up to and including the last backslash that is a character of its own
// (the second byte of a double-byte character may have the same code).
std::string FolderOf(const std::string& path) {
    const LeadBytes& lead = fw::SystemLeadBytes();
    std::size_t cut = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += lead.CharLength(path, pos)) {
        if (path[pos] == '\\') cut = pos + 1;
    }
    return path.substr(0, cut);
}

}  // namespace

std::string GetAppFilePath(std::string_view name) {
    std::string path = FolderOverride().empty() ? FolderOf(ModuleFileName()) : FolderOverride();
    path.append(name);
    return path;
}

void SetAppFolderForTesting(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
    FolderOverride() = std::move(folder);
}

}  // namespace qs
