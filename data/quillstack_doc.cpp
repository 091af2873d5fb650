#include "data/quillstack_doc.h"

#include "data/app_path.h"
#include "core/list_file_text.h"
#include "core/url_scan.h"
#include "framework/app.h"
#include "framework/file.h"
#include "framework/clipboard.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

CQuillstackDoc::CQuillstackDoc() {
    LoadSettings();
}

CQuillstackDoc::~CQuillstackDoc() {
    SaveSettings();
}

bool CQuillstackDoc::OnNewDocument() {
    return fw::Document::OnNewDocument();
}

std::string CQuillstackDoc::TitlePath(const std::string& path) {
    std::size_t dot = path.rfind('.');
    // A dot that belongs to a folder name would put the titles into another
    // folder: a name without an extension gets "_Title" at its end instead.
    if (dot == std::string::npos || dot < fw::SystemLeadBytes().FileNameStart(path)) return path + "_Title";
    return path.substr(0, dot) + "_Title" + path.substr(dot);
}

std::string CQuillstackDoc::DefaultSentenceFile() {
    return qs::GetAppFilePath("Quillstack.txt");
}

void CQuillstackDoc::ShowOpenFailed(const std::string& path) const {
    fw::ShowMessageBox(fw::MainWindow(), fw::FormatOne(fw::LoadResString(IDS_OPEN_FAILED), fw::Widen(path)), MB_OK);
}

bool CQuillstackDoc::OpenSentenceFile(const std::string& path) {
    SetTitle(fw::LoadResString(IDS_DOC_TITLE));
    // Loading over sentences that could not be written would lose them.
    if (!SaveIfModified()) return false;
    if (!LoadSentences(path)) return false;
    m_strSentenceFile = path;
    return true;
}

bool CQuillstackDoc::LoadSentences(const std::string& path) {
    if (!LoadListFile(path, m_Sentences)) {
        ShowOpenFailed(path);
        return false;
    }
    m_Titles.RemoveAll();
    LoadListFile(TitlePath(path), m_Titles);  // no title file simply means no titles
    m_Titles.SetCount(m_Sentences.GetCount());
    if (m_Sentences.GetCount() > m_Settings.SentenceMaxCount) m_Settings.SentenceMaxCount = m_Sentences.GetCount();
    return true;
}

bool CQuillstackDoc::SaveList(ListKind kind, const std::optional<std::string>& path) {
    switch (kind) {
    case kListSentences: {
        const std::string target = path                       ? *path
                                   : m_strSentenceFile.empty() ? DefaultSentenceFile()
                                                               : m_strSentenceFile;
        if (!SaveListFile(target, m_Sentences)) {
            ShowOpenFailed(target);
            return false;
        }
        SaveListFile(TitlePath(target), m_Titles);
        // Only a file that now holds the sentences becomes the open one.
        if (path) m_strSentenceFile = *path;
        return true;
    }
    // The user has just chosen the file: a failure must not pass unseen.
    case kListClipHistory:
    case kListUrlHistory:
        if (!path) return false;
        if (!SaveListFile(*path, *ListOf(kind))) {
            ShowOpenFailed(*path);
            return false;
        }
        return true;
    default:
        return false;
    }
}

bool CQuillstackDoc::SaveIfModified() {
    if (!m_bSentencesDirty) return true;
    if (m_Settings.SaveWithDialog) {
        std::string file = m_strSentenceFile.empty() ? DefaultSentenceFile() : m_strSentenceFile;
        std::wstring text = fw::FormatOne(fw::LoadResString(IDS_SAVE_CHANGES), fw::Widen(file));
        // No: the user lets the changes go.
        if (fw::ShowMessageBox(fw::MainWindow(), text, MB_YESNO) != IDYES) {
            m_bSentencesDirty = false;
            return true;
        }
    }
    if (!SaveList(kListSentences, std::nullopt)) return false;
    m_bSentencesDirty = false;
    return true;
}

qs::StringList* CQuillstackDoc::ListOf(ListKind kind) {
    return const_cast<qs::StringList*>(static_cast<const CQuillstackDoc*>(this)->ListOf(kind));
}

const qs::StringList* CQuillstackDoc::ListOf(ListKind kind) const {
    switch (kind) {
    case kListSentences:
        return &m_Sentences;
    case kListClipHistory:
        return &m_ClipHistory;
    case kListUrlHistory:
        return &m_UrlHistory;
    case kListTitles:
        return &m_Titles;
    default:
        return nullptr;
    }
}

const std::string* CQuillstackDoc::GetItem(ListKind kind, int index) const {
    const qs::StringList* list = ListOf(kind);
    return (list ? list : &m_UrlHistory)->GetAt(index);
}

void CQuillstackDoc::SetItem(ListKind kind, int index, std::string_view text) {
    if (index < 0 || index >= m_Settings.SentenceMaxCount) return;
    qs::StringList* list = ListOf(kind);
    if (!list) return;
    list->SetAtGrow(index, text);
    if (kind == kListSentences || kind == kListTitles) m_bSentencesDirty = true;
}

int CQuillstackDoc::GetItemCount(ListKind kind) const {
    if (kind == kListTitles) return 0;
    const qs::StringList* list = ListOf(kind);
    return list ? list->GetCount() : 0;
}

void CQuillstackDoc::ClearList(ListKind kind) {
    switch (kind) {
    case kListSentences:
        m_Sentences.RemoveAll();
        m_Titles.RemoveAll();
        m_bSentencesDirty = true;
        break;
    case kListClipHistory:
        m_ClipHistory.RemoveAll();
        break;
    case kListUrlHistory:
        m_UrlHistory.RemoveAll();
        break;
    default:
        break;
    }
}

// A lowered maximum never cuts the sentences: unmarked as changed, the cut
// would reach their file with the next save of any edit. The maximum rises
// to them instead, as when a longer file is loaded.
void CQuillstackDoc::ApplyMaxCount() {
    if (m_Sentences.GetCount() > m_Settings.SentenceMaxCount) m_Settings.SentenceMaxCount = m_Sentences.GetCount();
    const int max = m_Settings.SentenceMaxCount;
    if (m_ClipHistory.GetCount() > max) m_ClipHistory.SetCount(max);
    if (m_UrlHistory.GetCount() > max) m_UrlHistory.SetCount(max);
}

void CQuillstackDoc::AddClipHistory(std::string_view text) {
    m_ClipHistory.AddHeadUnique(text, m_Settings.SentenceMaxCount);
}

void CQuillstackDoc::AddUrlsFrom(std::string_view text) {
    qs::RecordUrls(text, m_UrlBegin, m_UrlEnd, fw::SystemLeadBytes(), m_UrlHistory, m_Settings.SentenceMaxCount);
}

void CQuillstackDoc::ExportList(ExportTarget target, ListKind kind, const std::string& path) {
    if (kind != kListSentences && kind != kListClipHistory && kind != kListUrlHistory) return;
    std::string text = qs::ExportListText(*ListOf(kind));
    if (target == ExportTarget::Clipboard) {
        fw::SetClipboardText(fw::MainWindow(), text);
    } else if (!fw::WriteFileSafely(path, text)) {
        ShowOpenFailed(path);
    }
}
