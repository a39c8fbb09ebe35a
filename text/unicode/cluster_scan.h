// One pass over a line of text that decodes each code point once, with one
// table walk, and tells a sink its grapheme clusters, each with whether the
// line may break before it, and the runs of escape sequences between them.
// Runs of ASCII letters and digits, where the line may break nowhere and every
// cluster is one column wide, and runs of ideographs and kana, two columns
// each with an opportunity before each, reach the sink whole. Internal to
// text/unicode.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text_rules.h"
#include "text/unicode/code_point_props.h"
#include "text/unicode/escape_sequence.h"
#include "text/unicode/grapheme_cluster.h"
#include "text/unicode/line_break.h"
#include "text/width_model.h"

namespace cluster_scan {

inline const std::array<CodePointEntry, 128> kAsciiEntries = [] {
    std::array<CodePointEntry, 128> entries{};
    for (uint32_t cp = 0; cp < entries.size(); ++cp) {
        entries[cp] = code_point_entry(cp);
    }
    return entries;
}();

// The unified ideographs of the basic block read alike: wide, class ID,
// nothing a cluster rule looks at.
constexpr uint32_t kIdeographFirst = 0x4E00;
constexpr uint32_t kIdeographLast = 0x9FFF;
inline const CodePointEntry kIdeographEntry = code_point_entry(kIdeographFirst);

// Each a cluster and a unit of its own, two columns wide, the line free to
// break between two of them: most ideographs and kana read so.
inline bool is_plain_wide(CodePointEntry entry) {
    return entry.props.bits == kIdeographEntry.props.bits &&
           entry.lineBreak == kIdeographEntry.lineBreak;
}

inline CodePointEntry entry_of(uint32_t cp) {
    if (cp - kIdeographFirst <= kIdeographLast - kIdeographFirst) {
        return kIdeographEntry;
    }
    return code_point_entry(cp);
}

inline bool is_ascii_alnum(unsigned char byte) {
    return static_cast<unsigned>((byte | 0x20) - 'a') < 26u ||
           static_cast<unsigned>(byte - '0') < 10u;
}

}  // namespace cluster_scan

// Sink has take_cluster(start, end, width, breakBefore), take_plain_run(from,
// to) for clusters of one ASCII letter or digit each without an opportunity
// before them, take_wide(start, end) for a plain wide cluster with an opportunity
// before it, right after a cluster of text, and take_escapes(start, end). A run of escape sequences
// inside a cluster, between code points that join, is part of it.
template <class Sink>
class ClusterScan {
  public:
    ClusterScan(std::string_view utf8, WidthModel widthModel, Sink& target)
        : text(utf8),
          bytes(reinterpret_cast<const unsigned char*>(utf8.data())),
          model(widthModel),
          sink(target),
          rules(utf8) {}

    void run() {
        using cluster_scan::kAsciiEntries;
        size_t at = 0;
        while (at < text.size()) {
            const unsigned char byte = bytes[at];
            if (byte >= 0x80) {
                const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(text, at);
                const CodePointEntry entry = cluster_scan::entry_of(c.codePoint);
                if (cluster_scan::is_plain_wide(entry)) {
                    at = take_wide_run(at, c, entry);
                } else {
                    take_code_point(at, c.codePoint, c.length, entry);
                    at += c.length;
                }
            } else if (cluster_scan::is_ascii_alnum(byte) && !(open && cluster.takes_ascii())) {
                at = take_alnum_run(at);
            } else if (const size_t escape = escape_length_at(text, at); escape != 0) {
                escapesStart = escapesWaiting ? escapesStart : at;
                escapesWaiting = true;
                at += escape;
                escapesEnd = at;
            } else {
                take_code_point(at, byte, 1, kAsciiEntries[byte]);
                ++at;
            }
        }
        close_cluster();
    }

