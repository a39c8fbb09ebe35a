// Every writer, chosen by format: what the command, the libraries and the
// npm package write. A face that writes only frames links its own
// write_table instead (web/frame_only_writer.cpp), and with it none of these.
#include "text/formats/formats_internal.h"
#include "text/formats/table.h"

TableWrite write_table(const Table& table, TableFormat to, const WriteOptions& options) {
    if (options.titles.any()) {
        TableWrite refused;
        refused.refusal = titles_refusal(to, options.titles, options.withTitle);
        if (refused.refusal.kind != RefusalKind::None) {
            return refused;
        }
    }
    switch (to) {
        case TableFormat::Psv:
            return formats::write_psv(table, options.lineEnd);
        case TableFormat::Tsv:
            return formats::write_tsv(table, options.lineEnd);
        case TableFormat::Csv:
            return formats::write_csv(table, options.lineEnd);
        case TableFormat::Markdown:
            return formats::write_markdown(table, options);
        case TableFormat::Frame:
            return formats::write_frame(table, options);
#ifndef ZENTAB_PAGE_FORMATS
        case TableFormat::Json:
        case TableFormat::Jsonl:
            return formats::write_json(table, options, to == TableFormat::Jsonl);
        case TableFormat::Html:
            return formats::write_html(table, options);
        case TableFormat::Latex:
            return formats::write_latex(table, options);
        case TableFormat::RstGrid:
            return formats::write_rst_grid(table, options);
        case TableFormat::RstSimple:
            return formats::write_rst_simple(table, options);
        case TableFormat::Org:
            return formats::write_org(table, options);
        case TableFormat::AsciiDoc:
            return formats::write_asciidoc(table, options);
        case TableFormat::MediaWiki:
            return formats::write_mediawiki(table, options);
        case TableFormat::Jira:
            return formats::write_jira(table, options);
#endif
        default:
            break;
    }
    TableWrite refused;
    refused.refusal = refusal_of(RefusalKind::FormatNotWritable);
    return refused;
}
