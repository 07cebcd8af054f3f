// SPDX-License-Identifier: Apache-2.0
// The apply sequences against a scripted peer that answers every request except those of the
// opcodes it is told to leave unanswered: which writes go out after a lost answer, and what the
// state says is left to confirm.
#include "device/ApplySequence.h"

#include "device/CDeviceManager.h"
#include "device/DeviceProtocol.h"
#include "device/WizardState.h"
#include "tests/unit/TestName.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace DeviceProtocol;

namespace {

class ScriptedCamera
{
public:
    explicit ScriptedCamera(std::set<uint16_t> silent) : m_silent(std::move(silent)) {}

    int operator()(CDeviceManager&, std::span<const uint8_t> request, std::vector<uint8_t>& reply, size_t,
                   int, const std::stop_token&)
    {
        const uint16_t opcode = GetLe16(&request[kOpcodeOffset]);
        sent.push_back(opcode);
        if (m_silent.count(opcode))
            return ExchangeResult::kNoAnswer;
        // Accepted; a write's 16-byte body asks for no wait, a reading's empty body changes nothing.
        const bool write = opcode != Opcode::kVerification && opcode != Opcode::kGetWLan;
        reply.assign(kHeaderSize + (write ? 16 : 0), 0);
        PutLe16(&reply[kMagicOffset], kReplyMagic);
        std::copy_n(&request[kSequenceOffset], 2, &reply[kSequenceOffset]);
        std::copy_n(&request[kOpcodeOffset], 2, &reply[kOpcodeOffset]);
        std::copy_n(&request[kMacOffset], kMacSize, &reply[kMacOffset]);
        PutLe16(&reply[kBodyLengthOffset], static_cast<uint16_t>(reply.size() - kHeaderSize));
        return ExchangeResult::kSuccess;
    }

    std::vector<uint16_t> sent;

private:
    std::set<uint16_t> m_silent;
};

struct ApplyCase
{
    const char* what;
    bool wireless;
    const char16_t* model;
    bool newPassword;
    std::set<uint16_t> silent;
    std::vector<uint16_t> sent;
    int result;
    bool unconfirmedWrites;
    bool unconfirmedWireless;
    bool readBack;
};

void PrintTo(const ApplyCase& c, std::ostream* os)
{
    *os << c.what;
}

class ApplySequenceTest : public testing::TestWithParam<ApplyCase>
{
};

TEST_P(ApplySequenceTest, SendsWhatTheCameraNeedsAndSaysWhatIsLeftToConfirm)
{
    const ApplyCase& c = GetParam();
    CDeviceManager manager;
    manager.SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
    WizardState state;
    state.camera.macText = u"02:00:00:00:50:01";
    state.camera.ip = u"198.18.0.9";
    state.camera.model = c.model;
    state.adminId = u"admin";
    state.adminPassword = u"admin";
    if (c.newPassword) {
        state.changePassword = 1;
        state.newPassword = u"N3w-pass";
    }
    state.wireless.ssid = u"Yard";
    OperationContext context{state, manager};
    context.sleep = [](std::chrono::milliseconds) {};
    ScriptedCamera camera(c.silent);
    context.exchange = std::ref(camera);

    const int result = c.wireless ? ApplyWireless(context) : ApplyNetwork(context);
    EXPECT_EQ(camera.sent, c.sent);
    EXPECT_EQ(result, c.result);
    if (result != OperationResult::kSuccess) {
        EXPECT_EQ(context.errorDetail, OperationResult::kDetailNoAnswer);
    }
    EXPECT_EQ(state.applyUnconfirmed.writes, c.unconfirmedWrites);
    EXPECT_EQ(state.applyUnconfirmed.wireless, c.unconfirmedWireless);
    EXPECT_EQ(state.applyUnconfirmed.wirelessReadBack.has_value(), c.readBack);
    EXPECT_EQ(state.wireless.ssid, u"Yard") << "the state keeps the settings written";
}

constexpr uint16_t kBasic = Opcode::kSetBasic;
constexpr uint16_t kWLan = Opcode::kSetWLan;
constexpr uint16_t kRead = Opcode::kGetWLan;
constexpr uint16_t kReset = Opcode::kReset;
constexpr uint16_t kChange = Opcode::kChangeIdPwd;
constexpr uint16_t kSignIn = Opcode::kVerification;
constexpr int kFailed = OperationResult::kFailed;
constexpr int kDone = OperationResult::kSuccess;
constexpr const char16_t* kPlain = u"QC-100";
constexpr const char16_t* kRestarts = u"QC-K3W";

INSTANTIATE_TEST_SUITE_P(
    Applies, ApplySequenceTest,
    testing::Values(
        ApplyCase{"network, all answered", false, kPlain, false, {}, {kBasic}, kDone, false, false, false},
        ApplyCase{
            "network, lost answer", false, kPlain, false, {kBasic}, {kBasic}, kFailed, true, false, false},
        ApplyCase{"network, lost answer, the restart still goes out",
                  false,
                  kRestarts,
                  false,
                  {kBasic},
                  {kBasic, kReset},
                  kFailed,
                  true,
                  false,
                  false},
        ApplyCase{"wireless, network write unanswered",
                  true,
                  kPlain,
                  false,
                  {kBasic},
                  {kBasic, kWLan},
                  kFailed,
                  true,
                  false,
                  false},
        ApplyCase{"wireless, read back after a lost answer",
                  true,
                  kRestarts,
                  false,
                  {kWLan},
                  {kBasic, kWLan, kRead, kReset},
                  kFailed,
                  true,
                  true,
                  true},
        ApplyCase{"wireless, two lost answers end it",
                  true,
                  kRestarts,
                  false,
                  {kBasic, kWLan},
                  {kBasic, kWLan},
                  kFailed,
                  true,
                  true,
                  false},
        ApplyCase{"wireless, the reading unanswered too ends it",
                  true,
                  kRestarts,
                  false,
                  {kWLan, kRead},
                  {kBasic, kWLan, kRead},
                  kFailed,
                  true,
                  true,
                  false},
        ApplyCase{"password change unconfirmed ends it",
                  false,
                  kPlain,
                  true,
                  {kChange, kSignIn},
                  {kChange, kSignIn},
                  kFailed,
                  false,
                  false,
                  false},
        ApplyCase{"password change, then a lost answer",
                  false,
                  kPlain,
                  true,
                  {kBasic},
                  {kChange, kBasic},
                  kFailed,
                  true,
                  false,
                  false}),
    [](const auto& info) { return TestName(info.param.what); });

} // namespace
