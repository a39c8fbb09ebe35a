// Microseconds per frame_text call, in process, for the web budgets.
//   native_frame_time FILE [narrow|wide]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "text/frame_text.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: native_frame_time FILE [narrow|wide]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string input = text.str();
    FrameRequest request;
    request.text = input;
    request.widthModel =
        argc > 2 && std::string(argv[2]) == "wide" ? WidthModel::Wide : WidthModel::Narrow;
    size_t sink = 0;
    auto batch = [&](int calls) {
        const auto start = std::chrono::steady_clock::now();
        for (int call = 0; call < calls; ++call) {
            sink += frame_text(request).text.size();
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        return spent.count() / calls;
    };
    batch(200);
    double best = 1e30;
    for (int round = 0; round < 7; ++round) {
        best = std::min(best, batch(500));
    }
    std::printf("%.3f %zu\n", best, sink);
    return 0;
}
