// SPDX-License-Identifier: Apache-2.0
#include "tools/camsim/CameraSimulator.h"

#include "device/DeviceProtocol.h"
#include "engine/Base64.h"
#include "engine/CredentialCipher.h"
#include "engine/TemplateEngine.h"
#include "platform/AnsiCodePage.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace DeviceProtocol;

namespace {

constexpr size_t kCredentialSize = 64;

std::u16string Wide(const std::string& utf8)
{
    return FromUtf8(utf8);
}

std::string Json(const std::string& text)
{
    return JsonString(text);
}

std::string MacText(const MacBytes& mac)
{
    return ToUtf8(FormatMac(mac));
}

// The text of a NUL-padded credential field.
std::string FieldText(std::span<const uint8_t> field)
{
    const auto end = std::find(field.begin(), field.end(), 0);
    return std::string(field.begin(), end);
}

std::string WirelessJson(const SimWireless& w)
{
    std::ostringstream out;
    out << "{\"essid\": " << Json(w.essid) << ", \"wepKeys\": [" << Json(w.wepKeys[0]) << ", "
        << Json(w.wepKeys[1]) << ", " << Json(w.wepKeys[2]) << ", " << Json(w.wepKeys[3])
        << "], \"wepKey\": " << Json(w.wepKey) << ", \"enable\": " << w.enable
        << ", \"channel\": " << w.channel << ", \"encryptionModeBits\": " << Json(w.encryptionModeBits)
        << ", \"keyLenAuthBits\": " << Json(w.keyLenAuthBits)
        << ", \"keyFormatBits\": " << Json(w.keyFormatBits) << ", \"txRateBits\": " << Json(w.txRateBits)
        << ", \"channelRange\": " << Json(w.channelRange) << ", \"wireMode\": " << w.wireMode
        << ", \"encryptionCaps\": " << Json(w.encryptionCaps)
        << ", \"authenticationCaps\": " << Json(w.authenticationCaps)
        << ", \"wepKeyLenCaps\": " << Json(w.wepKeyLenCaps)
        << ", \"wepKeyFormatCaps\": " << Json(w.wepKeyFormatCaps)
        << ", \"wepDefaultKeyCaps\": " << Json(w.wepDefaultKeyCaps) << ", \"txRate\": " << w.txRate << "}";
    return out.str();
}

const char* Bool(bool value)
{
    return value ? "true" : "false";
}

std::string OpcodesJson(const std::vector<int>& opcodes)
{
    std::string out = "[";
    for (size_t i = 0; i < opcodes.size(); ++i)
        out += (i ? ", " : "") + std::to_string(opcodes[i]);
    return out + "]";
}

std::string WpsJson(const SimWpsRun& wps)
{
    static const char* const phases[] = {"idle", "started", "keySent", "secretAccepted", "joined"};
    std::ostringstream out;
    out << "{\"phase\": \"" << phases[wps.phase] << "\", \"mode\": " << wps.mode
        << ", \"pin\": " << Json(wps.pin) << ", \"agreed\": " << Bool(wps.agreed)
        << ", \"sendsAccepted\": " << wps.sendsAccepted << ", \"sendsRejected\": " << wps.sendsRejected
        << "}";
    return out.str();
}

} // namespace

CameraSimulator::CameraSimulator(SimOptions options)
    : m_options(std::move(options)), m_engine(std::make_unique<TemplateEngine>()), m_random(m_options.seed)
{
}

CameraSimulator::~CameraSimulator()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool CameraSimulator::Open()
{
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const std::string& name = m_options.interfaceName;
    const int on = 1;
    const int bufferBytes = 4 * 1024 * 1024;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_options.port);
    if (m_socket < 0 ||
        setsockopt(m_socket, SOL_SOCKET, SO_BINDTODEVICE, name.c_str(),
                   static_cast<socklen_t>(name.size() + 1)) ||
        setsockopt(m_socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) ||
        setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) ||
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
        std::fprintf(stderr, "quillane-camsim: cannot listen on %s port %u: %s\n", name.c_str(),
                     m_options.port, std::strerror(errno));
        return false;
    }
    setsockopt(m_socket, SOL_SOCKET, SO_SNDBUFFORCE, &bufferBytes, sizeof bufferBytes);
    setsockopt(m_socket, SOL_SOCKET, SO_RCVBUFFORCE, &bufferBytes, sizeof bufferBytes);
    m_replyTo.sin_family = AF_INET;
    m_replyTo.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    return true;
}

