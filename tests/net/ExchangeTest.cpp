// SPDX-License-Identifier: Apache-2.0
#include "device/Exchange.h"

#include "device/DeviceProtocol.h"
#include "engine/Base64.h"
#include "tests/net/NetFixture.h"

#include <string>

using namespace DeviceProtocol;

namespace {

constexpr size_t kVerificationLength = 150;
constexpr size_t kVerificationLargestReply = 42;

std::vector<uint8_t> VerificationRequest(CDeviceManager& manager, const std::string& mac)
{
    std::vector<uint8_t> request(kVerificationLength, 0);
    PutLe16(&request[kMagicOffset], kRequestMagic);
    PutLe16(&request[kSequenceOffset], manager.NextSequence());
    PutLe16(&request[kOpcodeOffset], Opcode::kVerification);
    const MacBytes target = ParseMac(std::u16string(mac.begin(), mac.end()));
    std::copy(target.begin(), target.end(), request.begin() + kMacOffset);
    PutLe16(&request[kCheckOffset], kCheckWord);
    PutLe16(&request[kWordOffset], kProtocolWord);
    PutLe16(&request[kBodyLengthOffset], 128);
    const std::string id = Base64Encode(std::string("admin"));
    std::copy(id.begin(), id.end(), request.begin() + kHeaderSize);
    std::copy(id.begin(), id.end(), request.begin() + kHeaderSize + 64);
    return request;
}

class ExchangeTest : public NetFixture
{
protected:
    std::filesystem::path StartCamera(const std::vector<std::string>& faults)
    {
        lab->AddLink("lanA");
        lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
        lab->AddCameraHost("cam", "lanA", "198.19.9.9/24");
        std::vector<std::string> args = {"--camera", "mac=02:00:00:00:50:01"};
        args.insert(args.end(), faults.begin(), faults.end());
        const auto state = lab->StartSimulator("cam", args);
        lab->EnterPc();
        manager = NewManager();
        manager->RefreshAdapters();
        manager->operationAdapterEntry = 0;
        return state;
    }

    std::unique_ptr<CDeviceManager> manager;
    std::vector<uint8_t> reply;
};

TEST_F(ExchangeTest, MatchingAnswerAfterStraysSucceeds)
{
    StartCamera({"--stray", "wrong-magic,old-seq,short,other-opcode"});
    const auto request = VerificationRequest(*manager, "02.00.00.00.50.01");

    EXPECT_EQ(Exchange(*manager, request, reply, kVerificationLargestReply, 3), ExchangeResult::kSuccess);

    EXPECT_EQ(manager->lastError(), 0);
    ASSERT_EQ(reply.size(), kVerificationLargestReply);
    EXPECT_EQ(GetLe16(&reply[kMagicOffset]), kReplyMagic);
    EXPECT_EQ(GetLe16(&reply[kSequenceOffset]), GetLe16(&request[kSequenceOffset]));
    EXPECT_TRUE(std::equal(&reply[kMacOffset], &reply[kMacOffset] + kMacSize, &request[kMacOffset]));
    EXPECT_EQ(GetLe16(&reply[kStatusOffset]), 0);
}

TEST_F(ExchangeTest, AnswerFromAnotherCameraToTheSameSequenceEndsTheTriesAndTheSilenceFails)
{
    // The camera's own answer is lost; only the one from the other MAC arrives.
    const auto state = StartCamera({"--stray", "other-mac", "--drop-rate", "1"});
    const auto request = VerificationRequest(*manager, "02.00.00.00.50.01");

    EXPECT_EQ(Exchange(*manager, request, reply, kVerificationLargestReply, 3), ExchangeResult::kNoAnswer);

    EXPECT_EQ(manager->lastError(), ExchangeResult::kNoAnswer);
    EXPECT_TRUE(reply.empty());
    EXPECT_EQ(RequestCount(NetLab::ReadState(state), Opcode::kVerification), 1);
}

TEST_F(ExchangeTest, NoAnswerGivesThreeAfterEveryTry)
{
    const auto state = StartCamera({});
    const auto request = VerificationRequest(*manager, "02.00.00.00.50.99");

    EXPECT_EQ(Exchange(*manager, request, reply, kVerificationLargestReply, 3), ExchangeResult::kNoAnswer);

    EXPECT_EQ(manager->lastError(), ExchangeResult::kNoAnswer);
    EXPECT_EQ(CounterValue(NetLab::ReadState(state), "otherTargets"), 3);
}

TEST_F(ExchangeTest, CameraRefusingTheCredentialsStillCompletesTheExchange)
{
    StartCamera({"--status", "2"});
    const auto request = VerificationRequest(*manager, "02.00.00.00.50.01");

    ASSERT_EQ(Exchange(*manager, request, reply, kVerificationLargestReply, 1), ExchangeResult::kSuccess);
    EXPECT_EQ(GetLe16(&reply[kStatusOffset]), 2);
}

} // namespace
