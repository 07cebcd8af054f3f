// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/AdapterAddress.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <string>
#include <string_view>

// The datagram side of the socket class: one IPv4 UDP socket that lives for one search pass
// or one exchange. Every call returns 0 or one of the codes below.
class CUT_WSClient
{
public:
    static constexpr int kOk = 0;
    static constexpr int kNotOpen = 15;
    static constexpr int kAlreadyOpen = 16;
    static constexpr int kSocketNotCreated = 17;
    static constexpr int kBindFailed = 18;
    static constexpr int kTimedOut = 20;
    static constexpr int kReadFailed = 21;
    static constexpr int kSendFailed = 22;

    static constexpr int kDefaultTimeoutMs = 30000;
    // Room for a burst of hundreds of search replies.
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

    CUT_WSClient();
    ~CUT_WSClient();
    CUT_WSClient(const CUT_WSClient&) = delete;
    CUT_WSClient& operator=(const CUT_WSClient&) = delete;

    // local names the adapter to send from, or nullptr for none. Binding to an adapter means
    // binding to its interface (so limited broadcasts leave through it and answers sent by
    // broadcast arrive) with address 0.0.0.0 and a port of the system's choice.
    int OpenDatagram(std::string_view host, uint16_t remotePort, const AdapterAddress* local);
    bool EnableBroadcast();
    // length: in, bytes to send; out, bytes sent.
    int Send(const uint8_t* data, size_t& length);
    // size: in, room in buffer; out, bytes of the datagram kept (a longer one is cut).
    int Receive(uint8_t* buffer, size_t& size, std::chrono::milliseconds timeout);
    int Close();

    bool IsOpen() const { return m_socket >= 0; }
    // The system's error number (errno) of the last call that failed, 0 before any failed.
    int SystemError() const { return m_systemError; }
    uint16_t LocalPort() const { return m_localPort; }
    const sockaddr_in& LastSender() const { return m_lastSender; }

private:
    bool BindToAdapter(const AdapterAddress& local);
    // Keeps errno of the call that just failed; returns code.
    int Failed(int code);

    int m_socket = -1;
    uint16_t m_remotePort = 0;
    uint16_t m_localPort = 0;
    int m_family = AF_INET;
    int m_sendTimeoutMs = kDefaultTimeoutMs;
    int m_receiveTimeoutMs = kDefaultTimeoutMs;
    std::string m_host;
    sockaddr_in m_remote{};
    sockaddr_in m_lastSender{};
    int m_systemError = 0;
};
