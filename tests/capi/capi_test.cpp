// The C interface against the text layer it wraps, and against itself run
// from many threads at once.
#include <gtest/gtest.h>
#include <zentab.h>

#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "options_state.h"
#include "table_testing.h"
#include "text/frame_text.h"
#include "text/formats/table_formats.h"

namespace {

struct Job {
    std::string input;  // csv
    FrameRequest request;
};

// What a conversion gave, whichever way it was asked.
struct Answer {
    std::string text;
    int kind = 0;
    int64_t line = 0;
    int64_t column = 0;
    std::string message;

    bool operator==(const Answer& other) const {
        return text == other.text && kind == other.kind && line == other.line &&
               column == other.column && message == other.message;
    }
};

using OptionsHandle = std::unique_ptr<zentab_options, decltype(&zentab_options_free)>;
using ResultHandle = std::unique_ptr<zentab_result, decltype(&zentab_result_free)>;

std::string letters_of(const std::vector<ColumnAlign>& align) {
    std::string letters;
    for (ColumnAlign placed : align) {
        letters += ".lrcd"[static_cast<int>(placed)];
    }
    return letters;
}

OptionsHandle options_of(const FrameRequest& request) {
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    zentab_options* set = options.get();
    EXPECT_EQ(zentab_options_set_from(set, static_cast<zentab_format>(request.from)), 0);
    EXPECT_EQ(zentab_options_set_to(set, static_cast<zentab_format>(request.to)), 0);
    EXPECT_EQ(zentab_options_set_width(set, static_cast<zentab_width>(request.widthModel)), 0);
    EXPECT_EQ(zentab_options_set_line_end(set, static_cast<zentab_line_end>(request.lineEnd)), 0);
    zentab_options_set_frame_type(set, request.frameType);
    zentab_options_set_position(set, request.positionType);
    zentab_options_set_header(set, request.header ? 1 : 0);
    EXPECT_EQ(zentab_options_set_frame_width(set, request.fit.width), 0);
    const std::vector<int> cellWidths(request.fit.cellWidths.begin(), request.fit.cellWidths.end());
    EXPECT_EQ(zentab_options_set_cell_widths(set, cellWidths.data(), cellWidths.size()), 0);
    EXPECT_EQ(zentab_options_set_overflow(set, static_cast<zentab_overflow>(request.fit.overflow)),
              0);
    EXPECT_EQ(zentab_options_set_align(set, letters_of(request.fit.align).c_str()), 0);
    EXPECT_EQ(zentab_options_set_padding(set, request.fit.padding), 0);
    EXPECT_EQ(zentab_options_set_rules(set, static_cast<zentab_rules>(request.fit.rules)), 0);
    EXPECT_EQ(zentab_options_set_layout(set, static_cast<zentab_layout>(request.fit.layout)), 0);
    EXPECT_EQ(zentab_options_set_columns(set, request.shape.columns.c_str()), 0);
    EXPECT_EQ(zentab_options_set_hide(set, request.shape.hide.c_str()), 0);
    EXPECT_EQ(zentab_options_set_sort(set, request.shape.sort.c_str()), 0);
    EXPECT_EQ(zentab_options_set_head(set, request.shape.head), 0);
    EXPECT_EQ(zentab_options_set_tail(set, request.shape.tail), 0);
    EXPECT_EQ(zentab_options_set_transpose(set, request.shape.transpose ? 1 : 0), 0);
    EXPECT_EQ(zentab_options_set_number(set, request.cellText.number.c_str()), 0);
    EXPECT_EQ(zentab_options_set_group_char(set, request.cellText.groupChar.c_str()), 0);
    EXPECT_EQ(zentab_options_set_missing(set, request.cellText.missing.c_str()), 0);
    return options;
}

Answer through_library(const Job& job) {
    OptionsHandle options = options_of(job.request);
    ResultHandle result(zentab_convert(job.input.data(), job.input.size(), options.get()),
                        &zentab_result_free);
    Answer answer;
    answer.text.assign(zentab_result_data(result.get()), zentab_result_size(result.get()));
    answer.kind = zentab_result_refusal(result.get());
    answer.line = zentab_result_line(result.get());
    answer.column = zentab_result_column(result.get());
    answer.message = zentab_result_message(result.get());
    EXPECT_EQ(zentab_result_ok(result.get()) != 0, answer.kind == ZENTAB_REFUSAL_NONE);
    return answer;
}

void append_part(const char* bytes, size_t size, void* context) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(bytes, size);
}

