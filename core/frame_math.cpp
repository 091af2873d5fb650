#include "core/frame_math.h"

#include <algorithm>

namespace qs {

std::optional<int> RollUpStep(int height, int caption) {
    if (height <= caption || height <= 0) return std::nullopt;
    return std::max(height - kRollStep, 0);
}

std::optional<int> RollDownStep(int height, int full) {
    if (height >= full) return std::nullopt;
    return std::min(std::max(height, 0) + kRollStep, full);
}

int TrayListLength(int count) {
    return count > kTrayListShort ? kTrayListLong : kTrayListShort;
}

std::optional<DockOffset> TryDockEditor(const ScreenRect& frame, const ScreenRect& editor, DockOffset current) {
    const DockOffset at{editor.left - frame.left, editor.top - frame.top};
    if (at == current) return current;
    if (at.y < -kDockReachY || at.y > kDockReachY) return std::nullopt;
    const int frameWidth = frame.right - frame.left;
    const int editorWidth = editor.right - editor.left;
    DockOffset docked;
    if (at.x >= frameWidth && at.x < frameWidth + kDockSnap) {
        docked.x = frameWidth;
    } else if (at.x > -editorWidth - kDockSnap && at.x <= -editorWidth) {
        docked.x = -editorWidth;
    } else {
        return std::nullopt;
    }
    docked.y = std::clamp(at.y, -kDockMaxY, kDockMaxY);
    if (docked.y > -kDockSnap && docked.y < kDockSnap) docked.y = 0;
    return docked;
}

namespace {

// `start` moved so that [start, start + length) lies within [low, high),
// or to `low` when it cannot.
int KeepWithin(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

ScreenPoint PlaceUnderFrame(const ScreenRect& frame, int width, int height, const ScreenRect& workArea) {
    int y = frame.bottom;
    if (y + height > workArea.bottom) y = frame.top - height;
    return {KeepWithin(frame.left, width, workArea.left, workArea.right),
            KeepWithin(y, height, workArea.top, workArea.bottom)};
}

}  // namespace qs
