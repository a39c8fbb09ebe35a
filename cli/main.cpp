#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/fmt_command.h"
#include "cli/frame_command.h"
#include "cli/lsp/lsp_command.h"

int main(int argc, char** argv) {
    // SIGPIPE keeps its default: a reader that has seen enough (head) ends
    // the filter quietly, as it ends cat.
    if (argc > 1 && std::string_view(argv[1]) == "fmt") {
        return run_fmt(std::vector<std::string>(argv + 2, argv + argc),
                       std::getenv("ZENTAB_AMBIGUOUS"));
    }
    if (argc > 1 && std::string_view(argv[1]) == "lsp") {
        return run_lsp(std::vector<std::string>(argv + 2, argv + argc), ZENTAB_VERSION);
    }
    return run_frame_command(std::vector<std::string>(argv + 1, argv + argc),
                             std::getenv("ZENTAB_AMBIGUOUS"), ZENTAB_VERSION);
}