// zentab_convert_to's parts end to end, and how many there were.
Answer through_library_in_parts(const Job& job, size_t& parts) {
    OptionsHandle options = options_of(job.request);
    std::vector<std::string> written;
    ResultHandle result(
        zentab_convert_to(job.input.data(), job.input.size(), options.get(), append_part, &written),
        &zentab_result_free);
    Answer answer;
    for (const std::string& part : written) {
        EXPECT_FALSE(part.empty());
        answer.text += part;
    }
    parts = written.size();
    EXPECT_EQ(zentab_result_size(result.get()), 0U);
    answer.kind = zentab_result_refusal(result.get());
    answer.line = zentab_result_line(result.get());
    answer.column = zentab_result_column(result.get());
    answer.message = zentab_result_message(result.get());
    return answer;
}

Answer through_text_layer(const Job& job) {
    FrameRequest request = job.request;
    request.text = job.input;
    FrameOutcome outcome = frame_text(request);
    Answer answer;
    answer.text = outcome.text;
    answer.kind = static_cast<int>(outcome.refusal.kind);
    answer.line = outcome.refusal.line;
    answer.column = outcome.refusal.column;
    answer.message = outcome.ok() ? "" : describe_refusal(outcome.refusal);
    return answer;
}

std::string csv_of(const Texts& texts) {
    TableWrite written = write_table(table_of(texts), TableFormat::Csv, WriteOptions());
    EXPECT_TRUE(written.ok());
    return written.text;
}

// Widths from too narrow for any table to wider than most.
void random_layout(std::mt19937& random, FrameRequest& request) {
    request.fit.width = random() % 3 == 0 ? 0 : static_cast<int32_t>(random() % 40);
    request.fit.cellWidths.clear();
    for (size_t i = random() % 4; i > 0; --i) {
        request.fit.cellWidths.push_back(static_cast<int32_t>(random() % 6));
    }
    request.fit.overflow = random() % 2 == 0 ? Overflow::Wrap : Overflow::Truncate;
    request.fit.align.clear();
    for (size_t i = random() % 4; i > 0; --i) {
        request.fit.align.push_back(static_cast<ColumnAlign>(random() % 5));
    }
    request.fit.padding = static_cast<int32_t>(random() % 3);
    request.fit.rules = static_cast<RuleLines>(random() % 3);
    request.fit.layout = static_cast<RowLayout>(random() % 3);
}

// Columns by number, range or header text (some of none), rows sorted and cut.
void random_shape(std::mt19937& random, TableShape& shape) {
    const char* const items[] = {"1", "2", "3", "4", "2-3", "1-1", "a", "é", "日"};
    const char* const suffixes[] = {"", ":n", ":r", ":n:r"};
    shape.columns = random() % 3 == 0 ? items[random() % std::size(items)] : "";
    shape.hide = random() % 5 == 0 ? items[random() % std::size(items)] : "";
    shape.sort = random() % 2 == 0 ? std::string(items[random() % 4]) + suffixes[random() % 4] +
                                         "," + items[random() % 4]
                                   : "";
    shape.head = random() % 3 == 0 ? static_cast<int64_t>(random() % 4) : -1;
    shape.tail = random() % 4 == 0 ? static_cast<int64_t>(random() % 4) : -1;
    shape.transpose = random() % 6 == 0;
}

// Numbers formatted and empty cells filled, from a generator of its own so
// that the jobs' other choices stay as they were.
void random_cell_text(size_t job, CellText& cellText) {
    std::mt19937 random(static_cast<uint32_t>(job));
    const char* const styles[] = {"g", "-,.2", "g.1,g,.0", ".3"};
    const char* const groups[] = {",", ".", "'", "\xE2\x80\x89"};
    const char* const missing[] = {"", "-", "n/a", "\xE2\x80\x94"};
    cellText.number = random() % 3 == 0 ? "" : styles[random() % 4];
    cellText.groupChar = groups[random() % 4];
    cellText.missing = missing[random() % 4];
}

