#include "core/panel_math.h"

#include <algorithm>
#include <limits>

namespace qs {

// Clamped before the subtraction, which a huge negative count would overflow.
int ScrollMax(int sentenceMaxCount) {
    return std::max(sentenceMaxCount, kSlotCount) - kSlotCount;
}

int ClampTop(long long wanted, int max) {
    return static_cast<int>(std::clamp<long long>(wanted, 0, std::max(max, 0)));
}

int ThumbPosition(int messagePosition, int trackPosition) {
    return (trackPosition & 0xFFFF) == messagePosition ? trackPosition : messagePosition;
}

std::optional<int> ScrollPosition(int code, int current, int thumb, int max) {
    long long wanted = current;
    switch (code) {
    case kScrollLineUp: wanted -= 1; break;
    case kScrollLineDown: wanted += 1; break;
    case kScrollPageUp: wanted -= kSlotCount; break;
    case kScrollPageDown: wanted += kSlotCount; break;
    case kScrollThumbTrack: wanted = thumb; break;
    case kScrollEnd: return std::nullopt;
    default: break;  // thumb position, top, bottom and unknown codes keep it
    }
    return ClampTop(wanted, max);
}

int WheelAccumulator::Lines(int delta, int linesPerNotch) {
    if (linesPerNotch <= 0) {
        rest_ = 0;
        return 0;
    }
    // A turn the other way starts afresh instead of first undoing the rest.
    if ((rest_ < 0 && delta > 0) || (rest_ > 0 && delta < 0)) rest_ = 0;
    const long long units = rest_ + static_cast<long long>(delta) * linesPerNotch;
    const long long up = units / kWheelDelta;
    rest_ = units % kWheelDelta;
    constexpr long long kMaxLines = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(-up, -kMaxLines, kMaxLines));
}

std::optional<int> SlotIndex(int top, int slot, int limit) {
    if (slot < 0 || slot >= kSlotCount || top < 0) return std::nullopt;
    const long long index = static_cast<long long>(top) + slot;
    if (index >= limit) return std::nullopt;
    return static_cast<int>(index);
}

}  // namespace qs
