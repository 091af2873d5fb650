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

}  // namespace qs
