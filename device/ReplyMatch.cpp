// SPDX-License-Identifier: Apache-2.0
#include "device/ReplyMatch.h"

#include "device/DeviceProtocol.h"

#include <algorithm>

using namespace DeviceProtocol;

namespace {

bool SameWord(std::span<const uint8_t> a, std::span<const uint8_t> b, size_t offset)
{
    return GetLe16(&a[offset]) == GetLe16(&b[offset]);
}

} // namespace

ReplyMatch MatchReply(std::span<const uint8_t> request, std::span<const uint8_t> datagram)
{
    if (request.size() < kHeaderSize || datagram.size() < kHeaderSize ||
        GetLe16(&datagram[kMagicOffset]) != kReplyMagic || !SameWord(datagram, request, kSequenceOffset))
        return ReplyMatch::kStray;
    const auto mac = datagram.subspan(kMacOffset, kMacSize);
    if (std::equal(mac.begin(), mac.end(), request.begin() + kMacOffset) &&
        SameWord(datagram, request, kOpcodeOffset))
        return ReplyMatch::kAnswer;
    return ReplyMatch::kOtherCamera;
}

std::span<const uint8_t> StatusArea(std::span<const uint8_t> answer)
{
    if (answer.size() < kHeaderSize)
        return {};
    const size_t claimedEnd = kHeaderSize + GetLe16(&answer[kBodyLengthOffset]);
    return answer.subspan(kStatusOffset, std::min(claimedEnd, answer.size()) - kStatusOffset);
}
