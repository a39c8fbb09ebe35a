#include "cli/fmt_options.h"

#include <optional>
#include <string_view>

#include "cli/options.h"

namespace {

constexpr int32_t kMostPadding = 1000;

std::optional<zentab_document_kind> document_kind(std::string_view text) {
    const std::string name = ascii_lower(text);
    if (name == "markdown") {
        return ZENTAB_DOCUMENT_MARKDOWN;
    }
    if (name == "org") {
        return ZENTAB_DOCUMENT_ORG;
    }
    if (name == "rst") {
        return ZENTAB_DOCUMENT_RST;
    }
    if (name == "text") {
        return ZENTAB_DOCUMENT_TEXT;
    }
    return std::nullopt;
}

enum class FmtOption { Write, Check, Diff, In, Ambiguous, Padding, Help, Unknown };

struct FmtOptionName {
    std::string_view shortName;  // empty when there is none
    std::string_view longName;
    FmtOption option;
};

constexpr FmtOptionName kFmtOptionNames[] = {
    {"", "--write", FmtOption::Write},
    {"", "--check", FmtOption::Check},
    {"", "--diff", FmtOption::Diff},
    {"", "--in", FmtOption::In},
    {"-a", "--ambiguous", FmtOption::Ambiguous},
    {"", "--padding", FmtOption::Padding},
    {"-h", "--help", FmtOption::Help},
};

FmtOption option_named(std::string_view name) {
    for (const FmtOptionName& named : kFmtOptionNames) {
        if (name == named.shortName || name == named.longName) {
            return named.option;
        }
    }
    return FmtOption::Unknown;
}

bool takes_value(FmtOption option) {
    return option == FmtOption::In || option == FmtOption::Ambiguous ||
           option == FmtOption::Padding;
}

class FmtParser {
  public:
    explicit FmtParser(const std::vector<std::string>& args) : args_(args) {}

    FmtOptionsResult parse(const char* ambiguousDefault) {
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size() && result_.error.empty(); ++index_) {
            const std::string& arg = args_[index_];
            if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
                result_.options.files.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                parse_option(arg);
            }
        }
        if (result_.error.empty() && !result_.options.help) {
            apply_ambiguous_default(ambiguousDefault);
            check_together();
        }
        return result_;
    }

  private:
    void apply_ambiguous_default(const char* value) {
        if (ambiguousGiven_ || value == nullptr || *value == '\0') {
            return;
        }
        if (!set_width_model(value)) {
            result_.error = "ZENTAB_AMBIGUOUS: invalid width model '" + std::string(value) +
                            "' (use narrow, wide or auto)";
        }
    }

    void check_together() {
        FmtOptions& options = result_.options;
        const bool standardInput =
            options.files.empty() || (options.files.size() == 1 && options.files[0] == "-");
        if (standardInput) {
            options.files.clear();
        }
        if (options.write && options.check) {
            result_.error = "--check changes nothing; it cannot be used with --write";
        } else if (options.write && standardInput) {
            result_.error = "--write rewrites files in place; give a FILE";
        } else if (!standardInput) {
            for (const std::string& file : options.files) {
                if (file == "-") {
                    result_.error = "standard input (-) cannot be formatted with other files";
                }
            }
        }
    }

    bool set_width_model(std::string_view value) {
        FmtOptions& options = result_.options;
        const std::string name = ascii_lower(value);
        if (name != "auto" && name != "narrow" && name != "wide") {
            return false;
        }
        options.ambiguousAuto = name == "auto";
        options.widthModel = name == "wide" ? WidthModel::Wide : WidthModel::Narrow;
        return true;
    }

    void parse_option(const std::string& arg) {
        std::string name = arg;
        std::optional<std::string> attached;
        if (arg.compare(0, 2, "--") == 0) {
            const size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                name = arg.substr(0, equals);
                attached = arg.substr(equals + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);
            attached = arg.substr(2);
        }
        const FmtOption option = option_named(name);
        if (option == FmtOption::Unknown) {
            result_.error = "unrecognized option '" + arg + "'";
        } else if (attached && !takes_value(option)) {
            result_.error = "option '" + name + "' doesn't allow an argument";
        } else if (!takes_value(option)) {
            set_flag(option);
        } else if (!attached && index_ + 1 >= args_.size()) {
            result_.error = "option '" + name + "' requires an argument";
        } else {
            set_value(option, attached ? *attached : args_[++index_]);
        }
    }

    void set_flag(FmtOption option) {
        FmtOptions& options = result_.options;
        options.write = options.write || option == FmtOption::Write;
        options.check = options.check || option == FmtOption::Check;
        options.diff = options.diff || option == FmtOption::Diff;
        options.help = options.help || option == FmtOption::Help;
    }

    void set_value(FmtOption option, const std::string& value) {
        FmtOptions& options = result_.options;
        if (option == FmtOption::In) {
            const std::optional<zentab_document_kind> kind = document_kind(value);
            if (!kind) {
                result_.error = "invalid --in '" + value + "' (use markdown, org, rst or text)";
                return;
            }
            options.kind = *kind;
            options.kindGiven = true;
        } else if (option == FmtOption::Ambiguous) {
            if (!set_width_model(value)) {
                result_.error = "invalid width model '" + value + "' (use narrow, wide or auto)";
                return;
            }
            ambiguousGiven_ = true;
        } else {
            const std::optional<int32_t> padding = count_in(value, 0, kMostPadding);
            if (!padding) {
                result_.error =
                    "invalid --padding '" + value + "' (use a number of spaces, 0 to 1000)";
                return;
            }
            options.padding = *padding;
        }
    }

    const std::vector<std::string>& args_;
    size_t index_ = 0;
    bool ambiguousGiven_ = false;
    FmtOptionsResult result_;
};

