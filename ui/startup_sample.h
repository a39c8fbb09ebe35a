// Which sample table the main window starts with on a given local date.
#pragma once

#include <ctime>
#include <string>

// The date written as YYYYMMDD and read as a number is odd.
bool IsSampleBDate(const std::tm& date);

const std::string& StartupSample(const std::tm& date);
