#include "model/visit.h"

#include <cmath>
#include <vector>

#include "model/spanish_text.h"

namespace gestalia {

namespace {

std::string Whole(double value) {
    return SpanishDecimal(value, 0);
}

// A length with its one decimal only when it has one: "28", "28,5".
std::string Length(double value) {
    return SpanishDecimal(value, std::round(value) == value ? 0 : 1);
}

Status OutOf(const std::string& what, const CVisitRange& range, const std::string& unit) {
    return CError{ErrorKind::badInput,
                  what + " debe estar entre " + Whole(range.min) + " y " + Whole(range.max) + " " +
                      unit + ".",
                  std::nullopt};
}

template <class T>
bool Outside(const std::optional<T>& value, const CVisitRange& range) {
    return value && !(*value >= range.min && *value <= range.max);
}

}  // namespace

Status CheckVisit(const CVisit& visit) {
    if (Outside(visit.nSystolic, kSystolicRange)) {
        return OutOf("La tensión sistólica (la alta)", kSystolicRange, "mmHg");
    }
    if (Outside(visit.nDiastolic, kDiastolicRange)) {
        return OutOf("La tensión diastólica (la baja)", kDiastolicRange, "mmHg");
    }
    if (visit.nSystolic && visit.nDiastolic && *visit.nDiastolic >= *visit.nSystolic) {
        return CError{ErrorKind::badInput,
                      "La tensión diastólica (la baja) debe ser menor que la sistólica (la alta).",
                      std::nullopt};
    }
    if (Outside(visit.fFundalHeightCm, kFundalHeightRange)) {
        return OutOf("La altura uterina", kFundalHeightRange, "cm");
    }
    if (Outside(visit.nFetalHeartRate, kFetalHeartRateRange)) {
        return OutOf("El latido fetal", kFetalHeartRateRange, "lpm");
    }
    return {};
}

std::string VisitSummary(const CVisit& visit) {
    std::vector<std::string> parts;
    if (visit.nSystolic || visit.nDiastolic) {
        const auto side = [](const std::optional<int>& v) {
            return v ? std::to_string(*v) : std::string("?");
        };
        parts.push_back("TA " + side(visit.nSystolic) + "/" + side(visit.nDiastolic) + " mmHg");
    }
    if (visit.fFundalHeightCm) {
        parts.push_back("AU " + Length(*visit.fFundalHeightCm) + " cm");
    }
    if (visit.nFetalHeartRate) {
        parts.push_back("FCF " + std::to_string(*visit.nFetalHeartRate) + " lpm");
    }
    if (visit.bOedema) {
        parts.push_back(std::string("edemas: ") + (*visit.bOedema ? "sí" : "no"));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : ", ") + part;
    }
    return text;
}

}  // namespace gestalia
