#include "text/layout/cp932_fit.h"

#include "core/text_rules.h"
#include "text/cp932_codec.h"

void Cp932Fitter::decode(std::string_view text) {
    utf8_.clear();
    cp932Offsets_.clear();
    for (size_t at = 0; at < text.size();) {
        const Cp932Char decoded = cp932_decode_char(text, at);
        char bytes[4];
        const size_t length = text_rules::encode_utf8(decoded.codePoint, bytes);
        utf8_.append(bytes, length);
        cp932Offsets_.insert(cp932Offsets_.end(), length, static_cast<int32_t>(at));
        at += decoded.length;
    }
    cp932Offsets_.push_back(static_cast<int32_t>(text.size()));
}

void Cp932Fitter::fit(std::string_view text, int32_t width, Overflow overflow,
                      std::vector<FittedLine>& lines) {
    decode(text);
    fit_cell_line(utf8_, width, WidthModel::Wide, overflow, utf8Lines_);
    lines.clear();
    for (const FittedLine& line : utf8Lines_) {
        const int32_t start = cp932Offsets_[static_cast<size_t>(line.start)];
        const int32_t length = cp932Offsets_[static_cast<size_t>(line.start + line.length)] - start;
        const auto ellipsis = static_cast<int32_t>(line.ellipsis ? kCp932Ellipsis.size() : 0);
        lines.push_back({start, length, length + ellipsis, line.ellipsis});
    }
}

int32_t Cp932Fitter::widest_cluster(std::string_view text) {
    decode(text);
    return ::widest_cluster(utf8_, WidthModel::Wide);
}

bool Cp932Fitter::may_hold_cluster_over_two_columns(std::string_view text) {
    // The marks' single bytes, which may also be trail bytes.
    return text.find('\xDE') != std::string_view::npos ||
           text.find('\xDF') != std::string_view::npos;
}
