#include "frame_oracle.h"

#include <algorithm>
#include <vector>

#include "command/cp932_text.h"
#include "command/frame_line_ends.h"
#include "core/text_rules.h"

namespace {

std::vector<int64_t> cell_lengths(const std::string& line) {
    std::vector<int64_t> cells;
    int64_t length = 0;
    bool secondByte = false;
    bool endsInSeparator = false;
    for (size_t at = 0; at < line.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(line[at]);
        endsInSeparator = false;
        const bool lead = text_rules::is_cp932_lead_byte(byte);
        if (lead || secondByte) {
            secondByte = lead && !secondByte;
            ++length;
        } else if (byte != '|') {
            ++length;
        } else if (at > 0) {
            cells.push_back(length);
            length = 0;
            endsInSeparator = true;
        } else {
            endsInSeparator = true;
        }
    }
    if (!endsInSeparator) {
        cells.push_back(length);
    }
    return cells;
}

std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t crlf = text.find("\r\n"); crlf != std::string::npos;
         crlf = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, crlf - start));
        start = crlf + 2;
    }
    if (start < text.size() || lines.empty()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

int64_t frame_need(int32_t frameType, const std::vector<int64_t>& widths, int64_t rows) {
    int64_t sum = 0;
    for (int64_t width : widths) {
        sum += frameType == 6 ? width : width == 0 ? 2 : width + width % 2;
    }
    int64_t columns = static_cast<int64_t>(widths.size());
    int64_t lineBytes = frameType == 6 ? sum + columns + 2 : sum + 2 * columns + 3;
    return lineBytes * (2 * rows + 1);
}

void set_message(ExpectedFrame& expected, std::string text) {
    expected.outcome = CF_MESSAGE;
    expected.message = std::move(text);
}

}  // namespace

std::string four_step_tab_conversion(const std::string& text) {
    std::string result = text;
    if (!result.empty() && result[0] == '\t') {
        result.insert(0, "|");
    }
    result = cp932_replace_all(result, "\r\n\t", "\r\n|\t");
    result = cp932_replace_all(result, "\t\r\n", "\t|\r\n");
    return cp932_replace_all(result, "\t", "|");
}

std::string eleven_pass_line_ends(const std::string& frame) {
    std::string result = frame;
    for (std::string_view border : kRightBorderPasses) {
        result =
            cp932_replace_all(result, std::string(border) + "\n", std::string(border) + "\r\n");
    }
    return result;
}

ExpectedFrame expect_frame(const std::string& input, int32_t frameType, int32_t positionType) {
    ExpectedFrame expected;
    std::string text(input.c_str());
    if (text.empty()) {
        return expected;
    }
    expected.convertedInput = four_step_tab_conversion(text);
    if (expected.convertedInput.size() > CF_INPUT_LIMIT) {
        return expected;
    }
    std::vector<std::string> lines = crlf_lines(expected.convertedInput);
    std::vector<int64_t> widths;
    for (size_t row = 0; row < lines.size(); ++row) {
        std::vector<int64_t> cells = cell_lengths(lines[row]);
        if (row > 0 && cells.size() != widths.size()) {
            set_message(expected, "Illegal input data!!\r\nCheck the " + std::to_string(row + 1) +
                                      " line of your input data.");
            return expected;
        }
        widths.resize(cells.size(), 0);
        for (size_t column = 0; column < cells.size(); ++column) {
            widths[column] = std::max(widths[column], cells[column]);
        }
    }
    bool typesValid = frameType >= 1 && frameType <= 6 && positionType >= 1 && positionType <= 17;
    int64_t rows = static_cast<int64_t>(lines.size());
    if (!typesValid || widths.empty() ||
        frame_need(frameType, widths, rows) > CF_FRAME_BUFFER - 1) {
        set_message(expected, "internal error");
        return expected;
    }
    expected.outcome = CF_FRAME;
    expected.frameBytes = frame_need(frameType, widths, rows);
    expected.frameLines = 2 * rows + 1;
    return expected;
}
