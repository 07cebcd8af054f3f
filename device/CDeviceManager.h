// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/AdapterAddress.h"
#include "device/AdapterSearchFigures.h"
#include "device/CameraInfo.h"
#include "device/SearchMerge.h"
#include "device/TemplateCameraRecord.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TemplateEngine;

// How long the link waits. The defaults are the product's; tests shorten them.
struct DeviceTimeouts
{
    std::chrono::milliseconds searchQuiet{3000}; // a search pass ends after this long without a datagram
    // A pass ends after this long in all, however many datagrams keep it from going quiet (never
    // before two quiet periods).
    std::chrono::milliseconds searchPassLimit{20000};
    std::chrono::milliseconds receive{10000}; // one try of an exchange
    // The search request goes out this many more times within the first quiet period.
    int searchRepeats = 3;
};

// The one object through which the wizard reaches cameras: the camera list of the last search,
// the PC's adapter table, the target of the next operation and the template engine's state.
class CDeviceManager
{
public:
    static constexpr size_t kLastReplySize = 2048;
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;
    using AdapterSource = std::function<std::vector<AdapterAddress>()>;

    CDeviceManager();
    explicit CDeviceManager(const DeviceTimeouts& timeouts);
    // Ends a running search and waits for its threads.
    ~CDeviceManager();
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    // Search. StartSearch ends a search that still runs before it starts the next one. When no
    // thread can be started the search is over at once, with an empty list.
    void StartSearch();
    bool SearchFinished();
    int CameraCount() const;
    // A copy taken under the lock: safe while the search appends. Rows only ever join at the end,
    // so a row once seen keeps its place until the next search.
    std::vector<TemplateCameraRecord> Cameras() const;
    int32_t FoundCount() const { return m_foundCount.load(); }
    bool searching() const { return m_searching; }
    void ClearSearching() { m_searching = false; }

    // Entry accessors: the list entry named by currentIndex; empty text (or -1) without one.
    int32_t currentIndex = -1;
    std::u16string GetModel() const;
    std::u16string GetName() const;
    std::u16string GetIpText() const;
    std::u16string GetMaskText() const;
    std::u16string GetMacText() const;
    int32_t GetAdapterEntry() const;
    // The last reply (currentIndex -1) or the stored search reply of entry currentIndex.
    void CopyLastReply(std::array<uint8_t, kLastReplySize>& out) const;

    // Discovery: fill info from the list entry index. -1 on success, 0 for an index not in the list.
    int SelectCamera(int index, std::u16string_view rowIp, int32_t rowWebPort, CameraInfo& info);
    int DecodeDiscovery(int index, CameraInfo& info);

    // One entry per adapter the last search went through, in search order; they grow while the
    // search runs (accepted and duplicate counts as the list takes the pass's cameras).
    std::vector<AdapterSearchFigures> SearchFigures() const;

    // The PC's addresses, rebuilt before every search; returns the number of entries.
    int RefreshAdapters();
    std::vector<AdapterAddress> Adapters() const;
    // Addresses the last refresh had no entry for (only eight are searched).
    std::vector<AdapterAddress> LeftOutAdapters() const;

    // Operation target.
    MacBytes TargetMac{};
    std::u16string TargetMacText;
    std::u16string TargetIp = u"192.168.0.20";
    int32_t operationAdapterEntry = -1;
    uint16_t protocolWord = 1;
    uint16_t NextSequence() { return ++m_sequence; }
    int32_t lastError() const { return m_lastError.load(); }
    void setLastError(int32_t code) { m_lastError = code; }

    TemplateEngine& Engine() { return *m_engine; }
    const TemplateEngine& Engine() const { return *m_engine; }
    const std::filesystem::path& TemplateFolder() const { return m_templateFolder; }
    void SetTemplateFolder(const std::filesystem::path& folder) { m_templateFolder = folder; }

    // Seams for tests.
    const DeviceTimeouts& Timeouts() const { return m_timeouts; }
    void SetTimeouts(const DeviceTimeouts& timeouts) { m_timeouts = timeouts; }
    void SetThreadStarter(ThreadStarter starter) { m_threadStarter = std::move(starter); }
    void SetAdapterSource(AdapterSource source) { m_adapterSource = std::move(source); }
    // Replaces the camera list, as a search would have left it.
    void SetCameras(std::vector<TemplateCameraRecord> cameras);

private:
    // One pass per adapter, all at the same time, each on a thread of its own.
    void RunSearch();
    // The pass's result: 15 when it listened to its end, 12-14 when no request could go out.
    int32_t SearchAdapter(size_t pass, const AdapterAddress& adapter, uint16_t sequence);
    // Keeps the system's reason for a pass that could not send; returns code.
    int32_t PassFailed(size_t pass, int32_t code, int systemError);
    void EndPass(size_t pass, std::chrono::steady_clock::duration listened);
    // Hands a camera's answer to the merge; every datagram heard is counted in the pass's figures.
    void AcceptReply(const uint8_t* data, size_t size, uint16_t sequence, size_t pass);
    // A request sent, or one the system refused with that error number.
    void CountRequest(size_t pass, bool sent, int systemError);
    // Keeps FoundCount with the list after the merge has added to it; called under m_lock.
    void CountFound(size_t before);
    void StopSearch();
    const TemplateCameraRecord* Current() const;

    DeviceTimeouts m_timeouts;
    std::unique_ptr<TemplateEngine> m_engine;
    std::filesystem::path m_templateFolder;

    mutable std::mutex m_lock;
    std::vector<TemplateCameraRecord> m_cameras; // guarded by m_lock
    std::vector<AdapterAddress> m_adapters;      // guarded by m_lock
    std::vector<AdapterSearchFigures> m_figures; // guarded by m_lock
    SearchMerge m_merge{m_cameras, m_figures};   // guarded by m_lock
    std::vector<AdapterAddress> m_leftOut;       // guarded by m_lock
    bool m_searchDone = false;                   // guarded by m_lock
    std::atomic<int32_t> m_foundCount{0};
    std::atomic<int32_t> m_lastError{0};
    std::atomic<uint16_t> m_sequence{0};
    std::atomic<bool> m_stop{false};
    bool m_searching = false;
    std::thread m_searchThread;
    ThreadStarter m_threadStarter;
    AdapterSource m_adapterSource;
};