void CameraSimulator::Run(const volatile bool& stop)
{
    std::vector<uint8_t> buffer(65536);
    while (!stop) {
        pollfd fd{m_socket, POLLIN, 0};
        const auto wait = std::min(SendDue(), std::chrono::milliseconds(200));
        if (::poll(&fd, 1, static_cast<int>(wait.count())) <= 0)
            continue;
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(m_socket, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&from), &length);
        if (got <= 0)
            continue;
        Handle(std::span<const uint8_t>(buffer.data(), static_cast<size_t>(got)), from);
        UpdateState();
    }
}

std::chrono::milliseconds CameraSimulator::SendDue()
{
    using namespace std::chrono;
    auto next = steady_clock::now() + milliseconds(200);
    while (!m_delayed.empty() && m_delayed.front().due <= steady_clock::now()) {
        const Delayed request = std::move(m_delayed.front());
        m_delayed.erase(m_delayed.begin());
        Process(request.datagram, request.to);
        UpdateState();
    }
    if (!m_delayed.empty())
        next = std::min(next, m_delayed.front().due);
    const auto now = steady_clock::now();
    for (auto it = m_late.begin(); it != m_late.end();) {
        if (it->due > now) {
            next = std::min(next, it->due);
            ++it;
            continue;
        }
        const sockaddr_in asker = m_replyTo;
        m_replyTo = it->to;
        Send(it->datagram);
        m_replyTo = asker;
        it = m_late.erase(it);
    }
    const int flood = m_options.faults.strayFloodMs;
    if (flood > 0 && m_replyTo.sin_port != 0) {
        if (now >= m_nextStray) {
            Datagram stray(kHeaderSize, 0);
            PutLe16(&stray[kMagicOffset], 0xFEEF);
            PutLe16(&stray[kSequenceOffset], m_lastSequence);
            ++m_counters["strays"];
            Send(stray, false);
            m_nextStray = now + milliseconds(flood);
        }
        next = std::min(next, m_nextStray);
    }
    return std::max(duration_cast<milliseconds>(next - now), milliseconds(0));
}

void CameraSimulator::Answer(const Datagram& reply)
{
    if (m_holdAnswers) {
        m_held.push_back(reply);
        return;
    }
    const int late = m_options.faults.lateReplyMs;
    if (late <= 0) {
        Send(reply);
        return;
    }
    m_late.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(late), reply, m_replyTo});
}

void CameraSimulator::Handle(std::span<const uint8_t> request, const sockaddr_in& from)
{
    ++m_counters["datagrams"];
    // Answers of other cameras on the link arrive here too; only requests count.
    if (request.size() < kHeaderSize || GetLe16(&request[kMagicOffset]) != kRequestMagic) {
        ++m_counters["ignored"];
        return;
    }
    if (m_options.faults.requestDropRate > 0.0 &&
        std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_options.faults.requestDropRate) {
        ++m_counters["requestsDropped"];
        return;
    }
    // A slow camera takes its time over each request, but not one after the other.
    if (m_options.faults.replyDelayMs > 0) {
        m_delayed.push_back(
            {std::chrono::steady_clock::now() + std::chrono::milliseconds(m_options.faults.replyDelayMs),
             Datagram(request.begin(), request.end()), from});
        return;
    }
    Process(request, from);
}

