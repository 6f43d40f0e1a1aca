#pragma once
// Agendas the reliability tests start from, built in memory and turned into
// file images by the model's own writer, plus helpers to compare what the
// store holds before and after an operation that must not change it.

#include <bit>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "model/agenda_file.h"
#include "model/date_value.h"
#include "model/globals.h"
#include "model/item_store.h"

namespace gestalia::test {

// A small agenda: `count` notes (0 to 5) with accents, line breaks, symbols
// beyond ASCII that Windows-1252 holds (€, —, ñ) and weights.
inline CAgendaData SmallAgenda(int count) {
    const std::vector<CAgendaRecord> all = {
        {"Ecografía de la semana 12",
         CDateValue(2027, 3, 26, 10, 30),
         CDateValue(2027, 3, 26, 11),
         1,
         0.0f,
         {}},
        {"Peso: 62,5 kg\r\nNáuseas por la mañana",
         CDateValue(2027, 2, 15, 9),
         CDateValue(2027, 2, 15, 9),
         0,
         62.5f,
         {}},
        {"", CDateValue(2027, 4, 1), CDateValue::FromRaw(0.0, DateStatus::null), -1, 0.0f, {}},
        {"Análisis — 12 € en farmacia",
         CDateValue(2027, 5, 3, 8, 15),
         CDateValue(2027, 5, 3, 8, 45),
         1,
         63.25f,
         {}},
        {"Cita: ¿Qué tal el bebé? «Muy bien»",
         CDateValue(2027, 6, 20, 17),
         CDateValue::FromRaw(1.5, DateStatus::invalid),
         0,
         64.0f,
         {}},
    };
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1);
    for (int i = 0; i < count && i < static_cast<int>(all.size()); ++i) {
        data.items.push_back(all[static_cast<std::size_t>(i)]);
    }
    return data;
}

// A large agenda of `count` notes of about `textBytes` bytes each; `variant`
// makes two agendas of the same shape differ in every note.
inline CAgendaData LargeAgenda(int count, int textBytes, int variant) {
    CAgendaData data;
    data.dtLastPeriod = CDateValue(2027, 1, 1 + variant);
    data.items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string text = "Nota " + std::to_string(variant) + "-" + std::to_string(i) + " día ";
        while (static_cast<int>(text.size()) < textBytes) {
            text += static_cast<char>('a' + (i + variant + static_cast<int>(text.size())) % 26);
        }
        CDateValue from(2027, 1, 1);
        from.AddDays(i % 300);
        data.items.push_back({std::move(text),
                              from,
                              from,
                              i % 3 - 1,
                              55.0f + static_cast<float>((i + variant) % 200) / 10.0f,
                              {}});
    }
    return data;
}

// The bytes of an agenda; the samples above always serialise.
inline std::string Bytes(const CAgendaData& data) {
    Result<std::string> bytes = SerializeAgenda(data);
    return bytes ? bytes.value() : std::string();
}

// Puts an agenda into the globals as a load would, without any file.
inline void Fill(CGlobals& globals, const CAgendaData& data) {
    globals.listItems.DeleteAllItems();
    globals.listItems.ResetLastItemId();
    globals.dtLastPeriod = data.dtLastPeriod;
    for (const CAgendaRecord& r : data.items) {
        (void)globals.listItems.AddItem(r.dtFrom, r.dtTo, r.strText, r.nImage, r.fWeight, {});
    }
}

// Everything of the globals that a load or a save could change, compared bit
// for bit (a NaN date must compare equal to itself).
struct CStoreImage {
    struct Item {
        std::int32_t id;
        std::string text;
        std::uint64_t from;
        DateStatus fromStatus;
        std::uint64_t to;
        DateStatus toStatus;
        std::int32_t image;
        std::uint32_t weight;
        std::int32_t task;
        Colour back;
        friend bool operator==(const Item&, const Item&) = default;
    };
    std::uint64_t lastPeriod = 0;
    DateStatus lastPeriodStatus = DateStatus::valid;
    std::int32_t lastId = 0;
    std::vector<Item> items;
    friend bool operator==(const CStoreImage&, const CStoreImage&) = default;
};

inline CStoreImage Snapshot(const CGlobals& globals) {
    CStoreImage image;
    image.lastPeriod = std::bit_cast<std::uint64_t>(globals.dtLastPeriod.GetRaw());
    image.lastPeriodStatus = globals.dtLastPeriod.GetStatus();
    image.lastId = globals.listItems.LastItemId();
    globals.listItems.ForEach([&image](const CWVCellDataItem& item) {
        image.items.push_back(
            {item.GetID(), item.GetText(), std::bit_cast<std::uint64_t>(item.GetFrom().GetRaw()),
             item.GetFrom().GetStatus(), std::bit_cast<std::uint64_t>(item.GetTo().GetRaw()),
             item.GetTo().GetStatus(), item.GetImage(),
             std::bit_cast<std::uint32_t>(item.GetWeight()), item.GetTask(), item.GetBack()});
    });
    return image;
}

}  // namespace gestalia::test
