// List files: sentences, titles and saved histories, each entry after a
// "<STRING>" marker line.
#include "core/list_file_text.h"
#include "data/quillstack_doc.h"
#include "framework/file.h"
#include "framework/text.h"

bool CQuillstackDoc::LoadListFile(const std::string& path, qs::StringList& list) {
    std::string text;
    if (fw::ReadWholeFile(path, text) != fw::ReadResult::Ok) return false;
    qs::ParseListText(text, list, fw::SystemLeadBytes());
    return true;
}

bool CQuillstackDoc::SaveListFile(const std::string& path, const qs::StringList& list) {
    return fw::WriteFileSafely(path, qs::WriteListText(list));
}
