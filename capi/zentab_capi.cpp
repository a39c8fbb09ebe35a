// The C interface over the text layer's one door, frame_text / read_text:
// options become a FrameRequest, outcomes become results. Nothing is shared
// between calls but the read-only out-of-memory result, so calls run in
// parallel.
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "options_state.h"
#include "text/documents/document.h"
#include "text/frame_text.h"
#include "text/public_names.h"
#include "zentab.h"

static_assert(ZENTAB_VERSION_MAJOR == ZENTAB_PROJECT_VERSION_MAJOR &&
                  ZENTAB_VERSION_MINOR == ZENTAB_PROJECT_VERSION_MINOR &&
                  ZENTAB_VERSION_PATCH == ZENTAB_PROJECT_VERSION_PATCH,
              "include/zentab.h gives another version than project() in CMakeLists.txt");
static_assert(ZENTAB_FORMAT_JIRA == static_cast<int>(TableFormat::Jira) &&
                  ZENTAB_FORMAT_ALIGNED == static_cast<int>(TableFormat::Aligned),
              "the C formats are numbered as TableFormat");
static_assert(ZENTAB_REFUSAL_FORMAT_NOT_WRITABLE ==
                      static_cast<int>(RefusalKind::FormatNotWritable) &&
                  ZENTAB_REFUSAL_FRAME_TOO_NARROW ==
                      static_cast<int>(RefusalKind::FrameTooNarrow) &&
                  ZENTAB_REFUSAL_BAD_LAYOUT == static_cast<int>(RefusalKind::BadLayout) &&
                  ZENTAB_REFUSAL_NO_SUCH_TABLE == static_cast<int>(RefusalKind::NoSuchTable) &&
                  ZENTAB_REFUSAL_NO_SUCH_COLUMN == static_cast<int>(RefusalKind::NoSuchColumn) &&
                  ZENTAB_REFUSAL_NO_CAPTION == static_cast<int>(RefusalKind::NoCaption) &&
                  ZENTAB_REFUSAL_OUT_OF_MEMORY == static_cast<int>(RefusalKind::OutOfMemory),
              "the C refusal kinds are numbered as RefusalKind");
static_assert(ZENTAB_TITLE_RIGHT == static_cast<int>(TitleAlign::Right) &&
                  ZENTAB_TITLE_LEFT == static_cast<int>(TitleAlign::Left),
              "the C title alignments are numbered as TitleAlign");
static_assert(ZENTAB_OVERFLOW_TRUNCATE == static_cast<int>(Overflow::Truncate) &&
                  ZENTAB_RULES_NONE == static_cast<int>(RuleLines::None) &&
                  ZENTAB_LAYOUT_AUTO == static_cast<int>(RowLayout::Auto),
              "the C layout enums are numbered as the text layer's");

static_assert(ZENTAB_DOCUMENT_MARKDOWN == static_cast<int>(DocumentKind::Markdown) &&
                  ZENTAB_DOCUMENT_ORG == static_cast<int>(DocumentKind::Org) &&
                  ZENTAB_DOCUMENT_RST == static_cast<int>(DocumentKind::Rst) &&
                  ZENTAB_DOCUMENT_TEXT == static_cast<int>(DocumentKind::Text),
              "the C document kinds are numbered as DocumentKind");

struct zentab_table {
    Table table;
};

struct zentab_result {
    std::string text;
    Refusal refusal;
    std::string message;
    zentab_table table;
    bool hasTable = false;
};

struct zentab_document {
    DocumentOutcome outcome;
    std::string message;
    std::vector<std::string> tableMessages;  // one a table, "" where it was lined up
};

