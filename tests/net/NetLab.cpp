// SPDX-License-Identifier: Apache-2.0
#include "tests/net/NetLab.h"

#include "engine/CredentialCipher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <net/if.h>
#include <regex>
#include <sched.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Link(const std::string& path)
{
    char target[256] = {};
    const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
}

// An unshared namespace starts with nothing but its loopback adapter.
bool OnlyLoopback()
{
    struct if_nameindex* names = if_nameindex();
    if (names == nullptr)
        return false;
    bool only = true;
    for (const struct if_nameindex* n = names; n->if_index != 0; ++n)
        only = only && std::strcmp(n->if_name, "lo") == 0;
    if_freenameindex(names);
    return only;
}

} // namespace

std::string NetLab::SkipReason()
{
    const char* isolated = std::getenv("QUILLANE_ISOLATED_NETNS");
    if (isolated == nullptr || std::string(isolated) != "1")
        return "network tests run only inside scripts/in-test-netns.sh (QUILLANE_ISOLATED_NETNS=1 is not "
               "set)";
    const std::string self = Link("/proc/self/ns/net");
    const std::string init = Link("/proc/1/ns/net");
    if (self.empty())
        return "cannot read /proc/self/ns/net";
    if (self == init)
        return "this process shares the network namespace of PID 1; refusing to build a test network";
    // Where PID 1's namespace cannot be read, an untouched fresh namespace is the proof.
    if (init.empty() && !OnlyLoopback())
        return "cannot prove isolation: /proc/1/ns/net is unreadable and this namespace has adapters besides "
               "lo";
    const std::string probe = "qprobe" + std::to_string(getpid());
    if (std::system(("ip netns add " + probe + " 2>/dev/null").c_str()) != 0)
        return "no rights to create network namespaces (needs root or CAP_SYS_ADMIN and CAP_NET_ADMIN)";
    std::system(("ip netns del " + probe).c_str());
    return {};
}

NetLab::NetLab() : m_prefix("q" + std::to_string(getpid()) + "-")
{
    m_home = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    m_stateDir = std::filesystem::temp_directory_path() / ("quillane-netlab-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_stateDir);
    m_namespaces.push_back(Namespace("pc"));
    try {
        Run("ip netns add " + Namespace("pc"));
        Run("ip -n " + Namespace("pc") + " link set lo up");
    } catch (...) {
        Clear();
        throw;
    }
}

NetLab::~NetLab()
{
    Clear();
}

void NetLab::Clear()
{
    LeavePc();
    for (pid_t pid : m_simulators) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    // Deleting a namespace deletes its veth ends and so their peers.
    for (const std::string& ns : m_namespaces)
        std::system(("ip netns del " + ns + " 2>/dev/null").c_str());
    m_simulators.clear();
    m_namespaces.clear();
    if (m_home >= 0)
        close(m_home);
    m_home = -1;
    std::error_code ignored;
    std::filesystem::remove_all(m_stateDir, ignored);
}

void NetLab::Run(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("netlab: command failed: " + command);
}

void NetLab::AddLink(const std::string& link)
{
    const std::string ns = Namespace(link);
    m_namespaces.push_back(ns);
    Run("ip netns add " + ns);
    Run("ip -n " + ns + " link add br0 type bridge");
    Run("ip -n " + ns + " link set br0 up");
}

void NetLab::AddPcAdapter(const std::string& link, const std::string& ifname,
                          const std::vector<std::string>& addresses)
{
    const std::string pc = Namespace("pc");
    const std::string lan = Namespace(link);
    const std::string port = "p-" + ifname;
    Run("ip link add " + ifname + " netns " + pc + " type veth peer name " + port + " netns " + lan);
    Run("ip -n " + lan + " link set " + port + " master br0");
    Run("ip -n " + lan + " link set " + port + " up");
    for (const std::string& address : addresses)
        Run("ip -n " + pc + " addr add " + address + " dev " + ifname);
    Run("ip -n " + pc + " link set " + ifname + " up");
}

std::string NetLab::AddCameraHost(const std::string& name, const std::string& link,
                                  const std::string& address)
{
    const std::string ns = Namespace(name);
    const std::string lan = Namespace(link);
    const std::string port = "c-" + name;
    m_namespaces.push_back(ns);
    Run("ip netns add " + ns);
    Run("ip link add eth0 netns " + ns + " type veth peer name " + port + " netns " + lan);
    Run("ip -n " + lan + " link set " + port + " master br0");
    Run("ip -n " + lan + " link set " + port + " up");
    Run("ip -n " + ns + " addr add " + address + " dev eth0");
    Run("ip -n " + ns + " link set eth0 up");
    return ns;
}

std::filesystem::path NetLab::StartSimulator(const std::string& cameraHost,
                                             const std::vector<std::string>& args)
{
    const std::filesystem::path state = m_stateDir / (cameraHost + ".json");
    std::vector<std::string> argv = {
        "ip",          "netns", "exec",        Namespace(cameraHost), QUILLANE_CAMSIM_PATH,
        "--interface", "eth0",  "--templates", QUILLANE_TEMPLATE_DIR, "--state-file",
        state.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& arg : argv)
        raw.push_back(arg.data());
    raw.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(raw[0], raw.data());
        _exit(127);
    }
    if (pid < 0)
        throw std::runtime_error("netlab: cannot start the simulator");
    m_simulators.push_back(pid);
    // The simulator writes its state once its socket is bound.
    for (int i = 0; i < 500 && !std::filesystem::exists(state); ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            throw std::runtime_error("netlab: the simulator ended at start");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!std::filesystem::exists(state))
        throw std::runtime_error("netlab: the simulator did not become ready");
    return state;
}

