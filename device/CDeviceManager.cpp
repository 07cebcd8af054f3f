// SPDX-License-Identifier: Apache-2.0
#include "device/CDeviceManager.h"

#include "device/AdapterTable.h"
#include "device/CUT_WSClient.h"
#include "device/DeviceProtocol.h"
#include "device/SearchRepeats.h"
#include "engine/DecimalText.h"
#include "engine/Opcodes.h"
#include "engine/TemplateEngine.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

using namespace DeviceProtocol;

namespace {

std::thread StartThread(std::function<void()> body)
{
    return std::thread(std::move(body));
}

std::u16string Cut(std::u16string text, size_t width)
{
    if (text.size() >= width)
        text.resize(width - 1);
    return text;
}

std::array<uint8_t, kHeaderSize> SearchRequest(uint16_t sequence, uint16_t protocolWord)
{
    std::array<uint8_t, kHeaderSize> request{};
    PutLe16(&request[kMagicOffset], kRequestMagic);
    PutLe16(&request[kSequenceOffset], sequence);
    PutLe16(&request[kOpcodeOffset], Opcode::kSearch);
    std::fill_n(&request[kMacOffset], kMacSize, 0xFF);
    PutLe16(&request[kWordOffset], protocolWord);
    return request;
}

} // namespace

CDeviceManager::CDeviceManager() : CDeviceManager(DeviceTimeouts{}) {}

CDeviceManager::CDeviceManager(const DeviceTimeouts& timeouts)
    : m_timeouts(timeouts), m_engine(std::make_unique<TemplateEngine>()),
      m_templateFolder(ProgramFolder() / "tQuillane"), m_threadStarter(StartThread),
      m_adapterSource(ListAdapterAddresses)
{
}

CDeviceManager::~CDeviceManager()
{
    StopSearch();
}

void CDeviceManager::StopSearch()
{
    m_stop = true;
    if (m_searchThread.joinable())
        m_searchThread.join();
    m_stop = false;
}

void CDeviceManager::StartSearch()
{
    StopSearch();
    {
        std::lock_guard guard(m_lock);
        m_cameras.clear();
        m_figures.clear();
        m_searchDone = false;
    }
    m_foundCount = 0;
    m_searching = true;
    try {
        m_searchThread = m_threadStarter([this] { RunSearch(); });
    } catch (const std::exception&) {
        // Nothing would ever report the end of the search: end it now, with nothing found.
        std::lock_guard guard(m_lock);
        m_searchDone = true;
    }
}

bool CDeviceManager::SearchFinished()
{
    bool done;
    {
        std::lock_guard guard(m_lock);
        done = m_searchDone;
    }
    // The thread has nothing left to do but return.
    if (done && m_searchThread.joinable())
        m_searchThread.join();
    return done;
}

int CDeviceManager::CameraCount() const
{
    std::lock_guard guard(m_lock);
    return static_cast<int>(m_cameras.size());
}

std::vector<TemplateCameraRecord> CDeviceManager::Cameras() const
{
    std::lock_guard guard(m_lock);
    return m_cameras;
}

void CDeviceManager::SetCameras(std::vector<TemplateCameraRecord> cameras)
{
    std::lock_guard guard(m_lock);
    m_cameras = std::move(cameras);
}

int CDeviceManager::RefreshAdapters()
{
    AdapterChoice choice = ChooseAdapterEntries(m_adapterSource());
    std::lock_guard guard(m_lock);
    m_adapters = std::move(choice.entries);
    m_leftOut = std::move(choice.leftOut);
    return static_cast<int>(m_adapters.size());
}

std::vector<AdapterSearchFigures> CDeviceManager::SearchFigures() const
{
    std::lock_guard guard(m_lock);
    return m_figures;
}

std::vector<AdapterAddress> CDeviceManager::LeftOutAdapters() const
{
    std::lock_guard guard(m_lock);
    return m_leftOut;
}

std::vector<AdapterAddress> CDeviceManager::Adapters() const
{
    std::lock_guard guard(m_lock);
    return m_adapters;
}

