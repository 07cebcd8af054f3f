// SPDX-License-Identifier: Apache-2.0
// The camera operations the simulator plays, each as a real camera would answer it.
#include "device/DeviceProtocol.h"
#include "engine/DecimalText.h"
#include "engine/KeyExchange.h"
#include "engine/SecretTransform.h"
#include "engine/TemplateEngine.h"
#include "platform/AnsiCodePage.h"
#include "platform/Utf8.h"
#include "tools/camsim/CameraSimulator.h"

#include <algorithm>

using namespace DeviceProtocol;

namespace {

constexpr size_t kCredentialsSize = 128;
constexpr int kBodyMode = 0xA3; // any mode that decodes from byte 6
constexpr size_t kHeaderSlot = 6;

namespace SimStatus {
constexpr uint16_t kAccepted = 0;
constexpr uint16_t kUnsupported = 4;
constexpr uint16_t kOutOfOrder = 5;
constexpr uint16_t kKeyMismatch = 6;
constexpr uint16_t kWpsRefused = 7;
constexpr uint16_t kPending = 257;
} // namespace SimStatus

// A WPS step the camera's scenario refuses: answered with a failure, nothing changes.
bool RefusesWpsStep(const SimCamera& camera, std::string_view step)
{
    return camera.wpsRefuse == step;
}

// Whether a poll of this phase answers "pending"; counts the pending answers down.
bool StaysPending(const SimCamera& camera, std::string_view phase, int& pendingLeft)
{
    if (camera.wpsStall == phase)
        return true;
    if (pendingLeft <= 0)
        return false;
    --pendingLeft;
    return true;
}

std::u16string Wide(const std::string& text)
{
    return FromUtf8(text);
}

std::u16string Number(int value)
{
    return IntToText(value);
}

// Puts one network setting (a key of --ignore-setting) back to what it was.
void KeepSetting(const SimCamera& before, SimCamera& camera, const std::string& key)
{
    static const std::map<std::string, std::string SimCamera::*> texts = {
        {"name", &SimCamera::name},       {"ip", &SimCamera::ip},     {"mask", &SimCamera::mask},
        {"gateway", &SimCamera::gateway}, {"dns1", &SimCamera::dns1}, {"dns2", &SimCamera::dns2},
    };
    if (key == "dhcp")
        camera.dhcp = before.dhcp;
    else if (const auto text = texts.find(key); text != texts.end())
        camera.*text->second = before.*text->second;
}

} // namespace

bool CameraSimulator::DecodeRequest(const char* name, std::span<const uint8_t> request)
{
    TemplateEngine& engine = *m_engine;
    if (!engine.LoadTemplateFile(m_options.templates, name))
        return false;
    engine.ClearFields();
    engine.ResetFields();
    engine.ParseTemplate(u"\r\n");
    // Only the body the header claims counts; whatever it leaves out decodes as zero.
    const size_t end = std::min(request.size(), kHeaderSize + GetLe16(&request[kBodyLengthOffset]));
    const size_t start = kHeaderSize + kCredentialsSize;
    std::vector<uint8_t> slot(kHeaderSlot, 0);
    if (end > start)
        slot.insert(slot.end(), request.begin() + static_cast<ptrdiff_t>(start),
                    request.begin() + static_cast<ptrdiff_t>(end));
    engine.LoadReply(slot);
    engine.DecodeReply(kBodyMode);
    return true;
}

std::string CameraSimulator::RequestValue(std::u16string_view field) const
{
    return ToUtf8(m_engine->GetField(field));
}

std::vector<uint8_t> CameraSimulator::RawField(std::span<const uint8_t> request,
                                               std::u16string_view field) const
{
    const PacketTemplate& table = m_engine->Fields();
    const size_t end = std::min(request.size(), kHeaderSize + GetLe16(&request[kBodyLengthOffset]));
    size_t offset = kHeaderSize + kCredentialsSize;
    for (int32_t i = 0; i < table.count; ++i) {
        const FieldEntry& entry = table.entries[i];
        const size_t length = static_cast<size_t>(std::max(entry.length, 0));
        if (entry.name == field) {
            std::vector<uint8_t> bytes(length, 0);
            for (size_t k = 0; k < length && offset + k < end; ++k)
                bytes[k] = request[offset + k];
            return bytes;
        }
        offset += length;
    }
    return {};
}

