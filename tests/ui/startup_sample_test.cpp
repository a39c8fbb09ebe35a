#include "ui/startup_sample.h"

#include <gtest/gtest.h>

#include "ui/samples.h"

namespace {

std::tm Date(int year, int month, int day) {
    std::tm date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    return date;
}

TEST(StartupSample, OddDaysOfTheMonthShowSampleB) {
    const struct {
        std::tm date;
        bool sampleB;
    } cases[] = {
        {Date(2026, 12, 1), true},   {Date(2026, 12, 15), true},  {Date(2026, 1, 31), true},
        {Date(1999, 12, 31), true},  {Date(2024, 2, 29), true},   {Date(2026, 12, 2), false},
        {Date(2026, 11, 30), false}, {Date(2025, 1, 10), false},  {Date(2000, 2, 28), false},
        {Date(2026, 9, 9), true},    {Date(2026, 10, 20), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSampleBDate(c.date), c.sampleB)
            << c.date.tm_year + 1900 << "-" << c.date.tm_mon + 1 << "-" << c.date.tm_mday;
        EXPECT_EQ(&StartupSample(c.date), c.sampleB ? &SampleB() : &SampleA());
    }
}

}  // namespace
