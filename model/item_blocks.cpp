#include "model/item_blocks.h"

#include <new>

namespace gestalia {

void CItemBlocks::AddBlock(std::size_t count) {
    m_blocks.push_back({std::make_unique_for_overwrite<CSlot[]>(count), count});
    m_pNext = m_blocks.back().places.get();
    m_pEnd = m_pNext + count;
    m_nPlaces += count;
}

void CItemBlocks::Clear() {
    if (m_bMayOwn) {
        for (CBlock& block : m_blocks) {
            CSlot* const end =
                &block == &m_blocks.back() ? m_pNext : block.places.get() + block.size;
            for (CSlot* slot = block.places.get(); slot != end; ++slot) {
                std::destroy_at(std::launder(reinterpret_cast<CWVCellDataItem*>(slot->bytes)));
            }
        }
    }
    m_blocks.clear();
    m_pNext = m_pEnd = nullptr;
    m_nPlaces = 0;
    m_bMayOwn = false;
}

}  // namespace gestalia
