// The settings file "Quillstack.ini" beside the program: read once when the
// document is made, written once when it goes.
#include "data/app_path.h"
#include "data/quillstack_doc.h"
#include "core/settings_text.h"
#include "framework/file.h"

namespace {

const char kSettingsFile[] = "Quillstack.ini";
// How often to try again, 100 ms apart, while another program holds the file.
const int kSettingsRetries = 5;

}  // namespace

void CQuillstackDoc::LoadSettings() {
    std::string text;
    switch (fw::ReadWholeFile(qs::GetAppFilePath(kSettingsFile), text, kSettingsRetries)) {
    case fw::ReadResult::Ok:
        qs::ReadSettingsText(text, m_Settings, m_UrlBegin, m_UrlEnd, m_RecentFiles);
        break;
    case fw::ReadResult::Locked:
        // The settings on disk were never read: writing the defaults over
        // them at exit would lose them.
        settingsWritable_ = false;
        break;
    case fw::ReadResult::NotOpened:
        break;
    }
}

void CQuillstackDoc::SaveSettings() {
    if (!settingsWritable_) return;
    // A failure stays silent: the program is on its way out.
    fw::WriteFileSafely(qs::GetAppFilePath(kSettingsFile),
                        qs::WriteSettingsText(m_Settings, m_UrlBegin, m_UrlEnd, m_RecentFiles));
}