void CDeviceManager::RunSearch()
{
    RefreshAdapters();
    const std::vector<AdapterAddress> adapters = Adapters();
    // Only the first address of each adapter is searched.
    std::vector<size_t> entries;
    int32_t lastOrdinal = -1;
    for (size_t i = 0; i < adapters.size(); ++i) {
        if (adapters[i].adapterOrdinal <= lastOrdinal || adapters[i].ipText == u"0.0.0.0")
            continue;
        lastOrdinal = adapters[i].adapterOrdinal;
        entries.push_back(i);
    }
    {
        std::lock_guard guard(m_lock);
        for (size_t entry : entries)
            m_figures.push_back(
                {adapters[entry].interfaceName, adapters[entry].ipText, static_cast<int32_t>(entry)});
        m_merge.Start(entries.size());
    }
    // A thread per pass rather than one poll() over every socket: each pass keeps its plain
    // send, repeat and listen loop with its own socket, repeats and quiet clock, and the passes
    // share nothing but the guarded list and figures. At most eight short-lived threads.
    std::vector<int32_t> results(entries.size(), 15);
    std::vector<std::thread> threads;
    threads.reserve(entries.size());
    for (size_t pass = 0; pass < entries.size(); ++pass) {
        // Handed out in adapter order, as when the passes ran one after the other.
        const uint16_t sequence = NextSequence();
        const AdapterAddress& adapter = adapters[entries[pass]];
        // A pass that never runs leaves the others to list its cameras.
        try {
            threads.push_back(m_threadStarter([this, pass, &adapter, sequence, &results] {
                const auto start = std::chrono::steady_clock::now();
                results[pass] = SearchAdapter(pass, adapter, sequence);
                EndPass(pass, std::chrono::steady_clock::now() - start);
            }));
        } catch (const std::system_error& error) {
            results[pass] = PassFailed(pass, 12, error.code().value());
            EndPass(pass, {});
        } catch (const std::exception&) {
            results[pass] = PassFailed(pass, 12, EAGAIN);
            EndPass(pass, {});
        }
    }
    for (std::thread& thread : threads) {
        if (thread.joinable())
            thread.join();
    }
    // A failed adapter is reported even when the others found cameras.
    const auto failed = std::find_if(results.begin(), results.end(), [](int32_t code) { return code != 15; });
    if (!results.empty())
        m_lastError = failed != results.end() ? *failed : 15;
    std::lock_guard guard(m_lock);
    m_searchDone = true;
}

int32_t CDeviceManager::SearchAdapter(size_t pass, const AdapterAddress& adapter, uint16_t sequence)
{
    CUT_WSClient client;
    if (client.OpenDatagram(kBroadcastHost, kPort, &adapter) != CUT_WSClient::kOk)
        return PassFailed(pass, 12, client.SystemError());
    if (!client.EnableBroadcast())
        return PassFailed(pass, 13, client.SystemError());
    const std::array<uint8_t, kHeaderSize> request = SearchRequest(sequence, protocolWord);
    // A send the system refuses (a host firewall that drops or rejects output gives EPERM) loses
    // that one request: the planned repeats still go out, as after a broadcast lost on the wire.
    auto send = [&] {
        size_t length = request.size();
        const bool sent = client.Send(request.data(), length) == CUT_WSClient::kOk;
        CountRequest(pass, sent, client.SystemError());
        return sent;
    };
    bool anySent = send();

    using Clock = std::chrono::steady_clock;
    // Slices keep a destroyed manager from waiting out a whole quiet period.
    constexpr auto kSlice = std::chrono::milliseconds(100);
    const auto start = Clock::now();
    const auto passEnd = start + std::max(m_timeouts.searchPassLimit, 2 * m_timeouts.searchQuiet);
    SearchRepeats repeats(start, m_timeouts.searchQuiet, m_timeouts.searchRepeats);
    std::array<uint8_t, kSearchReplyMax> datagram;
    auto quietUntil = start + m_timeouts.searchQuiet;
    while (!m_stop) {
        const auto now = Clock::now();
        // When nothing went out and no repeat is left, no camera can answer this pass.
        if (now >= quietUntil || now >= passEnd || (!anySent && repeats.Done()))
            break;
        if (repeats.Due(now)) {
            anySent = send() || anySent;
            continue;
        }
        const auto until = std::min({quietUntil, passEnd, repeats.Next()});
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now);
        size_t size = datagram.size();
        const int code =
            client.Receive(datagram.data(), size, std::clamp(left, std::chrono::milliseconds(1), kSlice));
        if (code == CUT_WSClient::kTimedOut)
            continue;
        if (code != CUT_WSClient::kOk)
            break;
        quietUntil = Clock::now() + m_timeouts.searchQuiet;
        AcceptReply(datagram.data(), size, sequence, pass);
    }
    return anySent ? 15 : 14;
}

int32_t CDeviceManager::PassFailed(size_t pass, int32_t code, int systemError)
{
    std::lock_guard guard(m_lock);
    m_figures[pass].systemError = systemError;
    return code;
}

void CDeviceManager::EndPass(size_t pass, std::chrono::steady_clock::duration listened)
{
    std::lock_guard guard(m_lock);
    m_figures[pass].listened = std::chrono::duration_cast<std::chrono::milliseconds>(listened);
    const size_t before = m_cameras.size();
    m_merge.Finished(pass);
    CountFound(before);
}

void CDeviceManager::CountRequest(size_t pass, bool sent, int systemError)
{
    std::lock_guard guard(m_lock);
    AdapterSearchFigures& figures = m_figures[pass];
    if (sent) {
        ++figures.requestsSent;
        return;
    }
    ++figures.sendsFailed;
    figures.systemError = systemError;
}

void CDeviceManager::CountFound(size_t before)
{
    m_foundCount += static_cast<int32_t>(m_cameras.size() - before);
}

