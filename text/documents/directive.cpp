#include "text/documents/directive.h"

#include <cstddef>

#include "text/documents/ascii_text.h"

namespace documents {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

Directive directive_in(std::string_view text) {
    text = trimmed(text);
    constexpr std::string_view kName = "zentab:";
    if (text.size() < kName.size() || !equals_ignoring_case(text.substr(0, kName.size()), kName)) {
        return Directive::None;
    }
    const std::string_view word = trimmed(text.substr(kName.size()));
    struct Word {
        std::string_view text;
        Directive directive;
    };
    constexpr Word kWords[] = {{"ignore", Directive::Ignore},
                               {"off", Directive::Off},
                               {"on", Directive::On},
                               {"wide", Directive::Wide},
                               {"narrow", Directive::Narrow}};
    for (const Word& known : kWords) {
        if (equals_ignoring_case(word, known.text)) {
            return known.directive;
        }
    }
    return Directive::None;
}

bool follow_directive(Directive directive, bool& off, WidthModel& widthModel) {
    switch (directive) {
        case Directive::Ignore:
            return true;
        case Directive::Off:
        case Directive::On:
            off = directive == Directive::Off;
            break;
        case Directive::Wide:
        case Directive::Narrow:
            widthModel = directive == Directive::Wide ? WidthModel::Wide : WidthModel::Narrow;
            break;
        case Directive::None:
            break;
    }
    return false;
}

}  // namespace documents