void CameraSimulator::Process(std::span<const uint8_t> request, const sockaddr_in& from)
{
    m_replyTo.sin_port = from.sin_port;
    m_lastSequence = GetLe16(&request[kSequenceOffset]);
    const int opcode = GetLe16(&request[kOpcodeOffset]);
    ++m_opcodes[opcode];
    const bool twice = m_options.faults.duplicateRequests;
    // The first copy's answer is held back, so the second copy's answer arrives first.
    m_holdAnswers = twice;
    for (int copy = twice ? 2 : 1; copy > 0; --copy) {
        if (opcode == Opcode::kSearch)
            HandleSearch(request);
        else
            HandleOperation(request);
        m_holdAnswers = false;
    }
    for (const Datagram& held : m_held)
        Answer(held);
    m_held.clear();
}

bool CameraSimulator::Dropped()
{
    if (m_options.faults.dropRate <= 0.0)
        return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_options.faults.dropRate;
}

void CameraSimulator::HandleSearch(std::span<const uint8_t> request)
{
    const uint16_t sequence = GetLe16(&request[kSequenceOffset]);
    std::vector<SimCamera>& cameras = m_options.cameras;
    if (!cameras.empty())
        SendStrays(SearchReply(cameras.front(), sequence));
    const auto pause = cameras.empty() ? std::chrono::microseconds(0)
                                       : std::chrono::microseconds(m_options.faults.spreadMs * 1000LL) /
                                             static_cast<int64_t>(cameras.size());
    for (SimCamera& camera : cameras) {
        if (Restarting(camera))
            continue;
        ++camera.requests[Opcode::kSearch];
        if (pause.count() > 0)
            std::this_thread::sleep_for(pause);
        if (Dropped()) {
            ++m_counters["dropped"];
            continue;
        }
        const Datagram reply = SearchReply(camera, sequence);
        Send(reply);
        if (m_options.faults.duplicate)
            Send(reply);
    }
}

CameraSimulator::Datagram CameraSimulator::SearchReply(const SimCamera& camera, uint16_t sequence)
{
    const std::vector<uint8_t> body =
        EncodeTemplate("Discovery_temp", {{u"ProdType", Wide(camera.prodType)},
                                          {u"ProdHWSpec", Wide(camera.hwSpec)},
                                          {u"Webport", Wide(std::to_string(camera.webPort))},
                                          {u"DHCP", Wide(std::to_string(camera.dhcp))},
                                          {u"DNSSpec", Wide(std::to_string(camera.dnsSpec))},
                                          {u"Reserved", Wide(std::to_string(camera.reserved))},
                                          {u"SubNetMask", Wide(camera.mask)},
                                          {u"Gateway", Wide(camera.gateway)},
                                          {u"PriDNS", Wide(camera.dns1)},
                                          {u"SecDNS", Wide(camera.dns2)},
                                          {u"FirmwareVersion", Wide(camera.firmware)},
                                          {u"Model", Wide(camera.model)},
                                          {u"CameraName", Wide(camera.name)},
                                          {u"CameraIP", Wide(camera.ip)}});
    std::array<uint8_t, kHeaderSize> request{};
    PutLe16(&request[kSequenceOffset], sequence);
    PutLe16(&request[kOpcodeOffset], Opcode::kSearch);
    Datagram reply = ReplyHeader(camera, request, 0);
    SetBody(reply, body);
    return reply;
}

CameraSimulator::Datagram CameraSimulator::ReplyHeader(const SimCamera& camera,
                                                       std::span<const uint8_t> request, uint16_t status)
{
    Datagram reply(kHeaderSize, 0);
    PutLe16(&reply[kMagicOffset], kReplyMagic);
    PutLe16(&reply[kSequenceOffset], GetLe16(&request[kSequenceOffset]));
    PutLe16(&reply[kOpcodeOffset], GetLe16(&request[kOpcodeOffset]));
    std::copy(camera.mac.begin(), camera.mac.end(), reply.begin() + kMacOffset);
    PutLe16(&reply[kStatusOffset], status);
    PutLe16(&reply[kWordOffset], kProtocolWord);
    return reply;
}

