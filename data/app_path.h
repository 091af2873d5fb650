// Paths of the files that live beside the program file.
#pragma once

#include <string>
#include <string_view>

namespace qs {

// The program file's folder (with its trailing backslash) followed by
// `name`. Never cut to a fixed length: a long path stays whole.
std::string GetAppFilePath(std::string_view name);

// The running program file's full path.
std::string ModuleFilePath();

// Tests point the program's folder elsewhere; an empty folder restores it.
void SetAppFolderForTesting(std::string folder);

}  // namespace qs
