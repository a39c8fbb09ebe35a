#include "cli/options.h"

#include <optional>
#include <string_view>

#include "text/public_names.h"
#include "text/shape/cell_text.h"
#include "text/shape/table_shape.h"

// ASCII only, so no locale decides what matches.
std::string ascii_lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// A whole number from least to most, digits only.
std::optional<int32_t> count_in(std::string_view text, int32_t least, int32_t most) {
    while (text.size() > 1 && text[0] == '0') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

namespace {

// Leading zeros are allowed, as strtol would take them.
std::optional<int32_t> small_number(std::string_view text, int32_t max) {
    while (text.size() > 1 && text[0] == '0') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > max) {
        return std::nullopt;
    }
    return value;
}

// Wider than any frame the text layer draws (at most kTextFrameLimit bytes).
constexpr int32_t kMostColumns = 1000000;
constexpr int32_t kMostPadding = 1000;
constexpr int32_t kMostTables = 1000000000;

// N, or N,N,... with - for a column without a limit (0, as the library
// takes it).
std::optional<std::vector<int32_t>> cell_widths(std::string_view text) {
    std::vector<int32_t> widths;
    for (;;) {
        const size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        std::optional<int32_t> width = item == "-" ? 0 : count_in(item, 1, kMostColumns);
        if (!width) {
            return std::nullopt;
        }
        widths.push_back(*width);
        if (comma == std::string_view::npos) {
            return widths;
        }
        text.remove_prefix(comma + 1);
    }
}

bool align_letters(std::string_view letters) {
    for (char letter : letters) {
        if (!named_value(kColumnAlignNames, std::string_view(&letter, 1))) {
            return false;
        }
    }
    return true;
}

// An empty list is none, as the library takes it.
bool list_reads(bool (*valid)(std::string_view), std::string_view list) {
    return list.empty() || valid(list);
}

constexpr int32_t kMostRows = 999999999;

std::optional<RuleLines> rule_lines(std::string_view text) {
    return named_value(kRuleNames, text);
}

std::optional<RowLayout> row_layout(std::string_view text) {
    return named_value(kLayoutNames, text);
}

std::optional<Overflow> overflow_mode(std::string_view text) {
    return named_value(kOverflowNames, text);
}

std::optional<int32_t> position_type(std::string_view text) {
    if (text.size() == 1) {
        char letter = ascii_lower(text)[0];
        if (letter >= 'a' && letter <= 'q') {
            return letter - 'a' + 1;
        }
    }
    return small_number(text, 17);
}

std::optional<TextEncoding> encoding(std::string_view text) {
    return named_value(kEncodingNames, text);
}

std::optional<WidthModel> width_model(std::string_view text) {
    return named_value(kWidthModelNames, text);
}

std::optional<TableFormat> table_format(std::string_view text) {
    return named_value(kFormatNames, text);
}

enum class FormatUse { Both, ReadOnly, WriteOnly, Readable };

bool format_in(TableFormat format, FormatUse use) {
    const bool read = !is_output_only(format);
    const bool written = format != TableFormat::Aligned;
    switch (use) {
        case FormatUse::Both:
            return read && written;
        case FormatUse::ReadOnly:
            return read && !written;
        case FormatUse::WriteOnly:
            return written && !read;
        case FormatUse::Readable:
            return read;
    }
    return false;
}

// The names of the formats of one use, in the table's order, the last joined
// by lastJoin (or by join when it is empty).
std::string format_names(FormatUse use, std::string_view lastJoin, std::string_view join) {
    std::vector<std::string_view> names;
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        if (format_in(named.value, use)) {
            names.push_back(named.name);
        }
    }
    std::string list;
    for (size_t at = 0; at < names.size(); ++at) {
        if (at > 0) {
            list += at + 1 == names.size() && !lastJoin.empty() ? lastJoin : join;
        }
        list += names[at];
    }
    return list;
}

