#include "cli/unified_diff.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kContext = 3;

struct Lines {
    std::vector<std::string_view> text;  // without their LF
    bool lastUnended = false;            // the last line has no LF

    // Equal lines end alike: a last line without LF differs from one with it.
    bool ends_at(size_t i) const { return !(lastUnended && i + 1 == text.size()); }
};

Lines lines_of(std::string_view text) {
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.text.push_back(text.substr(start));
            lines.lastUnended = true;
            break;
        }
        lines.text.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool same_line(const Lines& a, size_t i, const Lines& b, size_t j) {
    return a.text[i] == b.text[j] && a.ends_at(i) == b.ends_at(j);
}

// A run of lines [oldStart, oldStart + oldCount) replaced by
// [newStart, newStart + newCount).
struct Change {
    size_t oldStart = 0;
    size_t oldCount = 0;
    size_t newStart = 0;
    size_t newCount = 0;

    size_t old_end() const { return oldStart + oldCount; }
};

std::vector<Change> changes_in_place(const Lines& a, const Lines& b) {
    std::vector<Change> changes;
    for (size_t i = 0; i < a.text.size(); ++i) {
        if (same_line(a, i, b, i)) {
            continue;
        }
        if (!changes.empty() && changes.back().old_end() == i) {
            ++changes.back().oldCount;
            ++changes.back().newCount;
        } else {
            changes.push_back({i, 1, i, 1});
        }
    }
    return changes;
}

// Lines added or taken away: the middle between the common ends changes.
std::vector<Change> change_between_ends(const Lines& a, const Lines& b) {
    const size_t shorter = std::min(a.text.size(), b.text.size());
    size_t head = 0;
    while (head < shorter && same_line(a, head, b, head)) {
        ++head;
    }
    size_t tail = 0;
    while (tail < shorter - head &&
           same_line(a, a.text.size() - 1 - tail, b, b.text.size() - 1 - tail)) {
        ++tail;
    }
    return {{head, a.text.size() - head - tail, head, b.text.size() - head - tail}};
}

// As diff -u numbers a range: the first line and the count, the count left
// out when it is 1, and the line before an empty range.
std::string range_of(size_t start, size_t count) {
    if (count == 1) {
        return std::to_string(start + 1);
    }
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

class HunkWriter {
  public:
    HunkWriter(const Lines& before, const Lines& after, std::string& out)
        : before_(before), after_(after), out_(out) {}

    // changes[first, last] close enough to share their context.
    void write(const std::vector<Change>& changes, size_t first, size_t last) {
        const Change& head = changes[first];
        const Change& tail = changes[last];
        const size_t lead = std::min(kContext, head.oldStart);
        const size_t oldFrom = head.oldStart - lead;
        const size_t oldTo = std::min(before_.text.size(), tail.old_end() + kContext);
        const size_t newFrom = head.newStart - lead;
        const size_t newTo = oldTo - tail.old_end() + tail.newStart + tail.newCount;
        out_ += "@@ -" + range_of(oldFrom, oldTo - oldFrom) + " +" +
                range_of(newFrom, newTo - newFrom) + " @@\n";
        size_t at = oldFrom;
        for (size_t i = first; i <= last; ++i) {
            const Change& change = changes[i];
            context(at, change.oldStart);
            for (size_t line = change.oldStart; line < change.old_end(); ++line) {
                put('-', before_, line);
            }
            for (size_t line = change.newStart; line < change.newStart + change.newCount; ++line) {
                put('+', after_, line);
            }
            at = change.old_end();
        }
        context(at, oldTo);
    }

  private:
    void context(size_t from, size_t to) {
        for (size_t line = from; line < to; ++line) {
            put(' ', before_, line);
        }
    }

    void put(char mark, const Lines& lines, size_t line) {
        out_ += mark;
        out_.append(lines.text[line].data(), lines.text[line].size());
        out_ += '\n';
        if (!lines.ends_at(line)) {
            out_ += "\\ No newline at end of file\n";
        }
    }

    const Lines& before_;
    const Lines& after_;
    std::string& out_;
};

}  // namespace

std::string unified_diff(std::string_view before, std::string_view after, std::string_view label) {
    if (before == after) {
        return {};
    }
    const Lines a = lines_of(before);
    const Lines b = lines_of(after);
    const std::vector<Change> changes =
        a.text.size() == b.text.size() ? changes_in_place(a, b) : change_between_ends(a, b);
    std::string out = "--- " + std::string(label) + "\n+++ " + std::string(label) + "\n";
    HunkWriter hunks(a, b, out);
    size_t first = 0;
    for (size_t i = 1; i <= changes.size(); ++i) {
        // diff -u joins two changes whose contexts meet or overlap.
        if (i == changes.size() || changes[i].oldStart - changes[i - 1].old_end() > 2 * kContext) {
            hunks.write(changes, first, i - 1);
            first = i;
        }
    }
    return out;
}
