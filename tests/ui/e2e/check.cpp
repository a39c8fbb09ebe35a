#include "check.h"

#include <cstdio>

namespace {
int g_failures = 0;
}

void Check(bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!passed) {
        ++g_failures;
    }
}

int FailureCount() {
    return g_failures;
}
