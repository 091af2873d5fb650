// Button and menu captions: entry texts cut to a width in bytes without
// leaving half of a double-byte character behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/lead_bytes.h"

namespace qs {

inline constexpr std::size_t kButtonCaptionWidth = 14;
inline constexpr std::size_t kMenuCaptionWidth = 20;

// At most `width` bytes from the start, ending on a character boundary.
std::string_view FrontBytes(std::string_view text, std::size_t width, const LeadBytes& lead);
// At most `width` bytes from the end, starting on a character boundary.
std::string_view BackBytes(std::string_view text, std::size_t width, const LeadBytes& lead);

// The caption of an entry: `placeholder` for an empty text; the end of the
// text for `view` 2 (any value but 0 and 1), else its start.
std::string BuildCaption(std::string_view text, int view, std::size_t width,
                         const LeadBytes& lead, std::string_view placeholder);

// The caption of a panel slot: with sentences shown (`mode` 0) and titles
// chosen (`view` 0) the title's start, else (or when there is no title) the
// entry's caption. Pass an empty title when the slot has none.
std::string SlotCaption(std::string_view title, std::string_view text, int mode, int view,
                        std::size_t width, const LeadBytes& lead, std::string_view placeholder);

}  // namespace qs
