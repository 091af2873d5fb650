// Every setting of the program, each named by its key in the settings file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qs {

// Minimise styles of the main window.
enum MinimizeStyle : std::int32_t {
    kMinimizeWindows = 0,
    kMinimizeRollUp = 1,
    kMinimizeRollUpAnimated = 2,
    kMinimizeToTray = 3,
};

// Modifier that must be held with a shortcut key.
enum AdditionalKey : std::int32_t {
    kAdditionalNone = 0,
    kAdditionalShift = 1,
    kAdditionalCtrl = 2,
};

struct Settings {
    std::int32_t Minimize = kMinimizeRollUpAnimated;
    bool SaveWithDialog = false;
    bool ShowTopMost = true;
    bool EnableTimeTag = false;
    bool InitIcon = false;
    std::uint32_t BkColor = 15132390;  // red, green and blue 230 each
    std::int32_t SentenceMaxCount = 16;
    // Captions: 0 the title (else the text's start), 1 the start, 2 the end.
    std::int32_t View = 0;
    std::string InitialFileName;
    std::int32_t RecentCount = 5;
    std::int32_t Date = 0;
    std::int32_t Time = 0;
    std::string TimeCopyTemplate = "<D>, <T>";
    bool UseSCKey = false;
    bool UseNumPad = true;
    std::array<std::int8_t, 16> KeyCode{};
    std::int32_t AdditionalCode = kAdditionalNone;
};

}  // namespace qs
