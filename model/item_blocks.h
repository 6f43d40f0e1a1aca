#pragma once
// CItemBlocks: the places of a store's items, side by side in blocks that are
// never filled past the room they were made with, so that an item never
// moves. When the blocks go, the items are destroyed one by one only if one
// of them may hold memory of its own (a text set rather than read with the
// agenda); an agenda just read is let go with its blocks, without a walk over
// every note.

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

    // How many more items the last block has room for.
    std::size_t Spare() const {
        return m_blocks.empty() ? 0 : m_blocks.back().capacity() - m_blocks.back().size();
    }
    // A new block with room for `count` items; the next items go there.
    void AddBlock(std::size_t count) { m_blocks.emplace_back().reserve(count); }
    // An item made from `now` in the next place (there must be one spare).
    CWVCellDataItem& Emplace(const CDateValue& now) {
        CSlot& slot = m_blocks.back().emplace_back();
        return *std::construct_at(reinterpret_cast<CWVCellDataItem*>(slot.bytes), now);
    }
    // One of the items may own memory from now on.
    void MayOwnMemory() { m_bMayOwn = true; }

    void Clear() {
        if (m_bMayOwn) {
            for (std::vector<CSlot>& block : m_blocks) {
                for (CSlot& slot : block) {
                    std::destroy_at(std::launder(reinterpret_cast<CWVCellDataItem*>(slot.bytes)));
                }
            }
        }
        m_blocks.clear();
        m_bMayOwn = false;
    }

  private:
    // The place of one item; made without touching its bytes.
    struct CSlot {
        CSlot() {}  // NOLINT: leaves the bytes for the item
        alignas(CWVCellDataItem) unsigned char bytes[sizeof(CWVCellDataItem)];
    };

    void Take(CItemBlocks& other) {
        m_blocks = std::move(other.m_blocks);
        other.m_blocks.clear();
        m_bMayOwn = std::exchange(other.m_bMayOwn, false);
    }

    std::vector<std::vector<CSlot>> m_blocks;
    bool m_bMayOwn = false;
};

}  // namespace gestalia