void CameraSimulator::SetBody(Datagram& reply, std::span<const uint8_t> body) const
{
    reply.resize(kHeaderSize);
    reply.insert(reply.end(), body.begin(), body.end());
    PutLe16(&reply[kBodyLengthOffset], static_cast<uint16_t>(body.size()));
}

std::vector<uint8_t> CameraSimulator::EncodeTemplate(const char* name,
                                                     const std::map<std::u16string, std::u16string>& values)
{
    TemplateEngine& engine = *m_engine;
    if (!engine.LoadTemplateFile(m_options.templates, name)) {
        std::fprintf(stderr, "quillane-camsim: template %s missing in %s\n", name,
                     m_options.templates.c_str());
        return {};
    }
    engine.ClearFields();
    engine.ResetFields();
    engine.ParseTemplate(u"\r\n");
    for (const auto& [field, value] : values)
        engine.SetFieldText(field, value);
    engine.EncodeRequest();
    const auto body = engine.EncodedBody();
    return std::vector<uint8_t>(body.begin(), body.end());
}

void CameraSimulator::SendStrays(const Datagram& answer)
{
    const std::set<std::string>& kinds = m_options.faults.strays;
    auto variant = [&](const std::string& kind, auto change) {
        if (!kinds.count(kind))
            return;
        Datagram stray = answer;
        change(stray);
        ++m_counters["strays"];
        Send(stray, false);
    };
    variant("wrong-magic", [](Datagram& d) { PutLe16(&d[kMagicOffset], 0xFEEF); });
    variant("old-seq", [](Datagram& d) { PutLe16(&d[kSequenceOffset], GetLe16(&d[kSequenceOffset]) - 1); });
    variant("other-opcode",
            [](Datagram& d) { PutLe16(&d[kOpcodeOffset], GetLe16(&d[kOpcodeOffset]) ^ 0x10); });
    variant("bad-code", [](Datagram& d) { PutLe16(&d[kStatusOffset], 1); });
    variant("short", [](Datagram& d) { d.resize(kHeaderSize - 1); });
    variant("other-mac", [](Datagram& d) { d[kMacOffset + 5] ^= 0x80; });
}

