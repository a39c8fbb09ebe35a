// The page's module writes only frames and reads no JSON, so no refusal of
// writing or of JSON reaches it: their words stay out of it.
#include "text/refusal_words_parts.h"

std::string writing_refusal_words(const Refusal&) {
    return "refused";
}
