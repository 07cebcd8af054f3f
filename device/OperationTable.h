// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/DeviceProtocol.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// One row per camera operation: how its request is built and its reply read.
struct OperationSpec
{
    std::string_view name;
    uint16_t opcode;
    std::string_view templateName; // empty: no template
    size_t requestLength;          // header included; the datagram always has this length
    size_t largestReply;
    int tries;
    int decodeMode; // 0: the reply is not decoded
    bool encodesFields;
};

namespace Operations {
namespace op = DeviceProtocol::Opcode;
// clang-format off
//                                           name             opcode               template              request reply tries mode  encodes
inline constexpr OperationSpec kVerification{"Verification",  op::kVerification,  "Verification_temp",  150,    42,   3,    0xA3, false};
inline constexpr OperationSpec kQueryOpcodes{"QueryOpcodes",  op::kQueryOpcodes,  "",                   150,    534,  3,    0xA5, false};
inline constexpr OperationSpec kGetWLan     {"GetWLan",       op::kGetWLan,       "GetWLan_temp",       150,    274,  3,    0xA8, false};
inline constexpr OperationSpec kSetBasic    {"SetBasic",      op::kSetBasic,      "SetBasic_temp",      239,    38,   3,    0,    true};
inline constexpr OperationSpec kChangeIDPWD {"ChangeIDPWD",   op::kChangeIdPwd,   "ChangeIDPWD_temp",   278,    38,   1,    0,    true};
inline constexpr OperationSpec kSetWLan     {"SetWLan",       op::kSetWLan,       "SetWLan_temp",       388,    38,   3,    0,    true};
inline constexpr OperationSpec kReset       {"Reset",         op::kReset,         "Reset_temp",         150,    38,   1,    0,    false};
inline constexpr OperationSpec kQueryWPS    {"QueryWPS",      op::kQueryWps,      "QueryWPS_temp",      150,    218,  1,    0xA3, false};
inline constexpr OperationSpec kInitWPS     {"InitWPS",       op::kInitWps,       "InitWPS_temp",       354,    38,   1,    0,    true};
inline constexpr OperationSpec kPollWPSInf  {"PollWPSInf",    op::kPollWpsInf,    "PollWPSInf_temp",    150,    218,  1,    0xB4, false};
inline constexpr OperationSpec kSendWPS     {"SendWPS",       op::kSendWps,       "SendWPS_temp",       346,    38,   1,    0,    true};
inline constexpr OperationSpec kPollWPSStatus{"PollWPSStatus", op::kPollWpsStatus, "PollWPSStatus_temp", 150,    38,   1,    0,    false};
// clang-format on

inline constexpr OperationSpec kAll[] = {kVerification, kQueryOpcodes, kGetWLan, kSetBasic,
                                         kChangeIDPWD,  kSetWLan,      kReset,   kQueryWPS,
                                         kInitWPS,      kPollWPSInf,   kSendWPS, kPollWPSStatus};
} // namespace Operations

// The credentials block that starts every operation's body: two 64-byte Base64 fields.
inline constexpr size_t kCredentialFieldSize = 64;
inline constexpr size_t kCredentialsSize = 2 * kCredentialFieldSize;
// The longest ID or password (in 8-bit characters) whose Base64 text fits its field whole.
inline constexpr size_t kLongestSignInText = kCredentialFieldSize / 4 * 3;
