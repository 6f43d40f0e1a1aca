#include "dialogs/visit_boxes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/number_text.h"
#include "model/spanish_text.h"
#include "platform/dialog_window.h"
#include "resources/control_ids.h"

namespace gestalia {

namespace {

// A number box of the visit, in the order of CShownVisit::texts.
struct NumberBox {
    int id;
    std::optional<double> CVisit::*decimal;  // the fundal height
    std::optional<int> CVisit::*whole;       // the others
    const char* what;                        // the start of a sentence about it
    CVisitRange range;
    const char* unit;
    const char* example;
};

constexpr std::array<NumberBox, 4> kNumberBoxes{{
    {IDC_ITEM_SYSTOLIC, nullptr, &CVisit::nSystolic, "La tensión sistólica (la alta)",
     kSystolicRange, "mmHg", "120"},
    {IDC_ITEM_DIASTOLIC, nullptr, &CVisit::nDiastolic, "La tensión diastólica (la baja)",
     kDiastolicRange, "mmHg", "80"},
    {IDC_ITEM_FUNDAL_HEIGHT, &CVisit::fFundalHeightCm, nullptr, "La altura uterina",
     kFundalHeightRange, "cm", "28,5"},
    {IDC_ITEM_HEART_RATE, nullptr, &CVisit::nFetalHeartRate, "El latido fetal",
     kFetalHeartRateRange, "lpm", "140"},
}};

std::string BoxText(const CVisit& visit, const NumberBox& box) {
    if (box.decimal != nullptr) {
        const std::optional<double>& value = visit.*box.decimal;
        return value ? DecimalText(*value) : std::string();
    }
    const std::optional<int>& value = visit.*box.whole;
    return value ? std::to_string(*value) : std::string();
}

bool IsBlankText(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Puts the box's text into the visit; false when the text is no number of
// the box's kind. A blank box is no value.
bool PutText(CVisit& visit, const NumberBox& box, std::string_view text) {
    const bool bBlank = IsBlankText(text);
    if (box.decimal != nullptr) {
        const std::optional<double> value = bBlank ? std::nullopt : ParseDecimalText(text);
        visit.*box.decimal = value;
        return bBlank || value.has_value();
    }
    const std::optional<int> value = bBlank ? std::nullopt : ParseWholeText(text);
    visit.*box.whole = value;
    return bBlank || value.has_value();
}

std::string NotANumber(const NumberBox& box) {
    return std::string(box.what) + " debe ser un número" +
           (box.decimal != nullptr ? "" : " entero") + " entre " +
           SpanishDecimal(box.range.min, 0) + " y " + SpanishDecimal(box.range.max, 0) + " " +
           box.unit + ", por ejemplo " + box.example +
           ". Deja la casilla vacía si no quieres anotarlo.";
}

// The visit with only this box's value, to check it alone.
CVisit OnlyBox(const CVisit& visit, const NumberBox& box) {
    CVisit one;
    if (box.decimal != nullptr) {
        one.*box.decimal = visit.*box.decimal;
    } else {
        one.*box.whole = visit.*box.whole;
    }
    return one;
}

}  // namespace

CShownVisit ShowVisit(IDialogWindow& window, const CVisit& visit) {
    CShownVisit shown;
    for (std::size_t i = 0; i < kNumberBoxes.size(); ++i) {
        window.SetControlText(kNumberBoxes[i].id, BoxText(visit, kNumberBoxes[i]));
        shown.texts[i] = window.GetControlText(kNumberBoxes[i].id);
    }
    window.SetCheck(IDC_ITEM_OEDEMA, visit.bOedema.value_or(false));
    shown.bOedema = window.GetCheck(IDC_ITEM_OEDEMA);
    return shown;
}

CVisitReading ReadVisit(const IDialogWindow& window, const CVisit& visit,
                        const CShownVisit& shown) {
    CVisitReading reading{visit, std::nullopt};
    bool bChanged = false;
    for (std::size_t i = 0; i < kNumberBoxes.size(); ++i) {
        const NumberBox& box = kNumberBoxes[i];
        const std::string text = window.GetControlText(box.id);
        if (text == shown.texts[i]) {
            continue;
        }
        bChanged = true;
        if (!PutText(reading.visit, box, text)) {
            reading.problem = CVisitProblem{box.id, NotANumber(box)};
            return reading;
        }
    }
    if (const bool bOedema = window.GetCheck(IDC_ITEM_OEDEMA); bOedema != shown.bOedema) {
        bChanged = true;
        reading.visit.bOedema = bOedema ? std::optional<bool>(true) : std::nullopt;
    }
    // A visit she left as it was is not judged again, whatever the file held.
    if (!bChanged) {
        return reading;
    }
    for (const NumberBox& box : kNumberBoxes) {
        if (const Status alone = CheckVisit(OnlyBox(reading.visit, box)); !alone) {
            reading.problem = CVisitProblem{box.id, alone.error().message};
            return reading;
        }
    }
    // What is left is the low pressure not below the high one.
    if (const Status whole = CheckVisit(reading.visit); !whole) {
        reading.problem = CVisitProblem{IDC_ITEM_DIASTOLIC, whole.error().message};
    }
    return reading;
}

}  // namespace gestalia