  private:
    void take_code_point(size_t at, uint32_t cp, size_t length, CodePointEntry entry) {
        const size_t end = at + length;
        bool breakBefore = false;
        if (rules.joins_unit(entry.lineBreak)) {
            rules.extend_unit(entry.lineBreak, end);
        } else {
            breakBefore = rules.start_unit(entry.lineBreak, end);
        }
        if (open && cluster.extend(cp, entry.props)) {
            openEnd = end;
            escapesWaiting = false;
            return;
        }
        close_cluster();
        cluster.start(entry.props);
        open = true;
        openStart = at;
        openEnd = end;
        openBreak = breakBefore;
    }

    // The first of the run through the rules; the rest neither join a cluster
    // nor allow a break. The last stays open: a mark may follow it.
    size_t take_alnum_run(size_t at) {
        size_t end = at + 1;
        while (end < text.size() && cluster_scan::is_ascii_alnum(bytes[end])) {
            ++end;
        }
        take_code_point(at, bytes[at], 1, cluster_scan::kAsciiEntries[bytes[at]]);
        if (end == at + 1) {
            return end;
        }
        sink.take_cluster(openStart, openEnd, 1, openBreak);
        rules.skip_run(cluster_scan::kAsciiEntries[bytes[end - 2]].lineBreak,
                       cluster_scan::kAsciiEntries[bytes[end - 1]].lineBreak, end);
        if (end - at > 2) {
            sink.take_plain_run(at + 1, end - 1);
        }
        cluster.start(cluster_scan::kAsciiEntries[bytes[end - 1]].props);
        openStart = end - 1;
        openEnd = end;
        openBreak = false;
        return end;
    }

    // The first of the run through the rules, the others each complete when
    // the next is read; the code point that ends the run, decoded already,
    // through the rules too. The last stays open: a mark may follow it.
    size_t take_wide_run(size_t at, text_rules::Utf8Char first, CodePointEntry entry) {
        take_code_point(at, first.codePoint, first.length, entry);
        size_t end = at + first.length;
        if (openStart != at) {
            return end;  // it joined the cluster before it
        }
        size_t lastStart = at;
        while (end < text.size() && bytes[end] >= 0x80) {
            const text_rules::Utf8Char c = text_rules::decode_utf8_unchecked(text, end);
            const CodePointEntry next = cluster_scan::entry_of(c.codePoint);
            if (!cluster_scan::is_plain_wide(next)) {
                end_wide_run(lastStart, end, entry);
                take_code_point(end, c.codePoint, c.length, next);
                return end + c.length;
            }
            if (lastStart == openStart) {
                sink.take_cluster(openStart, openEnd, cluster.width(model), openBreak);
            } else {
                sink.take_wide(lastStart, end);
            }
            lastStart = end;
            end += c.length;
        }
        end_wide_run(lastStart, end, entry);
        return end;
    }

    void end_wide_run(size_t lastStart, size_t end, CodePointEntry entry) {
        if (lastStart == openStart) {
            return;
        }
        rules.skip_run(entry.lineBreak, entry.lineBreak, end);
        cluster.start(entry.props);
        openStart = lastStart;
        openEnd = end;
        openBreak = true;
    }

    void close_cluster() {
        if (open) {
            sink.take_cluster(openStart, openEnd, cluster.width(model), openBreak);
            open = false;
        }
        if (escapesWaiting) {
            sink.take_escapes(escapesStart, escapesEnd);
            escapesWaiting = false;
        }
    }

    std::string_view text;
    const unsigned char* bytes;
    WidthModel model;
    Sink& sink;
    LineBreakRules rules;
    GraphemeCluster cluster;
    bool open = false;  // a cluster has begun and may grow
    size_t openStart = 0;
    size_t openEnd = 0;
    bool openBreak = false;       // an opportunity before it
    bool escapesWaiting = false;  // after the open cluster, unless a code point joins it
    size_t escapesStart = 0;
    size_t escapesEnd = 0;
};
