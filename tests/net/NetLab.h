// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// Builds a throw-away test network out of network namespaces: links (a bridge each, in a
// namespace of its own), a "pc" namespace with veth adapters on those links, and camera
// namespaces running quillane-camsim. Everything is removed again by the destructor, also when
// a test fails. Only usable inside an isolated namespace (scripts/in-test-netns.sh).
class NetLab
{
public:
    // Empty when a lab can be built here; otherwise why not (the tests then skip).
    static std::string SkipReason();

    NetLab();
    ~NetLab();
    NetLab(const NetLab&) = delete;
    NetLab& operator=(const NetLab&) = delete;

    void AddLink(const std::string& link);
    // A pc adapter named ifname on link with the given addresses ("198.18.0.1/24"); none leaves it
    // up without an address.
    void AddPcAdapter(const std::string& link, const std::string& ifname,
                      const std::vector<std::string>& addresses);
    // A camera namespace with one adapter "eth0" on link. Returns the namespace name.
    std::string AddCameraHost(const std::string& name, const std::string& link, const std::string& address);
    // Runs quillane-camsim --interface eth0 in the camera namespace; returns once its socket is
    // ready. The state file path is returned.
    std::filesystem::path StartSimulator(const std::string& cameraHost, const std::vector<std::string>& args);
    // The simulator's current state (JSON text).
    static std::string ReadState(const std::filesystem::path& stateFile);

    // Loads an nftables rule set (nft -f syntax) into the pc namespace, as its host firewall.
    // False when nft is missing or refuses the rules.
    bool PcFirewall(const std::string& rules);

    // Moves the calling thread (and threads it starts later) into the pc namespace, and back.
    void EnterPc();
    void LeavePc();

    std::string Namespace(const std::string& role) const { return m_prefix + role; }

private:
    void Run(const std::string& command);
    void Clear();

    std::string m_prefix;
    std::vector<std::string> m_namespaces;
    std::vector<pid_t> m_simulators;
    std::filesystem::path m_stateDir;
    int m_home = -1;
    bool m_inPc = false;
};

// Number of times opcode appears in a simulator state's top-level "requests" (0 when absent).
int RequestCount(const std::string& state, int opcode);
// Value of a top-level counter in a simulator state (0 when absent).
int CounterValue(const std::string& state, const std::string& name);
// The first value of key in the state's camera with mac ("02:00:5e:00:00:01"), or in its first
// camera when mac is empty; "<missing key>" or "<no camera mac>" otherwise.
std::string CameraValue(const std::string& state, const std::string& key, const std::string& mac = {});
// Hex of text enciphered as a camera stores a password: 64 bytes, zero-padded.
std::string CipherHex(const std::string& text);