void CameraSimulator::WriteAccepted(const SimCamera& camera, std::span<const uint8_t> request,
                                    Datagram& reply, bool reportAction)
{
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    std::array<uint8_t, 16> body{};
    if (reportAction) {
        PutLe32(&body[4], static_cast<uint32_t>(m_options.faults.writeAction));
        PutLe32(&body[8], static_cast<uint32_t>(m_options.faults.writeWaitMs));
    }
    SetBody(reply, body);
}

void CameraSimulator::Verification(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    if (!m_options.faults.emptyReads)
        SetBody(reply, EncodeTemplate("Verification_temp", {{u"Power", Number(camera.power)}}));
}

void CameraSimulator::QueryOpcodes(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    if (m_options.faults.emptyReads)
        return;
    std::vector<uint8_t> body(camera.opcodes.size() * 2);
    for (size_t i = 0; i < camera.opcodes.size(); ++i)
        PutLe16(&body[2 * i], static_cast<uint16_t>(camera.opcodes[i]));
    SetBody(reply, body);
}

void CameraSimulator::GetWLan(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    if (m_options.faults.emptyReads)
        return;
    const SimWireless& w = camera.wireless;
    SetBody(reply, EncodeTemplate("GetWLan_temp", {{u"ESSID", Wide(w.essid)},
                                                   {u"WEPKey1", Wide(w.wepKeys[0])},
                                                   {u"WEPKey2", Wide(w.wepKeys[1])},
                                                   {u"WEPKey3", Wide(w.wepKeys[2])},
                                                   {u"WEPKey4", Wide(w.wepKeys[3])},
                                                   {u"WEPKey", Wide(w.wepKey)},
                                                   {u"WirelessEnable", Number(w.enable)},
                                                   {u"WirlessCh", Number(w.channel)},
                                                   {u"Encryption_Mode_bit0", Wide(w.encryptionModeBits)},
                                                   {u"KeyLen_Auth_bit0", Wide(w.keyLenAuthBits)},
                                                   {u"DKey_&_Format_bit0", Wide(w.keyFormatBits)},
                                                   {u"TXRate_bit0", Wide(w.txRateBits)},
                                                   {u"ChannelRange", Wide(w.channelRange)},
                                                   {u"WireMode", Number(w.wireMode)},
                                                   {u"Encryption", Wide(w.encryptionCaps)},
                                                   {u"Authentication", Wide(w.authenticationCaps)},
                                                   {u"WEPKeyLen", Wide(w.wepKeyLenCaps)},
                                                   {u"WEPKeyFormat", Wide(w.wepKeyFormatCaps)},
                                                   {u"WEPdefaultKey", Wide(w.wepDefaultKeyCaps)},
                                                   {u"TXRate", Number(w.txRate)}}));
}

void CameraSimulator::SetBasic(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    if (!DecodeRequest("SetBasic_temp", request))
        return;
    const SimCamera before = camera;
    camera.name = RequestValue(u"CameraName");
    camera.ip = RequestValue(u"CameraIP");
    camera.webPort = DecimalTextToInt(m_engine->GetField(u"Webport"));
    camera.mask = RequestValue(u"SubNetMask");
    camera.gateway = RequestValue(u"Gateway");
    camera.reserved = DecimalTextToInt(m_engine->GetField(u"Reserved"));
    camera.dnsSpec = DecimalTextToInt(m_engine->GetField(u"DNSSpec"));
    camera.dns1 = RequestValue(u"PriDNS");
    camera.dns2 = RequestValue(u"SecDNS");
    camera.dhcp = DecimalTextToInt(m_engine->GetField(u"DHCP"));
    for (const std::string& key : m_options.faults.ignoredSettings)
        KeepSetting(before, camera, key);
    WriteAccepted(camera, request, reply);
    // The answer still leaves: the camera goes only once it has said yes.
    camera.gone = m_options.faults.goneAfterWrite;
}

