// Which formats have a place for a title and a footer.
#include "text/formats/table.h"
#include "text/formats/table_formats.h"

namespace {
bool holds_title(TableFormat to, bool withTitle) {
    switch (to) {
        case TableFormat::Frame:
        case TableFormat::Html:
        case TableFormat::Latex:
        case TableFormat::RstGrid:
        case TableFormat::RstSimple:
        case TableFormat::Org:
        case TableFormat::AsciiDoc:
        case TableFormat::MediaWiki:
            return true;
        case TableFormat::Json:
            return withTitle;
        default:
            return false;
    }
}

bool holds_footer(TableFormat to, bool withTitle) {
    return to == TableFormat::Frame || to == TableFormat::Html ||
           (to == TableFormat::Json && withTitle);
}
}  // namespace

Refusal titles_refusal(TableFormat to, const TableTitles& titles, bool withTitle) {
    Refusal refusal;
    if (!titles.title.empty() && !holds_title(to, withTitle)) {
        refusal = refusal_of(RefusalKind::NoCaption);
    } else if (!titles.footer.empty() && !holds_footer(to, withTitle)) {
        refusal = refusal_of(RefusalKind::NoCaption);
        refusal.found = 1;
    }
    return refusal;
}
