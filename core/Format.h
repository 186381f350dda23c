#pragma once
// printf-style formatting into a string (GBK formats and arguments stay GBK bytes).

#include <string>

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
