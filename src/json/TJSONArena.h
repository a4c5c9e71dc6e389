// Bump allocator for the nodes and child arrays of one load: a document of
// many small values costs a few block allocations instead of one per value.
// Released blocks are kept per thread for the next load, so that reading
// documents again and again does not fault in fresh pages every time.
#pragma once

#include <cstddef>
#include <vector>

class TJSONArena final {
public:
    TJSONArena() = default;
    TJSONArena(const TJSONArena&) = delete;
    TJSONArena& operator=(const TJSONArena&) = delete;
    ~TJSONArena();

    void* Allocate(std::size_t size) {
        size = (size + kAlign - 1) & ~(kAlign - 1);
        if (static_cast<std::size_t>(end_ - cur_) < size) Grow(size);
        void* p = cur_;
        cur_ += size;
        return p;
    }

    static constexpr std::size_t kBlockSize = 64 * 1024;

private:
    static constexpr std::size_t kAlign = alignof(std::max_align_t);
    void Grow(std::size_t size);

    struct Block {
        char* data;
        bool cached;  // of kBlockSize, goes back to the thread's cache
    };
    std::vector<Block> blocks_;
    char* cur_ = nullptr;
    char* end_ = nullptr;
};
