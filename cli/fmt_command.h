// zentab fmt: the tables of documents lined up where they stand.
#pragma once

#include <string>
#include <vector>

// args follow "fmt"; ambiguousDefault is ZENTAB_AMBIGUOUS, or null. Writes
// to standard output and standard error, and returns the exit status.
int run_fmt(const std::vector<std::string>& args, const char* ambiguousDefault);
