// SPDX-License-Identifier: Apache-2.0
// Operation figures against a simulated camera: the login sequence and a network apply, beside
// the floor of bare UDP round trips (one per exchange) over the same link and the same socket
// code. Run only through bench/operations_bench.sh, which builds the throw-away network.
#include "device/CDeviceManager.h"
#include "device/CUT_WSClient.h"
#include "device/DeviceOperations.h"
#include "device/LoginSequence.h"
#include "device/WizardState.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr uint16_t kEchoPort = 62977;

std::string Env(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

// Answers every datagram on the port by limited broadcast to its sender's port, as a camera does.
int RunEchoServer(const std::string& interfaceName)
{
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    const int on = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kEchoPort);
    if (s < 0 ||
        setsockopt(s, SOL_SOCKET, SO_BINDTODEVICE, interfaceName.c_str(),
                   static_cast<socklen_t>(interfaceName.size() + 1)) ||
        setsockopt(s, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) ||
        bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address)) {
        std::perror("echo server");
        return 1;
    }
    uint8_t buffer[2048];
    for (;;) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got =
            recvfrom(s, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (got <= 0)
            continue;
        from.sin_addr.s_addr = htonl(INADDR_BROADCAST);
        sendto(s, buffer, static_cast<size_t>(got), 0, reinterpret_cast<sockaddr*>(&from), sizeof from);
    }
}

struct Target
{
    std::unique_ptr<CDeviceManager> manager;
    WizardState state;
    std::unique_ptr<OperationContext> context;

    Target()
    {
        manager = std::make_unique<CDeviceManager>();
        manager->SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
        manager->RefreshAdapters();
        const std::string mac = Env("QUILLANE_BENCH_MAC", "02.00.00.00.90.01");
        state.camera.macText = std::u16string(mac.begin(), mac.end());
        state.camera.ip = u"198.18.0.100";
        state.camera.adapterEntry = 0;
        state.camera.hasWireless = 1;
        state.adminId = u"admin";
        state.adminPassword = u"admin";
        context.reset(new OperationContext{state, *manager});
    }
};

void LoginSequence(benchmark::State& bench)
{
    Target target;
    for (auto _ : bench) {
        if (Login(*target.context) != OperationResult::kSuccess) {
            bench.SkipWithError("login failed");
            break;
        }
    }
}

// The network summary's apply: the password change, then the network settings.
void NetworkApply(benchmark::State& bench)
{
    Target target;
    target.state.newPassword = target.state.adminPassword;
    target.state.camera.name = u"Bench";
    target.state.camera.mask = u"255.255.255.0";
    for (auto _ : bench) {
        if (ChangeIDPWD(*target.context) != OperationResult::kSuccess ||
            SetBasic(*target.context) != OperationResult::kSuccess) {
            bench.SkipWithError("apply failed");
            break;
        }
    }
}

// n bare round trips: a fresh broadcast socket on the adapter, a 150-byte datagram out, the
// echo back; what an exchange cannot go below.
void BareRoundTrips(benchmark::State& bench)
{
    CDeviceManager manager;
    manager.RefreshAdapters();
    const std::vector<AdapterAddress> adapters = manager.Adapters();
    if (adapters.empty()) {
        bench.SkipWithError("no adapter");
        return;
    }
    std::vector<uint8_t> request(150, 0x5A);
    std::vector<uint8_t> reply(2048);
    for (auto _ : bench) {
        for (int64_t i = 0; i < bench.range(0); ++i) {
            CUT_WSClient client;
            size_t length = request.size();
            size_t size = reply.size();
            if (client.OpenDatagram("255.255.255.255", kEchoPort, &adapters[0]) != CUT_WSClient::kOk ||
                !client.EnableBroadcast() || client.Send(request.data(), length) != CUT_WSClient::kOk ||
                client.Receive(reply.data(), size, std::chrono::milliseconds(1000)) != CUT_WSClient::kOk) {
                bench.SkipWithError("echo round trip failed");
                return;
            }
        }
    }
}

} // namespace

BENCHMARK(BareRoundTrips)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoginSequence)->Unit(benchmark::kMicrosecond);
BENCHMARK(NetworkApply)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--echo-server") == 0)
        return RunEchoServer(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
