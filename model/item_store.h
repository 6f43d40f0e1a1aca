#pragma once
// CItemStore: the ordered list of the agenda's notes and the counter that hands
// out their identifiers. Items are owned here and keep their address for their
// whole life; other parts keep an item's id, not its address. The items live
// side by side in a few large blocks (a deleted item's place serves the next
// new one). The notes of an agenda read at once stay in the file's bytes,
// which the store keeps: a note is made into an item when it is first asked
// for, and its text is turned into UTF-8, in blocks of its own, when the text
// is first asked for; so a hundred thousand notes take a handful of
// allocations, and a paint makes only the notes it shows. The store also
// files its notes by the calendar day they start on: an array of the notes
// sorted by day, made again in one pass at the first question after any
// change of the notes or of an item's start, so that a painter asks for the
// notes of one day without walking the whole store.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colour.h"
#include "date_item.h"
#include "item_blocks.h"
#include "palette.h"
#include "text_blocks.h"
#include "visit.h"

namespace gestalia {

// What the calendar control hands to every new item.
struct CItemDefaults {
    Colour crBack = palette::kWhite;
    std::int32_t b24HourTimes = 0;
    const CImageList* pImageList = nullptr;
};

// A note as its record in an agenda file gives it, before the store makes
// it into an item.
struct CNoteRecord {
    CDateValue from;
    CDateValue to;
    std::string_view coded;  // the text in Windows-1252, inside the file's bytes
    std::int32_t image = -1;
    float weight = 0.0f;
};
// Reads the record that starts `at` bytes into a file image, one already
// found sound.
using NoteRecordReader = CNoteRecord (*)(std::string_view file, std::uint32_t at);

class CItemStore {
  public:
    CItemStore() = default;
    CItemStore(const CItemStore&) = delete;
    CItemStore& operator=(const CItemStore&) = delete;

    // Appends a new item and returns its id (last id + 1; the first is 1).
    std::int32_t AddItem(const CDateValue& from, const CDateValue& to, std::string text,
                         std::int32_t image, float weight, const CItemDefaults& defaults);
    // Keeps the bytes of a file read whole, as long as the items, and gives
    // them: the texts of its notes are used where they lie.
    std::string_view KeepFile(CFileBytes bytes) { return m_c.texts.Adopt(std::move(bytes)); }
    // Notes of bytes KeepFile gave that stay in their records until first
    // asked for: AddNote files each, with room made for `count` of them, and
    // read() gives it when the store makes it into an item, with
    // `defaults`; its text stays in Windows-1252 until first asked for.
    void ExpectNotes(std::size_t count, std::string_view file, NoteRecordReader read,
                     const CItemDefaults& defaults);
    // A note whose record starts `at` bytes into that file, and whose start
    // is `from`; gives its id.
    std::int32_t AddNote(const CDateValue& from, std::uint32_t at) {
        const std::int32_t id = NextId();
        m_c.items.push_back({nullptr, id, at});
        AddDay(DayNumberOf(from).value_or(kNowhere));
        return id;
    }
    // Puts the items that fill() adds in place of every item, with ids from
    // 1, and gives what fill() gives (a Result or a Status); when that is a
    // failure, or fill() throws, the store is left as it was before.
    template <class Fill>
    auto ReplaceAll(Fill&& fill) {
        CContents old = std::move(m_c);
        m_c = CContents();
        try {
            auto result = fill();
            if (!result) {
                m_c = std::move(old);
            }
            return result;
        } catch (...) {
            m_c = std::move(old);
            throw;
        }
    }
    // The visit data of the item with that id, or nullptr when it has none.
    const CVisit* VisitOf(std::int32_t id) const {
        const auto it = m_c.visits.find(id);
        return it == m_c.visits.end() ? nullptr : &it->second;
    }
    // An empty visit removes the item's visit data.
    void SetVisit(std::int32_t id, const CVisit& visit) {
        if (visit.empty()) {
            m_c.visits.erase(id);
        } else {
            m_c.visits[id] = visit;
        }
    }
    bool HasVisits() const { return !m_c.visits.empty(); }

    void SetItemTask(std::int32_t id, std::int32_t flag);
    void SetItemColour(std::int32_t id, Colour colour);
    // True when an item with that id was removed.
    bool DeleteItem(std::int32_t id);
    // Removes every item; the id counter keeps rising.
    void DeleteAllItems();
    // Sets the id counter back to 0 (only the agenda reader does this).
    void ResetLastItemId() {
        m_c.nLastItemID = 0;
        m_c.bIdsRising = m_c.items.empty();
    }
    std::int32_t LastItemId() const { return m_c.nLastItemID; }

    // The first item with that id (the one the store gave it), or nullptr.
    // Ids rise in store order until
    // the counter starts again after the largest one: until then this is a
    // binary search.
    CWVCellDataItem* Find(std::int32_t id);
    const CWVCellDataItem* Find(std::int32_t id) const;

    // Clears the selected mark of every item; the store notes which items an
    // item's SetSelected marked, so this does not walk the whole store.
    void DeselectAll();

    // The items whose start (m_dtFrom) falls on the calendar day of `day`, in
    // store order; empty for a day without items and for a date that is not
    // valid. Valid until the store or an item's start next changes.
    std::span<CWVCellDataItem* const> ItemsOfDay(const CDateValue& day);
    // Calls f(item) for each of those items, in store order.
    template <class F>
    void ForEachOfDay(const CDateValue& day, F&& f) const {
        for (const CWVCellDataItem* p : DayItems(day)) {
            f(*p);
        }
    }
    // Files every item by day now rather than at the next ItemsOfDay (the
    // agenda reader does so once it has added every note).
    void IndexByDay();

