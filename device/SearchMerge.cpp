// SPDX-License-Identifier: Apache-2.0
#include "device/SearchMerge.h"

#include <chrono>
#include <exception>
#include <random>

namespace {

uint64_t RandomSeed()
{
    try {
        std::random_device device;
        return (static_cast<uint64_t>(device()) << 32) ^ device();
    } catch (const std::exception&) {
        // No source of randomness: the clock still differs from run to run.
        return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

} // namespace

size_t SearchMerge::MacHash::operator()(const MacBytes& mac) const
{
    uint64_t x = seed;
    for (uint8_t byte : mac)
        x = (x << 8 | x >> 56) ^ byte;
    // The finaliser of splitmix64: every bit of the MAC and the seed reaches every bit.
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return static_cast<size_t>(x ^ (x >> 31));
}

SearchMerge::SearchMerge(std::vector<TemplateCameraRecord>& listed,
                         std::vector<AdapterSearchFigures>& figures)
    : m_listed(listed), m_figures(figures), m_hash{RandomSeed()}, m_listedMacs(0, m_hash)
{
}

void SearchMerge::Start(size_t passes)
{
    m_passes.clear();
    for (size_t i = 0; i < passes; ++i)
        m_passes.push_back(Pass{{}, decltype(Pass::heldAt)(0, m_hash), false});
    m_live = 0;
    m_listedMacs.clear();
    for (const TemplateCameraRecord& record : m_listed)
        m_listedMacs.insert(record.Mac());
}

void SearchMerge::Heard(size_t pass, const TemplateCameraRecord& record)
{
    if (pass >= m_passes.size() || m_passes[pass].finished)
        return;
    if (pass == m_live) {
        List(pass, record, 1);
        return;
    }
    Pass& held = m_passes[pass];
    const MacBytes mac = record.Mac();
    if (const auto same = held.heldAt.find(mac); same != held.heldAt.end()) {
        ++held.held[same->second].answers;
        return;
    }
    if (held.held.size() >= kMaxHeld) {
        ++m_figures[pass].overLimitDropped;
        return;
    }
    held.heldAt.emplace(mac, held.held.size());
    held.held.push_back({record, 1});
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
        Pass& next = m_passes[m_live];
        std::vector<Held> held = std::move(next.held);
        next.held = {};
        next.heldAt = decltype(Pass::heldAt)(0, m_hash);
        for (const Held& h : held)
            List(m_live, h.record, h.answers);
    }
}

void SearchMerge::List(size_t pass, const TemplateCameraRecord& record, int32_t answers)
{
    AdapterSearchFigures& figures = m_figures[pass];
    const MacBytes mac = record.Mac();
    if (m_listedMacs.count(mac) != 0) {
        figures.duplicatesDropped += answers;
        return;
    }
    if (m_listedMacs.size() >= kMaxCameras) {
        figures.overLimitDropped += answers;
        return;
    }
    m_listedMacs.insert(mac);
    m_listed.push_back(record);
    ++figures.repliesAccepted;
    figures.duplicatesDropped += answers - 1;
}
