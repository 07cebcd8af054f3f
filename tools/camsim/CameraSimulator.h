// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/camsim/SimOptions.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <random>
#include <span>
#include <string>
#include <vector>

class TemplateEngine;

// The cameras of one simulator process on one interface: decodes requests, answers them by
// limited broadcast to the asking port and keeps each camera's state.
class CameraSimulator
{
public:
    explicit CameraSimulator(SimOptions options);
    ~CameraSimulator();

    // Opens the socket; false with a message on standard error.
    bool Open();
    // Serves until stop becomes true (checked at least every 200 ms).
    void Run(const volatile bool& stop);
    void WriteState() const;
    // WriteState unless the state is only written at start.
    void UpdateState() const;

private:
    using Datagram = std::vector<uint8_t>;
    using Handler = void (CameraSimulator::*)(SimCamera&, std::span<const uint8_t>, Datagram&);

    void Handle(std::span<const uint8_t> request, const sockaddr_in& from);
    // Acts on a request and answers it (after the reply delay, when there is one).
    void Process(std::span<const uint8_t> request, const sockaddr_in& from);
    void HandleSearch(std::span<const uint8_t> request);
    void HandleOperation(std::span<const uint8_t> request);
    bool Restarting(const SimCamera& camera) const;
    void CheckFraming(std::span<const uint8_t> request);

    // Operation handlers (SimOperations.cpp); the credentials are already checked.
    void Verification(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void QueryOpcodes(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void GetWLan(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void SetBasic(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void ChangeIDPWD(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void SetWLan(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void Reset(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void QueryWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void InitWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    // How often each poll phase of this camera answers "pending" first.
    int PendingPolls(const SimCamera& camera) const;
    void PollWPSInf(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void SendWPS(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    void PollWPSStatus(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    // A write's answer: status 0 and the 16-byte body with the action and wait to report.
    void WriteAccepted(const SimCamera& camera, std::span<const uint8_t> request, Datagram& reply,
                       bool reportAction = true);
    // Parses the template and decodes the request's fields (after the credentials) into it.
    bool DecodeRequest(const char* name, std::span<const uint8_t> request);
    std::string RequestValue(std::u16string_view field) const;
    // The raw bytes of one field of the request decoded last.
    std::vector<uint8_t> RawField(std::span<const uint8_t> request, std::u16string_view field) const;

    Datagram SearchReply(const SimCamera& camera, uint16_t sequence);
    Datagram ReplyHeader(const SimCamera& camera, std::span<const uint8_t> request, uint16_t status);
    void SetBody(Datagram& reply, std::span<const uint8_t> body) const;
    std::vector<uint8_t> EncodeTemplate(const char* name,
                                        const std::map<std::u16string, std::u16string>& values);
    void SendStrays(const Datagram& answer);
    void Send(const Datagram& datagram, bool answer = true);
    // Sends or queues an operation's answer (late replies).
    void Answer(const Datagram& reply);
    // Delayed requests and late answers that are due, and the stray flood; the time until the
    // next is due.
    std::chrono::milliseconds SendDue();
    // A repeated WPS step is answered as before: true when reply is that earlier answer.
    bool RepeatedWpsStep(SimCamera& camera, std::span<const uint8_t> request, Datagram& reply);
    bool Dropped();
    bool CheckCredentials(const SimCamera& camera, std::span<const uint8_t> body) const;

    SimOptions m_options;
    std::unique_ptr<TemplateEngine> m_engine;
    std::mt19937 m_random;
    int m_socket = -1;
    sockaddr_in m_replyTo{};
    std::map<std::string, uint64_t> m_counters;
    std::map<int, uint64_t> m_opcodes;
    std::map<int, size_t> m_requestLengths;
    uint16_t m_lastSequence = 0;
    // A datagram that waits: a late answer to send, or a request that a slow camera still mulls
    // over (to: its sender).
    struct Delayed
    {
        std::chrono::steady_clock::time_point due;
        Datagram datagram;
        sockaddr_in to;
    };
    std::vector<Delayed> m_late;
    std::vector<Delayed> m_delayed; // in arrival order, so due in order too
    std::chrono::steady_clock::time_point m_nextStray{};
    bool m_holdAnswers = false;
    std::vector<Datagram> m_held;
};
