#pragma once
// CWVCellDataItem: one dated note of the agenda. Texts are UTF-8 in memory.
// An item owned by a CItemStore tells the store when its start changes, so
// that the store's index by day stays in step, and when it is selected, so
// that the store clears the selection without a walk; a copy belongs to no
// store.

#include <cstdint>
#include <string>
#include <string_view>

#include "colour.h"
#include "date_value.h"
#include "palette.h"

namespace gestalia {

class CImageList;  // defined by the calendar; items only point at it
class CItemStore;

// A note's text: a string of its own, or a view of memory its store keeps for
// the texts of a whole agenda read at once. A copy always has its own.
class CItemText {
  public:
    explicit CItemText(std::string text) : m_own(std::move(text)), m_text(m_own) {}
    CItemText(const CItemText& other) : m_own(other.m_text), m_text(m_own) {}
    CItemText& operator=(const CItemText&) = delete;

    std::string_view View() const { return m_text; }
    void Set(std::string text) {
        m_own = std::move(text);
        m_text = m_own;
    }
    // A text the store keeps, valid as long as the item; only for a new
    // item, whose own text is the short one it starts with.
    void SetKept(std::string_view kept) {
        m_own.clear();
        m_text = kept;
    }
    // Gives back the memory of its own text.
    void Release() {
        std::string().swap(m_own);
        m_text = m_own;
    }

  private:
    std::string m_own;
    std::string_view m_text;  // m_own or a kept text
};

class CWVCellDataItem {
  public:
    static constexpr Colour kDefaultBack = palette::kPaleYellow;

    // Creation values: no id (-1), no icon (-1), "Unknown Item".
    explicit CWVCellDataItem(const CDateValue& now) : m_dtFrom(now), m_dtTo(now) {}
    CWVCellDataItem(const CWVCellDataItem&) = default;
    // Assigning over a stored item would move its start behind the store's back.
    CWVCellDataItem& operator=(const CWVCellDataItem&) = delete;

    std::int32_t GetImage() const { return m_nImage; }
    void SetImage(std::int32_t n) { m_nImage = n; }
    const CImageList* GetImageList() const { return m_pImageList; }
    void SetImageList(const CImageList* p) { m_pImageList = p; }
    std::int32_t GetTask() const { return m_bTask; }
    void SetTask(std::int32_t b) { m_bTask = b; }
    Colour GetBack() const { return m_crBack; }
    void SetBack(Colour c) { m_crBack = c; }
    std::int32_t Get24Hour() const { return m_b24Hour; }
    void Set24Hour(std::int32_t b) { m_b24Hour = b; }
    std::int32_t GetID() const { return m_nID; }
    void SetID(std::int32_t id) { m_nID = id; }
    CDateValue GetFrom() const { return m_dtFrom; }
    void SetFrom(const CDateValue& dt);
    CDateValue GetTo() const { return m_dtTo; }
    void SetTo(const CDateValue& dt) { m_dtTo = dt; }
    std::string GetText() const { return std::string(m_strText.View()); }
    std::string_view Text() const { return m_strText.View(); }
    void SetText(std::string s) { m_strText.Set(std::move(s)); }
    std::int32_t GetSelected() const { return m_bSelected; }
    void SetSelected(std::int32_t b);
    Rect GetItemRect() const { return m_rcItem; }
    void SetItemRect(const Rect& rc) { m_rcItem = rc; }
    float GetWeight() const { return m_fWeight; }
    void SetWeight(float f) { m_fWeight = f; }

  private:
    friend class CItemStore;
    // The owning store; a copied item starts without one.
    struct StoreLink {
        CItemStore* p = nullptr;
        StoreLink() = default;
        StoreLink(const StoreLink&) {}
    };

    std::int32_t m_nImage = -1;
    const CImageList* m_pImageList = nullptr;  // not owned; the program's constexpr list
    std::int32_t m_bTask = 0;
    Colour m_crBack = kDefaultBack;
    std::int32_t m_b24Hour = 0;
    std::int32_t m_nID = -1;
    CDateValue m_dtFrom;
    CDateValue m_dtTo;
    CItemText m_strText{"Unknown Item"};  // UTF-8
    std::int32_t m_bSelected = 0;
    Rect m_rcItem;  // empty until first drawn
    float m_fWeight = 0.0f;
    StoreLink m_store;
};

}  // namespace gestalia
