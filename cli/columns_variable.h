// $COLUMNS, the width of --width auto where there is no terminal to ask.
#pragma once

#include <cstdint>

// $COLUMNS as a width: its value when it is a whole number from 1, else 0.
int32_t columns_from_environment(const char* columns);