namespace {

// Returned when even a result cannot be made; "out of memory" fits in the
// string without allocating.
zentab_result outOfMemory = [] {
    zentab_result result;
    result.refusal = refusal_of(RefusalKind::OutOfMemory);
    result.message = "out of memory";
    return result;
}();

zentab_document outOfMemoryDocument = [] {
    zentab_document document;
    document.outcome.refusal = refusal_of(RefusalKind::OutOfMemory);
    document.message = "out of memory";
    return document;
}();

const zentab_options defaultOptions;

FrameRequest request_of(const char* text, size_t size, const zentab_options* options) {
    const zentab_options& given = options != nullptr ? *options : defaultOptions;
    FrameRequest request = given.request;
    request.titles.title = given.title;
    request.titles.footer = given.footer;
    request.text = text != nullptr ? std::string_view(text, size) : std::string_view();
    // As the command: Markdown says an alignment only when one was asked for.
    if (!given.positionGiven && request.to != TableFormat::Frame) {
        request.positionType = 0;
    }
    return request;
}

zentab_result* refused(std::unique_ptr<zentab_result> result, const Refusal& refusal) {
    result->refusal = refusal;
    result->message = describe_refusal(refusal);
    return result.release();
}

zentab_result* convert(const char* text, size_t size, const zentab_options* options) {
    auto result = std::make_unique<zentab_result>();
    FrameOutcome outcome = frame_text(request_of(text, size, options));
    if (!outcome.ok()) {
        return refused(std::move(result), outcome.refusal);
    }
    result->text = std::move(outcome.text);
    return result.release();
}

zentab_result* convert_to(const char* text, size_t size, const zentab_options* options,
                          zentab_write write, void* context) {
    auto result = std::make_unique<zentab_result>();
    const FramePartWriter writer = [&](std::string_view part) {
        if (write != nullptr) {
            write(part.data(), part.size(), context);
        }
    };
    FrameOutcome outcome = frame_text_to(request_of(text, size, options), writer);
    if (!outcome.ok()) {
        return refused(std::move(result), outcome.refusal);
    }
    return result.release();
}

zentab_result* read(const char* text, size_t size, const zentab_options* options, bool frame) {
    auto result = std::make_unique<zentab_result>();
    FrameRequest request = request_of(text, size, options);
    if (frame) {
        request.from = TableFormat::Frame;
    }
    TableRead read = read_text(request);
    if (!read.ok()) {
        return refused(std::move(result), read.refusal);
    }
    result->table.table = std::move(read.table);
    result->hasTable = true;
    return result.release();
}

// No exception may cross into C: a failed allocation becomes a refusal.
template <typename Call>
zentab_result* guarded(Call call) {
    try {
        return call();
    } catch (...) {
        return &outOfMemory;
    }
}

// The words alone: the caller names the place its own way.
std::string words_of(Refusal refusal) {
    if (refusal.kind == RefusalKind::None) {
        return {};
    }
    refusal.line = 0;
    refusal.column = 0;
    return describe_refusal(refusal);
}

Refusal bad_document_request(int kind, int width, int padding) {
    Refusal refusal = refusal_of(RefusalKind::BadLayout);
    if (kind < 0 || kind > ZENTAB_DOCUMENT_TEXT) {
        refusal.found = kind;
    } else if (width < 0 || width > ZENTAB_WIDTH_WIDE) {
        refusal.found = width;
    } else if (padding < kDocumentPaddingAsKind) {
        refusal.found = padding;
    } else {
        return Refusal{};
    }
    return refusal;
}

std::string bad_document_words(int kind, int width, int padding) {
    if (kind < 0 || kind > ZENTAB_DOCUMENT_TEXT) {
        return "no such kind of document (" + std::to_string(kind) + ")";
    }
    if (width < 0 || width > ZENTAB_WIDTH_WIDE) {
        return "no such width model (" + std::to_string(width) + ")";
    }
    return "padding cannot be below -1, the kind's own (" + std::to_string(padding) + ")";
}

zentab_document* format(const char* text, size_t size, int kind, int width, int padding) {
    auto document = std::make_unique<zentab_document>();
    const Refusal bad = bad_document_request(kind, width, padding);
    if (bad.kind != RefusalKind::None) {
        document->outcome.refusal = bad;
        document->message = bad_document_words(kind, width, padding);
        return document.release();
    }
    DocumentRequest request;
    request.text = text != nullptr ? std::string_view(text, size) : std::string_view();
    request.kind = static_cast<DocumentKind>(kind);
    request.widthModel = static_cast<WidthModel>(width);
    request.padding = padding;
    document->outcome = format_document(request);
    document->message = words_of(document->outcome.refusal);
    document->tableMessages.reserve(document->outcome.tables.size());
    for (const DocumentTable& table : document->outcome.tables) {
        document->tableMessages.push_back(words_of(table.refusal));
    }
    return document.release();
}

const zentab_document& document_or_oom(const zentab_document* document) {
    return document != nullptr ? *document : outOfMemoryDocument;
}

// A table of the document, or null past its last.
const DocumentTable* table_of(const zentab_document* document, size_t table) {
    const std::vector<DocumentTable>& tables = document_or_oom(document).outcome.tables;
    return table < tables.size() ? &tables[table] : nullptr;
}

template <typename Value>
int set_enum(Value& field, int value, int last) {
    if (value < 0 || value > last) {
        return -1;
    }
    field = static_cast<Value>(value);
    return 0;
}

std::optional<ColumnAlign> column_align(char letter) {
    return named_value(kColumnAlignNames, std::string_view(&letter, 1));
}

// Allocates, so callers guard it; an exception leaves the options as they were.
int set_align(FrameRequest& request, std::string_view letters) {
    std::vector<ColumnAlign> align;
    align.reserve(letters.size());
    for (char letter : letters) {
        std::optional<ColumnAlign> placed = column_align(letter);
        if (!placed) {
            return -1;
        }
        align.push_back(*placed);
    }
    request.fit.align = std::move(align);
    return 0;
}

// A list kept as given once it reads; NULL or "" for none.
int set_column_list(std::string& kept, const char* given, bool (*valid)(std::string_view)) {
    const std::string_view list = given != nullptr ? given : "";
    if (!list.empty() && !valid(list)) {
        return -1;
    }
    kept = std::string(list);
    return 0;
}

int set_cell_widths(FrameRequest& request, const int* widths, size_t count) {
    if (count > 0 && widths == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < count; ++i) {
        if (widths[i] < 0) {
            return -1;
        }
    }
    request.fit.cellWidths.assign(widths, widths + count);
    return 0;
}

template <typename Setter>
int guarded_set(Setter set) {
    try {
        return set();
    } catch (...) {
        return -1;
    }
}

const zentab_result& result_or_oom(const zentab_result* result) {
    return result != nullptr ? *result : outOfMemory;
}

}  // namespace