enum class OptionKind {
    Frame,
    Position,
    Encoding,
    Ambiguous,
    From,
    To,
    Unframe,
    Crlf,
    Raw,
    JsonNested,
    NoHeader,
    Width,
    CellWidth,
    Overflow,
    Align,
    Padding,
    Rules,
    Layout,
    Table,
    Columns,
    Hide,
    Sort,
    Head,
    Tail,
    Transpose,
    Number,
    GroupChar,
    Missing,
    Title,
    Footer,
    TitleAlign,
    WithTitle,
    Help,
    Version,
    Unknown
};

struct OptionName {
    std::string_view shortName;  // empty when there is none
    std::string_view longName;
    OptionKind kind;
};

constexpr OptionName kOptionNames[] = {
    {"-f", "--frame", OptionKind::Frame},
    {"-p", "--position", OptionKind::Position},
    {"-e", "--encoding", OptionKind::Encoding},
    {"-a", "--ambiguous", OptionKind::Ambiguous},
    {"", "--from", OptionKind::From},
    {"", "--to", OptionKind::To},
    {"", "--unframe", OptionKind::Unframe},
    {"", "--crlf", OptionKind::Crlf},
    {"", "--raw", OptionKind::Raw},
    {"", "--json-nested", OptionKind::JsonNested},
    {"", "--no-header", OptionKind::NoHeader},
    {"-w", "--width", OptionKind::Width},
    {"", "--cell-width", OptionKind::CellWidth},
    {"", "--overflow", OptionKind::Overflow},
    {"", "--align", OptionKind::Align},
    {"", "--padding", OptionKind::Padding},
    {"", "--rules", OptionKind::Rules},
    {"", "--layout", OptionKind::Layout},
    {"", "--table", OptionKind::Table},
    {"-c", "--columns", OptionKind::Columns},
    {"", "--hide", OptionKind::Hide},
    {"", "--sort", OptionKind::Sort},
    {"", "--head", OptionKind::Head},
    {"", "--tail", OptionKind::Tail},
    {"", "--transpose", OptionKind::Transpose},
    {"", "--number", OptionKind::Number},
    {"", "--group-char", OptionKind::GroupChar},
    {"", "--missing", OptionKind::Missing},
    {"", "--title", OptionKind::Title},
    {"", "--footer", OptionKind::Footer},
    {"", "--title-align", OptionKind::TitleAlign},
    {"", "--with-title", OptionKind::WithTitle},
    {"-h", "--help", OptionKind::Help},
    {"", "--version", OptionKind::Version},
};

OptionKind option_kind(std::string_view name) {
    for (const OptionName& option : kOptionNames) {
        if (name == option.shortName || name == option.longName) {
            return option.kind;
        }
    }
    return OptionKind::Unknown;
}

bool takes_value(OptionKind kind) {
    switch (kind) {
        case OptionKind::Unframe:
        case OptionKind::Crlf:
        case OptionKind::Raw:
        case OptionKind::NoHeader:
        case OptionKind::Transpose:
        case OptionKind::WithTitle:
        case OptionKind::Help:
        case OptionKind::Version:
        case OptionKind::Unknown:
            return false;
        default:
            return true;
    }
}

bool is_layout(OptionKind kind) {
    return kind == OptionKind::Width || kind == OptionKind::CellWidth ||
           kind == OptionKind::Overflow || kind == OptionKind::Align ||
           kind == OptionKind::Padding || kind == OptionKind::Rules || kind == OptionKind::Layout;
}

// Parses one option argument; a value may be attached ("-f6", "--frame=6") or
// be the next argument.
class OptionParser {
  public:
    explicit OptionParser(const std::vector<std::string>& args) : args_(args) {}

