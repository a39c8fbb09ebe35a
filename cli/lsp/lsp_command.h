// zentab lsp: the language server on standard input and output.
#pragma once

#include <string>
#include <vector>

// args follow "lsp"; the exit status.
int run_lsp(const std::vector<std::string>& args, const char* version);

const char* lsp_usage_text();
