// The names every face gives the formats, the words of option values and the
// refusal kinds: the command's parser, the C library's users, Python and
// JavaScript all read them from here (Python and JavaScript through
// public_names_json), so no face spells one of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/documents/document.h"
#include "text/formats/table.h"
#include "text/formats/table_titles.h"
#include "text/frame_fit.h"
#include "text/refusal.h"
#include "text/text_types.h"
#include "text/width_model.h"

template <typename Value>
struct NamedValue {
    std::string_view name;
    Value value;
};

// In the order the command's help lists them.
inline constexpr NamedValue<TableFormat> kFormatNames[] = {
    {"psv", TableFormat::Psv},
    {"csv", TableFormat::Csv},
    {"tsv", TableFormat::Tsv},
    {"markdown", TableFormat::Markdown},
    {"frame", TableFormat::Frame},
    {"json", TableFormat::Json},
    {"jsonl", TableFormat::Jsonl},
    {"aligned", TableFormat::Aligned},
    {"html", TableFormat::Html},
    {"latex", TableFormat::Latex},
    {"rst", TableFormat::RstGrid},
    {"rst-simple", TableFormat::RstSimple},
    {"org", TableFormat::Org},
    {"asciidoc", TableFormat::AsciiDoc},
    {"mediawiki", TableFormat::MediaWiki},
    {"jira", TableFormat::Jira},
};

inline constexpr NamedValue<RuleLines> kRuleNames[] = {
    {"all", RuleLines::All}, {"header", RuleLines::Header}, {"none", RuleLines::None}};
inline constexpr NamedValue<RowLayout> kLayoutNames[] = {
    {"table", RowLayout::Table}, {"records", RowLayout::Records}, {"auto", RowLayout::Auto}};
inline constexpr NamedValue<Overflow> kOverflowNames[] = {{"wrap", Overflow::Wrap},
                                                          {"truncate", Overflow::Truncate}};
inline constexpr NamedValue<WidthModel> kWidthModelNames[] = {{"narrow", WidthModel::Narrow},
                                                              {"wide", WidthModel::Wide}};
inline constexpr NamedValue<JsonNested> kJsonNestedNames[] = {{"error", JsonNested::Refuse},
                                                              {"text", JsonNested::Text}};
inline constexpr NamedValue<TextEncoding> kEncodingNames[] = {
    {"utf-8", TextEncoding::Utf8},  {"utf8", TextEncoding::Utf8},
    {"cp932", TextEncoding::Cp932}, {"shift_jis", TextEncoding::Cp932},
    {"sjis", TextEncoding::Cp932},  {"windows-31j", TextEncoding::Cp932},
};
// The first name of a side is the one faces other than the command take.
inline constexpr NamedValue<TitleAlign> kTitleAlignNames[] = {
    {"c", TitleAlign::Centre},      {"l", TitleAlign::Left},        {"r", TitleAlign::Right},
    {"centre", TitleAlign::Centre}, {"center", TitleAlign::Centre}, {"left", TitleAlign::Left},
    {"right", TitleAlign::Right},
};
inline constexpr NamedValue<ColumnAlign> kColumnAlignNames[] = {
    {"l", ColumnAlign::Left},    {"r", ColumnAlign::Right},      {"c", ColumnAlign::Centre},
    {"d", ColumnAlign::Decimal}, {".", ColumnAlign::ByPosition},
};

// The kinds of document zentab fmt lines up.
inline constexpr NamedValue<DocumentKind> kDocumentKindNames[] = {
    {"markdown", DocumentKind::Markdown},
    {"org", DocumentKind::Org},
    {"rst", DocumentKind::Rst},
    {"text", DocumentKind::Text},
};

// By RefusalKind's number; JavaScript writes them with - for _.
inline constexpr std::string_view kRefusalKindNames[] = {
    "none",
    "bad_frame_type",
    "bad_position_type",
    "input_too_large",
    "invalid_utf8",
    "invalid_cp932",
    "control_character",
    "ragged_row",
    "no_cells",
    "frame_too_large",
    "out_of_memory",
    "open_quote",
    "stray_quote",
    "no_delimiter_row",
    "no_frame_found",
    "frame_mismatch",
    "cell_holds_separator",
    "cell_holds_line_break",
    "row_not_held",
    "not_in_cp932",
    "cell_has_edge_blanks",
    "bad_json",
    "duplicate_name",
    "format_not_readable",
    "too_few_columns",
    "format_not_writable",
    "frame_too_narrow",
    "bad_layout",
    "cells_past_header",
    "merged_cells",
    "text_outside_table",
    "no_such_table",
    "no_such_column",
    "no_caption",
};
static_assert(std::size(kRefusalKindNames) == static_cast<size_t>(RefusalKind::NoCaption) + 1,
              "a refusal kind without a name");

// The value of a name, matched in ASCII either case.
template <typename Value, size_t count>
std::optional<Value> named_value(const NamedValue<Value> (&names)[count], std::string_view name) {
    for (const NamedValue<Value>& named : names) {
        if (named.name.size() == name.size()) {
            bool same = true;
            for (size_t at = 0; at < name.size() && same; ++at) {
                const char c = name[at];
                same =
                    (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == named.name[at];
            }
            if (same) {
                return named.value;
            }
        }
    }
    return std::nullopt;
}

std::string_view refusal_kind_name(RefusalKind kind);

// Every table above as one JSON object: {"formats": {"psv": [0, readable,
// writable], ...}, "rules": {"all": 0, ...}, ..., "refusalKinds": [...]}.
std::string public_names_json();