void CameraSimulator::ChangeIDPWD(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    if (!DecodeRequest("ChangeIDPWD_temp", request))
        return;
    // The cipher cannot always be undone: keep the enciphered bytes as they came.
    const std::vector<uint8_t> id = RawField(request, u"EncryptedID");
    const std::vector<uint8_t> password = RawField(request, u"EncryptedPassword");
    camera.user.assign(id.begin(), id.end());
    camera.userEnciphered = true;
    camera.password.assign(password.begin(), password.end());
    camera.passwordEnciphered = true;
    WriteAccepted(camera, request, reply);
}

void CameraSimulator::SetWLan(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    if (!DecodeRequest("SetWLan_temp", request))
        return;
    SimWireless& w = camera.wireless;
    if (!m_options.faults.ignoredSettings.count("essid"))
        w.essid = RequestValue(u"ESSID");
    for (int i = 0; i < 4; ++i)
        w.wepKeys[i] = RequestValue(u"WEPKey" + Number(i + 1));
    w.wepKey = RequestValue(u"WEPKey");
    w.enable = DecimalTextToInt(m_engine->GetField(u"WirelessEnable"));
    w.channel = DecimalTextToInt(m_engine->GetField(u"WirlessCh"));
    w.encryptionModeBits = RequestValue(u"Encryption_Mode_bit0");
    w.keyLenAuthBits = RequestValue(u"KeyLen_Auth_bit0");
    w.keyFormatBits = RequestValue(u"DKey_&_Format_bit0");
    w.txRateBits = RequestValue(u"TXRate_bit0");
    WriteAccepted(camera, request, reply);
}

void CameraSimulator::Reset(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    ++camera.resets;
    camera.restartedAt = std::chrono::steady_clock::now();
    camera.wps = SimWpsRun{};
    WriteAccepted(camera, request, reply);
}

void CameraSimulator::QueryWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    camera.wps = SimWpsRun{};
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    SetBody(reply, EncodeTemplate("QueryWPS_temp", {{u"WPS_PBC", Number(camera.wpsPbc)},
                                                    {u"WPS_PIN", Number(camera.wpsPin)}}));
}

void CameraSimulator::InitWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    if (!DecodeRequest("InitWPS_temp", request))
        return;
    SimWpsRun run;
    run.mode = DecimalTextToInt(m_engine->GetField(u"Mode"));
    run.pin = RequestValue(u"PINCODE");
    const bool supported = (run.mode == 1 && camera.wpsPbc) || (run.mode == 2 && camera.wpsPin);
    if (!supported) {
        camera.wps = run;
        reply = ReplyHeader(camera, request, SimStatus::kUnsupported);
        return;
    }
    // The camera's own pair; the secret comes from the wizard's public value, read big-endian.
    const std::vector<uint8_t> peer = RawField(request, u"PCPublicKey");
    KeyExchange dh;
    uint8_t own[512] = {};
    int ownLength = 0;
    dh.GenerateDHPublicKey(own, &ownLength);
    const size_t n = std::min<size_t>(static_cast<size_t>(std::max(ownLength, 0)), run.publicValue.size());
    std::copy_n(own, n, run.publicValue.end() - static_cast<ptrdiff_t>(n));
    uint8_t secret[512] = {};
    int secretLength = 0;
    dh.GenerateDHSecreteKey(peer.data(), static_cast<int>(peer.size()), secret, &secretLength);
    run.agreed = secretLength > 0;
    std::copy_n(secret, std::min<size_t>(static_cast<size_t>(std::max(secretLength, 0)), run.secret.size()),
                run.secret.begin());
    if (RefusesWpsStep(camera, "init")) {
        camera.wps = SimWpsRun{};
        camera.wps.mode = run.mode;
        camera.wps.pin = run.pin;
        reply = ReplyHeader(camera, request, SimStatus::kWpsRefused);
        return;
    }
    run.phase = SimWpsRun::kStarted;
    run.pendingLeft = PendingPolls(camera);
    camera.wps = run;
    WriteAccepted(camera, request, reply, false);
}

