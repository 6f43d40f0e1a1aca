#pragma once
// The visit boxes of the note editor: blood pressure (two boxes), fundal
// height, the baby's heart rate and the swelling check box. Every box may stay
// empty; a box she did not change gives back the value it was opened with,
// exactly, even where its text shows it rounded.

#include <array>
#include <string>

#include "model/result.h"
#include "model/visit.h"

namespace gestalia {

class IDialogWindow;

// What the boxes showed when the editor opened, as the window gives it back.
struct CShownVisit {
    std::array<std::string, 4> texts;  // systolic, diastolic, fundal height, heart rate
    bool bOedema = false;
};

// A box she has to change, and why, in Spanish.
struct CVisitProblem {
    int nBoxId = 0;
    std::string strMessage;
};

// Fills the boxes with the visit and tells what they show.
CShownVisit ShowVisit(IDialogWindow& window, const CVisit& visit);

// The visit the boxes give now: what she changed read again, the rest as
// `visit` holds it. A text that is no number, or a value out of its range,
// gives the box to fix and a sentence that says the range. The check box
// left unticked records nothing, so that emptying every box clears the visit.
struct CVisitReading {
    CVisit visit;
    std::optional<CVisitProblem> problem;
};
CVisitReading ReadVisit(const IDialogWindow& window, const CVisit& visit, const CShownVisit& shown);

}  // namespace gestalia
