// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>
#include <vector>

class CDeviceManager;

// Results of one request/reply exchange.
namespace ExchangeResult {
inline constexpr int kSuccess = -1;
inline constexpr int kNoAnswer = 3;
inline constexpr int kOpenFailed = 12;
inline constexpr int kBroadcastFailed = 13;
inline constexpr int kSendFailed = 14;
inline constexpr int kReceiveFailed = 15;
inline constexpr int kStopped = 16; // stop was requested; the answer, if any, was not waited for
} // namespace ExchangeResult

// Broadcasts request (header and body) from the manager's operation adapter and waits for the
// camera's answer: magic, sequence number, MAC and opcode of the request. Each datagram is judged
// on its own, so strays before the answer do not hide it; an answer to the same sequence number
// from another camera ends the tries. A try lasts the manager's receive time-out from its send,
// however many strays arrive. On success reply holds the answer, cut to largestReply bytes.
// The manager's lastError is set alongside. A stop is noticed before every send and within
// kStopCheck while waiting; nothing is sent after it.
int Exchange(CDeviceManager& manager, std::span<const uint8_t> request, std::vector<uint8_t>& reply,
             size_t largestReply, int tries, const std::stop_token& stop = {});

inline constexpr std::chrono::milliseconds kStopCheck{100};