void CameraSimulator::Send(const Datagram& datagram, bool answer)
{
    Datagram out = datagram;
    // Strays keep their own size: a padded short one would be a well-formed answer.
    if (answer) {
        out.resize(out.size() + static_cast<size_t>(m_options.faults.oversize), 0xAB);
        if (m_options.faults.lieLength && out.size() >= kHeaderSize)
            PutLe16(&out[kBodyLengthOffset], static_cast<uint16_t>(*m_options.faults.lieLength));
    }
    for (;;) {
        const ssize_t sent = ::sendto(m_socket, out.data(), out.size(), 0,
                                      reinterpret_cast<const sockaddr*>(&m_replyTo), sizeof m_replyTo);
        if (sent >= 0) {
            ++m_counters["sent"];
            return;
        }
        // A full send queue is waited out rather than losing the answer.
        if (errno != ENOBUFS && errno != EAGAIN) {
            ++m_counters["sendErrors"];
            return;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

bool CameraSimulator::Restarting(const SimCamera& camera) const
{
    if (camera.gone)
        return true;
    return camera.resets > 0 && std::chrono::steady_clock::now() - camera.restartedAt <
                                    std::chrono::milliseconds(m_options.faults.restartMs);
}

// What the wizard must get right in every request: the check word, and zero filler after the body.
void CameraSimulator::CheckFraming(std::span<const uint8_t> request)
{
    const int opcode = GetLe16(&request[kOpcodeOffset]);
    m_requestLengths[opcode] = request.size();
    if (GetLe16(&request[kCheckOffset]) != kCheckWord)
        ++m_counters["badCheckWord"];
    const size_t end = kHeaderSize + GetLe16(&request[kBodyLengthOffset]);
    if (end < request.size() && std::any_of(request.begin() + static_cast<ptrdiff_t>(end), request.end(),
                                            [](uint8_t b) { return b != 0; }))
        ++m_counters["fillerNotZero"];
}

void CameraSimulator::HandleOperation(std::span<const uint8_t> request)
{
    MacBytes target;
    std::copy_n(&request[kMacOffset], target.size(), target.begin());
    auto camera = std::find_if(m_options.cameras.begin(), m_options.cameras.end(),
                               [&](const SimCamera& c) { return c.mac == target; });
    if (camera == m_options.cameras.end()) {
        ++m_counters["otherTargets"];
        return;
    }
    if (Restarting(*camera)) {
        ++m_counters["restarting"];
        return;
    }
    const int opcode = GetLe16(&request[kOpcodeOffset]);
    ++camera->requests[opcode];
    CheckFraming(request);
    static const std::map<int, Handler> handlers = {
        {Opcode::kVerification, &CameraSimulator::Verification},
        {Opcode::kQueryOpcodes, &CameraSimulator::QueryOpcodes},
        {Opcode::kGetWLan, &CameraSimulator::GetWLan},
        {Opcode::kSetBasic, &CameraSimulator::SetBasic},
        {Opcode::kChangeIdPwd, &CameraSimulator::ChangeIDPWD},
        {Opcode::kSetWLan, &CameraSimulator::SetWLan},
        {Opcode::kReset, &CameraSimulator::Reset},
        {Opcode::kQueryWps, &CameraSimulator::QueryWPS},
        {Opcode::kInitWps, &CameraSimulator::InitWPS},
        {Opcode::kPollWpsInf, &CameraSimulator::PollWPSInf},
        {Opcode::kSendWps, &CameraSimulator::SendWPS},
        {Opcode::kPollWpsStatus, &CameraSimulator::PollWPSStatus},
    };
    const auto handler = handlers.find(opcode);
    if (handler == handlers.end()) {
        ++m_counters["unhandled"];
        return;
    }
    Datagram reply;
    const SimFaults& faults = m_options.faults;
    if (faults.status) {
        reply = ReplyHeader(*camera, request, static_cast<uint16_t>(*faults.status));
        std::array<uint8_t, 4> detail;
        PutLe32(detail.data(), static_cast<uint32_t>(faults.detail));
        SetBody(reply, detail);
    } else if (!CheckCredentials(*camera, request)) {
        reply = ReplyHeader(*camera, request, 2);
    } else if (!RepeatedWpsStep(*camera, request, reply)) {
        (this->*handler->second)(*camera, request, reply);
        if (opcode >= Opcode::kInitWps && opcode <= Opcode::kPollWpsStatus)
            camera->wps.answers[opcode] = {GetLe16(&request[kSequenceOffset]), reply};
    }
    if (reply.empty()) {
        ++m_counters["templateMissing"];
        return;
    }
    SendStrays(reply);
    // The state is on disk before the answer leaves, so a test that got the answer reads it.
    UpdateState();
    if (Dropped() || m_options.faults.dropAnswers.count(opcode)) {
        ++m_counters["dropped"];
        return;
    }
    Answer(reply);
}

bool CameraSimulator::RepeatedWpsStep(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    const auto last = camera.wps.answers.find(GetLe16(&request[kOpcodeOffset]));
    if (last == camera.wps.answers.end() || last->second.first != GetLe16(&request[kSequenceOffset]))
        return false;
    reply = last->second.second;
    ++m_counters["wpsRepeats"];
    return true;
}

namespace {

// Only the enciphered form may be known: encipher what was presented the same way.
bool SameCredential(const std::string& presented, const std::string& kept, bool enciphered)
{
    if (!enciphered)
        return presented == kept;
    std::string padded = presented;
    padded.resize(kCredentialSize, '\0');
    std::string cipher(kCredentialSize, '\0');
    CredentialCipher(reinterpret_cast<const uint8_t*>(padded.data()), kCredentialSize,
                     reinterpret_cast<uint8_t*>(cipher.data()));
    return cipher == kept;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

} // namespace

bool CameraSimulator::CheckCredentials(const SimCamera& camera, std::span<const uint8_t> request) const
{
    if (request.size() < kHeaderSize + 2 * kCredentialSize)
        return false;
    const auto body = request.subspan(kHeaderSize);
    const std::u16string id = Base64Decode(AnsiToUtf16(FieldText(body.subspan(0, kCredentialSize))));
    const std::u16string password =
        Base64Decode(AnsiToUtf16(FieldText(body.subspan(kCredentialSize, kCredentialSize))));
    return SameCredential(Utf16ToAnsi(id), camera.user, camera.userEnciphered) &&
           SameCredential(Utf16ToAnsi(password), camera.password, camera.passwordEnciphered);
}

void CameraSimulator::UpdateState() const
{
    if (!m_options.stateOnlyAtStart)
        WriteState();
}

void CameraSimulator::WriteState() const
{
    if (m_options.stateFile.empty())
        return;
    std::ostringstream out;
    out << "{\n  \"interface\": " << Json(m_options.interfaceName)
        << ",\n  \"lastSequence\": " << m_lastSequence << ",\n  \"counters\": {";
    const char* comma = "";
    for (const auto& [name, count] : m_counters) {
        out << comma << Json(name) << ": " << count;
        comma = ", ";
    }
    out << "},\n  \"requests\": {";
    comma = "";
    for (const auto& [opcode, count] : m_opcodes) {
        out << comma << "\"" << opcode << "\": " << count;
        comma = ", ";
    }
    out << "},\n  \"requestLengths\": {";
    comma = "";
    for (const auto& [opcode, length] : m_requestLengths) {
        out << comma << "\"" << opcode << "\": " << length;
        comma = ", ";
    }
    out << "},\n  \"cameras\": [";
    comma = "\n";
    for (const SimCamera& c : m_options.cameras) {
        out << comma << "    {\"mac\": " << Json(MacText(c.mac)) << ", \"model\": " << Json(c.model)
            << ", \"name\": " << Json(c.name) << ", \"ip\": " << Json(c.ip) << ", \"mask\": " << Json(c.mask)
            << ", \"gateway\": " << Json(c.gateway) << ", \"dns1\": " << Json(c.dns1)
            << ", \"dns2\": " << Json(c.dns2) << ", \"dhcp\": " << c.dhcp << ", \"webPort\": " << c.webPort
            << ", \"reserved\": " << c.reserved << ", \"dnsSpec\": " << c.dnsSpec
            << ", \"prodType\": " << Json(c.prodType) << ", \"prodHwSpec\": " << Json(c.hwSpec)
            << ", \"user\": " << Json(c.userEnciphered ? "" : c.user)
            << ", \"userEnciphered\": " << Bool(c.userEnciphered)
            << ", \"userCipher\": " << Json(c.userEnciphered ? Hex(c.user) : "")
            << ", \"passwordEnciphered\": " << Bool(c.passwordEnciphered)
            << ", \"passwordCipher\": " << Json(c.passwordEnciphered ? Hex(c.password) : "")
            << ", \"power\": " << c.power << ", \"opcodes\": " << OpcodesJson(c.opcodes)
            << ", \"resets\": " << c.resets << ", \"wireless\": " << WirelessJson(c.wireless)
            << ", \"wps\": " << WpsJson(c.wps) << ", \"requests\": {";
        const char* inner = "";
        for (const auto& [opcode, count] : c.requests) {
            out << inner << "\"" << opcode << "\": " << count;
            inner = ", ";
        }
        out << "}}";
        comma = ",\n";
    }
    out << "\n  ]\n}\n";
    // Readers see the old state or the new one, never a half-written file.
    const std::filesystem::path temporary = m_options.stateFile.string() + ".tmp";
    {
        std::ofstream file(temporary, std::ios::trunc);
        file << out.str();
    }
    std::error_code ignored;
    std::filesystem::rename(temporary, m_options.stateFile, ignored);
}
