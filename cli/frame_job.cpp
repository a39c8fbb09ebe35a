#include "cli/frame_job.h"

#include <zentab.h>

#include <memory>
#include <vector>

#include "cli/raw_job.h"
#include "cli/stream_io.h"

namespace {

JobOutput failure(std::string message) {
    JobOutput job;
    job.err = "zentab: " + message + "\n";
    job.exitCode = 1;
    return job;
}

void set_layout(zentab_options* set, const CliOptions& options) {
    zentab_options_set_frame_width(set, options.width);
    const std::vector<int> cellWidths(options.cellWidths.begin(), options.cellWidths.end());
    zentab_options_set_cell_widths(set, cellWidths.data(), cellWidths.size());
    zentab_options_set_overflow(set, static_cast<zentab_overflow>(options.overflow));
    zentab_options_set_align(set, options.align.c_str());
    zentab_options_set_padding(set, options.padding);
    zentab_options_set_rules(set, static_cast<zentab_rules>(options.rules));
    zentab_options_set_layout(set, static_cast<zentab_layout>(options.rowLayout));
}

}  // namespace

LibraryOptions library_options(const CliOptions& options) {
    LibraryOptions handle(zentab_options_new(), &zentab_options_free);
    zentab_options* set = handle.get();
    if (set == nullptr) {
        return handle;
    }
    zentab_options_set_from(set, static_cast<zentab_format>(options.from));
    zentab_options_set_to(set, static_cast<zentab_format>(options.to));
    zentab_options_set_encoding(set, static_cast<zentab_encoding>(options.encoding));
    zentab_options_set_width(set, static_cast<zentab_width>(options.widthModel));
    zentab_options_set_line_end(set, options.crlf ? ZENTAB_LINE_END_CRLF : ZENTAB_LINE_END_LF);
    zentab_options_set_json_nested(set, static_cast<zentab_json_nested>(options.jsonNested));
    zentab_options_set_frame_type(set, options.frameType);
    if (options.positionGiven || options.to == TableFormat::Frame) {
        zentab_options_set_position(set, options.positionType);
    }
    zentab_options_set_header(set, options.header ? 1 : 0);
    zentab_options_set_table(set, options.table);
    set_layout(set, options);
    zentab_options_set_columns(set, options.columns.c_str());
    zentab_options_set_hide(set, options.hide.c_str());
    zentab_options_set_sort(set, options.sort.c_str());
    zentab_options_set_head(set, options.head);
    zentab_options_set_tail(set, options.tail);
    zentab_options_set_transpose(set, options.transpose ? 1 : 0);
    zentab_options_set_number(set, options.number.c_str());
    zentab_options_set_group_char(set, options.groupChar.c_str());
    zentab_options_set_missing(set, options.missing.c_str());
    zentab_options_set_title(set, options.title.c_str());
    zentab_options_set_footer(set, options.footer.c_str());
    zentab_options_set_title_align(set, static_cast<zentab_title_align>(options.titleAlign));
    zentab_options_set_with_title(set, options.withTitle ? 1 : 0);
    return handle;
}

struct StreamedOutput {
    int fd;
    std::string error;  // the first failure; later parts are dropped
};

void write_part(const char* bytes, size_t size, void* context) {
    auto* out = static_cast<StreamedOutput*>(context);
    if (out->error.empty()) {
        out->error = write_all(out->fd, std::string_view(bytes, size));
    }
}

JobOutput frame_job(const CliOptions& options, std::string_view input, int outFd) {
    if (options.raw) {
        CommandAnswer raw = raw_job(options, input);
        JobOutput job;
        job.text = std::move(raw.out);
        job.err = std::move(raw.err);
        job.exitCode = raw.status;
        return job;
    }
    LibraryOptions set = library_options(options);
    if (!set) {
        return failure("out of memory");
    }
    StreamedOutput streamed{outFd, {}};
    zentab_result* made =
        outFd >= 0 ? zentab_convert_to(input.data(), input.size(), set.get(), write_part, &streamed)
                   : zentab_convert(input.data(), input.size(), set.get());
    std::shared_ptr<zentab_result> result(made, &zentab_result_free);
    if (!zentab_result_ok(result.get())) {
        return failure(zentab_result_message(result.get()));
    }
    JobOutput job;
    job.result = std::move(result);
    job.writeError = std::move(streamed.error);
    return job;
}

std::string_view JobOutput::out() const {
    if (result) {
        return {zentab_result_data(result.get()), zentab_result_size(result.get())};
    }
    return text;
}