bool ends_with(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

FmtOptionsResult parse_fmt_options(const std::vector<std::string>& args,
                                   const char* ambiguousDefault) {
    return FmtParser(args).parse(ambiguousDefault);
}

zentab_document_kind kind_of_file(const std::string& path) {
    const std::string name = ascii_lower(path.substr(path.rfind('/') + 1));
    for (const char* end : {".md", ".markdown", ".mkd"}) {
        if (ends_with(name, end)) {
            return ZENTAB_DOCUMENT_MARKDOWN;
        }
    }
    if (ends_with(name, ".org")) {
        return ZENTAB_DOCUMENT_ORG;
    }
    if (ends_with(name, ".rst") || ends_with(name, ".rest")) {
        return ZENTAB_DOCUMENT_RST;
    }
    return ZENTAB_DOCUMENT_TEXT;
}

const char* fmt_usage_text() {
    return "Usage: zentab fmt [OPTION]... [FILE]...\n"
           "Line up the tables of documents where they stand: Markdown, Org and\n"
           "reStructuredText tables, and frames in plain text and source comments. Only the\n"
           "blanks around cells and the rules' fill change; every other byte, and every\n"
           "cell's text, stays as it is. With no FILE, or -, read a document on standard\n"
           "input and write it to standard output. With FILEs, change nothing and print\n"
           "nothing unless asked:\n"
           "\n"
           "      --write          rewrite each file whose tables change, in place\n"
           "      --check          change nothing; name each table not lined up as\n"
           "                       FILE:LINE: table not aligned, and exit 1 if there is one\n"
           "      --diff           print what would change as a unified diff (diff -u)\n"
           "      --in KIND        the documents' kind: markdown, org, rst or text; by\n"
           "                       default from the name (.md .markdown .mkd, .org, .rst\n"
           "                       .rest, else text), markdown on standard input\n"
           "  -a, --ambiguous W    width of East Asian ambiguous characters: narrow\n"
           "                       (default), wide or auto (ask the terminal when standard\n"
           "                       output is one)\n"
           "      --padding N      N spaces on each side of every cell (default: the\n"
           "                       kind's own, 1 in Markdown and Org)\n"
           "  -h, --help           show this help and exit\n"
           "\n"
           "A comment 'zentab: ignore' before a table leaves it as it is, 'zentab: off'\n"
           "and 'zentab: on' the tables between them, and 'zentab: wide' or 'zentab:\n"
           "narrow' sets the width model for the rest of the document. A table that\n"
           "cannot be lined up exactly is left as it is and named on standard error as\n"
           "FILE:LINE:COLUMN: why; the rest of the document is still formatted.\n"
           "\n"
           "Example:\n"
           "  $ printf '|品名|数量|\\n|-|-|\\n|りんご|12|\\n' | zentab fmt\n"
           "  | 品名   | 数量 |\n"
           "  | ------ | ---- |\n"
           "  | りんご | 12   |\n"
           "  $ zentab fmt --check README.md docs/*.md    name the tables not lined up\n"
           "  $ zentab fmt --diff notes.org | less        see what would change\n"
           "  $ zentab fmt --write README.md docs/*.md    line them up in place\n"
           "\n"
           "Environment: ZENTAB_AMBIGUOUS=narrow|wide|auto sets the default of --ambiguous.\n"
           "\n"
           "Exit status: 0 when done or nothing is to do, 1 when a check found a table to\n"
           "line up or a file or table was refused, 2 on a bad option.\n";
}
