// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <span>

// How a datagram heard during an exchange relates to the request that was sent.
enum class ReplyMatch
{
    kStray,       // not an answer to this request: wrong magic or sequence number, or too short
    kOtherCamera, // an answer to this sequence number, but from another camera or for another opcode
    kAnswer,      // the camera's answer: magic, sequence number, MAC and opcode of the request
};

// Pure: judges one datagram against a request of at least a header's length.
ReplyMatch MatchReply(std::span<const uint8_t> request, std::span<const uint8_t> datagram);

// The part of an answer that the operations read as the status block and body: from the status
// word to the end of the body its length word claims, as far as the datagram holds it.
std::span<const uint8_t> StatusArea(std::span<const uint8_t> answer);