bool NetLab::PcFirewall(const std::string& rules)
{
    FILE* nft = popen(("ip netns exec " + Namespace("pc") + " nft -f - 2>/dev/null").c_str(), "w");
    if (nft == nullptr)
        return false;
    const bool written = std::fwrite(rules.data(), 1, rules.size(), nft) == rules.size();
    return pclose(nft) == 0 && written;
}

std::string NetLab::ReadState(const std::filesystem::path& stateFile)
{
    std::ifstream file(stateFile);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void NetLab::EnterPc()
{
    const std::string path = "/run/netns/" + Namespace("pc");
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || setns(fd, CLONE_NEWNET) != 0)
        throw std::runtime_error("netlab: cannot enter " + path + ": " + std::strerror(errno));
    close(fd);
    m_inPc = true;
}

void NetLab::LeavePc()
{
    if (m_inPc && m_home >= 0)
        setns(m_home, CLONE_NEWNET);
    m_inPc = false;
}

namespace {

int NumberAfter(const std::string& text, const std::string& key)
{
    const std::regex pattern("\"" + key + "\": ([0-9]+)");
    std::smatch match;
    return std::regex_search(text, match, pattern) ? std::stoi(match[1]) : 0;
}

std::string TopLevelObject(const std::string& state, const std::string& name)
{
    const size_t start = state.find("\"" + name + "\": {");
    if (start == std::string::npos)
        return {};
    return state.substr(start, state.find('}', start) - start);
}

} // namespace

int RequestCount(const std::string& state, int opcode)
{
    return NumberAfter(TopLevelObject(state, "requests"), std::to_string(opcode));
}

int CounterValue(const std::string& state, const std::string& name)
{
    return NumberAfter(TopLevelObject(state, "counters"), name);
}

std::string CameraValue(const std::string& state, const std::string& key, const std::string& mac)
{
    size_t at = state.find("\"cameras\"");
    if (!mac.empty()) {
        // The state names cameras by their MAC text, with dots.
        std::string dotted = mac;
        std::replace(dotted.begin(), dotted.end(), ':', '.');
        at = state.find("\"mac\": \"" + dotted + "\"");
        if (at == std::string::npos)
            return "<no camera " + mac + ">";
    }
    if (at == std::string::npos)
        return "<missing " + key + ">";
    const std::string camera = mac.empty() ? state.substr(at) : state.substr(at, state.find('}', at) - at);
    std::smatch match;
    const std::regex pattern("\"" + key + "\": (\"((\\\\.|[^\"\\\\])*)\"|-?[0-9]+|true|false)");
    if (!std::regex_search(camera, match, pattern))
        return "<missing " + key + ">";
    return match[2].matched ? match[2].str() : match[1].str();
}

std::string CipherHex(const std::string& text)
{
    std::string padded = text;
    padded.resize(64, '\0');
    uint8_t out[64];
    CredentialCipher(reinterpret_cast<const uint8_t*>(padded.data()), padded.size(), out);
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t b : out) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}
