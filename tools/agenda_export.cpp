#include "tools/agenda_export.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace gestalia {

namespace {

const char* StatusName(DateStatus status) {
    switch (status) {
        case DateStatus::valid:
            return "valid";
        case DateStatus::null:
            return "null";
        case DateStatus::invalid:
            break;
    }
    // Any status word other than 0 and 2 counts as invalid.
    return "invalid";
}

// The shortest decimal that reads back as the same float, widened to a double
// so that the JSON shows "62.3" rather than the float's binary expansion.
double ShortestDouble(float value) {
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    double widened = value;
    std::from_chars(buffer.data(), written.ptr, widened);
    return widened;
}

}  // namespace

nlohmann::ordered_json DateToJson(const CDateValue& dt) {
    nlohmann::ordered_json j;
    const double raw = dt.GetRaw();
    j["oadate"] =
        std::isfinite(raw) ? nlohmann::ordered_json(raw) : nlohmann::ordered_json(nullptr);
    j["status"] = StatusName(dt.GetStatus());
    CDateFields fields;
    if (dt.IsValid() && dt.GetFields(fields)) {
        std::array<char, 80> iso{};
        std::snprintf(iso.data(), iso.size(), "%04d-%02d-%02dT%02d:%02d:%02d", fields.year,
                      fields.month, fields.day, fields.hour, fields.minute, fields.second);
        j["iso"] = iso.data();
    } else {
        j["iso"] = nullptr;
    }
    return j;
}

nlohmann::ordered_json AgendaToJson(const CAgendaData& data) {
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    int id = 0;
    for (const CAgendaRecord& record : data.items) {
        nlohmann::ordered_json item;
        item["id"] = ++id;
        item["text"] = record.strText;
        item["from"] = DateToJson(record.dtFrom);
        item["to"] = DateToJson(record.dtTo);
        item["image"] = record.nImage;
        item["weight"] = std::isfinite(record.fWeight)
                             ? nlohmann::ordered_json(ShortestDouble(record.fWeight))
                             : nlohmann::ordered_json(nullptr);
        items.push_back(std::move(item));
    }
    nlohmann::ordered_json j;
    j["lastPeriod"] = DateToJson(data.dtLastPeriod);
    j["items"] = std::move(items);
    return j;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string field;
    field.reserve(text.size() + 2);
    field += '"';
    for (const char c : text) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
    return field;
}

std::string CsvDate(const CDateValue& dt) {
    CDateFields fields;
    if (!dt.IsValid() || !dt.GetFields(fields)) {
        return {};
    }
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", fields.year, fields.month,
                  fields.day);
    return text.data();
}

std::string CsvWeight(float kilograms) {
    if (!std::isfinite(kilograms) || kilograms == 0.0f) {
        return {};
    }
    // to_chars, unlike printf, ignores the locale: the decimal mark is always '.'.
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                       static_cast<double>(kilograms), std::chars_format::fixed, 1);
    return std::string(buffer.data(), written.ptr);
}

std::string AgendaToCsv(const CAgendaData& data) {
    std::string csv = "fecha,texto,peso_kg\r\n";
    for (const CAgendaRecord& record : data.items) {
        csv += CsvDate(record.dtFrom);
        csv += ',';
        csv += CsvField(record.strText);
        csv += ',';
        csv += CsvWeight(record.fWeight);
        csv += "\r\n";
    }
    return csv;
}

}  // namespace gestalia
