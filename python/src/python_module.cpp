// The Python face of the text layer: strings and rows in, frames, converted
// text and cells out; refusals become zentab.RefusedError.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/frame_command.h"
#include "text/documents/document.h"
#include "text/frame_text.h"
#include "text/public_names.h"
#include "text/text_check.h"
#include "text/formats/table_formats.h"

namespace py = pybind11;

namespace {

std::string kind_name(RefusalKind kind) {
    return std::string(refusal_kind_name(kind));
}

// Raised from Python's own class, so the package defines it once and callers
// catch it as a ValueError.
[[noreturn]] void raise_refusal(const Refusal& refusal) {
    py::object error_class = py::module_::import("zentab._errors").attr("RefusedError");
    py::object error = error_class(describe_refusal(refusal), kind_name(refusal.kind), refusal.line,
                                   refusal.column);
    PyErr_SetObject(error_class.ptr(), error.ptr());
    throw py::error_already_set();
}

// A request without its text, and the title and footer its titles view.
struct Settings {
    FrameRequest request;
    std::string title;
    std::string footer;
};

FrameRequest request_of(const Settings& settings, std::string_view text) {
    FrameRequest request = settings.request;
    request.text = text;
    request.titles.title = settings.title;
    request.titles.footer = settings.footer;
    return request;
}

py::str convert_text(const std::string& text, const Settings& settings) {
    FrameOutcome outcome;
    {
        py::gil_scoped_release released;
        outcome = frame_text(request_of(settings, text));
    }
    if (!outcome.ok()) {
        raise_refusal(outcome.refusal);
    }
    return py::str(outcome.text);
}

std::vector<std::vector<std::string>> read_cells(const std::string& text,
                                                 const Settings& settings) {
    TableRead read;
    {
        py::gil_scoped_release released;
        read = read_text(request_of(settings, text));
    }
    if (!read.ok()) {
        raise_refusal(read.refusal);
    }
    std::vector<std::vector<std::string>> rows;
    rows.reserve(read.table.rows().size());
    for (const Row& row : read.table.rows()) {
        std::vector<std::string> cells;
        cells.reserve(row.size());
        for (const Cell cell : row) {
            cells.emplace_back(cell.text);
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

// A cell given as a Python object has no place in any text: its row and its
// index in the row, both from 1, stand for line and column.
Refusal check_cell(std::string_view text, int64_t row, int64_t column) {
    TextCheck check = check_utf8_text(text);
    Refusal refusal;
    if (check.fault == TextFault::Control) {
        refusal.kind = RefusalKind::ControlCharacter;
        refusal.line = row;
        refusal.column = column;
        refusal.codePoint = check.codePoint;
    }
    return refusal;
}

TableWrite write_rows(const std::vector<std::vector<std::string>>& rows, const Settings& settings) {
    TableWrite written;
    Table table;
    for (size_t r = 0; r < rows.size() && written.ok(); ++r) {
        for (size_t c = 0; c < rows[r].size() && written.ok(); ++c) {
            const auto row = static_cast<int64_t>(r + 1);
            const auto column = static_cast<int64_t>(c + 1);
            written.refusal = check_cell(rows[r][c], row, column);
            table.add_cell(rows[r][c], Table::given_place(row, column));
        }
        table.end_row();
    }
    if (!written.ok()) {
        return written;
    }
    if (table.rows().empty()) {
        written.refusal = refusal_of(RefusalKind::NoCells);
        return written;
    }
    FrameOutcome outcome = frame_table(table, request_of(settings, std::string_view()));
    written.text = std::move(outcome.text);
    written.refusal = outcome.refusal;
    return written;
}

py::str frame_rows(const std::vector<std::vector<std::string>>& rows, const Settings& settings) {
    TableWrite written;
    {
        py::gil_scoped_release released;
        written = write_rows(rows, settings);
    }
    if (!written.ok()) {
        raise_refusal(written.refusal);
    }
    return py::str(written.text);
}

FrameFit fit_of(const py::tuple& given) {
    FrameFit fit;
    if (given.empty()) {
        return fit;
    }
    fit.width = given[0].cast<int32_t>();
    fit.cellWidths = given[1].cast<std::vector<int32_t>>();
    fit.overflow = static_cast<Overflow>(given[2].cast<int>());
    for (int placed : given[3].cast<std::vector<int>>()) {
        fit.align.push_back(static_cast<ColumnAlign>(placed));
    }
    fit.padding = given[4].cast<int32_t>();
    fit.rules = static_cast<RuleLines>(given[5].cast<int>());
    fit.layout = static_cast<RowLayout>(given[6].cast<int>());
    return fit;
}

// () or (columns, hide, sort, head, tail, transpose), the lists joined by
// commas; a list that cannot be read raises ValueError as the command says it.
TableShape shape_of(const py::tuple& given) {
    TableShape shape;
    if (given.empty()) {
        return shape;
    }
    shape.columns = given[0].cast<std::string>();
    shape.hide = given[1].cast<std::string>();
    shape.sort = given[2].cast<std::string>();
    shape.head = given[3].cast<int64_t>();
    shape.tail = given[4].cast<int64_t>();
    shape.transpose = given[5].cast<bool>();
    const std::pair<const char*, const std::string*> lists[] = {{"columns", &shape.columns},
                                                                {"hide", &shape.hide}};
    for (const auto& [name, list] : lists) {
        if (!list->empty() && !column_list_valid(*list)) {
            throw py::value_error(std::string("invalid ") + name + " '" + *list +
                                  "' (use columns by number from 1, ranges such as 2-4 or "
                                  "header texts)");
        }
    }
    if (!shape.sort.empty() && !sort_keys_valid(shape.sort)) {
        throw py::value_error("invalid sort '" + shape.sort +
                              "' (use columns by number or header, each followed by :n for "
                              "numbers or :r to reverse)");
    }
    return shape;
}

// () or (number, group_char, missing); a value that cannot be read raises
// ValueError as the command says it.
CellText cell_text_of(const py::tuple& given) {
    CellText cellText;
    if (given.empty()) {
        return cellText;
    }
    cellText.number = given[0].cast<std::string>();
    cellText.groupChar = given[1].cast<std::string>();
    cellText.missing = given[2].cast<std::string>();
    if (!cellText.number.empty() && !number_list_valid(cellText.number)) {
        throw py::value_error("invalid number '" + cellText.number +
                              "' (use one item a column, separated by commas: - as is, g "
                              "grouped, .N N decimals (0 to 20), g.N both)");
    }
    if (!group_char_valid(cellText.groupChar)) {
        throw py::value_error("invalid group_char '" + cellText.groupChar +
                              "' (use one character that is not a digit, sign or control)");
    }
    if (!missing_text_valid(cellText.missing)) {
        throw py::value_error("invalid missing '" + cellText.missing +
                              "' (use text without control characters)");
    }
    return cellText;
}

// () or (title, footer, align, with_title); align 0 centre, 1 left, 2 right.
void set_titles(Settings& settings, const py::tuple& given) {
    if (given.empty()) {
        return;
    }
    settings.title = given[0].cast<std::string>();
    settings.footer = given[1].cast<std::string>();
    settings.request.titles.align = static_cast<TitleAlign>(given[2].cast<int>());
    settings.request.withTitle = given[3].cast<bool>();
}

Settings settings_of(int from, int to, int frame, int position, bool wide, bool crlf,
                     bool nestedText, bool header, const py::tuple& layout = py::tuple(),
                     const py::tuple& shape = py::tuple(), const py::tuple& cells = py::tuple()) {
    Settings settings;
    FrameRequest& request = settings.request;
    request.from = static_cast<TableFormat>(from);
    request.to = static_cast<TableFormat>(to);
    request.frameType = frame;
    request.positionType = position;
    request.widthModel = wide ? WidthModel::Wide : WidthModel::Narrow;
    request.lineEnd = crlf ? LineEnd::CrLf : LineEnd::Lf;
    request.jsonNested = nestedText ? JsonNested::Text : JsonNested::Refuse;
    request.header = header;
    request.fit = fit_of(layout);
    request.shape = shape_of(shape);
    request.cellText = cell_text_of(cells);
    return settings;
}

// name -> number, from the table every face reads (text/public_names.h).
template <typename Value, size_t count>
py::dict names_of(const NamedValue<Value> (&names)[count]) {
    py::dict numbers;
    for (const NamedValue<Value>& named : names) {
        numbers[py::str(std::string(named.name))] = static_cast<int>(named.value);
    }
    return numbers;
}

// The numbers of the layout's words, so the package checks names and the
// enums keep the numbers.
py::dict layout_names() {
    py::dict names;
    names["overflow"] = names_of(kOverflowNames);
    names["rules"] = names_of(kRuleNames);
    names["layout"] = names_of(kLayoutNames);
    names["align"] = names_of(kColumnAlignNames);
    return names;
}

py::dict format_names() {
    py::dict names;
    for (const NamedValue<TableFormat>& named : kFormatNames) {
        const TableFormat format = named.value;
        names[py::str(std::string(named.name))] = py::make_tuple(
            static_cast<int>(format), is_output_only(format), format != TableFormat::Aligned);
    }
    return names;
}

// The document with its tables lined up, and a (line, column, message, kind)
// for each table left as it is; a document refused as a whole raises.
py::tuple format_document_text(const std::string& text, int kind, bool wide, int32_t padding) {
    DocumentRequest request;
    request.text = text;
    request.kind = static_cast<DocumentKind>(kind);
    request.widthModel = wide ? WidthModel::Wide : WidthModel::Narrow;
    request.padding = padding;
    DocumentOutcome outcome;
    {
        py::gil_scoped_release released;
        outcome = format_document(request);
    }
    if (!outcome.ok()) {
        raise_refusal(outcome.refusal);
    }
    py::list left;
    for (const DocumentTable& table : outcome.tables) {
        const Refusal& refusal = table.refusal;
        if (refusal.kind != RefusalKind::None) {
            left.append(py::make_tuple(refusal.line, refusal.column, describe_refusal(refusal),
                                       kind_name(refusal.kind)));
        }
    }
    return py::make_tuple(py::str(outcome.text), left);
}

}  // namespace

PYBIND11_MODULE(_zentab, module) {
    module.doc() = "The text layer of zentab; use the zentab package rather than this.";
    // name: (number, written only, writable)
    module.attr("FORMATS") = format_names();
    // overflow, rules and align (by letter): name -> number
    module.attr("LAYOUT") = layout_names();
    // layout: () or (width, cell_widths, overflow, align, padding, rules),
    // numbers checked by the package.
    module.def(
        "convert_text",
        [](const std::string& text, int from, int to, int frame, int position, bool wide, bool crlf,
           bool nestedText, bool header, const py::tuple& layout, const py::tuple& shape,
           const py::tuple& cells, const py::tuple& titles) {
            Settings settings = settings_of(from, to, frame, position, wide, crlf, nestedText,
                                            header, layout, shape, cells);
            set_titles(settings, titles);
            return convert_text(text, settings);
        },
        py::arg("text"), py::arg("from_"), py::arg("to"), py::arg("frame"), py::arg("position"),
        py::arg("wide"), py::arg("crlf"), py::arg("nested_text"), py::arg("header"),
        py::arg("layout") = py::tuple(), py::arg("shape") = py::tuple(),
        py::arg("cells") = py::tuple(), py::arg("titles") = py::tuple());
    module.def(
        "frame_rows",
        [](const std::vector<std::vector<std::string>>& rows, int to, int frame, int position,
           bool wide, bool crlf, bool header, const py::tuple& layout, const py::tuple& shape,
           const py::tuple& cells, const py::tuple& titles) {
            Settings settings = settings_of(0, to, frame, position, wide, crlf, false, header,
                                            layout, shape, cells);
            set_titles(settings, titles);
            return frame_rows(rows, settings);
        },
        py::arg("rows"), py::arg("to"), py::arg("frame"), py::arg("position"), py::arg("wide"),
        py::arg("crlf"), py::arg("header"), py::arg("layout") = py::tuple(),
        py::arg("shape") = py::tuple(), py::arg("cells") = py::tuple(),
        py::arg("titles") = py::tuple());
    module.def(
        "read_cells",
        [](const std::string& text, int from, bool wide, bool nestedText) {
            return read_cells(text, settings_of(from, 4, 1, 1, wide, false, nestedText, true));
        },
        py::arg("text"), py::arg("from_"), py::arg("wide"), py::arg("nested_text"));
    // name -> number, as DocumentKind numbers them
    module.attr("DOCUMENT_KINDS") = names_of(kDocumentKindNames);
    module.attr("TITLE_ALIGN") = names_of(kTitleAlignNames);
    // python3 -m zentab: the command's own run, reading its FILE or standard
    // input; (exit status, standard output, standard error).
    module.def(
        "run_command",
        [](const std::vector<std::string>& args, const std::optional<std::string>& ambiguous) {
            CommandAnswer answer;
            {
                py::gil_scoped_release released;
                answer = collect_face_command(args, ambiguous ? ambiguous->c_str() : nullptr,
                                              ZENTAB_VERSION);
            }
            return py::make_tuple(answer.status, py::bytes(answer.out), py::bytes(answer.err));
        },
        py::arg("args"), py::arg("ambiguous"));
    // padding: -1 for the kind's own
    module.def("format_document", &format_document_text, py::arg("text"), py::arg("kind"),
               py::arg("wide"), py::arg("padding"));
}
