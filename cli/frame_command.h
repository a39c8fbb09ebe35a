// zentab without fmt or lsp: frames or converts FILE or standard input onto
// standard output, messages on standard error. The command and python3 -m
// zentab both run it, so they cannot answer differently.
#pragma once

#include <string>
#include <vector>

#include "cli/command_answer.h"

// args excludes the program name; ambiguousDefault is ZENTAB_AMBIGUOUS, or
// null. Returns the exit status.
int run_frame_command(const std::vector<std::string>& args, const char* ambiguousDefault,
                      const std::string& version);

// The same run with what it would write collected, for a face whose streams
// are its own; fmt and lsp are refused.
CommandAnswer collect_face_command(const std::vector<std::string>& args,
                                   const char* ambiguousDefault, const std::string& version);
