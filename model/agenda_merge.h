#pragma once
// The three-way merge of an agenda that changed on disk while a window held
// it: `base` is what the window last read or saved, `theirs` what the disk
// holds now, `ours` what the window holds. Notes have no identity of their
// own, so a note is all it holds (text, start, end, icon, weight, visit data), and a
// changed note is one removed and one added. Notes added on either side are
// kept, notes removed on either side go. Each piece of agenda-wide data is
// taken from the side that changed it; the last-period date is the one that
// can conflict (changed on both sides to different dates).

#include <cstddef>
#include <string>
#include <vector>

#include "agenda_file.h"

namespace gestalia {

struct CAgendaMerge {
    // Ours with theirs taken in: our notes in our order, less those theirs
    // removed, then the notes theirs added, in their order. On a conflict it
    // keeps our last-period date.
    CAgendaData merged;
    bool bLastPeriodConflict = false;
    // Keys of the extension changed differently on both sides; ours kept.
    std::vector<std::string> extensionConflicts;
    // What came from theirs: notes added and removed, and the last-period date.
    std::size_t nTakenIn = 0;
    std::size_t nRemovedThere = 0;
    bool bTheirLastPeriod = false;
    bool bTheirExtension = false;
    // Whether `merged` is what the disk already holds (nothing of ours to add).
    bool bSameAsTheirs = false;

    bool TookAnything() const {
        return nTakenIn != 0 || nRemovedThere != 0 || bTheirLastPeriod || bTheirExtension;
    }
    bool HasConflict() const { return bLastPeriodConflict || !extensionConflicts.empty(); }
};

CAgendaMerge MergeAgendas(const CAgendaData& base, const CAgendaData& theirs,
                          const CAgendaData& ours);

// The same note: every field alike, dates and weight to the bit.
bool SameNote(const CAgendaRecord& a, const CAgendaRecord& b);

}  // namespace gestalia
