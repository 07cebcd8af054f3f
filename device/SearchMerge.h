// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/AdapterSearchFigures.h"
#include "device/TemplateCameraRecord.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Turns what adapter passes running side by side hear into the list that going through the
// adapters one after the other gives: pass 0's cameras in arrival order, then each later pass's
// cameras that no earlier pass listed. An earlier pass wins a camera whatever the wall clock says.
//
// The list only ever grows at its end, so a reader that polls it never sees a row move or vanish:
// the first pass that has not finished (the live pass) lists its cameras as they arrive; a later
// pass holds what it hears until every earlier pass has finished, because until then an earlier
// pass may still claim one of its cameras. A pass's accepted, duplicate and over-limit figures
// grow as its answers are listed or dropped; the rest of its figures are the caller's.
//
// A search lists at most kMaxCameras: the first that going through the adapters in turn would
// list. Every answer is checked against the cameras known so far in constant time, so a flood of
// made-up answers costs each of them a hash lookup and nothing more.
//
// Not thread-safe: the caller guards it together with the list and figures it fills.
class SearchMerge
{
public:
    // Twenty times a large site of 200 cameras, and as many hosts as a /20 subnet holds, yet
    // small enough for the list page (1.4 MB of records, copied on each of its refreshes).
    static constexpr size_t kMaxCameras = 4096;

    // The list and figures stay the caller's; the merge appends to them.
    SearchMerge(std::vector<TemplateCameraRecord>& listed, std::vector<AdapterSearchFigures>& figures);

    // A fresh search with this many passes, pass i counting into figures[i]; cameras already in
    // the list count as listed.
    void Start(size_t passes);
    // A search reply that pass heard; a finished pass hears nothing more.
    void Heard(size_t pass, const TemplateCameraRecord& record);
    void Finished(size_t pass);

private:
    // Seeded per merge, so that answers cannot be made up to fall into one bucket.
    struct MacHash
    {
        uint64_t seed;
        size_t operator()(const MacBytes& mac) const;
    };
    using MacSet = std::unordered_set<MacBytes, MacHash>;

    struct Held
    {
        TemplateCameraRecord record;
        int32_t answers = 0; // the same camera may answer every repeat of the request
    };
    struct Pass
    {
        std::vector<Held> held;
        std::unordered_map<MacBytes, size_t, MacHash> heldAt; // index in held
        bool finished = false;
    };

    // Earlier passes list at most kMaxCameras, so among this many cameras held by a later pass
    // there are always enough new ones to fill the list as the walk in turn would.
    static constexpr size_t kMaxHeld = 2 * kMaxCameras;

    void List(size_t pass, const TemplateCameraRecord& record, int32_t answers);

    std::vector<TemplateCameraRecord>& m_listed;
    std::vector<AdapterSearchFigures>& m_figures;
    MacHash m_hash;
    MacSet m_listedMacs; // the MACs of m_listed
    std::vector<Pass> m_passes;
    size_t m_live = 0;
};
