#include "ui/startup_sample.h"

#include <cstdio>
#include <cstdlib>

#include "ui/samples.h"

bool IsSampleBDate(const std::tm& date) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d", date.tm_year + 1900, date.tm_mon + 1,
                  date.tm_mday);
    return std::strtol(digits, nullptr, 10) % 2 == 1;
}

const std::string& StartupSample(const std::tm& date) {
    return IsSampleBDate(date) ? SampleB() : SampleA();
}
