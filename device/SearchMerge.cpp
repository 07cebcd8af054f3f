// SPDX-License-Identifier: Apache-2.0
#include "device/SearchMerge.h"

#include <algorithm>

SearchMerge::SearchMerge(std::vector<TemplateCameraRecord>& listed,
                         std::vector<AdapterSearchFigures>& figures)
    : m_listed(listed), m_figures(figures)
{
}

void SearchMerge::Start(size_t passes)
{
    m_passes.assign(passes, Pass{});
    m_live = 0;
}

void SearchMerge::Heard(size_t pass, const TemplateCameraRecord& record)
{
    if (pass >= m_passes.size() || m_passes[pass].finished)
        return;
    if (pass == m_live) {
        List(pass, record, 1);
        return;
    }
    std::vector<Held>& held = m_passes[pass].held;
    const MacBytes mac = record.Mac();
    const auto same =
        std::find_if(held.begin(), held.end(), [&](const Held& h) { return h.record.Mac() == mac; });
    if (same != held.end())
        ++same->answers;
    else
        held.push_back({record, 1});
}

void SearchMerge::Finished(size_t pass)
{
    if (pass >= m_passes.size())
        return;
    m_passes[pass].finished = true;
    while (m_live < m_passes.size() && m_passes[m_live].finished) {
        if (++m_live == m_passes.size())
            break;
        // The next pass goes live: what it heard meanwhile is listed in its arrival order.
        std::vector<Held> held = std::move(m_passes[m_live].held);
        m_passes[m_live].held.clear();
        for (const Held& h : held)
            List(m_live, h.record, h.answers);
    }
}

void SearchMerge::List(size_t pass, const TemplateCameraRecord& record, int32_t answers)
{
    AdapterSearchFigures& figures = m_figures[pass];
    if (IsListed(record.Mac())) {
        figures.duplicatesDropped += answers;
        return;
    }
    m_listed.push_back(record);
    ++figures.repliesAccepted;
    figures.duplicatesDropped += answers - 1;
}

bool SearchMerge::IsListed(const MacBytes& mac) const
{
    return std::any_of(m_listed.begin(), m_listed.end(),
                       [&](const TemplateCameraRecord& known) { return known.Mac() == mac; });
}
