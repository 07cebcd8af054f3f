// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/AdapterSearchFigures.h"
#include "device/TemplateCameraRecord.h"

#include <cstdint>
#include <vector>

// Turns what adapter passes running side by side hear into the list that going through the
// adapters one after the other gives: pass 0's cameras in arrival order, then each later pass's
// cameras that no earlier pass listed. An earlier pass wins a camera whatever the wall clock says.
//
// The list only ever grows at its end, so a reader that polls it never sees a row move or vanish:
// the first pass that has not finished (the live pass) lists its cameras as they arrive; a later
// pass holds what it hears until every earlier pass has finished, because until then an earlier
// pass may still claim one of its cameras. A pass's accepted and duplicate figures grow as its
// answers are listed or dropped; the rest of its figures are the caller's.
//
// Not thread-safe: the caller guards it together with the list and figures it fills.
class SearchMerge
{
public:
    // The list and figures stay the caller's; the merge appends to them.
    SearchMerge(std::vector<TemplateCameraRecord>& listed, std::vector<AdapterSearchFigures>& figures);

    // A fresh search with this many passes, pass i counting into figures[i].
    void Start(size_t passes);
    // A search reply that pass heard; a finished pass hears nothing more.
    void Heard(size_t pass, const TemplateCameraRecord& record);
    void Finished(size_t pass);

private:
    struct Held
    {
        TemplateCameraRecord record;
        int32_t answers = 0; // the same camera may answer every repeat of the request
    };
    struct Pass
    {
        std::vector<Held> held;
        bool finished = false;
    };

    void List(size_t pass, const TemplateCameraRecord& record, int32_t answers);
    bool IsListed(const MacBytes& mac) const;

    std::vector<TemplateCameraRecord>& m_listed;
    std::vector<AdapterSearchFigures>& m_figures;
    std::vector<Pass> m_passes;
    size_t m_live = 0;
};