int CameraSimulator::PendingPolls(const SimCamera& camera) const
{
    return camera.wpsPending >= 0 ? camera.wpsPending : m_options.faults.wpsPending;
}

void CameraSimulator::PollWPSInf(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    SimWpsRun& run = camera.wps;
    if (run.phase != SimWpsRun::kStarted && run.phase != SimWpsRun::kKeySent) {
        reply = ReplyHeader(camera, request, SimStatus::kOutOfOrder);
        return;
    }
    if (run.phase == SimWpsRun::kStarted && RefusesWpsStep(camera, "inf")) {
        reply = ReplyHeader(camera, request, SimStatus::kWpsRefused);
        return;
    }
    if (run.phase == SimWpsRun::kStarted && StaysPending(camera, "inf", run.pendingLeft)) {
        reply = ReplyHeader(camera, request, SimStatus::kPending);
        return;
    }
    std::vector<uint8_t> body = EncodeTemplate("PollWPSInf_temp", {{u"WPSState", u"1"}});
    std::vector<uint8_t> key(run.publicValue.begin(), run.publicValue.end());
    SecretTransform(key.data(), key.size());
    // The key field follows the 4-byte state.
    std::copy_n(key.begin(), std::min(key.size(), body.size() - std::min<size_t>(body.size(), 4)),
                body.begin() + 4);
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    SetBody(reply, body);
    if (run.phase == SimWpsRun::kStarted) {
        run.phase = SimWpsRun::kKeySent;
        run.pendingLeft = PendingPolls(camera);
    }
}

void CameraSimulator::SendWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    SimWpsRun& run = camera.wps;
    if (run.phase != SimWpsRun::kKeySent || !DecodeRequest("SendWPS_temp", request)) {
        reply = ReplyHeader(camera, request, SimStatus::kOutOfOrder);
        return;
    }
    std::vector<uint8_t> expected(run.secret.begin(), run.secret.end());
    SecretTransform(expected.data(), expected.size());
    if (RefusesWpsStep(camera, "send")) {
        reply = ReplyHeader(camera, request, SimStatus::kWpsRefused);
        return;
    }
    if (!run.agreed || RawField(request, u"SharedSecret") != expected) {
        ++run.sendsRejected;
        reply = ReplyHeader(camera, request, SimStatus::kKeyMismatch);
        return;
    }
    ++run.sendsAccepted;
    run.phase = SimWpsRun::kSecretAccepted;
    WriteAccepted(camera, request, reply, false);
}

void CameraSimulator::PollWPSStatus(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply)
{
    SimWpsRun& run = camera.wps;
    if (run.phase != SimWpsRun::kSecretAccepted && run.phase != SimWpsRun::kJoined) {
        reply = ReplyHeader(camera, request, SimStatus::kOutOfOrder);
        return;
    }
    if (run.phase == SimWpsRun::kSecretAccepted && RefusesWpsStep(camera, "status")) {
        reply = ReplyHeader(camera, request, SimStatus::kWpsRefused);
        return;
    }
    if (run.phase == SimWpsRun::kSecretAccepted && StaysPending(camera, "status", run.pendingLeft)) {
        reply = ReplyHeader(camera, request, SimStatus::kPending);
        return;
    }
    run.phase = SimWpsRun::kJoined;
    camera.wireless.essid = camera.wpsSsid;
    camera.wireless.enable = 1;
    reply = ReplyHeader(camera, request, SimStatus::kAccepted);
    SetBody(reply, EncodeTemplate("PollWPSStatus_temp", {{u"WPSResult", u"1"}}));
}
