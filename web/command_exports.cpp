// The zentab command run inside the npm package's module, for its `zentab`
// bin: the command's own parser, messages and exit statuses (cli/), with the
// input handed over by the caller. Also the names every face shares
// (text/public_names.h), for the package's JavaScript.
//
// The caller writes into the buffer, as UTF-8 fields each ended by NUL:
// ZENTAB_AMBIGUOUS, $COLUMNS (or the terminal's width), then the arguments;
// zentab_command_start answers or asks for the input (the file to read, "-"
// for standard input, in the output). The caller then writes the input into
// the buffer and calls zentab_command_finish.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/memory_command.h"
#include "text/public_names.h"

#define ZENTAB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string gBuffer;
std::string gColumns;
CliOptions gOptions;
CommandAnswer gAnswer;
std::string gNames;

// The module holds the readers and writers of the formats up to frame in the
// table (ZENTAB_PAGE_FORMATS): the others are refused before any input is read.
bool in_module(TableFormat format) {
    return static_cast<int>(format) <= static_cast<int>(TableFormat::Frame);
}

std::optional<CommandAnswer> refuse_outside_module(const CliOptions& options) {
    if (in_module(options.from) && in_module(options.to)) {
        return std::nullopt;
    }
    std::string held;
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        if (in_module(named.value)) {
            held += (held.empty() ? "" : ", ") + std::string(named.name);
        }
    }
    const TableFormat outside = in_module(options.from) ? options.to : options.from;
    std::string name;
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        if (named.value == outside) {
            name = named.name;
        }
    }
    return usage_error(name + " is the zentab command's; this package's zentab reads and writes " +
                       held);
}

std::vector<std::string> fields_of(const std::string& buffer) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end = buffer.find('\0'); end != std::string::npos; end = buffer.find('\0', start)) {
        fields.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

}  // namespace

ZENTAB_EXPORT char* zentab_command_buffer(uint32_t size) {
    gBuffer.resize(size);
    return gBuffer.data();
}

// -1 when the command reads its input next, else the exit status it answered
// with.
ZENTAB_EXPORT int32_t zentab_command_start() {
    std::vector<std::string> fields = fields_of(gBuffer);
    fields.resize(std::max<size_t>(fields.size(), 2));
    gColumns = fields[1];
    const std::vector<std::string> args(fields.begin() + 2, fields.end());
    MemoryStart start =
        start_memory_command(args, fields[0].empty() ? nullptr : fields[0].c_str(), ZENTAB_VERSION);
    gOptions = std::move(start.options);
    if (!start.answer) {
        start.answer = refuse_outside_module(gOptions);
    }
    if (start.answer) {
        gAnswer = std::move(*start.answer);
        return gAnswer.status;
    }
    gAnswer = CommandAnswer{0, gOptions.file, {}};
    return -1;
}

// inputSize: of the regular file read, or -1 for a stream. The exit status.
ZENTAB_EXPORT int32_t zentab_command_finish(double inputSize) {
    gAnswer = finish_memory_command(gOptions, gBuffer, static_cast<int64_t>(inputSize),
                                    gColumns.empty() ? nullptr : gColumns.c_str());
    gBuffer = std::string();
    return gAnswer.status;
}

ZENTAB_EXPORT const char* zentab_command_out() {
    return gAnswer.out.data();
}
ZENTAB_EXPORT uint32_t zentab_command_out_size() {
    return static_cast<uint32_t>(gAnswer.out.size());
}
ZENTAB_EXPORT const char* zentab_command_err() {
    return gAnswer.err.data();
}
ZENTAB_EXPORT uint32_t zentab_command_err_size() {
    return static_cast<uint32_t>(gAnswer.err.size());
}

ZENTAB_EXPORT const char* zentab_names() {
    if (gNames.empty()) {
        gNames = public_names_json();
    }
    return gNames.data();
}
ZENTAB_EXPORT uint32_t zentab_names_size() {
    zentab_names();
    return static_cast<uint32_t>(gNames.size());
}