// Random tables, some ragged and some with cells a frame cannot hold, each
// written in one of several formats with random options.
std::vector<Job> random_jobs(size_t count) {
    std::mt19937 random(2026);
    const std::vector<std::string> pieces = {"a", " ", "é", "日", ",", "\"", "─", "", "|", "7"};
    const TableFormat targets[] = {TableFormat::Frame, TableFormat::Markdown, TableFormat::Json,
                                   TableFormat::Html,  TableFormat::RstGrid,  TableFormat::Aligned,
                                   TableFormat::Psv,   TableFormat::Jsonl};
    std::vector<Job> jobs;
    for (size_t i = 0; i < count; ++i) {
        Job job;
        job.input = csv_of(random_texts(random, pieces, 3, i % 10 == 0));
        job.request.from = TableFormat::Csv;
        job.request.to = targets[random() % std::size(targets)];
        job.request.frameType = i % 40 == 0 ? 0 : static_cast<int32_t>(1 + random() % 6);
        job.request.positionType = static_cast<int32_t>(1 + random() % 17);
        job.request.widthModel = random() % 2 == 0 ? WidthModel::Narrow : WidthModel::Wide;
        job.request.lineEnd = random() % 2 == 0 ? LineEnd::Lf : LineEnd::CrLf;
        job.request.header = random() % 2 == 0;
        if (random() % 2 == 0) {
            random_layout(random, job.request);
        }
        if (random() % 3 == 0) {
            random_shape(random, job.request.shape);
        }
        if (i % 3 == 1) {
            random_cell_text(i, job.request.cellText);
        }
        jobs.push_back(job);
    }
    return jobs;
}

TEST(CInterface, GivesWhatTheTextLayerGives) {
    const std::vector<Job> jobs = random_jobs(600);
    size_t written = 0;
    for (const Job& job : jobs) {
        const Answer answer = through_library(job);
        ASSERT_EQ(answer, through_text_layer(job)) << job.input;
        written += answer.kind == ZENTAB_REFUSAL_NONE ? 1 : 0;
    }
    // Refusals are compared too, but many jobs should be written.
    EXPECT_GT(written, jobs.size() / 3);
}

// Frames of many parts too: a table of thousands of rows in each reader
// that draws straight from its cells, and in one that does not.
TEST(CInterface, HandsOnInPartsWhatItGivesWhole) {
    std::vector<Job> jobs = random_jobs(600);
    for (TableFormat from :
         {TableFormat::Psv, TableFormat::Csv, TableFormat::Tsv, TableFormat::Markdown}) {
        Texts texts;
        for (int row = 0; row < 6000; ++row) {
            texts.push_back({"r" + std::to_string(row), "日本", std::to_string(row * 7919)});
        }
        Job job;
        job.input = write_table(table_of(texts), from, WriteOptions()).text;
        job.request.from = from;
        job.request.frameType = 1 + static_cast<int32_t>(from);
        job.request.fit.rules = from == TableFormat::Markdown ? RuleLines::Header : RuleLines::All;
        jobs.push_back(job);
    }
    size_t manyParts = 0;
    for (const Job& job : jobs) {
        size_t parts = 0;
        const Answer whole = through_library(job);
        ASSERT_EQ(through_library_in_parts(job, parts), whole) << job.input;
        if (whole.text.empty()) {
            EXPECT_EQ(parts, 0U) << job.input;
        }
        manyParts += parts > 2 ? 1 : 0;
    }
    EXPECT_GE(manyParts, 3U);
}