    OptionsResult parse(const char* ambiguousDefault) {
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size() && result_.error.empty(); ++index_) {
            const std::string& arg = args_[index_];
            if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
                add_operand(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                parse_option(arg);
            }
        }
        apply_ambiguous_default(ambiguousDefault);
        finish();
        return result_;
    }

  private:
    // The environment only fills in what the command line leaves open, so a
    // bad value there never stands in the way of -a, --help or --version.
    void apply_ambiguous_default(const char* value) {
        const CliOptions& options = result_.options;
        if (!result_.error.empty() || ambiguousGiven_ || options.help || options.version ||
            value == nullptr || *value == '\0') {
            return;
        }
        if (!set_width_model(value)) {
            result_.error = "ZENTAB_AMBIGUOUS: invalid width model '" + std::string(value) +
                            "' (use narrow, wide or auto)";
        }
    }

    bool set_width_model(std::string_view value) {
        CliOptions& options = result_.options;
        if (ascii_lower(value) == "auto") {
            options.ambiguousAuto = true;
            return true;
        }
        std::optional<WidthModel> model = width_model(value);
        if (model) {
            options.widthModel = *model;
            options.ambiguousAuto = false;
        }
        return model.has_value();
    }

    void finish() {
        const CliOptions& options = result_.options;
        if (result_.error.empty() && options.table > 0 && options.from != TableFormat::Markdown &&
            options.from != TableFormat::Frame) {
            result_.error =
                "--table picks a table of a document; use it with --from markdown "
                "or --from frame";
        }
        if (result_.error.empty() && options.rowLayout != RowLayout::Table &&
            options.to != TableFormat::Frame) {
            result_.error =
                "--layout records and auto lay out a frame's rows; they cannot be used with "
                "--to or --unframe";
        }
        if (!result_.error.empty() || !options.raw) {
            return;
        }
        if (options.encodingGiven && options.encoding != TextEncoding::Cp932) {
            result_.error = "--raw reads and writes code page 932; it cannot be used with -e utf-8";
        } else if (options.from != TableFormat::Psv || options.to != TableFormat::Frame) {
            result_.error =
                "--raw frames '|'-separated cells; it cannot be used with --from, --to "
                "or --unframe";
        } else if (!layoutOption_.empty()) {
            result_.error =
                "--raw draws the desktop application's frame exactly; it cannot be "
                "used with " +
                layoutOption_;
        }
    }

    void add_operand(const std::string& arg) {
        if (haveFile_) {
            result_.error = "extra operand '" + arg + "'";
            return;
        }
        haveFile_ = true;
        result_.options.file = arg;
    }

    void parse_option(const std::string& arg) {
        std::string name = arg;
        std::optional<std::string> attached;
        if (arg.compare(0, 2, "--") == 0) {
            size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                name = arg.substr(0, equals);
                attached = arg.substr(equals + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);
            attached = arg.substr(2);
        }
        OptionKind kind = option_kind(name);
        if (kind == OptionKind::Unknown) {
            result_.error = "unrecognized option '" + arg + "'";
            return;
        }
        if (attached && !takes_value(kind)) {
            result_.error = "option '" + name + "' doesn't allow an argument";
            return;
        }
        if (!takes_value(kind)) {
            set_flag(kind);
            if ((kind == OptionKind::Transpose || kind == OptionKind::WithTitle) &&
                layoutOption_.empty()) {
                layoutOption_ = long_name(kind);
            }
            return;
        }
        if (!attached && index_ + 1 >= args_.size()) {
            result_.error = "option '" + name + "' requires an argument";
            return;
        }
        const std::string& value = attached ? *attached : args_[++index_];
        if (is_shape(kind) || is_layout(kind) || is_title(kind)) {
            if (is_title(kind)) {
                set_title(kind, value);
            } else if (is_shape(kind)) {
                set_shape(kind, value);
            } else {
                set_layout(kind, value);
            }
            if (layoutOption_.empty()) {
                layoutOption_ = long_name(kind);
            }
        } else {
            set_value(kind, value);
        }
    }

    static bool is_shape(OptionKind kind) {
        return kind == OptionKind::Columns || kind == OptionKind::Hide ||
               kind == OptionKind::Sort || kind == OptionKind::Head || kind == OptionKind::Tail ||
               is_cell_text(kind);
    }

    static bool is_cell_text(OptionKind kind) {
        return kind == OptionKind::Number || kind == OptionKind::GroupChar ||
               kind == OptionKind::Missing;
    }

    void set_cell_text(OptionKind kind, const std::string& value) {
        CliOptions& options = result_.options;
        if (kind == OptionKind::Number) {
            if (!list_reads(number_list_valid, value)) {
                refuse_value(kind, value,
                             "use one item a column, separated by commas: - as is, g grouped, "
                             ".N N decimals (0 to 20), g.N both (g,.2,-)");
                return;
            }
            options.number = value;
        } else if (kind == OptionKind::GroupChar) {
            if (value.empty() || !group_char_valid(value)) {
                refuse_value(kind, value, "use one character that is not a digit, sign or control");
                return;
            }
            options.groupChar = value;
        } else {
            if (!list_reads(missing_text_valid, value)) {
                refuse_value(kind, value, "use text without control characters");
                return;
            }
            options.missing = value;
        }
    }

    void set_shape(OptionKind kind, const std::string& value) {
        CliOptions& options = result_.options;
        if (is_cell_text(kind)) {
            set_cell_text(kind, value);
            return;
        }
        if (kind == OptionKind::Head || kind == OptionKind::Tail) {
            std::optional<int32_t> rows = count_in(value, 0, kMostRows);
            if (!rows) {
                refuse_value(kind, value, "use a number of rows");
                return;
            }
            (kind == OptionKind::Head ? options.head : options.tail) = *rows;
        } else if (kind == OptionKind::Sort) {
            if (!list_reads(sort_keys_valid, value)) {
                refuse_value(kind, value,
                             "use columns by number or header, separated by commas, each "
                             "followed by :n for numbers or :r to reverse");
                return;
            }
            options.sort = value;
        } else {
            if (!list_reads(column_list_valid, value)) {
                refuse_value(kind, value,
                             "use columns by number from 1, ranges such as 2-4 or header "
                             "texts, separated by commas");
                return;
            }
            (kind == OptionKind::Columns ? options.columns : options.hide) = value;
        }
    }

    static bool is_title(OptionKind kind) {
        return kind == OptionKind::Title || kind == OptionKind::Footer ||
               kind == OptionKind::TitleAlign;
    }

    void set_title(OptionKind kind, const std::string& value) {
        CliOptions& options = result_.options;
        if (kind == OptionKind::TitleAlign) {
            std::optional<TitleAlign> side = named_value(kTitleAlignNames, value);
            if (!side) {
                refuse_value(kind, value, "use l, c or r");
            } else {
                options.titleAlign = *side;
            }
            return;
        }
        (kind == OptionKind::Title ? options.title : options.footer) = value;
    }

    static std::string long_name(OptionKind kind) {
        for (const OptionName& option : kOptionNames) {
            if (option.kind == kind) {
                return std::string(option.longName);
            }
        }
        return {};
    }

    void refuse_value(OptionKind kind, const std::string& value, std::string_view hint) {
        result_.error =
            "invalid " + long_name(kind) + " '" + value + "' (" + std::string(hint) + ")";
    }

    void set_layout(OptionKind kind, const std::string& value) {
        CliOptions& options = result_.options;
        if (kind == OptionKind::Width) {
            set_width(value);
        } else if (kind == OptionKind::CellWidth) {
            std::optional<std::vector<int32_t>> widths = cell_widths(value);
            if (!widths) {
                refuse_value(kind, value,
                             "use a number of columns, or one a column separated by commas, "
                             "- for no limit");
                return;
            }
            options.cellWidths = std::move(*widths);
        } else if (kind == OptionKind::Overflow) {
            std::optional<Overflow> mode = overflow_mode(value);
            if (!mode) {
                refuse_value(kind, value, "use wrap or truncate");
                return;
            }
            options.overflow = *mode;
        } else if (kind == OptionKind::Align) {
            if (!align_letters(value)) {
                refuse_value(kind, value, "use a letter a column: l, r, c, d or .");
                return;
            }
            options.align = value;
        } else if (kind == OptionKind::Padding) {
            std::optional<int32_t> padding = count_in(value, 0, kMostPadding);
            if (!padding) {
                refuse_value(kind, value, "use a number of spaces, 0 to 1000");
                return;
            }
            options.padding = *padding;
        } else if (kind == OptionKind::Layout) {
            std::optional<RowLayout> layout = row_layout(value);
            if (!layout) {
                refuse_value(kind, value, "use table, records or auto");
                return;
            }
            options.rowLayout = *layout;
        } else {
            std::optional<RuleLines> rules = rule_lines(value);
            if (!rules) {
                refuse_value(kind, value, "use all, header or none");
                return;
            }
            options.rules = *rules;
        }
    }

    void set_width(const std::string& value) {
        CliOptions& options = result_.options;
        if (ascii_lower(value) == "auto") {
            options.widthAuto = true;
            options.width = 0;
            return;
        }
        std::optional<int32_t> width = count_in(value, 1, kMostColumns);
        if (!width) {
            refuse_value(OptionKind::Width, value, "use a number of columns, or auto");
            return;
        }
        options.width = *width;
        options.widthAuto = false;
    }

    void set_flag(OptionKind kind) {
        CliOptions& options = result_.options;
        switch (kind) {
            case OptionKind::Crlf:
                options.crlf = true;
                break;
            case OptionKind::Raw:
                options.raw = true;
                break;
            case OptionKind::NoHeader:
                options.header = false;
                break;
            case OptionKind::Transpose:
                options.transpose = true;
                break;
            case OptionKind::WithTitle:
                options.withTitle = true;
                break;
            case OptionKind::Unframe:
                options.from = TableFormat::Frame;
                if (!toGiven_) {
                    options.to = TableFormat::Psv;
                }
                break;
            case OptionKind::Help:
                options.help = true;
                break;
            case OptionKind::Version:
                options.version = true;
                break;
            default:
                break;
        }
    }

    void set_value(OptionKind kind, const std::string& value) {
        CliOptions& options = result_.options;
        if (kind == OptionKind::Frame) {
            std::optional<int32_t> frame = small_number(value, 6);
            if (!frame) {
                result_.error = "invalid frame type '" + value + "' (use 1 to 6)";
                return;
            }
            options.frameType = *frame;
        } else if (kind == OptionKind::Position) {
            std::optional<int32_t> position = position_type(value);
            if (!position) {
                result_.error = "invalid position type '" + value + "' (use A to Q or 1 to 17)";
                return;
            }
            options.positionType = *position;
            options.positionGiven = true;
        } else if (kind == OptionKind::From || kind == OptionKind::To) {
            std::optional<TableFormat> format = table_format(value);
            if (!format) {
                result_.error = "invalid format '" + value + "' (use " +
                                format_names(FormatUse::Both, "", ", ") + "; to read only " +
                                format_names(FormatUse::ReadOnly, " or ", ", ") +
                                "; to write only " +
                                format_names(FormatUse::WriteOnly, " or ", ", ") + ")";
                return;
            }
            if (kind == OptionKind::To && *format == TableFormat::Aligned) {
                result_.error = "aligned is read only (use --from aligned)";
                return;
            }
            if (kind == OptionKind::From && is_output_only(*format)) {
                result_.error = "--from " + value + ": document markup is only written (read " +
                                format_names(FormatUse::Readable, " or ", ", ") + ")";
                return;
            }
            (kind == OptionKind::From ? options.from : options.to) = *format;
            toGiven_ = toGiven_ || kind == OptionKind::To;
        } else if (kind == OptionKind::JsonNested) {
            set_json_nested(value);
        } else if (kind == OptionKind::Table) {
            std::optional<int32_t> table = count_in(value, 1, kMostTables);
            if (!table) {
                refuse_value(kind, value, "use the number of a table, from 1");
                return;
            }
            options.table = *table;
        } else if (kind == OptionKind::Ambiguous) {
            if (!set_width_model(value)) {
                result_.error = "invalid width model '" + value + "' (use narrow, wide or auto)";
                return;
            }
            ambiguousGiven_ = true;
        } else {
            std::optional<TextEncoding> chosen = encoding(value);
            if (!chosen) {
                result_.error = "unknown encoding '" + value + "' (use utf-8 or cp932)";
                return;
            }
            options.encoding = *chosen;
            options.encodingGiven = true;
        }
    }

    void set_json_nested(const std::string& value) {
        std::optional<JsonNested> nested = named_value(kJsonNestedNames, value);
        if (!nested) {
            result_.error = "invalid --json-nested '" + value + "' (use error or text)";
            return;
        }
        result_.options.jsonNested = *nested;
    }

    const std::vector<std::string>& args_;
    size_t index_ = 0;
    bool haveFile_ = false;
    bool toGiven_ = false;
    bool ambiguousGiven_ = false;
    std::string layoutOption_;  // the first layout option given, which --raw refuses
    OptionsResult result_;
};

}  // namespace