void CDeviceManager::AcceptReply(const uint8_t* data, size_t size, uint16_t sequence, size_t pass)
{
    const bool candidate = size >= kHeaderSize && GetLe16(data + kMagicOffset) == kReplyMagic &&
                           GetLe16(data + kSequenceOffset) == sequence &&
                           GetLe16(data + kOpcodeOffset) == Opcode::kSearch &&
                           GetLe16(data + kStatusOffset) == 0;
    std::lock_guard guard(m_lock);
    AdapterSearchFigures& figures = m_figures[pass];
    ++figures.datagramsHeard;
    if (!candidate) {
        ++figures.straysDropped;
        return;
    }
    const size_t before = m_cameras.size();
    m_merge.Heard(
        pass, TemplateCameraRecord::FromReply(std::span<const uint8_t>(data, size), figures.adapterEntry));
    CountFound(before);
}

const TemplateCameraRecord* CDeviceManager::Current() const
{
    if (currentIndex < 0 || static_cast<size_t>(currentIndex) >= m_cameras.size())
        return nullptr;
    return &m_cameras[static_cast<size_t>(currentIndex)];
}

std::u16string CDeviceManager::GetModel() const
{
    std::lock_guard guard(m_lock);
    const TemplateCameraRecord* record = Current();
    return record ? record->Model() : std::u16string();
}

std::u16string CDeviceManager::GetName() const
{
    std::lock_guard guard(m_lock);
    const TemplateCameraRecord* record = Current();
    return record ? record->Name() : std::u16string();
}

std::u16string CDeviceManager::GetIpText() const
{
    std::lock_guard guard(m_lock);
    const TemplateCameraRecord* record = Current();
    return record ? FormatAddress(record->Ip()) : std::u16string();
}

std::u16string CDeviceManager::GetMaskText() const
{
    // A list entry carries no mask; the discovery decode supplies it.
    return std::u16string();
}

std::u16string CDeviceManager::GetMacText() const
{
    std::lock_guard guard(m_lock);
    const TemplateCameraRecord* record = Current();
    return record ? FormatMac(record->Mac()) : std::u16string();
}

int32_t CDeviceManager::GetAdapterEntry() const
{
    std::lock_guard guard(m_lock);
    const TemplateCameraRecord* record = Current();
    return record ? record->AdapterEntry() : -1;
}

void CDeviceManager::CopyLastReply(std::array<uint8_t, kLastReplySize>& out) const
{
    out.fill(0);
    if (currentIndex == -1) {
        std::copy_n(m_engine->PacketBuffer().begin(), out.size(), out.begin());
        return;
    }
    std::lock_guard guard(m_lock);
    if (const TemplateCameraRecord* record = Current())
        std::copy(record->bytes.begin(), record->bytes.end(), out.begin());
}

int CDeviceManager::SelectCamera(int index, std::u16string_view rowIp, int32_t rowWebPort, CameraInfo& info)
{
    currentIndex = index;
    info.webPort = rowWebPort;
    info.ip = Cut(std::u16string(rowIp), CameraInfo::kTextWidth);
    info.ipCopy = info.ip;
    info.model = Cut(GetModel(), CameraInfo::kTextWidth);
    info.mask = GetMaskText();
    info.adapterEntry = GetAdapterEntry();
    return DecodeDiscovery(index, info);
}

int CDeviceManager::DecodeDiscovery(int index, CameraInfo& info)
{
    TemplateCameraRecord record;
    {
        std::lock_guard guard(m_lock);
        if (index < 0 || static_cast<size_t>(index) >= m_cameras.size())
            return 0;
        record = m_cameras[static_cast<size_t>(index)];
    }
    info.macText = FormatMac(record.Mac());

    TemplateEngine& engine = *m_engine;
    // Without the file the table already loaded stays in use.
    if (engine.LoadTemplateFile(m_templateFolder, "Discovery_temp")) {
        engine.ClearFields();
        engine.ResetFields();
        engine.ParseTemplate(u"\r\n");
    }
    std::array<uint8_t, kLastReplySize> reply{};
    const auto body = record.Body();
    std::copy(body.begin(), body.end(), reply.begin());
    engine.LoadReply(reply);
    engine.DecodeReply(ParseMode::kStoredSearchReply);

    auto text = [&](std::u16string_view field, size_t width) { return Cut(engine.GetField(field), width); };
    auto number = [&](std::u16string_view field) { return DecimalTextToInt(engine.GetField(field)); };
    info.name = text(u"CameraName", CameraInfo::kTextWidth);
    info.ip = text(u"CameraIP", CameraInfo::kTextWidth);
    info.gateway = text(u"Gateway", CameraInfo::kTextWidth);
    info.mask = text(u"SubNetMask", CameraInfo::kTextWidth);
    info.dns1 = text(u"PriDNS", CameraInfo::kTextWidth);
    info.dns2 = text(u"SecDNS", CameraInfo::kTextWidth);
    info.dhcp = number(u"DHCP");
    info.webPort = number(u"Webport");
    info.reserved = number(u"Reserved");
    info.dnsSpec = number(u"DNSSpec");
    info.prodType = text(u"ProdType", CameraInfo::kProdTypeWidth);
    info.prodHwSpec = text(u"ProdHWSpec", CameraInfo::kProdHwSpecWidth);
    info.hasWireless = info.prodHwSpec.size() >= 32 && info.prodHwSpec[31] == u'1' ? 1 : 0;
    return -1;
}
