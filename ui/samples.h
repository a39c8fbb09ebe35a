// The two start-up sample tables, code page 932 bytes, rows joined by CR LF.
#pragma once

#include <string>

const std::string& SampleA();
const std::string& SampleB();
