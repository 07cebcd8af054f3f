// SPDX-License-Identifier: Apache-2.0
#include "device/CUT_WSClient.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxHostLength = 60;

void SetTimeout(int socket, int option, int milliseconds)
{
    timeval tv{};
    tv.tv_sec = milliseconds / 1000;
    tv.tv_usec = (milliseconds % 1000) * 1000;
    setsockopt(socket, SOL_SOCKET, option, &tv, sizeof tv);
}

void EnlargeReceiveBuffer(int socket)
{
    const int bytes = CUT_WSClient::kReceiveBufferBytes;
    // The forced form passes the system's ceiling where the process may; otherwise ask politely.
    if (setsockopt(socket, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

void WarnBindFallbackOnce(const std::string& interfaceName)
{
    static std::atomic<bool> warned{false};
    if (!warned.exchange(true))
        std::fprintf(stderr,
                     "quillane: cannot bind to interface %s (%s); binding to its address instead, "
                     "answers sent by broadcast may be missed\n",
                     interfaceName.c_str(), std::strerror(errno));
}

} // namespace

CUT_WSClient::CUT_WSClient() = default;

CUT_WSClient::~CUT_WSClient()
{
    Close();
}

int CUT_WSClient::OpenDatagram(std::string_view host, uint16_t remotePort, const AdapterAddress* local)
{
    if (m_socket >= 0)
        return kAlreadyOpen;
    m_host = std::string(host.substr(0, kMaxHostLength));
    m_remotePort = remotePort;
    m_remote = sockaddr_in{};
    m_remote.sin_family = AF_INET;
    m_remote.sin_port = htons(remotePort);
    inet_pton(AF_INET, m_host.c_str(), &m_remote.sin_addr);

    m_socket = ::socket(m_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return Failed(kSocketNotCreated);
    EnlargeReceiveBuffer(m_socket);
    if (local != nullptr && !BindToAdapter(*local)) {
        const int code = Failed(kBindFailed);
        Close();
        return code;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (getsockname(m_socket, reinterpret_cast<sockaddr*>(&bound), &length) == 0)
        m_localPort = ntohs(bound.sin_port);
    SetTimeout(m_socket, SO_SNDTIMEO, m_sendTimeoutMs);
    SetTimeout(m_socket, SO_RCVTIMEO, m_receiveTimeoutMs);
    return kOk;
}

bool CUT_WSClient::BindToAdapter(const AdapterAddress& local)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    const std::string& name = local.interfaceName;
    const bool onDevice = !name.empty() && name.size() < IFNAMSIZ &&
                          setsockopt(m_socket, SOL_SOCKET, SO_BINDTODEVICE, name.c_str(),
                                     static_cast<socklen_t>(name.size() + 1)) == 0;
    if (!onDevice) {
        WarnBindFallbackOnce(name);
        std::memcpy(&address.sin_addr, local.ip.data(), local.ip.size());
    }
    return ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool CUT_WSClient::EnableBroadcast()
{
    const int on = 1;
    if (m_socket >= 0 && setsockopt(m_socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0)
        return true;
    m_systemError = m_socket >= 0 ? errno : EBADF;
    return false;
}

int CUT_WSClient::Failed(int code)
{
    m_systemError = errno;
    return code;
}

int CUT_WSClient::Send(const uint8_t* data, size_t& length)
{
    if (m_socket < 0)
        return kNotOpen;
    const ssize_t sent =
        ::sendto(m_socket, data, length, 0, reinterpret_cast<const sockaddr*>(&m_remote), sizeof m_remote);
    if (sent < 0) {
        length = 0;
        return Failed(kSendFailed);
    }
    length = static_cast<size_t>(sent);
    return kOk;
}

int CUT_WSClient::Receive(uint8_t* buffer, size_t& size, std::chrono::milliseconds timeout)
{
    if (m_socket < 0)
        return kNotOpen;
    pollfd fd{m_socket, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&fd, 1, static_cast<int>(std::max<int64_t>(0, timeout.count())));
    } while (ready < 0 && errno == EINTR);
    if (ready == 0) {
        size = 0;
        return kTimedOut;
    }
    socklen_t senderLength = sizeof m_lastSender;
    const ssize_t got = ready < 0 ? -1
                                  : ::recvfrom(m_socket, buffer, size, MSG_DONTWAIT,
                                               reinterpret_cast<sockaddr*>(&m_lastSender), &senderLength);
    if (got < 0) {
        size = 0;
        return Failed(kReadFailed);
    }
    size = static_cast<size_t>(got);
    return kOk;
}

int CUT_WSClient::Close()
{
    int result = 0;
    if (m_socket >= 0)
        result = ::close(m_socket);
    m_socket = -1;
    m_remotePort = 0;
    m_localPort = 0;
    m_host.clear();
    return result;
}
