// Tables as people paste them from database shells, documents and commands,
// written by hand in each style, read to their cells.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "table_testing.h"
#include "text/formats/table_formats.h"

namespace {

struct PastedCase {
    const char* file;
    TableFormat from;
    Texts cells;
};

void PrintTo(const PastedCase& c, std::ostream* os) {
    *os << c.file;
}

std::string fixture(const std::string& file) {
    std::ifstream in(std::string(ZENTAB_FIXTURES) + "/" + file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class PastedTable : public ::testing::TestWithParam<PastedCase> {};

TEST_P(PastedTable, GivesCells) {
    const PastedCase& c = GetParam();
    const std::string text = fixture(c.file);
    ASSERT_FALSE(text.empty()) << c.file;
    TableRead read = read_table(text, c.from, TextEncoding::Utf8, WidthModel::Narrow);
    ASSERT_TRUE(read.ok()) << static_cast<int>(read.refusal.kind) << " at " << read.refusal.line
                           << ":" << read.refusal.column;
    EXPECT_EQ(texts_of(read.table), c.cells) << describe(texts_of(read.table));
}

constexpr TableFormat kFrame = TableFormat::Frame;
constexpr TableFormat kAligned = TableFormat::Aligned;

const Texts kFruit = {{"Name", "Kg"}, {"pear", "2"}, {"fig", "10"}};
const Texts kTwoLines = {
    {"id", "name", "note"}, {"1", "pear\ntree", "ripe\nsoon"}, {"2", "fig", "dry"}};

const Texts kCaptured = {
    {"id", "name", "note"}, {"1", "pear", "ripe\nsoon"}, {"2", "fig", "dry"}, {"10", "", ""}};
const Texts kCapturedWrapped = {
    {"id", "note"}, {"1", "a long note that wraps over several lines"}, {"2", "short"}};

// Written by scripts/capture-psql-fixtures.sh from the shell itself.
INSTANTIATE_TEST_SUITE_P(
    Captured, PastedTable,
    ::testing::Values(PastedCase{"psql_captured_border0.txt", kFrame, kCaptured},
                      PastedCase{"psql_captured_border1.txt", kFrame, kCaptured},
                      PastedCase{"psql_captured_border2.txt", kFrame, kCaptured},
                      PastedCase{"psql_captured_old_ascii.txt", kFrame, kCaptured},
                      PastedCase{"psql_captured_wrapped.txt", kFrame, kCapturedWrapped},
                      PastedCase{"psql_captured_wrapped_border2.txt", kFrame, kCapturedWrapped}),
    [](const auto& testCase) {
        std::string name = testCase.param.file;
        return name.substr(0, name.find('.'));
    });

INSTANTIATE_TEST_SUITE_P(
    Styles, PastedTable,
    ::testing::Values(
        PastedCase{"psql_border1.txt",
                   kFrame,
                   {{"id", "name", "note"}, {"1", "pear", "ripe"}, {"2", "fig", ""}}},
        PastedCase{"psql_border1_multiline.txt", kFrame, kTwoLines},
        PastedCase{"psql_border0_multiline.txt", kFrame, kTwoLines},
        PastedCase{"psql_border2_wrapped.txt",
                   kFrame,
                   {{"id", "note"}, {"1", "a long note here"}, {"2", "short"}}},
        PastedCase{
            "psql_old_ascii.txt", kFrame, {{"id", "note"}, {"1", "one\ntwo"}, {"2", "three"}}},
        PastedCase{"mysql.txt", kFrame, {{"id", "name"}, {"1", "pear"}, {"2", "NULL"}}},
        PastedCase{"rst_grid.txt", kFrame, kFruit}, PastedCase{"rst_simple.txt", kFrame, kFruit},
        PastedCase{"org.txt", kFrame, kFruit}, PastedCase{"simple.txt", kFrame, kFruit},
        PastedCase{"box_jointless_ends.txt", kFrame, {{"Name", "Kg"}, {"pear", "2"}}},
        PastedCase{"ps_aux.txt",
                   kAligned,
                   {{"USER", "PID", "%CPU", "%MEM", "VSZ", "RSS", "TTY", "STAT", "START", "TIME",
                     "COMMAND"},
                    {"root", "1", "0.0", "0.1", "168000", "11800", "?", "Ss", "Dec07", "0:04",
                     "/sbin/init splash"},
                    {"alice", "123456", "1.5", "2.0", "2345678", "654321", "pts/0", "Sl+", "10:01",
                     "12:34", "python3 -m http.server 8000"},
                    {"www-data", "812", "0.0", "0.0", "55280", "1536", "?", "S", "Dec07", "0:00",
                     "nginx: worker process"}}},
        PastedCase{"df_h.txt",
                   kAligned,
                   {{"Filesystem", "Size", "Used", "Avail", "Use%", "Mounted on"},
                    {"udev", "7.8G", "0", "7.8G", "0%", "/dev"},
                    {"/dev/nvme0n1p2", "468G", "301G", "144G", "68%", "/"},
                    {"tmpfs", "1.6G", "2.3M", "1.6G", "1%", "/run"},
                    {"//nas/share", "12T", "9.1T", "2.9T", "76%", "/mnt/nas-share"}}},
        PastedCase{"docker_ps.txt",
                   kAligned,
                   {{"CONTAINER ID", "IMAGE", "COMMAND", "CREATED", "STATUS", "PORTS", "NAMES"},
                    {"3f4e8a9b2c1d", "nginx:latest", "\"/docker-entrypoint.…\"", "2 hours ago",
                     "Up 2 hours", "0.0.0.0:80->80/tcp", "web"},
                    {"a1b2c3d4e5f6", "redis:7", "\"docker-entrypoint.s…\"", "3 days ago",
                     "Exited (0) 3 days ago", "", "cache"}}},
        PastedCase{"kubectl_pods.txt",
                   kAligned,
                   {{"NAME", "READY", "STATUS", "RESTARTS", "AGE"},
                    {"api-7d9f8c6b5-x2kqz", "1/1", "Running", "0", "3d4h"},
                    {"worker-5c6d7e8f9-abcde", "0/1", "CrashLoopBackOff", "12 (2m ago)", "1h"}}}),
    [](const auto& testCase) {
        std::string name = testCase.param.file;
        return name.substr(0, name.find('.'));
    });

}  // namespace