extern "C" {

const char* zentab_version(void) {
    return ZENTAB_PROJECT_VERSION;
}

zentab_options* zentab_options_new(void) {
    return new (std::nothrow) zentab_options;
}

void zentab_options_free(zentab_options* options) {
    delete options;
}

int zentab_options_set_from(zentab_options* options, zentab_format from) {
    return set_enum(options->request.from, from, ZENTAB_FORMAT_JIRA);
}

int zentab_options_set_to(zentab_options* options, zentab_format to) {
    return set_enum(options->request.to, to, ZENTAB_FORMAT_JIRA);
}

int zentab_options_set_encoding(zentab_options* options, zentab_encoding encoding) {
    return set_enum(options->request.encoding, encoding, ZENTAB_ENCODING_CP932);
}

int zentab_options_set_width(zentab_options* options, zentab_width width) {
    return set_enum(options->request.widthModel, width, ZENTAB_WIDTH_WIDE);
}

int zentab_options_set_line_end(zentab_options* options, zentab_line_end line_end) {
    return set_enum(options->request.lineEnd, line_end, ZENTAB_LINE_END_CRLF);
}

int zentab_options_set_json_nested(zentab_options* options, zentab_json_nested nested) {
    return set_enum(options->request.jsonNested, nested, ZENTAB_JSON_NESTED_TEXT);
}

int zentab_options_set_frame_type(zentab_options* options, int frame_type) {
    options->request.frameType = frame_type;
    return 0;
}

int zentab_options_set_position(zentab_options* options, int position) {
    options->request.positionType = position;
    options->positionGiven = true;
    return 0;
}

int zentab_options_set_header(zentab_options* options, int header) {
    options->request.header = header != 0;
    return 0;
}

int zentab_options_set_frame_width(zentab_options* options, int columns) {
    if (columns < 0) {
        return -1;
    }
    options->request.fit.width = columns;
    return 0;
}

int zentab_options_set_cell_widths(zentab_options* options, const int* widths, size_t count) {
    return guarded_set([&] { return set_cell_widths(options->request, widths, count); });
}

int zentab_options_set_overflow(zentab_options* options, zentab_overflow overflow) {
    return set_enum(options->request.fit.overflow, overflow, ZENTAB_OVERFLOW_TRUNCATE);
}

int zentab_options_set_align(zentab_options* options, const char* letters) {
    const std::string_view given = letters != nullptr ? letters : "";
    return guarded_set([&] { return set_align(options->request, given); });
}

int zentab_options_set_padding(zentab_options* options, int spaces) {
    if (spaces < 0) {
        return -1;
    }
    options->request.fit.padding = spaces;
    return 0;
}

int zentab_options_set_table(zentab_options* options, int table) {
    if (table < 0) {
        return -1;
    }
    options->request.table = table;
    return 0;
}

int zentab_options_set_columns(zentab_options* options, const char* columns) {
    return guarded_set([&] {
        return set_column_list(options->request.shape.columns, columns, column_list_valid);
    });
}

int zentab_options_set_hide(zentab_options* options, const char* columns) {
    return guarded_set(
        [&] { return set_column_list(options->request.shape.hide, columns, column_list_valid); });
}

int zentab_options_set_sort(zentab_options* options, const char* keys) {
    return guarded_set(
        [&] { return set_column_list(options->request.shape.sort, keys, sort_keys_valid); });
}

int zentab_options_set_head(zentab_options* options, int64_t rows) {
    if (rows < -1) {
        return -1;
    }
    options->request.shape.head = rows;
    return 0;
}

int zentab_options_set_tail(zentab_options* options, int64_t rows) {
    if (rows < -1) {
        return -1;
    }
    options->request.shape.tail = rows;
    return 0;
}

int zentab_options_set_number(zentab_options* options, const char* styles) {
    return guarded_set([&] {
        return set_column_list(options->request.cellText.number, styles, number_list_valid);
    });
}

int zentab_options_set_group_char(zentab_options* options, const char* character) {
    return guarded_set([&] {
        const int set =
            set_column_list(options->request.cellText.groupChar, character, group_char_valid);
        if (set == 0 && options->request.cellText.groupChar.empty()) {
            options->request.cellText.groupChar = ",";
        }
        return set;
    });
}

int zentab_options_set_missing(zentab_options* options, const char* text) {
    return guarded_set([&] {
        return set_column_list(options->request.cellText.missing, text, missing_text_valid);
    });
}

int zentab_options_set_transpose(zentab_options* options, int transpose) {
    options->request.shape.transpose = transpose != 0;
    return 0;
}

int zentab_options_set_title(zentab_options* options, const char* title) {
    return guarded_set([&] {
        options->title = title != nullptr ? title : "";
        return 0;
    });
}

int zentab_options_set_footer(zentab_options* options, const char* footer) {
    return guarded_set([&] {
        options->footer = footer != nullptr ? footer : "";
        return 0;
    });
}

int zentab_options_set_title_align(zentab_options* options, zentab_title_align align) {
    return set_enum(options->request.titles.align, align, ZENTAB_TITLE_RIGHT);
}

int zentab_options_set_with_title(zentab_options* options, int with_title) {
    options->request.withTitle = with_title != 0;
    return 0;
}

int zentab_options_set_rules(zentab_options* options, zentab_rules rules) {
    return set_enum(options->request.fit.rules, rules, ZENTAB_RULES_NONE);
}

int zentab_options_set_layout(zentab_options* options, zentab_layout layout) {
    return set_enum(options->request.fit.layout, layout, ZENTAB_LAYOUT_AUTO);
}

zentab_result* zentab_convert(const char* text, size_t size, const zentab_options* options) {
    return guarded([&] { return convert(text, size, options); });
}

zentab_result* zentab_convert_to(const char* text, size_t size, const zentab_options* options,
                                 zentab_write write, void* context) {
    return guarded([&] { return convert_to(text, size, options, write, context); });
}

zentab_result* zentab_read(const char* text, size_t size, const zentab_options* options) {
    return guarded([&] { return read(text, size, options, false); });
}

zentab_result* zentab_unframe(const char* text, size_t size, const zentab_options* options) {
    return guarded([&] { return read(text, size, options, true); });
}

int zentab_result_ok(const zentab_result* result) {
    return result_or_oom(result).refusal.kind == RefusalKind::None ? 1 : 0;
}

const char* zentab_result_data(const zentab_result* result) {
    return result_or_oom(result).text.c_str();
}

size_t zentab_result_size(const zentab_result* result) {
    return result_or_oom(result).text.size();
}

zentab_refusal_kind zentab_result_refusal(const zentab_result* result) {
    return static_cast<zentab_refusal_kind>(result_or_oom(result).refusal.kind);
}

int64_t zentab_result_line(const zentab_result* result) {
    return result_or_oom(result).refusal.line;
}

int64_t zentab_result_column(const zentab_result* result) {
    return result_or_oom(result).refusal.column;
}

const char* zentab_result_message(const zentab_result* result) {
    return result_or_oom(result).message.c_str();
}

const zentab_table* zentab_result_table(const zentab_result* result) {
    const zentab_result& held = result_or_oom(result);
    return held.hasTable ? &held.table : nullptr;
}

void zentab_result_free(zentab_result* result) {
    if (result != &outOfMemory) {
        delete result;
    }
}

size_t zentab_table_rows(const zentab_table* table) {
    return table->table.rows().size();
}

size_t zentab_table_cells(const zentab_table* table, size_t row) {
    const Rows rows = table->table.rows();
    return row < rows.size() ? rows[row].size() : 0;
}

const char* zentab_table_cell(const zentab_table* table, size_t row, size_t column, size_t* size) {
    const Rows rows = table->table.rows();
    if (row >= rows.size() || column >= rows[row].size()) {
        if (size != nullptr) {
            *size = 0;
        }
        return nullptr;
    }
    const std::string_view text = rows[row][column].text;
    if (size != nullptr) {
        *size = text.size();
    }
    return text.data();
}

zentab_document* zentab_format_document(const char* text, size_t size, zentab_document_kind kind,
                                        zentab_width width, int padding) {
    try {
        return format(text, size, kind, width, padding);
    } catch (...) {
        return &outOfMemoryDocument;
    }
}

int zentab_document_ok(const zentab_document* document) {
    return document_or_oom(document).outcome.ok() ? 1 : 0;
}

zentab_refusal_kind zentab_document_refusal(const zentab_document* document) {
    return static_cast<zentab_refusal_kind>(document_or_oom(document).outcome.refusal.kind);
}

int64_t zentab_document_line(const zentab_document* document) {
    return document_or_oom(document).outcome.refusal.line;
}

int64_t zentab_document_column(const zentab_document* document) {
    return document_or_oom(document).outcome.refusal.column;
}

const char* zentab_document_message(const zentab_document* document) {
    return document_or_oom(document).message.c_str();
}

const char* zentab_document_data(const zentab_document* document) {
    return document_or_oom(document).outcome.text.c_str();
}

size_t zentab_document_size(const zentab_document* document) {
    return document_or_oom(document).outcome.text.size();
}

int zentab_document_changed(const zentab_document* document) {
    return document_or_oom(document).outcome.changed() ? 1 : 0;
}

size_t zentab_document_tables(const zentab_document* document) {
    return document_or_oom(document).outcome.tables.size();
}

int64_t zentab_document_table_line(const zentab_document* document, size_t table) {
    const DocumentTable* found = table_of(document, table);
    return found != nullptr ? found->line : 0;
}

int zentab_document_table_changes(const zentab_document* document, size_t table) {
    const DocumentTable* found = table_of(document, table);
    return found != nullptr && found->changes() ? 1 : 0;
}

zentab_refusal_kind zentab_document_table_refusal(const zentab_document* document, size_t table) {
    const DocumentTable* found = table_of(document, table);
    return static_cast<zentab_refusal_kind>(found != nullptr ? found->refusal.kind
                                                             : RefusalKind::None);
}

int64_t zentab_document_table_refusal_line(const zentab_document* document, size_t table) {
    const DocumentTable* found = table_of(document, table);
    return found != nullptr ? found->refusal.line : 0;
}

int64_t zentab_document_table_refusal_column(const zentab_document* document, size_t table) {
    const DocumentTable* found = table_of(document, table);
    return found != nullptr ? found->refusal.column : 0;
}

const char* zentab_document_table_message(const zentab_document* document, size_t table) {
    const zentab_document& held = document_or_oom(document);
    return table < held.tableMessages.size() ? held.tableMessages[table].c_str() : "";
}

void zentab_document_free(zentab_document* document) {
    if (document != &outOfMemoryDocument) {
        delete document;
    }
}

}  // extern "C"
