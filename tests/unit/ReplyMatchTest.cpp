// SPDX-License-Identifier: Apache-2.0
#include "device/ReplyMatch.h"

#include "device/DeviceProtocol.h"
#include "tests/unit/TestName.h"

#include <gtest/gtest.h>
#include <vector>

using namespace DeviceProtocol;

namespace {

constexpr uint16_t kSequence = 0x1234;
constexpr uint8_t kCameraMac[kMacSize] = {0x02, 0, 0, 0, 0x50, 0x01};

std::vector<uint8_t> Header(uint16_t magic, uint16_t sequence, uint16_t opcode, const uint8_t* mac)
{
    std::vector<uint8_t> header(kHeaderSize, 0);
    PutLe16(&header[kMagicOffset], magic);
    PutLe16(&header[kSequenceOffset], sequence);
    PutLe16(&header[kOpcodeOffset], opcode);
    std::copy(mac, mac + kMacSize, &header[kMacOffset]);
    return header;
}

const std::vector<uint8_t> kRequest = [] {
    auto request = Header(kRequestMagic, kSequence, Opcode::kVerification, kCameraMac);
    request.resize(150, 0);
    return request;
}();

struct MatchCase
{
    const char* what;
    std::vector<uint8_t> datagram;
    ReplyMatch expected;
};

class MatchReplyTest : public testing::TestWithParam<MatchCase>
{
};

TEST_P(MatchReplyTest, JudgesTheDatagram)
{
    EXPECT_EQ(MatchReply(kRequest, GetParam().datagram), GetParam().expected);
}

const uint8_t kOtherMac[kMacSize] = {0x02, 0, 0, 0, 0x50, 0x02};
const auto kAnswer = Header(kReplyMagic, kSequence, Opcode::kVerification, kCameraMac);

INSTANTIATE_TEST_SUITE_P(
    Datagrams, MatchReplyTest,
    testing::Values(
        MatchCase{"answer", kAnswer, ReplyMatch::kAnswer}, MatchCase{"empty", {}, ReplyMatch::kStray},
        MatchCase{"one byte short of a header", std::vector<uint8_t>(kAnswer.begin(), kAnswer.end() - 1),
                  ReplyMatch::kStray},
        MatchCase{"request magic", Header(kRequestMagic, kSequence, Opcode::kVerification, kCameraMac),
                  ReplyMatch::kStray},
        MatchCase{"earlier sequence", Header(kReplyMagic, kSequence - 1, Opcode::kVerification, kCameraMac),
                  ReplyMatch::kStray},
        MatchCase{"other camera", Header(kReplyMagic, kSequence, Opcode::kVerification, kOtherMac),
                  ReplyMatch::kOtherCamera},
        MatchCase{"other opcode", Header(kReplyMagic, kSequence, Opcode::kGetWLan, kCameraMac),
                  ReplyMatch::kOtherCamera}),
    [](const auto& info) { return TestName(info.param.what); });

TEST(StatusAreaTest, EndsWhereTheBodyLengthSaysAndNeverPastTheDatagram)
{
    std::vector<uint8_t> answer = kAnswer;
    answer.resize(kHeaderSize + 16, 0xAB);

    PutLe16(&answer[kBodyLengthOffset], 4);
    EXPECT_EQ(StatusArea(answer).size(), 6u + 4u);
    EXPECT_EQ(StatusArea(answer).data(), answer.data() + kStatusOffset);

    PutLe16(&answer[kBodyLengthOffset], 0xFFFF); // a lying length
    EXPECT_EQ(StatusArea(answer).size(), 6u + 16u);

    EXPECT_TRUE(StatusArea(std::vector<uint8_t>(kHeaderSize - 1)).empty());
}

} // namespace