    std::size_t size() const { return m_c.items.size(); }
    bool empty() const { return m_c.items.empty(); }
    // Store order, head to tail.
    CWVCellDataItem& at(std::size_t i) { return Made(m_c.items.at(i)); }
    const CWVCellDataItem& at(std::size_t i) const { return Made(m_c.items.at(i)); }

    template <class F>
    void ForEach(F&& f) {
        for (const CEntry& e : m_c.items)
            f(Made(e));
    }
    template <class F>
    void ForEach(F&& f) const {
        for (const CEntry& e : m_c.items)
            f(static_cast<const CWVCellDataItem&>(Made(e)));
    }

  private:
    friend class CWVCellDataItem;
    // A new item in the store with every field but its text set.
    CWVCellDataItem& NewItem(const CDateValue& from, const CDateValue& to, std::int32_t image,
                             float weight, const CItemDefaults& defaults);
    // The id of a new item; RestartIds when the counter is at its end. While
    // ids rise, each is above every id in the store.
    std::int32_t NextId() {
        if (m_c.nLastItemID == std::numeric_limits<std::int32_t>::max()) {
            return RestartIds();
        }
        return ++m_c.nLastItemID;
    }
    std::int32_t RestartIds();
    // The place of the last deleted item, for a new one.
    void* ReusePlace();
    // Notes the day of the note just added at the tail of the store.
    void AddDay(std::int32_t day) {
        m_c.days.push_back(day);
        if (day != kNowhere) {
            m_c.dayLo = std::min(m_c.dayLo, day);
            m_c.dayHi = std::max(m_c.dayHi, day);
        }
        m_c.bDayIndexStale = true;
    }
    // An item's start changed: the index by day is made again when next asked.
    void StartChanged() {
        m_c.bDayIndexStale = true;
        m_c.bDaysStale = true;
    }
    void Selected(CWVCellDataItem& item) { m_c.selected.push_back(&item); }
    // The index by day is kept up to date here; it is a cache of the items,
    // so a const store may bring it up to date too.
    std::span<CWVCellDataItem* const> DayItems(const CDateValue& day) const;
    void MakeDayIndex() const;
    template <class Self>
    static auto FindIn(Self& self, std::int32_t id) -> decltype(self.m_c.items.begin());

    // A note in store order: its item, or none yet while it waits in its
    // record (at `record` in the file ExpectNotes named), and its id.
    struct CEntry {
        mutable CWVCellDataItem* item;
        std::int32_t id;
        std::uint32_t record;
    };
    // The item of a note, made from its record the first time it is asked
    // for. A const store makes it too: the note is the same, only its form
    // changes.
    CWVCellDataItem& Made(const CEntry& e) const {
        return e.item != nullptr ? *e.item : MakeFromRecord(e);
    }
    CWVCellDataItem& MakeFromRecord(const CEntry& e) const;
    static constexpr std::int32_t kNowhere = std::numeric_limits<std::int32_t>::min();

    // Everything the store holds, so that ReplaceAll can set it aside whole.
    struct CContents {
        // The items themselves; a note waiting in its record is made into
        // one when first asked for, also by a const store.
        mutable CItemBlocks blocks;
        std::vector<CWVCellDataItem*> free;  // places of deleted items
        std::vector<CEntry> items;           // store order
        // The day number of each note's start (kNowhere for a start that is
        // not a valid date) as the store last worked it out, beside `items`
        // rather than in it, so that filing the notes by day reads the days
        // alone.
        mutable std::vector<std::int32_t> days;
        // No day in `days` lies outside these (a deletion may leave them
        // wider than the days are); lo > hi while no note has a valid start.
        mutable std::int32_t dayLo = std::numeric_limits<std::int32_t>::max();
        mutable std::int32_t dayHi = std::numeric_limits<std::int32_t>::min();
        // Items marked selected since the last DeselectAll (some may have
        // been unmarked since, none deleted).
        std::vector<CWVCellDataItem*> selected;
        // Ids rise in store order, and the counter is at the largest: true
        // until the counter starts again with items in the store.
        bool bIdsRising = true;
        CTextBlocks texts;
        // The file whose records notes wait in, how to read one, and what
        // else their items are made with.
        std::string_view noteFile;
        NoteRecordReader readNote = nullptr;
        CItemDefaults noteDefaults;
        // The `filed` notes with a valid start, sorted by their day and,
        // within a day, in store order: the k-th has the day dayKeys[k] and
        // the position byDayAt[k] in `items`. byDay[k] is its item, written
        // only when its day is asked for (the rest of byDay is never
        // touched).
        mutable std::size_t filed = 0;
        mutable std::unique_ptr<std::int32_t[]> dayKeys;
        mutable std::unique_ptr<std::uint32_t[]> byDayAt;
        mutable std::unique_ptr<CWVCellDataItem*[]> byDay;
        mutable bool bDayIndexStale = false;
        mutable bool bDaysStale = false;  // a day in `days` may not be its item's
        std::int32_t nLastItemID = 0;
        // The visit data of the few notes that have any, by their id; a
        // deleted item's goes with it.
        std::map<std::int32_t, CVisit> visits;
    };
    CContents m_c;
};

}  // namespace gestalia
