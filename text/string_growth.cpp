#include "text/string_growth.h"

#if !defined(__cpp_lib_string_resize_and_overwrite) && !defined(_LIBCPP_VERSION) && \
    defined(__GLIBCXX__) && _GLIBCXX_USE_CXX11_ABI
#define ZENTAB_SET_LENGTH_BY_HAND 1
namespace {
// Before C++23 this library keeps its setter of the length to itself. Access
// is not checked in an explicit instantiation, so one hands it out.
using SetLength = void (std::string::*)(std::string::size_type);
void set_length(std::string& text, std::string::size_type length);
template <SetLength kSetLength>
struct LengthSetter {
    friend void set_length(std::string& text, std::string::size_type length) {
        (text.*kSetLength)(length);
    }
};
template struct LengthSetter<&std::string::_M_set_length>;
}  // namespace
#endif

char* grow_unfilled(std::string& text, size_t length) {
#if defined(__cpp_lib_string_resize_and_overwrite)
    text.resize_and_overwrite(length, [](char*, size_t size) { return size; });
#elif defined(_LIBCPP_VERSION)
    text.__resize_default_init(length);
#elif defined(ZENTAB_SET_LENGTH_BY_HAND)
    text.reserve(length);
    set_length(text, length);
#else
    text.resize(length);
#endif
    return text.data();
}
