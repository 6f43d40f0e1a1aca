#include "tools/agenda_export.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "model/iso_day.h"

namespace gestalia {

namespace {

constexpr const char* kCsvHeader = "fecha,texto,peso_kg\r\n";

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

namespace {

nlohmann::ordered_json ItemToJson(int id, const CAgendaRecord& record) {
    nlohmann::ordered_json item;
    item["id"] = id;
    item["text"] = record.strText;
    item["from"] = DateToJson(record.dtFrom);
    item["to"] = DateToJson(record.dtTo);
    item["image"] = record.nImage;
    item["weight"] = std::isfinite(record.fWeight)
                         ? nlohmann::ordered_json(ShortestDouble(record.fWeight))
                         : nlohmann::ordered_json(nullptr);
    return item;
}

// A value dumped as it would be at `indent` spaces inside a document dumped
// with an indent of 2: every line after the first moves right by `indent`.
void WriteIndented(std::ostream& out, const nlohmann::ordered_json& value, int indent) {
    // Texts were decoded from Windows-1252, so they are valid UTF-8; replace
    // anything else rather than throw.
    const std::string text =
        value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    std::size_t from = 0;
    for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', from)) {
        out.write(text.data() + from, static_cast<std::streamsize>(nl + 1 - from));
        out << pad;
        from = nl + 1;
    }
    out.write(text.data() + from, static_cast<std::streamsize>(text.size() - from));
}

void WriteCsvRow(std::ostream& out, const CAgendaRecord& record) {
    out << CsvDate(record.dtFrom) << ',' << CsvField(record.strText) << ','
        << CsvWeight(record.fWeight) << "\r\n";
}

}  // namespace

nlohmann::ordered_json AgendaToJson(const CAgendaData& data) {
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    int id = 0;
    for (const CAgendaRecord& record : data.items) {
        items.push_back(ItemToJson(++id, record));
    }
    nlohmann::ordered_json j;
    j["lastPeriod"] = DateToJson(data.dtLastPeriod);
    j["items"] = std::move(items);
    if (!data.extension.empty()) {
        j["extension"] = nlohmann::ordered_json(data.extension.Object());
    }
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
    return IsoDayText(dt);
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
    std::ostringstream csv;
    csv << kCsvHeader;
    for (const CAgendaRecord& record : data.items) {
        WriteCsvRow(csv, record);
    }
    return csv.str();
}

Status WriteAgendaJson(std::string_view bytes, std::ostream& out) {
    Result<CAgendaSummary> checked = CheckAgenda(bytes);
    if (!checked) {
        return checked.error();
    }
    out << "{\n  \"lastPeriod\": ";
    WriteIndented(out, DateToJson(checked.value().dtLastPeriod), 2);
    out << ",\n  \"items\": [";
    int id = 0;
    Result<CAgendaData> written = ParseAgenda(bytes, [&out, &id](CAgendaRecord& record) {
        out << (id == 0 ? "\n    " : ",\n    ");
        WriteIndented(out, ItemToJson(++id, record), 4);
    });
    if (!written) {
        return written.error();
    }
    out << (id == 0 ? "]" : "\n  ]");
    if (const CAgendaExtension& extension = checked.value().extension; !extension.empty()) {
        out << ",\n  \"extension\": ";
        WriteIndented(out, nlohmann::ordered_json(extension.Object()), 2);
    }
    out << "\n}";
    return {};
}

Status WriteAgendaCsv(std::string_view bytes, std::ostream& out) {
    Result<CAgendaSummary> checked = CheckAgenda(bytes);
    if (!checked) {
        return checked.error();
    }
    out << kCsvHeader;
    Result<CAgendaData> written =
        ParseAgenda(bytes, [&out](CAgendaRecord& record) { WriteCsvRow(out, record); });
    if (!written) {
        return written.error();
    }
    return {};
}

}  // namespace gestalia
