// Slot and scroll arithmetic of the eight-button panel: which list entry a
// slot stands for, and where the scroll bar's top index goes.
#pragma once

#include <optional>

namespace qs {

inline constexpr int kSlotCount = 8;
inline constexpr int kWheelDelta = 120;  // one notch of a mouse wheel

// The scroll bar codes of WM_VSCROLL.
enum ScrollCode : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

// The highest top index: the last slot stops at entry SentenceMaxCount - 1.
// A hand-edited settings file can hold fewer than eight entries; then the
// panel does not scroll at all.
int ScrollMax(int sentenceMaxCount);

// `wanted` brought into 0..max.
int ClampTop(long long wanted, int max);

// The whole thumb position of a scroll bar message, whose own field holds
// only the low 16 bits (`messagePosition`): while the thumb is dragged the
// bar's track position holds all of it, so a list past entry 65535 is still
// reached. Outside a drag the track position is only the bar's current one,
// and the message's position is the one asked for.
int ThumbPosition(int messagePosition, int trackPosition);

// The top index after a scroll bar message with `code`, from the bar's
// `current` position; `thumb` is the position a thumb-track message carries.
// None for the end of a scroll, which moves nothing.
std::optional<int> ScrollPosition(int code, int current, int thumb, int max);

// Turns wheel deltas into whole lines, keeping what is left of a partial
// notch (fine-grained wheels send less than 120 at a time) for the next one.
class WheelAccumulator {
public:
    // Lines to move the top index: positive towards the list's end (the
    // wheel turned towards the user, a negative delta). A page-scroll
    // setting is passed as kSlotCount lines; 0 or less scrolls nothing.
    int Lines(int delta, int linesPerNotch);
    void Reset() { rest_ = 0; }

private:
    long long rest_ = 0;  // in 1/120 of a line
};

// The list index slot `slot` stands for at top index `top`, when that is a
// real position below `limit` (the list's count to copy, SentenceMaxCount to
// register); none otherwise, never a negative index.
std::optional<int> SlotIndex(int top, int slot, int limit);

}  // namespace qs
