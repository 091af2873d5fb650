// Arithmetic of the main frame: the heights of the animated roll-up, how
// many items the tray's list menu offers, where the sentence editor docks
// to it and where the temporary-save window first shows.
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

// A window's rectangle in screen pixels (left and top inclusive).
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The docked editor's top-left corner relative to the frame's.
struct DockOffset {
    int x = 0;
    int y = 0;
    bool operator==(const DockOffset&) const = default;
};

// The snap zone: an editor edge less than this far from the frame's side,
// or a top less than this far from the frame's top, snaps to it.
inline constexpr int kDockSnap = 30;
// How far above or below the frame a docked editor may sit.
inline constexpr int kDockMaxY = 270;
inline constexpr int kDockReachY = 300;

// Whether an editor at `editor` docks to the frame at `frame`, and at which
// offset: unchanged when it sits exactly at `current`; else flush with the
// frame's right side or its left side when the near edge is within the snap
// zone, tops aligned when they are close, none when it is too far away.
std::optional<DockOffset> TryDockEditor(const ScreenRect& frame, const ScreenRect& editor, DockOffset current);

// A window's top-left corner in screen pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where a window `width` by `height` first shows beside the frame: right
// under it with the left edges aligned, or right above it when the work
// area ends too soon below; then moved inside the work area, as far as it
// fits (its top-left corner stays inside when it is larger).
ScreenPoint PlaceUnderFrame(const ScreenRect& frame, int width, int height, const ScreenRect& workArea);

}  // namespace qs
