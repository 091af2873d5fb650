#include "options/page_general2.h"

#include "core/settings_text.h"
#include "data/app_path.h"
#include "data/quillstack_doc.h"
#include "dialogs/text_file_dialog.h"
#include "framework/app.h"
#include "framework/data_exchange.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

constexpr int kLowestRecentCount = 3;
const wchar_t* const kRecentCounts[] = {L"3", L"4", L"5", L"6", L"7", L"8", L"9"};
const wchar_t* const kMaxCounts[] = {L"16", L"20", L"30", L"40", L"50", L"60", L"70",
                                     L"80", L"90", L"100", L"200", L"300", L"400", L"500"};

template <std::size_t N>
void FillList(HWND comboBox, const wchar_t* const (&items)[N]) {
    for (const wchar_t* item : items) SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

// A file, not a folder, that is there now; one another program holds open
// is still a file the program can start with later.
bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(fw::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

QPropPageThird::QPropPageThird()
    : COptionPage(IDD_OPTIONS_GENERAL2, kHelpContext), defaultStartFile_(CQuillstackDoc::DefaultSentenceFile()) {}

void QPropPageThird::FromSettings(const qs::Settings& settings, qs::StringList& recentFiles) {
    ShowValues(settings);
    readMaxCountText_ = maxCountText_;
    readMaxCount_ = settings.SentenceMaxCount;
    recentFiles_ = &recentFiles;
}

void QPropPageThird::ToSettings(qs::Settings& settings) const {
    settings.InitialFileName = CheckedStartFile();
    settings.RecentCount = recentIndex_ + kLowestRecentCount;
    settings.View = viewIndex_;
    settings.SentenceMaxCount =
        maxCountText_ == readMaxCountText_ ? readMaxCount_ : qs::SentenceMaxCountFromText(maxCountText_);
}

// The default file is stored as no start file at all; a name that is no
// file is forgotten, and the user is told.
std::string QPropPageThird::CheckedStartFile() const {
    if (lstrcmpiA(startFile_.c_str(), defaultStartFile_.c_str()) == 0) return {};
    if (!startFile_.empty() && IsExistingFile(startFile_)) return startFile_;
    fw::ShowMessageBox(fw::MainWindow(), fw::LoadResString(IDS_INVALID_START_FILE), MB_OK);
    return {};
}

BOOL QPropPageThird::OnInitDialog() {
    FillList(Item(IDC_OPT_RECENT_COUNT), kRecentCounts);
    FillList(Item(IDC_OPT_MAX_COUNT), kMaxCounts);
    return COptionPage::OnInitDialog();
}

void QPropPageThird::Exchange(bool save) {
    fw::ExchangeListIndex(Item(IDC_OPT_RECENT_COUNT), recentIndex_, save);
    fw::ExchangeRadio(Hwnd(), {IDC_OPT_VIEW_TITLE, IDC_OPT_VIEW_FIRST, IDC_OPT_VIEW_LAST}, viewIndex_, save);
    fw::ExchangeText(Item(IDC_OPT_START_FILE), startFile_, save);
    fw::ExchangeText(Item(IDC_OPT_MAX_COUNT), maxCountText_, save);
}

bool QPropPageThird::OnCommand(UINT id, UINT code, HWND control) {
    if (code == BN_CLICKED && id == IDC_OPT_CLEAR_RECENT) {
        OnClearRecent();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_OPT_BROWSE) {
        OnBrowse();
        return true;
    }
    return COptionPage::OnCommand(id, code, control);
}

// At once, and for good: Cancel on the sheet does not bring them back.
void QPropPageThird::OnClearRecent() {
    if (fw::ShowMessageBox(Sheet(), fw::LoadResString(IDS_CLEAR_RECENT), MB_OKCANCEL) != IDOK) return;
    if (recentFiles_) recentFiles_->EmptyAll();
}

// What the user set on the page's other controls stays as it is.
void QPropPageThird::OnBrowse() {
    std::optional<std::string> path = AskOpenTextFile(Hwnd(), qs::GetAppFilePath(""));
    if (!path) return;
    Exchange(true);
    startFile_ = *path;
    Exchange(false);
}

void QPropPageThird::ShowValues(const qs::Settings& settings) {
    startFile_ = settings.InitialFileName.empty() ? defaultStartFile_ : settings.InitialFileName;
    recentIndex_ = settings.RecentCount - kLowestRecentCount;
    viewIndex_ = settings.View;
    maxCountText_ = std::to_string(settings.SentenceMaxCount);
}

void QPropPageThird::OnDefaults() {
    ShowValues(qs::Settings{});
}
