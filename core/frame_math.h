// Arithmetic of the main frame: the heights of the animated roll-up and how
// many items the tray's list menu offers.
#pragma once

#include <optional>

namespace qs {

inline constexpr int kRollStep = 10;
// The tray's list menu offers eight entries, or sixteen once the list
// reaches past the eighth.
inline constexpr int kTrayListShort = 8;
inline constexpr int kTrayListLong = 16;

// The next height while rolling up from `height` towards `caption`, or none
// once it is there. Steps of ten, so the last one may end up to nine pixels
// below the caption; never below zero.
std::optional<int> RollUpStep(int height, int caption);

// The next height while rolling down from `height` to `full`, or none once
// it is there. Steps of ten, the last one ending exactly at `full`.
std::optional<int> RollDownStep(int height, int full);

// Items of the tray's list menu for a list of `count` entries.
int TrayListLength(int count);

}  // namespace qs
