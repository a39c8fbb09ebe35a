// The words a document uses to steer the formatter, each written after its
// kind's comment marker: "zentab: ignore" (the next table), "zentab: off" and
// "zentab: on" (a region), "zentab: wide" and "zentab: narrow" (the width
// model from there on).
#pragma once

#include <string_view>

#include "text/width_model.h"

namespace documents {

enum class Directive { None, Ignore, Off, On, Wide, Narrow };

// The directive that text, what follows a comment marker, says: blanks
// around it and letter case do not matter.
Directive directive_in(std::string_view text);

// Follows off, on, wide and narrow; true for ignore, whose table each kind
// of document finds itself.
bool follow_directive(Directive directive, bool& off, WidthModel& widthModel);

}  // namespace documents
