#include "text/unicode/cell_wrap.h"

#include <algorithm>

#include "text/unicode/cluster_scan.h"
#include "text/unicode/display_width.h"
#include "text/unicode/escape_sequence.h"

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

// Fills lines greedily from the clusters and escape sequences of a cell line,
// breaking at the last opportunity that fits, and between clusters where a
// word alone is too wide. Spaces after the text of a line are dropped at its
// break; spaces before any text are kept, as indentation. An escape sequence
// right after the text stays on its line; one right before the text of the
// next line goes with it.
class Wrapper {
  public:
    Wrapper(std::string_view cellLine, int32_t columnWidth, std::vector<FittedLine>& out)
        : text(cellLine), width(columnWidth), lines(out) {}

    void take_escapes(size_t at, size_t end) {
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

    void take_cluster(size_t at, size_t end, int32_t clusterWidth, bool breakBefore) {
        if (breakBefore && lineHasText) {
            set_candidate();
            textSinceCandidate = false;
        }
        const bool space = end == at + 1 && text[at] == ' ';
        if (space && pending && lastPendingEnd.at == at) {
            spacesAfterEscape = lastPendingEnd;
        }
        columns += clusterWidth;
        // Marks are copied from here, not from one another: a copy read back
        // right after it was written stalls the loop.
        const Mark here{end, columns};
        if (space && lineHasText) {
            keptAtCluster = kept;
        } else {
            fit();
            kept = here;
            keptAtCluster = here;
            pending = false;
            spacesAfterEscape = Mark{};
            if (!space) {
                lineHasText = true;
                textSinceCandidate = true;
            }
        }
        lastCluster = here;
    }

    // As take_cluster one by one, with what fits on the line at once.
    void take_plain_run(size_t from, size_t to) {
        while (from < to) {
            const int64_t room = width - (columns - lineStart.columns);
            if (room <= 0) {
                take_cluster(from, from + 1, 1, false);
                ++from;
                continue;
            }
            const size_t taken = std::min(static_cast<size_t>(room), to - from);
            from += taken;
            columns += static_cast<int64_t>(taken);
            const Mark here{from, columns};
            kept = here;
            pending = false;
            spacesAfterEscape = Mark{};
            lineHasText = true;
            textSinceCandidate = true;
            lastCluster = here;
            keptAtCluster = here;
        }
    }

    // As take_cluster, for a cluster two columns wide with an opportunity
    // before it, right after a cluster of text with no escape sequences
    // waiting: what the line keeps at that opportunity is at and columns.
    void take_wide(size_t at, size_t end) {
        if (columns + 2 - lineStart.columns > width) {
            take_cluster(at, end, 2, true);
            return;
        }
        const Mark before{at, columns};
        candidate.keep = before;
        candidate.next = before;
        candidate.escapesBetween = false;
        columns += 2;
        const Mark here{end, columns};
        kept = here;
        keptAtCluster = here;
        lastCluster = here;
        lineHasText = true;
        textSinceCandidate = true;
    }

    // The whole text when it fits; spaces at the end are dropped otherwise.
    void end_last_line() {
        if (lines.empty() && columns <= width) {
            lines.push_back(
                {0, static_cast<int32_t>(text.size()), static_cast<int32_t>(columns), false});
            return;
        }
        if (!pending) {
            lines.push_back(
                line_between(lineStart, kept.at > lineStart.at ? kept : lineStart, false, 0));
            return;
        }
        LineBreak atEnd{kept, lastCluster, true, firstPending, lastPendingEnd};
        end_line(atEnd);
    }

  private:
    void set_candidate() {
        candidate.keep = keptAtCluster;
        candidate.next = lastCluster;
        candidate.escapesBetween = pending && spacesAfterEscape.at != 0;
        if (candidate.escapesBetween) {
            candidate.firstEscape = firstPending;
            candidate.escapesEnd = spacesAfterEscape;
        }
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

    std::string_view text;
    int32_t width;
    std::vector<FittedLine>& lines;
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
    if (overflow == Overflow::Truncate) {
        const int64_t whole = display_width(text, model);
        lines.push_back(whole <= width ? FittedLine{0, static_cast<int32_t>(text.size()),
                                                    static_cast<int32_t>(whole), false}
                                       : truncate(text, width, model));
        return;
    }
    Wrapper wrapper(text, width, lines);
    ClusterScan<Wrapper>(text, model, wrapper).run();
    wrapper.end_last_line();
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
