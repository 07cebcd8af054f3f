// SPDX-License-Identifier: Apache-2.0
#include "device/Exchange.h"

#include "device/CDeviceManager.h"
#include "device/CUT_WSClient.h"
#include "device/DeviceProtocol.h"
#include "device/ReplyMatch.h"

#include <algorithm>
#include <chrono>

using namespace DeviceProtocol;

namespace {

struct TryResult
{
    int code;
    bool lastTry; // an answer to this sequence number came from another camera
};

TryResult OneTry(CDeviceManager& manager, std::span<const uint8_t> request, std::vector<uint8_t>& reply,
                 size_t largestReply, const std::stop_token& stop)
{
    const std::vector<AdapterAddress> adapters = manager.Adapters();
    const int32_t entry = manager.operationAdapterEntry;
    const AdapterAddress* local = entry >= 0 && static_cast<size_t>(entry) < adapters.size()
                                      ? &adapters[static_cast<size_t>(entry)]
                                      : nullptr;

    CUT_WSClient client;
    if (client.OpenDatagram(kBroadcastHost, kPort, local) != CUT_WSClient::kOk)
        return {ExchangeResult::kOpenFailed, false};
    if (!client.EnableBroadcast())
        return {ExchangeResult::kBroadcastFailed, false};
    size_t length = request.size();
    if (client.Send(request.data(), length) != CUT_WSClient::kOk)
        return {ExchangeResult::kSendFailed, false};

    const auto deadline = std::chrono::steady_clock::now() + manager.Timeouts().receive;
    std::vector<uint8_t> datagram(std::max(largestReply, kHeaderSize));
    bool lastTry = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (stop.stop_requested())
            return {ExchangeResult::kStopped, true};
        // Another camera's answer ends the tries, but the silence of this one is what failed.
        if (left.count() <= 0)
            return {ExchangeResult::kNoAnswer, lastTry};
        size_t size = std::min(datagram.size(), std::max<size_t>(largestReply, 1));
        const int code = client.Receive(datagram.data(), size, std::min(left, kStopCheck));
        if (code == CUT_WSClient::kTimedOut)
            continue;
        if (code != CUT_WSClient::kOk)
            return {ExchangeResult::kReceiveFailed, lastTry};
        const std::span<const uint8_t> got(datagram.data(), size);
        switch (MatchReply(request, got)) {
        case ReplyMatch::kStray:
            break;
        case ReplyMatch::kOtherCamera:
            lastTry = true;
            break;
        case ReplyMatch::kAnswer:
            reply.assign(got.begin(), got.end());
            return {ExchangeResult::kSuccess, true};
        }
    }
}

} // namespace

int Exchange(CDeviceManager& manager, std::span<const uint8_t> request, std::vector<uint8_t>& reply,
             size_t largestReply, int tries, const std::stop_token& stop)
{
    reply.clear();
    if (request.size() < kHeaderSize) {
        manager.setLastError(ExchangeResult::kSendFailed);
        return ExchangeResult::kSendFailed;
    }
    int code = ExchangeResult::kNoAnswer;
    for (int attempt = 0; attempt < std::max(tries, 1); ++attempt) {
        if (stop.stop_requested()) {
            code = ExchangeResult::kStopped;
            break;
        }
        const TryResult result = OneTry(manager, request, reply, largestReply, stop);
        code = result.code;
        if (result.lastTry)
            break;
    }
    manager.setLastError(code == ExchangeResult::kSuccess ? 0 : code);
    return code;
}
