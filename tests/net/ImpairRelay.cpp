// SPDX-License-Identifier: Apache-2.0
// quillane-impair: joins two links as a bridge that misbehaves. Every Ethernet frame that one
// interface receives leaves by the other, some twice, some held back so that later frames
// overtake them. Loss is left to nftables on the links. Test lab only: run it in a namespace of
// the lab, between two of its links.
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

const char* const kUsage =
    "usage: quillane-impair --a IFNAME --b IFNAME [--duplicate P] [--reorder P] [--hold MS] [--seed N]\n"
    "  Forwards every frame between the two interfaces. --duplicate P sends a frame twice with\n"
    "  probability P; --reorder P holds a frame back for up to --hold MS (default 30) with\n"
    "  probability P, so that later frames overtake it. Prints its counts on SIGTERM.\n";

struct Options
{
    std::string a;
    std::string b;
    double duplicate = 0.0;
    double reorder = 0.0;
    int holdMs = 30;
    unsigned seed = 1;
};

struct Port
{
    int fd = -1;
    int index = 0;
};

struct Held
{
    std::chrono::steady_clock::time_point due;
    int to; // port index
    std::vector<unsigned char> frame;
};

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--a")
            o.a = value;
        else if (name == "--b")
            o.b = value;
        else if (name == "--duplicate")
            o.duplicate = std::strtod(value, nullptr);
        else if (name == "--reorder")
            o.reorder = std::strtod(value, nullptr);
        else if (name == "--hold")
            o.holdMs = std::atoi(value);
        else if (name == "--seed")
            o.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        else
            return false;
    }
    return argc % 2 == 1 && !o.a.empty() && !o.b.empty() && o.holdMs > 0;
}

bool Open(const std::string& name, Port& port)
{
    port.index = static_cast<int>(if_nametoindex(name.c_str()));
    port.fd = socket(AF_PACKET, SOCK_RAW | SOCK_CLOEXEC, htons(ETH_P_ALL));
    if (port.index == 0 || port.fd < 0)
        return false;
    sockaddr_ll address{};
    address.sll_family = AF_PACKET;
    address.sll_protocol = htons(ETH_P_ALL);
    address.sll_ifindex = port.index;
    packet_mreq promiscuous{};
    promiscuous.mr_ifindex = port.index;
    promiscuous.mr_type = PACKET_MR_PROMISC;
    const int one = 1;
    const int buffer = 8 * 1024 * 1024;
    setsockopt(port.fd, SOL_SOCKET, SO_RCVBUFFORCE, &buffer, sizeof buffer);
    setsockopt(port.fd, SOL_SOCKET, SO_SNDBUFFORCE, &buffer, sizeof buffer);
    // Frames this relay sends must not come back to it as received ones.
    return bind(port.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
           setsockopt(port.fd, SOL_PACKET, PACKET_ADD_MEMBERSHIP, &promiscuous, sizeof promiscuous) == 0 &&
           setsockopt(port.fd, SOL_PACKET, PACKET_IGNORE_OUTGOING, &one, sizeof one) == 0;
}

// Veth ends leave the UDP checksum of locally sent datagrams to "hardware" that never runs on a
// frame taken off the wire here; a relayed IPv4 UDP datagram goes on without one (allowed, 0).
void ClearUdpChecksum(unsigned char* frame, size_t size)
{
    constexpr size_t kEthernet = 14;
    if (size < kEthernet + 20 || frame[12] != 0x08 || frame[13] != 0x00)
        return;
    const unsigned char* ip = frame + kEthernet;
    const size_t ipHeader = static_cast<size_t>(ip[0] & 0x0F) * 4;
    if ((ip[0] >> 4) != 4 || ip[9] != IPPROTO_UDP || size < kEthernet + ipHeader + 8)
        return;
    frame[kEthernet + ipHeader + 6] = 0;
    frame[kEthernet + ipHeader + 7] = 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Port ports[2];
    if (!Open(options.a, ports[0]) || !Open(options.b, ports[1])) {
        std::fprintf(stderr, "quillane-impair: cannot open %s and %s: %s\n", options.a.c_str(),
                     options.b.c_str(), std::strerror(errno));
        return 1;
    }
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    std::mt19937 random(options.seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::vector<Held> held;
    unsigned long forwarded = 0, duplicated = 0, reordered = 0;
    std::vector<unsigned char> frame(65536);
    auto send = [&](int to, const unsigned char* data, size_t size) {
        if (::send(ports[to].fd, data, size, 0) >= 0)
            ++forwarded;
    };
    while (!g_stop) {
        const auto now = std::chrono::steady_clock::now();
        int wait = 100;
        for (auto it = held.begin(); it != held.end();) {
            if (it->due <= now) {
                send(it->to, it->frame.data(), it->frame.size());
                it = held.erase(it);
                continue;
            }
            wait = std::min(
                wait, static_cast<int>(
                          std::chrono::duration_cast<std::chrono::milliseconds>(it->due - now).count()) +
                          1);
            ++it;
        }
        pollfd fds[2] = {{ports[0].fd, POLLIN, 0}, {ports[1].fd, POLLIN, 0}};
        if (poll(fds, 2, wait) <= 0)
            continue;
        for (int from = 0; from < 2; ++from) {
            if (!(fds[from].revents & POLLIN))
                continue;
            const ssize_t got = recv(ports[from].fd, frame.data(), frame.size(), MSG_DONTWAIT);
            if (got <= 0)
                continue;
            ClearUdpChecksum(frame.data(), static_cast<size_t>(got));
            const int to = 1 - from;
            const int copies = chance(random) < options.duplicate ? 2 : 1;
            duplicated += copies - 1;
            for (int c = 0; c < copies; ++c) {
                if (chance(random) < options.reorder) {
                    ++reordered;
                    const auto hold = std::chrono::milliseconds(
                        std::uniform_int_distribution<int>(1, options.holdMs)(random));
                    held.push_back(
                        {now + hold, to, std::vector<unsigned char>(frame.begin(), frame.begin() + got)});
                } else {
                    send(to, frame.data(), static_cast<size_t>(got));
                }
            }
        }
    }
    std::printf("quillane-impair: forwarded %lu, duplicated %lu, reordered %lu\n", forwarded, duplicated,
                reordered);
    return 0;
}
