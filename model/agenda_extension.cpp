#include "model/agenda_extension.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "model/iso_day.h"

namespace gestalia {

namespace {

using Json = nlohmann::json;

constexpr const char* kScanKey = "scan";
constexpr const char* kBirthKey = "birth";
constexpr const char* kProfileKey = "profile";
constexpr const char* kVisitsKey = "visits";

// Deeper nesting than this is refused when read: printing and comparing a
// JSON value go down it by recursion.
constexpr int kMaxDepth = 64;

CError Damaged(std::string what, std::size_t offset) {
    return CError{ErrorKind::damaged, std::move(what), offset};
}

std::optional<CDateValue> DayIn(const Json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    return ParseIsoDay(value.get_ref<const std::string&>());
}

// A member of `object` that must be of a kind `is` tells, read into `out`;
// false when it is there and of another kind.
template <class T, class Is>
bool ReadMember(const Json& object, const char* name, Is is, std::optional<T>& out) {
    const auto it = object.find(name);
    if (it == object.end()) {
        return true;
    }
    if (!((*it).*is)()) {
        return false;
    }
    out = it->template get<T>();
    return true;
}

std::optional<CVisit> VisitIn(const Json& entry) {
    CVisit v;
    if (!ReadMember(entry, "systolic", &Json::is_number_integer, v.nSystolic) ||
        !ReadMember(entry, "diastolic", &Json::is_number_integer, v.nDiastolic) ||
        !ReadMember(entry, "fundalHeightCm", &Json::is_number, v.fFundalHeightCm) ||
        !ReadMember(entry, "fetalHeartRate", &Json::is_number_integer, v.nFetalHeartRate) ||
        !ReadMember(entry, "oedema", &Json::is_boolean, v.bOedema) || v.empty()) {
        return std::nullopt;
    }
    return v;
}

Json VisitJson(std::size_t note, const CVisit& v) {
    Json entry = Json::object();
    entry["note"] = note;
    const auto put = [&entry](const char* name, const auto& value) {
        if (value) {
            entry[name] = *value;
        }
    };
    put("systolic", v.nSystolic);
    put("diastolic", v.nDiastolic);
    put("fundalHeightCm", v.fFundalHeightCm);
    put("fetalHeartRate", v.nFetalHeartRate);
    put("oedema", v.bOedema);
    return entry;
}

bool SameValue(const Json* a, const Json* b) {
    return a == nullptr ? b == nullptr : b != nullptr && *a == *b;
}

}  // namespace

CAgendaExtension::CAgendaExtension() : m_object(std::make_shared<const Json>(Json::object())) {}

Result<CAgendaExtension> CAgendaExtension::Parse(std::string_view payload, std::size_t payloadAt) {
    bool tooDeep = false;
    const Json::parser_callback_t noteDepth = [&tooDeep](int depth, Json::parse_event_t, Json&) {
        tooDeep = tooDeep || depth > kMaxDepth;
        return true;
    };
    Json object;
    try {
        object = Json::parse(payload.begin(), payload.end(), noteDepth);
    } catch (const Json::parse_error& e) {
        // e.byte counts from 1 the byte the parser stopped at.
        const std::size_t at = std::min<std::size_t>(e.byte == 0 ? 0 : e.byte - 1, payload.size());
        return Damaged("el contenido del bloque de extensión no es JSON válido", payloadAt + at);
    } catch (const Json::exception&) {
        return Damaged("el contenido del bloque de extensión no es JSON válido", payloadAt);
    }
    if (tooDeep) {
        return Damaged("el contenido del bloque de extensión está anidado a más de " +
                           std::to_string(kMaxDepth) + " niveles",
                       payloadAt);
    }
    if (!object.is_object()) {
        return Damaged("el contenido del bloque de extensión no es un objeto JSON", payloadAt);
    }
    if (object.empty()) {
        return Damaged("el bloque de extensión está vacío", payloadAt);
    }
    CAgendaExtension extension;
    extension.m_object = std::make_shared<const Json>(std::move(object));
    extension.m_strPayload = std::string(payload);
    return extension;
}

bool CAgendaExtension::empty() const {
    return m_object->empty();
}

std::string CAgendaExtension::Payload() const {
    if (!m_strPayload.empty()) {
        return m_strPayload;
    }
    return m_object->dump(-1, ' ', false, Json::error_handler_t::replace);
}

const Json* CAgendaExtension::Find(std::string_view key) const {
    const auto it = m_object->find(key);
    return it == m_object->end() ? nullptr : &*it;
}

void CAgendaExtension::Set(const std::string& key, const Json& value) {
    if (const Json* old = Find(key); old != nullptr && *old == value) {
        return;
    }
    auto changed = std::make_shared<Json>(*m_object);
    (*changed)[key] = value;
    m_object = std::move(changed);
    m_strPayload.clear();
}

void CAgendaExtension::Erase(const std::string& key) {
    if (Find(key) == nullptr) {
        return;
    }
    auto changed = std::make_shared<Json>(*m_object);
    changed->erase(key);
    m_object = std::move(changed);
    m_strPayload.clear();
}

std::optional<CScanDating> CAgendaExtension::Scan() const {
    const Json* scan = Find(kScanKey);
    if (scan == nullptr || !scan->is_object()) {
        return std::nullopt;
    }
    CScanDating s;
    const auto date = scan->find("date");
    const std::optional<CDateValue> day = date == scan->end() ? std::nullopt : DayIn(*date);
    if (!day) {
        return std::nullopt;
    }
    s.dtScan = *day;
    if (const auto crl = scan->find("crlMm"); crl != scan->end()) {
        if (!crl->is_number()) {
            return std::nullopt;
        }
        s.fCrlMm = crl->get<double>();
    } else if (const auto age = scan->find("gaDays"); age != scan->end()) {
        if (!age->is_number_integer()) {
            return std::nullopt;
        }
        s.nGaDays = age->get<int>();
    } else {
        return std::nullopt;
    }
    if (const auto chosen = scan->find("chosen"); chosen != scan->end()) {
        if (!chosen->is_boolean()) {
            return std::nullopt;
        }
        s.bChosen = chosen->get<bool>();
    }
    return s;
}

void CAgendaExtension::SetScan(const std::optional<CScanDating>& scan) {
    if (!scan) {
        Erase(kScanKey);
        return;
    }
    Json value = Json::object();
    value["date"] = IsoDayText(scan->dtScan);
    if (scan->fCrlMm) {
        value["crlMm"] = *scan->fCrlMm;
    } else if (scan->nGaDays) {
        value["gaDays"] = *scan->nGaDays;
    }
    value["chosen"] = scan->bChosen;
    Set(kScanKey, value);
}

std::optional<CDateValue> CAgendaExtension::Birth() const {
    const Json* birth = Find(kBirthKey);
    return birth == nullptr ? std::nullopt : DayIn(*birth);
}

void CAgendaExtension::SetBirth(const std::optional<CDateValue>& birth) {
    if (!birth) {
        Erase(kBirthKey);
        return;
    }
    Set(kBirthKey, IsoDayText(*birth));
}

std::optional<CProfile> CAgendaExtension::Profile() const {
    const Json* profile = Find(kProfileKey);
    if (profile == nullptr || !profile->is_object()) {
        return std::nullopt;
    }
    std::optional<double> height;
    std::optional<double> weight;
    std::optional<bool> twins;
    if (!ReadMember(*profile, "heightCm", &Json::is_number, height) ||
        !ReadMember(*profile, "weightBeforeKg", &Json::is_number, weight) ||
        !ReadMember(*profile, "twins", &Json::is_boolean, twins) || !height || !weight) {
        return std::nullopt;
    }
    return CProfile{*height, *weight, twins.value_or(false)};
}

void CAgendaExtension::SetProfile(const std::optional<CProfile>& profile) {
    if (!profile) {
        Erase(kProfileKey);
        return;
    }
    Set(kProfileKey, Json{{"heightCm", profile->fHeightCm},
                          {"weightBeforeKg", profile->fWeightBeforeKg},
                          {"twins", profile->bTwins}});
}

std::map<std::size_t, CVisit> CAgendaExtension::Visits(std::size_t noteCount) const {
    std::map<std::size_t, CVisit> visits;
    const Json* list = Find(kVisitsKey);
    if (list == nullptr || !list->is_array()) {
        return visits;
    }
    for (const Json& entry : *list) {
        if (!entry.is_object()) {
            continue;
        }
        const auto note = entry.find("note");
        if (note == entry.end() || !note->is_number_unsigned() ||
            note->get<std::uint64_t>() >= noteCount) {
            continue;
        }
        if (std::optional<CVisit> visit = VisitIn(entry)) {
            visits[note->get<std::size_t>()] = *visit;
        }
    }
    return visits;
}

void CAgendaExtension::SetVisits(const std::map<std::size_t, CVisit>& visits) {
    Json list = Json::array();
    for (const auto& [note, visit] : visits) {
        if (!visit.empty()) {
            list.push_back(VisitJson(note, visit));
        }
    }
    if (list.empty()) {
        Erase(kVisitsKey);
    } else {
        Set(kVisitsKey, list);
    }
}

bool operator==(const CAgendaExtension& a, const CAgendaExtension& b) {
    return *a.m_object == *b.m_object;
}

CExtensionMerge MergeExtension(const CAgendaExtension& base, const CAgendaExtension& theirs,
                               const CAgendaExtension& ours) {
    std::vector<std::string> keys;
    for (const CAgendaExtension* side : {&base, &theirs, &ours}) {
        for (const auto& item : side->Object().items()) {
            keys.push_back(item.key());
        }
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());

    CExtensionMerge result{ours, {}};
    for (const std::string& key : keys) {
        const Json* b = base.Find(key);
        const Json* t = theirs.Find(key);
        const Json* o = ours.Find(key);
        if (SameValue(t, o) || SameValue(t, b)) {
            continue;  // ours already holds it
        }
        if (!SameValue(o, b)) {
            result.conflicts.push_back(key);
        } else if (t == nullptr) {
            result.merged.Erase(key);
        } else {
            result.merged.Set(key, *t);
        }
    }
    return result;
}

}  // namespace gestalia
