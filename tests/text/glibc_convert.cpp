#include "glibc_convert.h"

#include <iconv.h>

std::string glibc_convert(const char* to, const char* from, const std::string& text, bool& ok) {
    iconv_t converter = iconv_open(to, from);
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* put = out.data();
    size_t outLeft = out.size();
    ok = converter != reinterpret_cast<iconv_t>(-1) &&
         iconv(converter, &in, &inLeft, &put, &outLeft) != static_cast<size_t>(-1);
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(converter);
    }
    out.resize(out.size() - outLeft);
    return out;
}
