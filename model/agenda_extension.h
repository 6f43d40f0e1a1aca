#pragma once
// CAgendaExtension: what an agenda holds beyond its last period and its
// notes, one JSON object kept in a block after the last note of the file.
// A value: copies share one object that is never changed in place, and two
// extensions are equal when their objects are. Keys this version does not
// know are kept as they came; an extension read and not changed is written
// back byte for byte.
//
// The keys:
//   "scan":  {"date": "YYYY-MM-DD", "crlMm": n} or {"date": …, "gaDays": n},
//            with "chosen": true while she dates her pregnancy by it
//   "birth": "YYYY-MM-DD"
//   "profile": {"heightCm": n, "weightBeforeKg": n, "twins": bool}
//   "visits": [{"note": i, "systolic": n, "diastolic": n, "fundalHeightCm": n,
//               "fetalHeartRate": n, "oedema": bool}, …], one object for each
//            note with visit data, i its 0-based position in the file, in
//            rising order; a field she left empty is absent

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "date_value.h"
#include "result.h"
#include "scan_dating.h"
#include "visit.h"
#include "weight_gain.h"

namespace gestalia {

class CAgendaExtension {
  public:
    CAgendaExtension();  // an empty object

    // Reads a payload: one JSON object, not empty, in UTF-8. A damage names
    // its byte counted from `payloadAt`, where the payload lies in the file.
    static Result<CAgendaExtension> Parse(std::string_view payload, std::size_t payloadAt);

    // Nothing to keep: a file then has no block at all.
    bool empty() const;
    // The payload to write: as it was read while nothing changed.
    std::string Payload() const;
    // The whole object.
    const nlohmann::json& Object() const { return *m_object; }

    // One key's value; null when the key is absent.
    const nlohmann::json* Find(std::string_view key) const;
    void Set(const std::string& key, const nlohmann::json& value);
    void Erase(const std::string& key);

    // The keys this version knows. A value of the wrong shape reads as none
    // (and is kept as it is until set).
    std::optional<CScanDating> Scan() const;
    void SetScan(const std::optional<CScanDating>& scan);
    std::optional<CDateValue> Birth() const;
    void SetBirth(const std::optional<CDateValue>& birth);
    std::optional<CProfile> Profile() const;
    void SetProfile(const std::optional<CProfile>& profile);
    // The visit data of notes by their position, among the first `noteCount`;
    // an entry of the wrong shape, or one for a note that is not there, is
    // left out.
    std::map<std::size_t, CVisit> Visits(std::size_t noteCount) const;
    void SetVisits(const std::map<std::size_t, CVisit>& visits);

    friend bool operator==(const CAgendaExtension& a, const CAgendaExtension& b);

  private:
    std::shared_ptr<const nlohmann::json> m_object;  // never null
    std::string m_strPayload;                        // as read; empty once changed
};

// A merge of the extension of a common base with the two changed sides:
// a key changed on one side only is taken from it; a key changed differently
// on both is a conflict, and the merged value keeps ours.
struct CExtensionMerge {
    CAgendaExtension merged;
    std::vector<std::string> conflicts;  // the keys, in key order
};
CExtensionMerge MergeExtension(const CAgendaExtension& base, const CAgendaExtension& theirs,
                               const CAgendaExtension& ours);

}  // namespace gestalia
