#include "core/caption.h"

namespace qs {

std::string_view FrontBytes(std::string_view text, std::size_t width, const LeadBytes& lead) {
    return text.substr(0, lead.CutFront(text, width));
}

std::string_view BackBytes(std::string_view text, std::size_t width, const LeadBytes& lead) {
    if (text.size() <= width) return text;
    const std::size_t wanted = text.size() - width;
    // A trail byte can look like a lead byte, so boundaries are only known
    // by walking from the start.
    std::size_t pos = 0;
    while (pos < wanted) pos += lead.CharLength(text, pos);
    return text.substr(pos);
}

std::string BuildCaption(std::string_view text, int view, std::size_t width,
                         const LeadBytes& lead, std::string_view placeholder) {
    if (text.empty()) return std::string(placeholder);
    const bool fromEnd = view != 0 && view != 1;
    return std::string(fromEnd ? BackBytes(text, width, lead) : FrontBytes(text, width, lead));
}

std::string SlotCaption(std::string_view title, std::string_view text, int mode, int view,
                        std::size_t width, const LeadBytes& lead, std::string_view placeholder) {
    if (mode == 0 && view == 0) {
        const std::string_view cut = FrontBytes(title, width, lead);
        if (!cut.empty()) return std::string(cut);
    }
    return BuildCaption(text, view, width, lead, placeholder);
}

}  // namespace qs
