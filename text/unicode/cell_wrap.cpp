#include "text/unicode/cell_wrap.h"

#include "text/unicode/display_width.h"

// A first version: breaks after spaces and else between clusters; no escape
// sequences yet.
void fit_cell_line(std::string_view text, int32_t width, WidthModel model, Overflow overflow,
                   std::vector<FittedLine>& lines) {
    lines.clear();
    const int32_t ellipsisWidth = code_point_width(0x2026, model);
    size_t lineStart = 0;
    int32_t lineWidth = 0;
    size_t breakAt = 0;  // after the last space in the line, 0 when none
    int32_t widthAtBreak = 0;
    size_t at = 0;
    while (at < text.size()) {
        const Grapheme g = next_grapheme(text, at, model);
        if (lineWidth + g.width > width) {
            if (overflow == Overflow::Truncate) {
                size_t cut = lineStart;
                int32_t cutWidth = 0;
                while (cut < text.size()) {
                    const Grapheme c = next_grapheme(text, cut, model);
                    if (cutWidth + c.width + ellipsisWidth > width) {
                        break;
                    }
                    cutWidth += c.width;
                    cut = c.end;
                }
                lines.push_back({static_cast<int32_t>(lineStart),
                                 static_cast<int32_t>(cut - lineStart), cutWidth + ellipsisWidth,
                                 true});
                return;
            }
            size_t end = breakAt > lineStart ? breakAt : at;
            int32_t endWidth = breakAt > lineStart ? widthAtBreak : lineWidth;
            size_t kept = end;
            while (kept > lineStart && text[kept - 1] == ' ') {
                --kept;
                --endWidth;
            }
            lines.push_back({static_cast<int32_t>(lineStart), static_cast<int32_t>(kept - lineStart),
                             endWidth, false});
            lineStart = end;
            at = end;
            lineWidth = 0;
            breakAt = 0;
            continue;
        }
        lineWidth += g.width;
        at = g.end;
        if (text[at - 1] == ' ') {
            breakAt = at;
            widthAtBreak = lineWidth;
        }
    }
    lines.push_back({static_cast<int32_t>(lineStart), static_cast<int32_t>(text.size() - lineStart),
                     lineWidth, false});
}

int32_t widest_cluster(std::string_view text, WidthModel model) {
    int32_t widest = 0;
    for (size_t at = 0; at < text.size();) {
        const Grapheme g = next_grapheme(text, at, model);
        widest = g.width > widest ? g.width : widest;
        at = g.end;
    }
    return widest;
}

EscapesInForce escapes_in_force(std::string_view) {
    return {};
}
