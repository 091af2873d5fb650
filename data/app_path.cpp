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

}  // namespace

std::string ModuleFilePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string GetAppFilePath(std::string_view name) {
    std::string path = FolderOverride();
    if (path.empty()) {
        path = ModuleFilePath();
        path.resize(fw::SystemLeadBytes().FileNameStart(path));
    }
    path.append(name);
    return path;
}

void SetAppFolderForTesting(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
    FolderOverride() = std::move(folder);
}

}  // namespace qs
