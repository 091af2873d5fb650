// The single document: every piece of data the program keeps, the settings
// record, the sentences with their titles, the two histories, the recent
// files and the user's URL begin and end strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings.h"
#include "core/string_list.h"
#include "framework/document.h"

// List kinds: the view's display mode is used directly as one. Values
// outside these come only from callers that compute a kind from a command
// id, and reach no list.
enum ListKind : int {
    kListSentences = 0,
    kListClipHistory = 1,
    kListUrlHistory = 2,
    kListTitles = 3,
};

// Where a joined export of a list goes.
enum class ExportTarget { Clipboard, File };

class CQuillstackDoc : public fw::Document {
public:
    // How many recent files the document keeps.
    static constexpr int kRecentFileCount = 9;

    // Reads the settings file as its last step.
    CQuillstackDoc();
    // Writes the settings file as its first step.
    ~CQuillstackDoc() override;

    bool OnNewDocument() override;
    bool SaveModified() override { return SaveIfModified(); }

    // Settings file
    void LoadSettings();
    void SaveSettings();

    // Sentence and list files
    bool OpenSentenceFile(const std::string& path);
    bool LoadSentences(const std::string& path);
    bool LoadListFile(const std::string& path, qs::StringList& list);
    // The sentences with their titles (to `path` when given, else the open
    // file, else the default file), or a history (only to a given path).
    // False when the list could not be written; the user has been told.
    bool SaveList(ListKind kind, const std::optional<std::string>& path);
    bool SaveListFile(const std::string& path, const qs::StringList& list);
    // False when changed sentences could not be written: they stay marked
    // as changed, and whatever would replace them must not.
    bool SaveIfModified();

    // Lists in memory
    const std::string* GetItem(ListKind kind, int index) const;
    void SetItem(ListKind kind, int index, std::string_view text);
    int GetItemCount(ListKind kind) const;
    void ClearList(ListKind kind);
    // Cuts the histories to SentenceMaxCount, which first rises to the
    // number of sentences held.
    void ApplyMaxCount();
    void AddClipHistory(std::string_view text);
    void AddUrlsFrom(std::string_view text);
    // Sentences and histories, every entry followed by CR LF; `path` is
    // used for a file only.
    void ExportList(ExportTarget target, ListKind kind, const std::string& path);

    // The title file beside a sentence file: "_Title" before the last '.'.
    static std::string TitlePath(const std::string& path);
    // The sentence file that saves go to when none is open.
    static std::string DefaultSentenceFile();

    qs::Settings m_Settings;
    qs::StringList m_UrlBegin;
    qs::StringList m_UrlEnd;
    qs::StringList m_RecentFiles{kRecentFileCount};
    bool m_bSentencesDirty = false;
    std::string m_strSentenceFile;
    qs::StringList m_Sentences;
    qs::StringList m_Titles;
    qs::StringList m_ClipHistory;
    qs::StringList m_UrlHistory;

private:
    qs::StringList* ListOf(ListKind kind);
    const qs::StringList* ListOf(ListKind kind) const;
    void ShowOpenFailed(const std::string& path) const;

    // False when a settings file exists but could not be read: the one on
    // disk is then left as it is at exit.
    bool settingsWritable_ = true;
};
