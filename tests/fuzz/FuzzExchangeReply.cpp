// SPDX-License-Identifier: Apache-2.0
// Any bytes as the datagrams a camera sends back: each operation's request goes to a scripted
// peer that plays them, so the reply handling (header, MAC, sequence number, length words,
// status block, decoding and reading of the body) meets them without a network.
//
// Input: a plan byte, then datagrams, each a control byte, a 16-bit little-endian length and
// that many bytes. The control's low bits make the header answer the request as it is (0), as
// the camera (1) or as another camera (2); bit 7 is a silence that ends the current exchange.
#include "device/CDeviceManager.h"
#include "device/DeviceOperations.h"
#include "device/DeviceProtocol.h"
#include "device/Exchange.h"
#include "device/LoginSequence.h"
#include "device/ReplyMatch.h"
#include "device/WizardState.h"
#include "device/WpsOperations.h"
#include "tests/fuzz/FuzzManager.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

using namespace DeviceProtocol;

namespace {

constexpr uint8_t kSilence = 0x80;
constexpr uint8_t kOtherMac[kMacSize] = {0x02, 0, 0, 0, 0x50, 0x02};

class ScriptedPeer
{
public:
    explicit ScriptedPeer(std::span<const uint8_t> script) : m_script(script) {}

    // Plays datagrams until the camera's answer or a silence; judges them as an exchange does.
    int operator()(CDeviceManager& manager, std::span<const uint8_t> request, std::vector<uint8_t>& reply,
                   size_t largestReply, int, const std::stop_token&)
    {
        reply.clear();
        int code = ExchangeResult::kNoAnswer;
        while (m_script.size() >= 3 && !(m_script[0] & kSilence)) {
            std::vector<uint8_t> datagram = Next(request);
            datagram.resize(std::min(datagram.size(), std::max<size_t>(largestReply, 1)));
            const ReplyMatch match = MatchReply(request, datagram);
            if (match == ReplyMatch::kAnswer) {
                reply = std::move(datagram);
                code = ExchangeResult::kSuccess;
                break;
            }
        }
        // Answers from another camera or none: the silence that follows is what fails.
        if (code != ExchangeResult::kSuccess && !m_script.empty())
            m_script = m_script.subspan(1); // the silence
        manager.setLastError(code == ExchangeResult::kSuccess ? 0 : code);
        return code;
    }

private:
    std::vector<uint8_t> Next(std::span<const uint8_t> request)
    {
        const uint8_t control = m_script[0];
        const size_t length = std::min<size_t>(GetLe16(&m_script[1]), m_script.size() - 3);
        std::vector<uint8_t> datagram(m_script.begin() + 3, m_script.begin() + 3 + length);
        m_script = m_script.subspan(3 + length);
        if ((control & 3) != 0 && datagram.size() >= kHeaderSize) {
            PutLe16(&datagram[kMagicOffset], kReplyMagic);
            std::copy_n(&request[kSequenceOffset], 2, &datagram[kSequenceOffset]);
            std::copy_n(&request[kOpcodeOffset], 2, &datagram[kOpcodeOffset]);
            const uint8_t* mac = (control & 3) == 1 ? &request[kMacOffset] : kOtherMac;
            std::copy_n(mac, kMacSize, &datagram[kMacOffset]);
        }
        return datagram;
    }

    std::span<const uint8_t> m_script;
};

using Step = std::function<int(OperationContext&)>;

std::vector<Step> Plan(uint8_t which)
{
    static const std::vector<std::vector<Step>> kPlans = {
        {Login},
        {SetBasic},
        {ChangeIDPWD},
        {SetWLan},
        {Reset},
        {[](OperationContext& c) {
             WpsValues wps;
             return QueryWPS(c, wps);
         },
         [](OperationContext& c) { return InitWPS(c, WpsValues{}); }, PollWPSInf, SendWPS, PollWPSStatus},
    };
    return kPlans[which % kPlans.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDeviceManager& manager = FuzzManager();
    if (size < 1)
        return 0;
    WizardState state;
    state.camera.macText = u"02:00:00:00:50:01";
    state.camera.ip = u"198.18.0.9";
    state.camera.hasWireless = 1;
    state.adminId = u"admin";
    state.adminPassword = u"admin";
    state.newPassword = u"secret";
    state.confirmPassword = u"secret";
    OperationContext context{state, manager};
    context.sleep = [](std::chrono::milliseconds) {};
    context.exchange = ScriptedPeer(std::span<const uint8_t>(data + 1, size - 1));
    for (const Step& step : Plan(data[0]))
        step(context);
    return 0;
}
