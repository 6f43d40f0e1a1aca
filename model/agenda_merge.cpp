#include "model/agenda_merge.h"

#include <bit>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>

namespace gestalia {

namespace {

// A note as an ordered key: equal keys are the same note.
using VisitKey = std::tuple<std::optional<int>, std::optional<int>, std::optional<std::uint64_t>,
                            std::optional<int>, std::optional<bool>>;
using NoteKey = std::tuple<std::string_view, std::uint64_t, DateStatus, std::uint64_t, DateStatus,
                           std::int32_t, std::uint32_t, VisitKey>;

VisitKey VisitKeyOf(const CVisit& v) {
    std::optional<std::uint64_t> fundal;
    if (v.fFundalHeightCm) {
        fundal = std::bit_cast<std::uint64_t>(*v.fFundalHeightCm);
    }
    return {v.nSystolic, v.nDiastolic, fundal, v.nFetalHeartRate, v.bOedema};
}

NoteKey KeyOf(const CAgendaRecord& r) {
    return {r.strText,
            std::bit_cast<std::uint64_t>(r.dtFrom.GetRaw()),
            r.dtFrom.GetStatus(),
            std::bit_cast<std::uint64_t>(r.dtTo.GetRaw()),
            r.dtTo.GetStatus(),
            r.nImage,
            std::bit_cast<std::uint32_t>(r.fWeight),
            VisitKeyOf(r.visit)};
}

// How many times each note appears on each side.
struct CCounts {
    int base = 0;
    int theirs = 0;
    int ours = 0;
};

// The last-period date: from the side that changed it; on a conflict ours
// stays and the caller asks. Agenda-wide data merged per key would sit beside
// this, by the same rule.
void MergeLastPeriod(const CAgendaData& base, const CAgendaData& theirs, const CAgendaData& ours,
                     CAgendaMerge& out) {
    const bool theyChanged = !SameDateImage(theirs.dtLastPeriod, base.dtLastPeriod);
    const bool weChanged = !SameDateImage(ours.dtLastPeriod, base.dtLastPeriod);
    out.merged.dtLastPeriod = ours.dtLastPeriod;
    if (!theyChanged || SameDateImage(theirs.dtLastPeriod, ours.dtLastPeriod)) {
        return;
    }
    if (weChanged) {
        out.bLastPeriodConflict = true;
        return;
    }
    out.merged.dtLastPeriod = theirs.dtLastPeriod;
    out.bTheirLastPeriod = true;
}

// Visit data travels with the notes, not with the rest of the extension.
CAgendaExtension WithoutVisits(CAgendaExtension extension) {
    extension.SetVisits({});
    return extension;
}

bool SameNotes(const std::vector<CAgendaRecord>& a, const std::vector<CAgendaRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameNote);
}

}  // namespace

bool SameNote(const CAgendaRecord& a, const CAgendaRecord& b) {
    return KeyOf(a) == KeyOf(b);
}

CAgendaMerge MergeAgendas(const CAgendaData& base, const CAgendaData& theirs,
                          const CAgendaData& ours) {
    CAgendaMerge out;
    MergeLastPeriod(base, theirs, ours, out);
    const CAgendaExtension ourExtension = WithoutVisits(ours.extension);
    const CAgendaExtension theirExtension = WithoutVisits(theirs.extension);
    CExtensionMerge extension =
        MergeExtension(WithoutVisits(base.extension), theirExtension, ourExtension);
    out.bTheirExtension = !(extension.merged == ourExtension);
    out.extensionConflicts = std::move(extension.conflicts);
    out.merged.extension = std::move(extension.merged);

    std::map<NoteKey, CCounts> counts;
    for (const CAgendaRecord& r : base.items) {
        ++counts[KeyOf(r)].base;
    }
    for (const CAgendaRecord& r : theirs.items) {
        ++counts[KeyOf(r)].theirs;
    }
    for (const CAgendaRecord& r : ours.items) {
        ++counts[KeyOf(r)].ours;
    }
    // Each note appears as often as in ours, less what theirs removed, plus
    // what theirs added: never fewer than none.
    std::map<NoteKey, int> room;
    for (const auto& [key, c] : counts) {
        room[key] = std::max(0, c.ours + c.theirs - c.base);
    }
    for (const CAgendaRecord& r : ours.items) {
        int& left = room[KeyOf(r)];
        if (left > 0) {
            --left;
            out.merged.items.push_back(r);
        } else {
            ++out.nRemovedThere;
        }
    }
    for (const CAgendaRecord& r : theirs.items) {
        int& left = room[KeyOf(r)];
        if (left > 0) {
            --left;
            out.merged.items.push_back(r);
            ++out.nTakenIn;
        }
    }
    // Nothing of ours changed: the disk's agenda as it stands, in its order.
    if (!out.HasConflict() && SameNotes(ours.items, base.items) &&
        SameDateImage(ours.dtLastPeriod, base.dtLastPeriod) &&
        ourExtension == WithoutVisits(base.extension)) {
        out.merged = theirs;
    }
    out.bSameAsTheirs = SameDateImage(out.merged.dtLastPeriod, theirs.dtLastPeriod) &&
                        SameNotes(out.merged.items, theirs.items) &&
                        WithoutVisits(out.merged.extension) == theirExtension;
    return out;
}

}  // namespace gestalia
