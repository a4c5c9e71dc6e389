// Block allocation of the load arena and the per-thread cache of free blocks.
#include "json/TJSONArena.h"

#include <new>

namespace {

// At most this many free blocks (64 MB) are kept per thread.
constexpr std::size_t kMaxCachedBlocks = 1024;

// A node with static storage may release its arena after the thread's cache
// has gone; this trivially destructible flag stays readable until then.
thread_local bool cacheGone = false;

struct BlockCache {
    std::vector<char*> blocks;
    ~BlockCache() {
        cacheGone = true;
        for (char* b : blocks) ::operator delete(b, std::align_val_t(alignof(std::max_align_t)));
    }
};

thread_local BlockCache cache;

char* NewBlock(std::size_t size) {
    return static_cast<char*>(::operator new(size, std::align_val_t(alignof(std::max_align_t))));
}

}  // namespace

TJSONArena::~TJSONArena() {
    for (const Block& b : blocks_) {
        if (b.cached && !cacheGone && cache.blocks.size() < kMaxCachedBlocks) cache.blocks.push_back(b.data);
        else ::operator delete(b.data, std::align_val_t(alignof(std::max_align_t)));
    }
}

void TJSONArena::Grow(std::size_t size) {
    Block block;
    std::size_t blockSize = kBlockSize;
    if (size > kBlockSize) {
        blockSize = size;
        block = {NewBlock(size), false};
    } else if (!cacheGone && !cache.blocks.empty()) {
        block = {cache.blocks.back(), true};
        cache.blocks.pop_back();
    } else {
        block = {NewBlock(kBlockSize), true};
    }
    try {
        blocks_.push_back(block);
    } catch (...) {
        ::operator delete(block.data, std::align_val_t(alignof(std::max_align_t)));
        throw;
    }
    cur_ = block.data;
    end_ = cur_ + blockSize;
}
