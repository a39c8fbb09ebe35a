// Command-line options of zentab.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/formats/table.h"
#include "text/frame_text.h"

struct CliOptions {
    int32_t frameType = 1;
    int32_t positionType = 1;
    bool positionGiven = false;  // Markdown says an alignment only when asked
    TextEncoding encoding = TextEncoding::Utf8;
    bool encodingGiven = false;
    WidthModel widthModel = WidthModel::Narrow;
    bool ambiguousAuto = false;  // -a auto: asked of the terminal before framing
    TableFormat from = TableFormat::Psv;
    TableFormat to = TableFormat::Frame;
    JsonNested jsonNested = JsonNested::Refuse;
    int32_t table = 0;   // --table: the Nth table of a document; 0: the input is one
    bool header = true;  // JSON out: objects keyed by the first row
    // How a frame fits its cells, as the library takes it: widths in display
    // columns, 0 for no limit; alignment as letters, already checked.
    int32_t width = 0;
    bool widthAuto = false;  // --width auto: resolved before framing
    std::vector<int32_t> cellWidths;
    Overflow overflow = Overflow::Wrap;
    std::string align;
    int32_t padding = 0;
    RuleLines rules = RuleLines::All;
    RowLayout rowLayout = RowLayout::Table;  // --layout
    // Columns and rows shown, as the library takes them, already checked.
    std::string columns;
    std::string hide;
    std::string sort;
    int64_t head = -1;  // -1: every row
    int64_t tail = -1;
    bool transpose = false;
    // Numbers and empty cells of the body, as the library takes them, checked.
    std::string number;
    std::string groupChar = ",";
    std::string missing;
    // A title over the table and a footer under it, as given, and whether a
    // frame's own go on into the output.
    std::string title;
    std::string footer;
    TitleAlign titleAlign = TitleAlign::Centre;
    bool withTitle = false;
    bool crlf = false;
    bool raw = false;
    bool help = false;
    bool version = false;
    std::string file = "-";  // "-" for standard input
};

struct OptionsResult {
    CliOptions options;
    std::string error;  // set when the command line is unusable
};

// args excludes the program name; ambiguousDefault is ZENTAB_AMBIGUOUS, or
// null when it is not set.
OptionsResult parse_options(const std::vector<std::string>& args,
                            const char* ambiguousDefault = nullptr);

const char* usage_text();

// Shared with zentab fmt's options: names matched in ASCII, and a whole
// number from least to most, digits only.
std::string ascii_lower(std::string_view text);
std::optional<int32_t> count_in(std::string_view text, int32_t least, int32_t most);
