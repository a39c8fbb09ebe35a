#include "cli/options_request.h"

#include <optional>

#include "text/public_names.h"

namespace {

FrameFit fit_of(const CliOptions& options) {
    FrameFit fit;
    fit.width = options.width;
    fit.cellWidths = options.cellWidths;
    fit.overflow = options.overflow;
    for (char letter : options.align) {
        // The parser took only letters the table names.
        fit.align.push_back(
            named_value(kColumnAlignNames, std::string_view(&letter, 1)).value_or(ColumnAlign{}));
    }
    fit.padding = options.padding;
    fit.rules = options.rules;
    fit.layout = options.rowLayout;
    return fit;
}

}  // namespace

FrameRequest options_request(const CliOptions& options, std::string_view text) {
    FrameRequest request;
    request.text = text;
    request.encoding = options.encoding;
    request.from = options.from;
    request.to = options.to;
    request.frameType = options.frameType;
    // As the library: Markdown says an alignment only when one was asked for.
    request.positionType =
        options.positionGiven || options.to == TableFormat::Frame ? options.positionType : 0;
    request.widthModel = options.widthModel;
    request.lineEnd = options.crlf ? LineEnd::CrLf : LineEnd::Lf;
    request.jsonNested = options.jsonNested;
    request.header = options.header;
    request.table = options.table;
    request.fit = fit_of(options);
    request.shape = TableShape{options.columns, options.hide, options.sort,
                               options.head,    options.tail, options.transpose};
    request.cellText = CellText{options.number, options.groupChar, options.missing};
    request.titles = TableTitles{options.title, options.footer, options.titleAlign};
    request.withTitle = options.withTitle;
    return request;
}
