#include "text/string_growth.h"

char* grow_unfilled(std::string& text, size_t length) {
#if defined(__cpp_lib_string_resize_and_overwrite)
    text.resize_and_overwrite(length, [](char*, size_t size) { return size; });
#elif defined(_LIBCPP_VERSION)
    text.__resize_default_init(length);
#else
    // A library before C++23 has no public way to skip the fill.
    text.resize(length);
#endif
    return text.data();
}
