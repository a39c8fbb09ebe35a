// Recording of the driver's checks: each prints one line; any failure makes
// the run fail.
#pragma once

#include <string>

void Check(bool passed, const std::string& what);
int FailureCount();
