// What every kind of document does with a table once its new lines are
// drawn: checks that its text can be measured, and edits only the lines that
// change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/documents/document.h"

namespace documents {

// The first character of the table's lines that cannot be measured in
// columns: a byte that is not UTF-8, or a control character (TAB included).
// RefusalKind::None when there is none. Places count from text's start.
Refusal unmeasurable_text(std::string_view text, const std::vector<TableLine>& lines);

// One edit a line whose text differs from drawn, which holds the new text of
// each line of lines.
std::vector<TextEdit> line_edits(std::string_view text, const std::vector<TableLine>& lines,
                                 const std::vector<std::string>& drawn);

// A refusal at offset of text.
Refusal refusal_at_offset(std::string_view text, RefusalKind kind, size_t offset);

}  // namespace documents
