// Tables the benchmarks share.
#pragma once

#include <cstdio>
#include <string>

// 217 rows of three columns such as "r17|it-17|34623", 3907 bytes with CR LF.
inline std::string table_217_rows(const char* lineEnd = "\r\n") {
    std::string text;
    char row[64];
    for (int index = 1; index <= 217; ++index) {
        std::snprintf(row, sizeof row, "r%d|it-%d|%05d%s", index, index, (index * 7919) % 100000,
                      lineEnd);
        text += row;
    }
    return text;
}
