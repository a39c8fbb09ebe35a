#include "text/unicode/cell_wrap.h"

#include "text/unicode/display_width.h"
#include "text/unicode/escape_sequence.h"
#include "text/unicode/line_break.h"

namespace {

constexpr uint32_t kEllipsis = 0x2026;

// A place in the text and the columns before it, counted from the text's start.
struct Mark {
    size_t at = 0;
    int64_t columns = 0;
};

FittedLine line_between(Mark start, Mark end, bool ellipsis, int32_t ellipsisWidth) {
    return {static_cast<int32_t>(start.at), static_cast<int32_t>(end.at - start.at),
            static_cast<int32_t>(end.columns - start.columns) + (ellipsis ? ellipsisWidth : 0),
            ellipsis};
}

// A place to break a line: what the line keeps, where the next one starts,
// and escape sequences among the spaces dropped between them, which must not
// be dropped: they end the line with the spaces before them where those fit,
// or else have a line of their own.
struct LineBreak {
    Mark keep;
    Mark next;
    bool escapesBetween = false;
    Mark firstEscape;  // the first of them
    Mark escapesEnd;   // where the spaces after the last of them begin
};

// One pass over the clusters and escape sequences of a cell line, breaking
// greedily at the last opportunity that fits, and between clusters where a
// word alone is too wide. Spaces after the text of a line are dropped at its
// break; spaces before any text are kept, as indentation. An escape sequence
// right after the text stays on its line; one right before the text of the
// next line goes with it.
class Wrapper {
  public:
    Wrapper(std::string_view cellLine, int32_t columnWidth, WidthModel widthModel,
            std::vector<FittedLine>& out)
        : text(cellLine), width(columnWidth), model(widthModel), lines(out), breaks(cellLine) {}

    void run() {
        nextBreak = breaks.next();
        for (size_t at = 0; at < text.size();) {
            const Grapheme unit = next_grapheme(text, at, model);
            if (escape_length_at(text, at) != 0) {
                take_escape(at, unit.end);
            } else {
                take_cluster(at, unit);
            }
            at = unit.end;
        }
        end_last_line();
    }

  private:
    void take_escape(size_t at, size_t end) {
        if (kept.at == at) {
            kept = {end, columns};
            return;
        }
        if (!pending) {
            pending = true;
            firstPending = {at, columns};
        }
        lastPendingEnd = {end, columns};
    }

    void take_cluster(size_t at, const Grapheme& cluster) {
        while (nextBreak < lastCluster.at) {
            nextBreak = breaks.next();
        }
        if (nextBreak == lastCluster.at && lineHasText) {
            candidate = break_here();
            textSinceCandidate = false;
        }
        const bool space = cluster.end == at + 1 && text[at] == ' ';
        if (space && pending && lastPendingEnd.at == at) {
            spacesAfterEscape = lastPendingEnd;
        }
        columns += cluster.width;
        if (!(space && lineHasText)) {
            fit();
            kept = {cluster.end, columns};
            pending = false;
            spacesAfterEscape = Mark{};
            if (!space) {
                lineHasText = true;
                textSinceCandidate = true;
            }
        }
        lastCluster = {cluster.end, columns};
        keptAtCluster = kept;
    }

    // A break before the cluster at hand.
    LineBreak break_here() const {
        LineBreak here{keptAtCluster, lastCluster, false, Mark{}, Mark{}};
        if (pending && spacesAfterEscape.at != 0) {
            here.escapesBetween = true;
            here.firstEscape = firstPending;
            here.escapesEnd = spacesAfterEscape;
        }
        return here;
    }

    void end_line(const LineBreak& at) {
        if (at.escapesBetween && at.escapesEnd.columns - lineStart.columns <= width) {
            lines.push_back(line_between(lineStart, at.escapesEnd, false, 0));
        } else {
            if (at.keep.at > lineStart.at) {
                lines.push_back(line_between(lineStart, at.keep, false, 0));
            }
            if (at.escapesBetween) {
                lines.push_back(line_between(at.firstEscape, at.escapesEnd, false, 0));
            }
        }
        lineStart = at.next;
    }

    // Ends lines until the one holding the cluster just counted fits.
    void fit() {
        if (columns - lineStart.columns <= width) {
            return;
        }
        if (candidate.next.at > lineStart.at) {
            end_line(candidate);
            lineHasText = textSinceCandidate;
            if (columns - lineStart.columns <= width) {
                return;
            }
        }
        // A word alone too wide: cut it after the last cluster that fits.
        if (lastCluster.at > lineStart.at) {
            end_line(break_here());
            lineHasText = false;
        }
    }

    // Spaces at the end are dropped too.
    void end_last_line() {
        if (!pending) {
            lines.push_back(
                line_between(lineStart, kept.at > lineStart.at ? kept : lineStart, false, 0));
            return;
        }
        LineBreak atEnd{kept, lastCluster, true, firstPending, lastPendingEnd};
        end_line(atEnd);
    }

    std::string_view text;
    int32_t width;
    WidthModel model;
    std::vector<FittedLine>& lines;
    LineBreaks breaks;
    size_t nextBreak = 0;
    int64_t columns = 0;  // before the place reached
    Mark lineStart;
    Mark kept;                 // the end of what the line keeps at a break
    Mark lastCluster;          // the end of the last cluster, escape sequences left out
    Mark keptAtCluster;        // what the line keeps when broken there
    LineBreak candidate;       // at the last opportunity on the line
    Mark firstPending;         // the first escape sequence after spaces to drop
    Mark lastPendingEnd;       // the end of the last
    Mark spacesAfterEscape;    // the end of the last escape sequence followed by a space
    bool pending = false;      // escape sequences since kept
    bool lineHasText = false;  // a cluster other than a space since lineStart
    bool textSinceCandidate = false;
};

// The longest run of whole clusters that fits with the ellipsis; escape
// sequences after the last of them are left out. Where not even the ellipsis
// fits, the cut has none.
FittedLine truncate(std::string_view text, int32_t width, WidthModel model) {
    int32_t ellipsisWidth = code_point_width(kEllipsis, model);
    const bool ellipsis = ellipsisWidth <= width;
    ellipsisWidth = ellipsis ? ellipsisWidth : 0;
    Mark cut;
    int64_t columns = 0;
    for (size_t at = 0; at < text.size();) {
        const Grapheme unit = next_grapheme(text, at, model);
        columns += unit.width;
        if (columns + ellipsisWidth > width) {
            break;
        }
        if (escape_length_at(text, at) == 0) {
            cut = {unit.end, columns};
        }
        at = unit.end;
    }
    return line_between(Mark{}, cut, ellipsis, ellipsisWidth);
}

}  // namespace

void fit_cell_line(std::string_view text, int32_t width, WidthModel model, Overflow overflow,
                   std::vector<FittedLine>& lines) {
    lines.clear();
    const int64_t whole = display_width(text, model);
    if (whole <= width) {
        lines.push_back({0, static_cast<int32_t>(text.size()), static_cast<int32_t>(whole), false});
        return;
    }
    if (overflow == Overflow::Truncate) {
        lines.push_back(truncate(text, width, model));
        return;
    }
    Wrapper(text, width, model, lines).run();
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

EscapesInForce escapes_in_force(std::string_view text) {
    EscapeState state;
    state.read(text);
    return {state.close(), state.reopen()};
}
