// A string made as long as a writer is about to fill, without first filling
// it with zeros: for a frame of megabytes that fill cost as much as a tenth of
// the drawing.
#pragma once

#include <cstddef>
#include <string>

// text becomes length bytes long, at least as long as it was, and ends in
// '\0'; the bytes past its old length are whatever the memory held, for the
// caller to write every one of them.
char* grow_unfilled(std::string& text, size_t length);
