#pragma once
// CWVCellDataItem: one dated note of the agenda. Its text is UTF-8 whenever it
// is asked for (one read with an agenda is turned into UTF-8 at that moment).
// An item owned by a CItemStore tells the store when its start changes, so
// that the store's index by day stays in step, and when it is selected, so
// that the store clears the selection without a walk; a copy belongs to no
// store.

#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "colour.h"
#include "date_value.h"
#include "palette.h"

namespace gestalia {

class CImageList;  // defined by the calendar; items only point at it
class CItemStore;
struct CItemDefaults;

// A note's text in sixteen bytes: a view of memory of its own, of memory its
// store keeps for the texts of a whole agenda read at once, or of the
// program's constant "Unknown Item". A text read with an agenda stays in the
// file's Windows-1252 (coded) until it is first asked for. A copy always has
// memory of its own.
class CItemText {
  public:
    CItemText() = default;
    CItemText(const CItemText& other) : m_bCoded(other.m_bCoded) { Own(other.View()); }
    CItemText& operator=(const CItemText&) = delete;
    ~CItemText() { Free(); }

    // The text as it is held: Windows-1252 while IsCoded, UTF-8 otherwise.
    std::string_view View() const { return {m_p, m_nSize}; }
    bool IsCoded() const { return m_bCoded; }
    void Set(std::string_view text) {
        // The new text is copied before the old is let go: it may be a part of it.
        CItemText old;
        Swap(old);
        Own(text);
    }
    // A text the store keeps, valid as long as the item: UTF-8, or
    // Windows-1252 when `coded`.
    void SetKept(std::string_view kept, bool coded = false) {
        Free();
        m_p = kept.data();
        m_nSize = Size(kept);
        m_bCoded = coded;
    }
    // Gives back the memory of its own text; the text becomes empty.
    void Release() {
        Free();
        m_p = "";
        m_nSize = 0;
        m_bCoded = false;
    }

  private:
    static std::uint32_t Size(std::string_view text) {
        if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("a note's text is over 4 GiB");
        }
        return static_cast<std::uint32_t>(text.size());
    }
    void Own(std::string_view text) {
        const std::uint32_t size = Size(text);
        if (size == 0) {
            m_p = "";
        } else {
            char* own = new char[size];
            std::memcpy(own, text.data(), size);
            m_p = own;
            m_bOwn = true;
        }
        m_nSize = size;
    }
    void Free() {
        if (m_bOwn) {
            delete[] m_p;
            m_bOwn = false;
        }
    }
    void Swap(CItemText& other) {
        std::swap(m_p, other.m_p);
        std::swap(m_nSize, other.m_nSize);
        std::swap(m_bOwn, other.m_bOwn);
        std::swap(m_bCoded, other.m_bCoded);
    }

    const char* m_p = "Unknown Item";
    std::uint32_t m_nSize = 12;
    bool m_bOwn = false;  // m_p was allocated here
    bool m_bCoded = false;
};

class CWVCellDataItem {
  public:
    static constexpr Colour kDefaultBack = palette::kPaleYellow;

    // Creation values: no id (-1), no icon (-1), "Unknown Item".
    explicit CWVCellDataItem(const CDateValue& now)
        : m_dtFrom(now.GetRaw()),
          m_dtTo(now.GetRaw()),
          m_nFromStatus(static_cast<std::uint8_t>(now.GetStatus())),
          m_nToStatus(m_nFromStatus) {}
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
    CDateValue GetFrom() const {
        return CDateValue::FromRaw(m_dtFrom, static_cast<DateStatus>(m_nFromStatus));
    }
    void SetFrom(const CDateValue& dt);
    CDateValue GetTo() const {
        return CDateValue::FromRaw(m_dtTo, static_cast<DateStatus>(m_nToStatus));
    }
    void SetTo(const CDateValue& dt) {
        m_dtTo = dt.GetRaw();
        m_nToStatus = static_cast<std::uint8_t>(dt.GetStatus());
    }
    std::string GetText() const { return std::string(Text()); }
    // Valid until the text changes or the item goes.
    std::string_view Text() const {
        if (m_strText.IsCoded()) {
            DecodeText();
        }
        return m_strText.View();
    }
    void SetText(std::string s);
    std::int32_t GetSelected() const { return m_bSelected; }
    void SetSelected(std::int32_t b);
    Rect GetItemRect() const { return m_rcItem; }
    void SetItemRect(const Rect& rc) { m_rcItem = rc; }
    float GetWeight() const { return m_fWeight; }
    void SetWeight(float f) { m_fWeight = f; }

  private:
    friend class CItemStore;
    // An item of `store`, every field but its text set at once.
    CWVCellDataItem(CItemStore& store, std::int32_t id, const CDateValue& from,
                    const CDateValue& to, std::int32_t image, float weight,
                    const CItemDefaults& defaults);
    // The owning store; a copied item starts without one.
    struct StoreLink {
        CItemStore* p = nullptr;
        StoreLink() = default;
        StoreLink(const StoreLink&) {}
    };

    // Turns a coded text into UTF-8.
    void DecodeText() const;
    void SetFromValue(const CDateValue& dt) {
        m_dtFrom = dt.GetRaw();
        m_nFromStatus = static_cast<std::uint8_t>(dt.GetStatus());
    }

    // Widest first, so that no member leaves a gap: 96 bytes in all. The start
    // and end are the values of CDateValue, their statuses a byte each below.
    double m_dtFrom;
    double m_dtTo;
    // UTF-8 once asked for; reading it turns a text read with the agenda
    // into UTF-8, so it may change in a const item.
    mutable CItemText m_strText;
    const CImageList* m_pImageList = nullptr;  // not owned; the program's constexpr list
    StoreLink m_store;
    Rect m_rcItem;  // empty until first drawn
    std::int32_t m_nImage = -1;
    std::int32_t m_bTask = 0;
    Colour m_crBack = kDefaultBack;
    std::int32_t m_b24Hour = 0;
    std::int32_t m_nID = -1;
    std::int32_t m_bSelected = 0;
    float m_fWeight = 0.0f;
    std::uint8_t m_nFromStatus;
    std::uint8_t m_nToStatus;
};
static_assert(sizeof(void*) != 8 || sizeof(CWVCellDataItem) == 96);

}  // namespace gestalia
