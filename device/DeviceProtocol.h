// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>

// Wire constants of the camera protocol: every datagram starts with a 22-byte header.
namespace DeviceProtocol {

inline constexpr uint16_t kPort = 62976;
inline constexpr const char* kBroadcastHost = "255.255.255.255";

inline constexpr uint16_t kRequestMagic = 0xFDFD;
inline constexpr uint16_t kReplyMagic = 0xFEEE;
inline constexpr uint16_t kCheckWord = 0x7777;
inline constexpr uint16_t kProtocolWord = 1;

inline constexpr size_t kHeaderSize = 22;

// Header offsets, requests and replies alike.
inline constexpr size_t kMagicOffset = 0;
inline constexpr size_t kSequenceOffset = 2;
inline constexpr size_t kOpcodeOffset = 4;
inline constexpr size_t kMacOffset = 6;
inline constexpr size_t kIpOffset = 12;     // request: target address
inline constexpr size_t kCheckOffset = 16;  // request: check word
inline constexpr size_t kStatusOffset = 16; // reply: status
inline constexpr size_t kWordOffset = 18;   // request: protocol word; reply: a word
inline constexpr size_t kBodyLengthOffset = 20;

namespace Opcode {
inline constexpr uint16_t kSearch = 0xA1;
inline constexpr uint16_t kSetBasic = 0xA2;
inline constexpr uint16_t kVerification = 0xA3;
inline constexpr uint16_t kChangeIdPwd = 0xA4;
inline constexpr uint16_t kQueryOpcodes = 0xA5;
inline constexpr uint16_t kGetWLan = 0xA8;
inline constexpr uint16_t kSetWLan = 0xA9;
inline constexpr uint16_t kReset = 0xAA;
inline constexpr uint16_t kQueryWps = 0xB2;
inline constexpr uint16_t kInitWps = 0xB3;
inline constexpr uint16_t kPollWpsInf = 0xB4;
inline constexpr uint16_t kSendWps = 0xB5;
inline constexpr uint16_t kPollWpsStatus = 0xB6;
} // namespace Opcode

// Search replies: at most this many bytes are kept of one.
inline constexpr size_t kSearchReplyMax = 334;
inline constexpr size_t kSearchBodySize = kSearchReplyMax - kHeaderSize;

// Camera record (a kept search reply plus the adapter entry that heard it).
inline constexpr size_t kRecordSize = 338;
inline constexpr size_t kRecordModel = 150;
inline constexpr size_t kRecordName = 226;
inline constexpr size_t kRecordIp = 290;
inline constexpr size_t kRecordAdapterEntry = 334;
// The texts end at the next field of the search layout at the latest.
inline constexpr size_t kRecordModelMax = kRecordName - kRecordModel;
inline constexpr size_t kRecordNameMax = kRecordIp - kRecordName;

inline constexpr size_t kMacSize = 6;

inline uint16_t GetLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t GetLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void PutLe16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v & 0xFF);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace DeviceProtocol
