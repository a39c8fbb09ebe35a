// What the document tests share: running a referee program, and formatting
// with the defaults.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/documents/document.h"

namespace document_testing {

// Whether program is on the PATH; a referee missing skips its tests.
bool have_program(const std::string& program);

struct RunResult {
    std::string out;
    int status = -1;
};

// Runs argv with input on its standard input and gives back its standard
// output and exit status.
RunResult run_program(const std::vector<std::string>& argv, std::string_view input);

// The document formatted; a refused document fails the test.
std::string formatted(std::string_view text, DocumentKind kind,
                      WidthModel model = WidthModel::Narrow);

}  // namespace document_testing
