// Buffers of megabytes, a frame or a file read whole: touched 4 KiB at a
// time, such a buffer cost more in page faults than in the writing, so it
// asks for huge pages where the system gives them on request; and a string
// about to be written whole is grown without first being filled with zeros.
#pragma once

#include <cstddef>
#include <string>

// Advice only: where it is not taken, the pages stay small ones.
void advise_huge_pages(const void* data, size_t bytes);

// text becomes length bytes long, at least as long as it was, and ends in
// '\0'; the bytes past its old length are whatever the memory held, for the
// caller to write every one of them.
char* grow_unfilled(std::string& text, size_t length);
