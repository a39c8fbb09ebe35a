// One run of the command as a case in a table: arguments and input in,
// standard output, standard error and exit status expected. Each test file
// instantiates ZentabTool with its own tables.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
    int exitCode;
};

inline void PrintTo(const CliCase& testCase, std::ostream* os) {
    *os << testCase.name;
}

class ZentabTool : public ::testing::TestWithParam<CliCase> {};
