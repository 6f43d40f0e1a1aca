#pragma once
// CItemBlocks: the places of a store's items, side by side in blocks that are
// never filled past the room they were made with, so that an item never
// moves. When the blocks go, the items are destroyed one by one only if one
// of them may hold memory of its own (a text set rather than read with the
// agenda); an agenda just read is let go with its blocks, without a walk over
// every note.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "date_item.h"

namespace gestalia {

class CItemBlocks {
  public:
    CItemBlocks() = default;
    CItemBlocks(CItemBlocks&& other) noexcept { Take(other); }
    CItemBlocks& operator=(CItemBlocks&& other) noexcept {
        if (this != &other) {
            Clear();
            Take(other);
        }
        return *this;
    }
    ~CItemBlocks() { Clear(); }

    // The next place, for an item the caller makes there at once. When the
    // last block is full, a new one as large as all the others together (and
    // of 64 places at least): as few blocks as a vector would reallocate.
    void* Place() {
        if (m_pNext == m_pEnd) {
            AddBlock(std::max(kMinBlockItems, m_nPlaces));
        }
        return (m_pNext++)->bytes;
    }
    // One of the items may own memory from now on.
    void MayOwnMemory() { m_bMayOwn = true; }

    void Clear();

  private:
    static constexpr std::size_t kMinBlockItems = 64;

    // A new block with room for `count` items; the next items go there.
    void AddBlock(std::size_t count);

    // The place of one item; made without touching its bytes.
    struct CSlot {
        alignas(CWVCellDataItem) unsigned char bytes[sizeof(CWVCellDataItem)];
    };
    // A block's places are filled from the first, and a block is added only
    // when the last is full: every block but the last is full, and the last
    // holds items up to m_pNext.
    struct CBlock {
        std::unique_ptr<CSlot[]> places;
        std::size_t size;
    };

    void Take(CItemBlocks& other) {
        m_blocks = std::move(other.m_blocks);
        other.m_blocks.clear();
        m_pNext = std::exchange(other.m_pNext, nullptr);
        m_pEnd = std::exchange(other.m_pEnd, nullptr);
        m_nPlaces = std::exchange(other.m_nPlaces, 0);
        m_bMayOwn = std::exchange(other.m_bMayOwn, false);
    }

    std::vector<CBlock> m_blocks;
    CSlot* m_pNext = nullptr;  // the next free place of the last block
    CSlot* m_pEnd = nullptr;
    std::size_t m_nPlaces = 0;  // in all the blocks
    bool m_bMayOwn = false;
};

}  // namespace gestalia
