#include "size_class_heap.h"

#include <cstring>
#include <limits>

namespace {

constexpr size_t kHeader = SizeClassHeap::kAlign;

// The class whose blocks hold `bytes` after the header, or -1 beyond the largest.
int class_for(size_t bytes, int classes) {
    if (bytes > (SizeClassHeap::kAlign << (classes - 1)) - kHeader) {
        return -1;
    }
    const unsigned long units =
        (bytes + kHeader + SizeClassHeap::kAlign - 1) / SizeClassHeap::kAlign;
    return units <= 1 ? 0 : std::numeric_limits<unsigned long>::digits - __builtin_clzl(units - 1);
}

}  // namespace

SizeClassHeap::Header* SizeClassHeap::header_of(void* block) {
    return reinterpret_cast<Header*>(static_cast<char*>(block) - kHeader);
}

void* SizeClassHeap::carve(size_t size) {
    if (end_ == nullptr) {
        next_ = end_ = static_cast<char*>(grow_(0));
    }
    const size_t left = static_cast<size_t>(end_ - next_);
    if (left < size) {
        if (end_ == nullptr || grow_(size - left) == nullptr) {
            return nullptr;
        }
        end_ += size - left;
    }
    char* block = next_;
    next_ += size;
    return block;
}

void* SizeClassHeap::allocate(size_t bytes) {
    const int cls = class_for(bytes, kClasses);
    if (cls < 0) {
        return nullptr;
    }
    Header* header = free_[cls];
    if (header != nullptr) {
        free_[cls] = header->next;
    } else {
        header = static_cast<Header*>(carve(kAlign << cls));
        if (header == nullptr) {
            return nullptr;
        }
        header->cls = static_cast<uint32_t>(cls);
    }
    return reinterpret_cast<char*>(header) + kHeader;
}

void SizeClassHeap::release(void* block) {
    if (block == nullptr) {
        return;
    }
    Header* header = header_of(block);
    header->next = free_[header->cls];
    free_[header->cls] = header;
}

size_t SizeClassHeap::room(const void* block) {
    return (kAlign << header_of(const_cast<void*>(block))->cls) - kHeader;
}

void* SizeClassHeap::resize(void* block, size_t bytes) {
    if (block == nullptr) {
        return allocate(bytes);
    }
    const size_t had = room(block);
    if (bytes <= had) {
        return block;
    }
    void* moved = allocate(bytes);
    if (moved != nullptr) {
        std::memcpy(moved, block, had);
        release(block);
    }
    return moved;
}
