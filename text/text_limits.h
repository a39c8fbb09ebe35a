// The sizes the text layer frames. The byte-exact pipeline keeps its own,
// smaller limits, as the desktop application has them.
#pragma once

#include <cstdint>

constexpr int64_t kTextInputLimit = int64_t{1} << 20;   // bytes of input
constexpr int64_t kTextFrameLimit = int64_t{64} << 20;  // bytes of frame
constexpr int64_t kDocumentLimit = int64_t{64} << 20;   // bytes of a document to format