TEST(CInterface, GivesTheSameFromEightThreadsAsFromOne) {
    const std::vector<Job> jobs = random_jobs(300);
    std::vector<Answer> alone;
    for (const Job& job : jobs) {
        alone.push_back(through_library(job));
    }
    constexpr size_t kThreads = 8;
    std::vector<std::vector<Answer>> answers(kThreads, std::vector<Answer>(jobs.size()));
    std::vector<std::thread> threads;
    for (size_t t = 0; t < kThreads; ++t) {
        // Each thread starts at another job, so different work overlaps.
        threads.emplace_back([&, t] {
            for (size_t i = 0; i < jobs.size(); ++i) {
                const size_t at = (i + t * jobs.size() / kThreads) % jobs.size();
                answers[t][at] = through_library(jobs[at]);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t t = 0; t < kThreads; ++t) {
        for (size_t i = 0; i < jobs.size(); ++i) {
            ASSERT_EQ(answers[t][i], alone[i]) << "thread " << t << ", job " << i;
        }
    }
}

Texts cells_of(const zentab_table* table) {
    Texts texts(zentab_table_rows(table));
    for (size_t r = 0; r < texts.size(); ++r) {
        for (size_t c = 0; c < zentab_table_cells(table, r); ++c) {
            size_t size = 0;
            const char* cell = zentab_table_cell(table, r, c, &size);
            texts[r].emplace_back(cell, size);
        }
    }
    return texts;
}

TEST(CInterface, ReadsBackTheCellsOfItsFrames) {
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {"a", " ", "é", "日", ",", "7", ""};
    for (int round = 0; round < 300; ++round) {
        const Texts texts = random_texts(random, pieces, 3);
        Job job;
        job.input = csv_of(texts);
        job.request.from = TableFormat::Csv;
        job.request.frameType = static_cast<int32_t>(1 + round % 6);
        const Answer frame = through_library(job);
        ASSERT_EQ(frame.kind, ZENTAB_REFUSAL_NONE) << frame.message;
        ResultHandle read(zentab_unframe(frame.text.data(), frame.text.size(), nullptr),
                          &zentab_result_free);
        ASSERT_TRUE(zentab_result_ok(read.get())) << zentab_result_message(read.get());
        ASSERT_EQ(cells_of(zentab_result_table(read.get())), trimmed(texts)) << frame.text;

        ResultHandle csv(
            zentab_read(job.input.data(), job.input.size(), options_of(job.request).get()),
            &zentab_result_free);
        ASSERT_EQ(cells_of(zentab_result_table(csv.get())), texts) << job.input;
    }
}

TEST(CInterface, TablesAreEmptyPastTheirEnd) {
    ResultHandle read(zentab_read("a|b\n", 4, nullptr), &zentab_result_free);
    const zentab_table* table = zentab_result_table(read.get());
    size_t size = 9;
    EXPECT_EQ(zentab_table_cell(table, 0, 2, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(zentab_table_cells(table, 1), 0u);
    EXPECT_EQ(zentab_result_table(nullptr), nullptr);
    EXPECT_EQ(zentab_result_refusal(nullptr), ZENTAB_REFUSAL_OUT_OF_MEMORY);

    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    EXPECT_EQ(zentab_options_set_width(options.get(), ZENTAB_WIDTH_WIDE), 0);
    EXPECT_STREQ(zentab_version(), ZENTAB_VERSION);
}

// Numbers a C caller may pass where an enum is taken.
template <typename Enum>
Enum enum_from(int value) {
    return static_cast<Enum>(value);
}

// Each setter on fresh options: what it returns, and the request it leaves
// (a refused value leaves the defaults).
TEST(CInterface, LayoutSettersTakeTheirValuesAndRefuseOthers) {
    struct Case {
        const char* name;
        int (*set)(zentab_options*);
        int returned;
        void (*expect)(FrameRequest&);
    };
    const Case cases[] = {
        {"width 80", [](zentab_options* o) { return zentab_options_set_frame_width(o, 80); }, 0,
         [](FrameRequest& r) { r.fit.width = 80; }},
        {"width 0 is no limit",
         [](zentab_options* o) { return zentab_options_set_frame_width(o, 0); }, 0,
         [](FrameRequest&) {}},
        {"width -1", [](zentab_options* o) { return zentab_options_set_frame_width(o, -1); }, -1,
         [](FrameRequest&) {}},
        {"cell widths",
         [](zentab_options* o) {
             const int widths[] = {4, 0, 12};
             return zentab_options_set_cell_widths(o, widths, 3);
         },
         0,
         [](FrameRequest& r) {
             r.fit.cellWidths = {4, 0, 12};
         }},
        {"one cell width for every column",
         [](zentab_options* o) {
             const int width = 9;
             return zentab_options_set_cell_widths(o, &width, 1);
         },
         0, [](FrameRequest& r) { r.fit.cellWidths = {9}; }},
        {"no cell widths, NULL",
         [](zentab_options* o) { return zentab_options_set_cell_widths(o, nullptr, 0); }, 0,
         [](FrameRequest&) {}},
        {"cell widths NULL with a count",
         [](zentab_options* o) { return zentab_options_set_cell_widths(o, nullptr, 2); }, -1,
         [](FrameRequest&) {}},
        {"a negative cell width",
         [](zentab_options* o) {
             const int widths[] = {4, -1};
             return zentab_options_set_cell_widths(o, widths, 2);
         },
         -1, [](FrameRequest&) {}},
        {"truncate",
         [](zentab_options* o) { return zentab_options_set_overflow(o, ZENTAB_OVERFLOW_TRUNCATE); },
         0, [](FrameRequest& r) { r.fit.overflow = Overflow::Truncate; }},
        {"overflow 2",
         [](zentab_options* o) {
             return zentab_options_set_overflow(o, enum_from<zentab_overflow>(2));
         },
         -1, [](FrameRequest&) {}},
        {"overflow -1",
         [](zentab_options* o) {
             return zentab_options_set_overflow(o, enum_from<zentab_overflow>(-1));
         },
         -1, [](FrameRequest&) {}},
        {"align every letter",
         [](zentab_options* o) { return zentab_options_set_align(o, "lrcd."); }, 0,
         [](FrameRequest& r) {
             r.fit.align = {ColumnAlign::Left, ColumnAlign::Right, ColumnAlign::Centre,
                            ColumnAlign::Decimal, ColumnAlign::ByPosition};
         }},
        {"align in capitals", [](zentab_options* o) { return zentab_options_set_align(o, "DL"); },
         0,
         [](FrameRequest& r) {
             r.fit.align = {ColumnAlign::Decimal, ColumnAlign::Left};
         }},
        {"align NULL", [](zentab_options* o) { return zentab_options_set_align(o, nullptr); }, 0,
         [](FrameRequest&) {}},
        {"align empty", [](zentab_options* o) { return zentab_options_set_align(o, ""); }, 0,
         [](FrameRequest&) {}},
        {"align x", [](zentab_options* o) { return zentab_options_set_align(o, "lx"); }, -1,
         [](FrameRequest&) {}},
        {"align space", [](zentab_options* o) { return zentab_options_set_align(o, "l r"); }, -1,
         [](FrameRequest&) {}},
        {"padding 2", [](zentab_options* o) { return zentab_options_set_padding(o, 2); }, 0,
         [](FrameRequest& r) { r.fit.padding = 2; }},
        {"padding -1", [](zentab_options* o) { return zentab_options_set_padding(o, -1); }, -1,
         [](FrameRequest&) {}},
        {"rules header",
         [](zentab_options* o) { return zentab_options_set_rules(o, ZENTAB_RULES_HEADER); }, 0,
         [](FrameRequest& r) { r.fit.rules = RuleLines::Header; }},
        {"rules none",
         [](zentab_options* o) { return zentab_options_set_rules(o, ZENTAB_RULES_NONE); }, 0,
         [](FrameRequest& r) { r.fit.rules = RuleLines::None; }},
        {"rules 3",
         [](zentab_options* o) { return zentab_options_set_rules(o, enum_from<zentab_rules>(3)); },
         -1, [](FrameRequest&) {}},
    };
    for (const Case& c : cases) {
        OptionsHandle options(zentab_options_new(), &zentab_options_free);
        EXPECT_EQ(c.set(options.get()), c.returned) << c.name;
        FrameRequest expected;
        c.expect(expected);
        const FrameRequest& got = options->request;
        EXPECT_EQ(got.fit.width, expected.fit.width) << c.name;
        EXPECT_EQ(got.fit.cellWidths, expected.fit.cellWidths) << c.name;
        EXPECT_EQ(got.fit.overflow, expected.fit.overflow) << c.name;
        EXPECT_EQ(got.fit.align, expected.fit.align) << c.name;
        EXPECT_EQ(got.fit.padding, expected.fit.padding) << c.name;
        EXPECT_EQ(got.fit.rules, expected.fit.rules) << c.name;
    }
}

TEST(CInterface, LayoutOfRowsTakesItsThreeValuesAndRefusesOthers) {
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    for (int layout : {ZENTAB_LAYOUT_TABLE, ZENTAB_LAYOUT_RECORDS, ZENTAB_LAYOUT_AUTO}) {
        EXPECT_EQ(zentab_options_set_layout(options.get(), static_cast<zentab_layout>(layout)), 0);
        EXPECT_EQ(static_cast<int>(options->request.fit.layout), layout);
    }
    for (int bad : {-1, 3, 100}) {
        EXPECT_EQ(zentab_options_set_layout(options.get(), static_cast<zentab_layout>(bad)), -1);
        EXPECT_EQ(options->request.fit.layout, RowLayout::Auto);
    }
}

TEST(CInterface, ShapeSettersTakeListsThatReadAndRefuseOthers) {
    struct Case {
        const char* list;
        int columns;  // what set_columns and set_hide return
        int sort;
    };
    const Case cases[] = {
        {"", 0, 0},       {"1", 0, 0},        {"3,1,Price", 0, 0}, {"2-4", 0, -1},
        {"4-2", -1, -1},  {"0", -1, -1},      {"1,,2", -1, -1},    {",", -1, -1},
        {"a:b", 0, 0},    {"2:n", 0, 0},      {"2:n:r", 0, 0},     {"2:r:n", 0, 0},
        {"2:n:n", 0, -1}, {"Name:r,1", 0, 0}, {"1-", 0, 0},        {"-2", 0, 0},
    };
    for (const Case& c : cases) {
        OptionsHandle options(zentab_options_new(), &zentab_options_free);
        EXPECT_EQ(zentab_options_set_columns(options.get(), c.list), c.columns) << c.list;
        EXPECT_EQ(zentab_options_set_hide(options.get(), c.list), c.columns) << c.list;
        EXPECT_EQ(zentab_options_set_sort(options.get(), c.list), c.sort) << c.list;
        EXPECT_EQ(options->request.shape.columns, c.columns == 0 ? c.list : "") << c.list;
        EXPECT_EQ(options->request.shape.sort, c.sort == 0 ? c.list : "") << c.list;
    }
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    EXPECT_EQ(zentab_options_set_head(options.get(), -2), -1);
    EXPECT_EQ(zentab_options_set_tail(options.get(), 5), 0);
    EXPECT_EQ(zentab_options_set_columns(options.get(), nullptr), 0);
    const std::string table = "a,b\n1,2\n";
    ResultHandle result(zentab_convert(table.data(), table.size(), nullptr), &zentab_result_free);
    zentab_options_set_from(options.get(), ZENTAB_FORMAT_CSV);
    zentab_options_set_columns(options.get(), "c");
    result.reset(zentab_convert(table.data(), table.size(), options.get()));
    EXPECT_EQ(zentab_result_refusal(result.get()), ZENTAB_REFUSAL_NO_SUCH_COLUMN);
    EXPECT_STREQ(zentab_result_message(result.get()), "no column is named 'c' in the header");
}

TEST(CInterface, CellTextSettersTakeWhatReadsAndKeepTheValueBeforeOnRefusal) {
    struct Case {
        const char* value;
        int number;
        int group;
        int missing;
    };
    const Case cases[] = {
        {"g,.2,-", 0, -1, 0}, {"g.21", -1, -1, 0},  {"'", -1, 0, 0},
        {"7", -1, -1, 0},     {"a\tb", -1, -1, -1}, {"\xC3", -1, -1, -1},
    };
    for (const Case& c : cases) {
        OptionsHandle options(zentab_options_new(), &zentab_options_free);
        ASSERT_EQ(zentab_options_set_number(options.get(), "g"), 0);
        ASSERT_EQ(zentab_options_set_group_char(options.get(), "_"), 0);
        ASSERT_EQ(zentab_options_set_missing(options.get(), "?"), 0);
        EXPECT_EQ(zentab_options_set_number(options.get(), c.value), c.number) << c.value;
        EXPECT_EQ(zentab_options_set_group_char(options.get(), c.value), c.group) << c.value;
        EXPECT_EQ(zentab_options_set_missing(options.get(), c.value), c.missing) << c.value;
        const CellText& kept = options->request.cellText;
        EXPECT_EQ(kept.number, c.number == 0 ? c.value : "g") << c.value;
        EXPECT_EQ(kept.groupChar, c.group == 0 ? c.value : "_") << c.value;
        EXPECT_EQ(kept.missing, c.missing == 0 ? c.value : "?") << c.value;
    }
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    ASSERT_EQ(zentab_options_set_group_char(options.get(), "'"), 0);
    EXPECT_EQ(zentab_options_set_group_char(options.get(), nullptr), 0);
    EXPECT_EQ(options->request.cellText.groupChar, ",");
    zentab_options_set_from(options.get(), ZENTAB_FORMAT_CSV);
    zentab_options_set_to(options.get(), ZENTAB_FORMAT_CSV);
    zentab_options_set_number(options.get(), "g.2");
    zentab_options_set_missing(options.get(), "-");
    const std::string table = "a,b\n1234.565,\n";
    ResultHandle result(zentab_convert(table.data(), table.size(), options.get()),
                        &zentab_result_free);
    EXPECT_EQ(std::string(zentab_result_data(result.get()), zentab_result_size(result.get())),
              "a,b\n\"1,234.56\",-\n");
}

// A refused value keeps what an earlier call set, not only the defaults.
TEST(CInterface, ARefusedLayoutValueKeepsTheOneBefore) {
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    const int widths[] = {3, 5};
    const int bad[] = {3, -5};
    ASSERT_EQ(zentab_options_set_cell_widths(options.get(), widths, 2), 0);
    ASSERT_EQ(zentab_options_set_align(options.get(), "rd"), 0);
    EXPECT_EQ(zentab_options_set_cell_widths(options.get(), bad, 2), -1);
    EXPECT_EQ(zentab_options_set_align(options.get(), "r?"), -1);
    EXPECT_EQ(options->request.fit.cellWidths, (std::vector<int32_t>{3, 5}));
    EXPECT_EQ(options->request.fit.align,
              (std::vector<ColumnAlign>{ColumnAlign::Right, ColumnAlign::Decimal}));
}

}  // namespace

// Random titles, footers and alignments set through the C setters draw what
// the text layer draws for the same request, and are kept as copies.
TEST(CInterface, TitleSettersDrawWhatTheTextLayerDraws) {
    std::mt19937 random(33);
    const char* words[] = {"a", "Total", "\xE6\xBC\xA2\xE5\xAD\x97", "\xF0\x9F\x98\x80", "x y"};
    for (int i = 0; i < 200; ++i) {
        std::string title;
        std::string footer;
        for (int w = static_cast<int>(random() % 8); w > 0; --w) {
            title += std::string(title.empty() ? "" : " ") + words[random() % 5];
        }
        for (int w = static_cast<int>(random() % 3); w > 0; --w) {
            footer += std::string(footer.empty() ? "" : " ") + words[random() % 5];
        }
        const auto align = static_cast<zentab_title_align>(random() % 3);
        const std::string table = "a|bb\n1|2\n";
        OptionsHandle options(zentab_options_new(), &zentab_options_free);
        std::string given = title;
        ASSERT_EQ(zentab_options_set_title(options.get(), given.c_str()), 0);
        given.assign(given.size(), 'x');  // the options hold their own copy
        ASSERT_EQ(zentab_options_set_footer(options.get(), footer.c_str()), 0);
        ASSERT_EQ(zentab_options_set_title_align(options.get(), align), 0);
        zentab_options_set_frame_type(options.get(), 1 + static_cast<int>(random() % 6));
        ResultHandle result(zentab_convert(table.data(), table.size(), options.get()),
                            &zentab_result_free);
        FrameRequest request = options->request;
        request.text = table;
        request.titles.title = title;
        request.titles.footer = footer;
        EXPECT_EQ(std::string(zentab_result_data(result.get()), zentab_result_size(result.get())),
                  frame_text(request).text)
            << title;
    }
    OptionsHandle options(zentab_options_new(), &zentab_options_free);
    EXPECT_EQ(zentab_options_set_title_align(options.get(), static_cast<zentab_title_align>(3)),
              -1);
    zentab_options_set_title(options.get(), "T");
    zentab_options_set_to(options.get(), ZENTAB_FORMAT_CSV);
    const std::string table = "a|b\n";
    ResultHandle result(zentab_convert(table.data(), table.size(), options.get()),
                        &zentab_result_free);
    EXPECT_EQ(zentab_result_refusal(result.get()), ZENTAB_REFUSAL_NO_CAPTION);
    zentab_options_set_title(options.get(), nullptr);
    zentab_options_set_to(options.get(), ZENTAB_FORMAT_JSON);
    zentab_options_set_with_title(options.get(), 1);
    result.reset(zentab_convert(table.data(), table.size(), options.get()));
    EXPECT_EQ(std::string(zentab_result_data(result.get()), zentab_result_size(result.get())),
              "{\"rows\":[\n]}\n");
}
