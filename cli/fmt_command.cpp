#include "cli/fmt_command.h"

#include <unistd.h>

#include <memory>
#include <string_view>

#include "cli/ambiguous_probe.h"
#include "cli/document_file.h"
#include "cli/fmt_options.h"
#include "cli/stream_io.h"
#include "cli/unified_diff.h"
#include "text/text_limits.h"

namespace {

constexpr int kExitTrouble = 1;
constexpr int kExitUsage = 2;
const std::string kStandardInput = "<stdin>";

using Document = std::unique_ptr<zentab_document, void (*)(zentab_document*)>;

std::string place(const std::string& name, int64_t line, int64_t column) {
    if (line == 0) {
        return name + ": ";
    }
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

std::string too_large(int64_t size) {
    return "the document is " +
           (size > 0 ? std::to_string(size) : "more than " + std::to_string(kDocumentLimit)) +
           " bytes; the limit is " + std::to_string(kDocumentLimit);
}

class FmtRun {
  public:
    explicit FmtRun(const FmtOptions& options) : options_(options) {}

    int standard_input() {
        InputRead input = read_input("-", static_cast<size_t>(kDocumentLimit));
        if (!input.error.empty()) {
            complain("zentab: " + input.error);
            return status_;
        }
        if (input.tooLarge) {
            complain(kStandardInput + ": " + too_large(input.size));
            return status_;
        }
        resolve_width_model();
        const Document document = format(input.bytes, ZENTAB_DOCUMENT_MARKDOWN);
        if (report(kStandardInput, input.bytes, document.get()) && !options_.check &&
            !options_.diff) {
            out(std::string_view(zentab_document_data(document.get()),
                                 zentab_document_size(document.get())));
        }
        return status_;
    }

    int files() {
        resolve_width_model();
        for (const std::string& path : options_.files) {
            file(path);
        }
        return status_;
    }

  private:
    // -a auto asks the terminal standard output goes to, after standard input
    // is read: keys typed as input never meet the question.
    void resolve_width_model() {
        if (options_.ambiguousAuto) {
            options_.widthModel =
                isatty(STDOUT_FILENO) != 0 ? ask_terminal_ambiguous_width() : WidthModel::Narrow;
        }
    }

    void file(const std::string& path) {
        const DocumentFile read = read_document_file(path, static_cast<size_t>(kDocumentLimit));
        if (!read.error.empty()) {
            complain(path + ": " + read.error);
            return;
        }
        if (read.tooLarge) {
            complain(path + ": " + too_large(read.size));
            return;
        }
        const Document document = format(read.bytes, kind_of_file(path));
        if (!report(path, read.bytes, document.get()) || !options_.write ||
            zentab_document_changed(document.get()) == 0) {
            return;
        }
        const std::string error =
            replace_document_file(read, std::string_view(zentab_document_data(document.get()),
                                                         zentab_document_size(document.get())));
        if (!error.empty()) {
            complain(path + ": " + error);
        }
    }

    Document format(std::string_view text, zentab_document_kind byName) const {
        const zentab_document_kind kind = options_.kindGiven ? options_.kind : byName;
        return Document(zentab_format_document(text.data(), text.size(), kind,
                                               static_cast<zentab_width>(options_.widthModel),
                                               options_.padding),
                        &zentab_document_free);
    }

    // Names what the document met, and prints its diff when asked. False
    // when the document was refused as a whole.
    bool report(const std::string& name, std::string_view text, const zentab_document* document) {
        if (zentab_document_ok(document) == 0) {
            complain(place(name, zentab_document_line(document), zentab_document_column(document)) +
                     zentab_document_message(document));
            return false;
        }
        for (size_t i = 0; i < zentab_document_tables(document); ++i) {
            report_table(name, document, i);
        }
        if (options_.diff) {
            out(unified_diff(
                text,
                std::string_view(zentab_document_data(document), zentab_document_size(document)),
                name));
        }
        return true;
    }

    void report_table(const std::string& name, const zentab_document* document, size_t i) {
        if (zentab_document_table_refusal(document, i) != ZENTAB_REFUSAL_NONE) {
            complain(place(name, zentab_document_table_refusal_line(document, i),
                           zentab_document_table_refusal_column(document, i)) +
                     "table left as it is: " + zentab_document_table_message(document, i));
        } else if (options_.check && zentab_document_table_changes(document, i) != 0) {
            complain(name + ":" + std::to_string(zentab_document_table_line(document, i)) +
                     ": table not aligned");
        }
    }

    void complain(const std::string& message) {
        write_all(STDERR_FILENO, message + "\n");
        status_ = kExitTrouble;
    }

    void out(std::string_view text) {
        if (text.empty() || outFailed_) {
            return;
        }
        const std::string error = write_all(STDOUT_FILENO, text);
        if (!error.empty()) {
            outFailed_ = true;
            complain("zentab: cannot write to standard output: " + error);
        }
    }

    FmtOptions options_;
    int status_ = 0;
    bool outFailed_ = false;
};

int usage_error(const std::string& message) {
    write_all(STDERR_FILENO,
              "zentab: " + message + "\nTry 'zentab fmt --help' for more information.\n");
    return kExitUsage;
}

}  // namespace

int run_fmt(const std::vector<std::string>& args, const char* ambiguousDefault) {
    const FmtOptionsResult parsed = parse_fmt_options(args, ambiguousDefault);
    if (!parsed.error.empty()) {
        return usage_error(parsed.error);
    }
    if (parsed.options.help) {
        const std::string error = write_all(STDOUT_FILENO, fmt_usage_text());
        return error.empty() ? 0 : kExitTrouble;
    }
    FmtRun run(parsed.options);
    return parsed.options.files.empty() ? run.standard_input() : run.files();
}
