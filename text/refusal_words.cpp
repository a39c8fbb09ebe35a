// Refusals in the words the faces show.
#include <cstdio>

#include "text/formats/table.h"
#include "text/frame_text.h"

namespace {
std::string hex(uint32_t value, size_t digits) {
    std::string text;
    for (; value != 0 || text.size() < digits; value >>= 4) {
        text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
    }
    return text;
}

std::string code_point_name(uint32_t codePoint) {
    return "U+" + hex(codePoint, 4);
}

std::string byte_name(uint32_t byte) {
    return "0x" + hex(byte, 2);
}

std::string count(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string place(const Refusal& refusal) {
    if (refusal.line == 0) {
        return {};
    }
    return "line " + std::to_string(refusal.line) + ", column " + std::to_string(refusal.column) +
           ": ";
}

std::string what(const Refusal& refusal) {
    switch (refusal.kind) {
        case RefusalKind::None:
            return "no refusal";
        case RefusalKind::BadFrameType:
            return "frame type " + std::to_string(refusal.found) + " does not exist (1 to 6)";
        case RefusalKind::BadPositionType:
            return "position type " + std::to_string(refusal.found) +
                   " does not exist (A to Q, 1 to 17)";
        case RefusalKind::InputTooLarge:
            return "the input is " + count(refusal.found, "byte", "bytes") + "; the limit is " +
                   std::to_string(refusal.limit);
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
                       std::to_string(refusal.limit) + "; this is the first cell too many";
            }
            return count(refusal.found, "cell", "cells") + " where the first row has " +
                   std::to_string(refusal.limit);
        case RefusalKind::NoCells:
            return "no cells in the input";
        case RefusalKind::FrameTooLarge:
            return "the frame would be " + std::to_string(refusal.found) + " bytes; the limit is " +
                   std::to_string(refusal.limit);
        case RefusalKind::OutOfMemory:
            return "out of memory";
        case RefusalKind::OpenQuote:
        case RefusalKind::StrayQuote:
        case RefusalKind::NoDelimiterRow:
        case RefusalKind::NoFrameFound:
        case RefusalKind::FrameMismatch:
        case RefusalKind::CellHoldsSeparator:
        case RefusalKind::CellHoldsLineBreak:
        case RefusalKind::RowNotHeld:
            return describe_format_refusal(refusal);
    }
    return "refused";
}
}  // namespace

std::string describe_refusal(const Refusal& refusal) {
    return place(refusal) + what(refusal);
}
