#include "model/agenda_extension.h"

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

#include "model/iso_day.h"

namespace gestalia {

namespace {

using Json = nlohmann::json;

constexpr const char* kScanKey = "scan";
constexpr const char* kBirthKey = "birth";

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
