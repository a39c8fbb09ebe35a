#include "cli/lsp/lsp_command.h"

#include <unistd.h>

#include "cli/lsp/language_server.h"
#include "cli/stream_io.h"

const char* lsp_usage_text() {
    return "Usage: zentab lsp [--stdio]\n"
           "Serve the Language Server Protocol on standard input and output, for an editor\n"
           "to start: document formatting and range formatting as zentab fmt lines tables\n"
           "up, code actions that align and convert tables, and diagnostics for tables out\n"
           "of line. Settings come from the editor: ambiguous (narrow or wide), padding and\n"
           "frame (the frame type conversions draw).\n"
           "\n"
           "      --stdio          accepted for clients that pass it; standard input and\n"
           "                       output are the only channel\n"
           "  -h, --help           show this help and exit\n";
}

int run_lsp(const std::vector<std::string>& args, const char* version) {
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            return write_all(STDOUT_FILENO, lsp_usage_text()).empty() ? 0 : 1;
        }
        if (arg != "--stdio") {
            write_all(STDERR_FILENO,
                      "zentab: unknown option " + arg +
                          " of zentab lsp\nTry 'zentab lsp --help' for more information.\n");
            return 2;
        }
    }
    return lsp::LanguageServer(STDIN_FILENO, STDOUT_FILENO, version).run();
}