OptionsResult parse_options(const std::vector<std::string>& args, const char* ambiguousDefault) {
    return OptionParser(args).parse(ambiguousDefault);
}

const char* usage_text() {
    return "Usage: zentab [OPTION]... [FILE]\n"
           "  or:  zentab fmt [OPTION]... [FILE]...\n"
           "  or:  zentab lsp [--stdio]\n"
           "Frame the table in FILE, or standard input when FILE is absent or -, as a ruled\n"
           "text table. Cells are separated by '|' or by tabs. With --from and --to, convert\n"
           "tables between csv, tsv, Markdown, frames, JSON and '|'-separated cells (psv).\n"
           "zentab fmt lines up the tables of Markdown, Org, reStructuredText and text\n"
           "documents where they stand; see 'zentab fmt --help'. zentab lsp serves them to\n"
           "editors over the Language Server Protocol; see 'zentab lsp --help'.\n"
           "\n"
           "  -f, --frame N        frame type 1..6 (default 1; 6 draws with + - |)\n"
           "  -p, --position X     position type A..Q, either case, or 1..17 (default A)\n"
           "  -a, --ambiguous W    width of box-drawing and other East Asian ambiguous\n"
           "                       characters: narrow (default; most terminals and\n"
           "                       pages), wide (CJK terminals and fonts) or auto (ask\n"
           "                       the terminal when standard output is one, else narrow)\n"
           "  -e, --encoding ENC   utf-8 (default) or cp932 (also accepted: shift_jis,\n"
           "                       sjis, windows-31j); cp932 counts widths in bytes\n"
           "      --from FORMAT    the input's format: psv (default), csv, tsv, markdown,\n"
           "                       frame (a ruled table, ours or another tool's, or a\n"
           "                       database shell's output), json (an array of arrays\n"
           "                       or of objects), jsonl (JSON Lines: one array or\n"
           "                       object a line) or aligned (columns under the\n"
           "                       header's words, as ps or df print)\n"
           "      --to FORMAT      the output's format: frame (default), psv, csv, tsv,\n"
           "                       markdown, json (an array of objects keyed by the\n"
           "                       first row, values as strings), jsonl, or document\n"
           "                       markup: html, latex, rst, rst-simple, org, asciidoc,\n"
           "                       mediawiki, jira (-p gives the alignment where the\n"
           "                       format has one)\n"
           "      --json-nested M  an array or object in a JSON cell: error (default)\n"
           "                       refuses it, text keeps its JSON text as in the input\n"
           "      --table N        --from markdown or frame: read the Nth table of a\n"
           "                       document (a Markdown input holding anything but one\n"
           "                       table is refused without it)\n"
           "      --no-header      --to json or jsonl: write rows as arrays, the first\n"
           "                       row too, instead of objects keyed by the first row\n"
           "  -c, --columns LIST   the columns to show, in that order: numbers from 1,\n"
           "                       ranges such as 2-4, or header texts, separated by\n"
           "                       commas (3,1,Price)\n"
           "      --hide LIST      the columns not to show, in the same words\n"
           "      --sort KEYS      sort the rows under the header by columns (number or\n"
           "                       header), stably, text by code point; a key's :n\n"
           "                       compares numbers (signs, decimals, grouping commas;\n"
           "                       other cells after them), :r reverses (2:n:r,Name)\n"
           "      --head N         only the first N rows under the header (after\n"
           "                       --sort); a frame says in a last row how many it\n"
           "                       left out, other formats leave them out silently\n"
           "      --tail N         only the last N rows under the header\n"
           "      --transpose      rows become columns\n"
           "      --number LIST    numbers under the header written anew, an item a\n"
           "                       column: - as is, g digits grouped, .N N decimals\n"
           "                       rounded half to even, g.N both (g,.2,-,g.0)\n"
           "      --group-char C   the grouping character instead of ',' (' for\n"
           "                       instance); '.' makes the decimal point ','\n"
           "      --missing TEXT   what an empty cell under the header shows\n"
           "      --title TEXT     a title over the table: in a frame, a row spanning it,\n"
           "                       wrapped to its width; the caption of html, latex,\n"
           "                       rst, org, asciidoc and mediawiki; other formats\n"
           "                       refuse it\n"
           "      --footer TEXT    a footer under the table: a frame's last row, html's\n"
           "                       <tfoot>\n"
           "      --title-align l|c|r  where the title's and footer's lines stand\n"
           "                       (c, centred, unless given)\n"
           "      --with-title     keep the title and footer of a frame read: --to json\n"
           "                       writes {\"title\": ..., \"footer\": ..., \"rows\": [...]}\n"
           "  -w, --width N        no line of the frame wider than N columns: the widest\n"
           "                       columns give way first; auto: the terminal's width,\n"
           "                       else $COLUMNS, else no limit\n"
           "      --cell-width N   no line of a cell wider than N columns; or a width a\n"
           "                       column, separated by commas, - for no limit (5,-,30)\n"
           "      --overflow MODE  a cell line too wide: wrap (default) breaks it into\n"
           "                       more lines, truncate cuts it, ending in …\n"
           "      --align SPEC     a letter a column places the body cells: l left,\n"
           "                       r right, c centred, d on the decimal point, . as -p\n"
           "                       says; columns past the letters go by -p\n"
           "      --padding N      N spaces on each side of every cell (default 0)\n"
           "      --rules R        rules inside the frame: all (default), header (under\n"
           "                       the first row only) or none\n"
           "      --layout L       table (default); records: each row a block of\n"
           "                       header | value lines, numbered [ 1 ], [ 2 ]...;\n"
           "                       auto: records when the table cannot fit -w without\n"
           "                       cutting a cell below 8 columns\n"
           "      --unframe        short for --from frame --to psv (a --to given wins)\n"
           "      --crlf           end output lines with CR LF (default LF)\n"
           "      --raw            exact mode: the input is code page 932 byte for byte,\n"
           "                       lines split only at CR LF, and the output is the frame\n"
           "                       byte for byte with CR LF\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "\n"
           "Lines end in LF, CR LF or CR. Input that is not text, not in the named format,\n"
           "or holds a cell the output format cannot hold, is refused with its line and\n"
           "column.\n"
           "\n"
           "Wrapped cells read back (--from frame) as cells of several lines; with\n"
           "--rules header or none, each line of text reads back as a row.\n"
           "\n"
           "Examples:\n"
           "  zentab --from csv -w auto addresses.csv   fit the terminal, cells wrapped\n"
           "  zentab -w 60 --overflow truncate -f 2     cut long cells to fit 60 columns\n"
           "  zentab --align ldr --padding 1 --rules header   numbers on their point\n"
           "  ls --color=always | zentab -f 2              colours kept\n"
           "\n"
           "Environment: ZENTAB_AMBIGUOUS=narrow|wide|auto sets the default of\n"
           "--ambiguous; COLUMNS is the width of --width auto when standard output is\n"
           "not a terminal.\n"
           "\n"
           "Exit status: 0 on success, 1 when the input cannot be framed or read,\n"
           "2 on a bad option.\n";
}
