// Refusals in the words the faces show.
#include "text/refusal_words_parts.h"

namespace {
std::string in_base(uint64_t value, uint32_t base, size_t leastDigits) {
    std::string text;
    for (; value != 0 || text.size() < leastDigits; value /= base) {
        text.insert(text.begin(), "0123456789ABCDEF"[value % base]);
    }
    return text;
}

std::string hex(uint32_t value, size_t digits) {
    return in_base(value, 16, digits);
}

std::string code_point_name(uint32_t codePoint) {
    return "U+" + hex(codePoint, 4);
}

std::string byte_name(uint32_t byte) {
    return "0x" + hex(byte, 2);
}

std::string count(int64_t n, const char* one, const char* many) {
    return decimal(n) + " " + (n == 1 ? one : many);
}

std::string place(const Refusal& refusal) {
    if (refusal.line == 0) {
        return {};
    }
    return "line " + decimal(refusal.line) + ", column " + decimal(refusal.column) + ": ";
}

// Refusals of reading table formats and of drawing frames.
std::string what_of_format(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::OpenQuote:
            return "this quote opens a csv field that is never closed";
        case RefusalKind::StrayQuote:
            return "a quote inside a csv field that does not start with one, or text right "
                   "after a closing quote (write a quote in a field as \"\" inside quotes)";
        case RefusalKind::NoDelimiterRow:
            return "no Markdown table: the first row is not followed by a delimiter row "
                   "such as |---|---| with as many cells";
        case RefusalKind::NoFrameFound:
            return "no frame found: no rule line such as +---+---+, a box-drawing one or "
                   "---+--- under a header, with rows under it";
        case RefusalKind::FrameMismatch:
            return "the frame's lines do not agree here: a border out of place, a cell too "
                   "many or too few, or a rule missing";
        case RefusalKind::CellHoldsSeparator:
            if (refusal.codePoint == '\t') {
                return "this cell holds a TAB, which the output format cannot hold";
            }
            if (refusal.codePoint == '|') {
                return "this cell holds '|', which the output format cannot hold (Markdown "
                       "and csv can)";
            }
            return std::string("this cell holds '") + static_cast<char>(refusal.codePoint) +
                   "' where the output format cannot write it as text";
        case RefusalKind::FrameTooNarrow:
            return "the frame needs at least " + decimal(refusal.found) + " columns; --width is " +
                   decimal(refusal.limit);
        case RefusalKind::BadLayout:
            return "a width, cell width or padding cannot be negative (" + decimal(refusal.found) +
                   ")";
        case RefusalKind::CellsPastHeader:
            return "this row has " + count(refusal.found, "cell", "cells") +
                   " where the header has " + decimal(refusal.limit) +
                   "; GitHub drops the cells past the header's, from here on";
        case RefusalKind::MergedCells:
            return "this cell spans others, and merged cells are kept as they are";
        case RefusalKind::TextOutsideTable:
            return "this line is not part of the table: the input holds more than one table; "
                   "use 'zentab fmt' to line up a document's tables, or --table N to pick one";
        case RefusalKind::NoSuchTable:
            return "there is no table " + decimal(refusal.limit) + ": the input holds " +
                   count(refusal.found, "table", "tables");
        case RefusalKind::NoSuchColumn:
            if (!refusal.name.empty()) {
                return "no column is named '" + refusal.name + "' in the header";
            }
            if (refusal.found == 0) {
                return "a column list or sort key cannot be read";
            }
            return "there is no column " + decimal(refusal.found) + ": the table has " +
                   count(refusal.limit, "column", "columns");
        case RefusalKind::NoCaption:
            return refusal.found == 0
                       ? "the output format has no caption to hold a title: frames, html, LaTeX, "
                         "reStructuredText, Org, AsciiDoc and MediaWiki have one, and JSON with "
                         "--with-title"
                       : "the output format has no place for a footer: frames and html have one, "
                         "and JSON with --with-title";
        default:
            return writing_refusal_words(refusal);
    }
}

std::string what(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::None:
            return "no refusal";
        case RefusalKind::BadFrameType:
            return "frame type " + decimal(refusal.found) + " does not exist (1 to 6)";
        case RefusalKind::BadPositionType:
            return "position type " + decimal(refusal.found) + " does not exist (A to Q, 1 to 17)";
        case RefusalKind::InputTooLarge:
            return "the input is " + count(refusal.found, "byte", "bytes") + "; the limit is " +
                   decimal(refusal.limit);
        case RefusalKind::InvalidUtf8:
            return "not UTF-8 (byte " + byte_name(refusal.codePoint) + ")" +
                   (refusal.validCp932 ? "; if the text is Shift-JIS, try -e cp932" : "");
        case RefusalKind::InvalidCp932:
            return "not code page 932 (byte " + byte_name(refusal.codePoint) + ")";
        case RefusalKind::ControlCharacter:
            return "control character " + code_point_name(refusal.codePoint);
        case RefusalKind::RaggedRow:
            if (refusal.found > refusal.limit) {
                return count(refusal.found, "cell", "cells") + " where the first row has " +
                       decimal(refusal.limit) + "; this is the first cell too many";
            }
            return count(refusal.found, "cell", "cells") + " where the first row has " +
                   decimal(refusal.limit);
        case RefusalKind::NoCells:
            return "no cells in the input";
        case RefusalKind::FrameTooLarge:
            return "the frame would be " + decimal(refusal.found) + " bytes; the limit is " +
                   decimal(refusal.limit);
        case RefusalKind::OutOfMemory:
            return "out of memory";
        case RefusalKind::NotInCp932:
            return code_point_name(refusal.codePoint) +
                   " cannot be written in code page 932 (Shift-JIS)";
        default:
            return what_of_format(refusal);
    }
    return "refused";
}
}  // namespace

std::string decimal(int64_t n) {
    // The magnitude in unsigned arithmetic, where the lowest int64_t has one.
    const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    return (n < 0 ? "-" : "") + in_base(magnitude, 10, 1);
}

std::string describe_refusal(const Refusal& refusal) {
    return place(refusal) + what(refusal);
}
