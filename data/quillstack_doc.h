// The single document: every piece of data the program keeps, the settings
// record, the sentences with their titles, the two histories, the recent
// files and the user's URL begin and end strings.
#pragma once

#include <string>
#include <string_view>

#include "data/settings.h"
#include "data/string_list.h"
#include "framework/document.h"

// List kinds: the view's display mode is used directly as one.
enum ListKind : int {
    kListSentences = 0,
    kListClipHistory = 1,
    kListUrlHistory = 2,
    kListTitles = 3,
};

class CQuillstackDoc : public fw::Document {
public:
    // Reads the settings file as its last step.
    CQuillstackDoc();
    // Writes the settings file as its first step.
    ~CQuillstackDoc() override;

    bool OnNewDocument() override;

    // Settings file
    void LoadSettings();
    void SaveSettings();

    // Sentence and list files
    bool OpenSentenceFile(const std::string& path);
    bool LoadSentences(const std::string& path);
    bool LoadListFile(const std::string& path, qs::StringList& list);
    // Kind 0 writes the sentences and their titles (to `path` when given,
    // else the open file, else the default file); kinds 1 and 2 a history.
    void SaveList(int kind, const std::string* path);
    bool SaveListFile(const std::string& path, const qs::StringList& list);
    void SaveIfModified();

    // Lists in memory
    const std::string* GetItem(int kind, int index) const;
    void SetItem(int kind, int index, std::string_view text);
    int GetItemCount(int kind) const;
    void ClearList(int kind);
    void ApplyMaxCount();
    void AddClipHistory(std::string_view text);
    void AddUrlsFrom(std::string_view text);
    void ExportList(bool toClipboard, int kind, const std::string& path);

    // The title file beside a sentence file: "_Title" before the last '.'.
    static std::string TitlePath(const std::string& path);
    // The sentence file that saves go to when none is open.
    static std::string DefaultSentenceFile();

    qs::Settings m_Settings;
    qs::StringList m_UrlBegin;
    qs::StringList m_UrlEnd;
    qs::StringList m_RecentFiles{9};
    bool m_bSentencesDirty = false;
    std::string m_strSentenceFile;
    qs::StringList m_Sentences;
    qs::StringList m_Titles;
    qs::StringList m_ClipHistory;
    qs::StringList m_UrlHistory;

private:
    qs::StringList* ListOf(int kind);
    const qs::StringList* ListOf(int kind) const;
    void ShowOpenFailed(const std::string& path) const;

    // False when a settings file exists but could not be read: the one on
    // disk is then left as it is at exit.
    bool settingsWritable_ = true;
};
