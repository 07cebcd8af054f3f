// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/camsim/SimCamera.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Fault knobs: how the simulated cameras misbehave.
struct SimFaults
{
    int replyDelayMs = 0;
    int spreadMs = 0;             // a search's answers are spread over this long
    double dropRate = 0.0;        // probability that one answer is not sent
    double requestDropRate = 0.0; // probability that one request is lost on its way in
    std::set<std::string> strays; // sent before the answers to every request
    bool duplicate = false;       // every search answer is sent twice
    int oversize = 0;             // extra bytes after every answer
    std::optional<int> status;    // every operation is answered with this status
    int detail = 0;
    int writeAction = 0;
    int writeWaitMs = 0;
    int wpsPending = 0;
    bool emptyReads = false;               // reading operations succeed with an empty body
    int restartMs = 0;                     // a reset camera answers nothing for this long
    std::set<std::string> ignoredSettings; // settings that SetBasic or SetWLan leave as they were
    bool goneAfterWrite = false;           // after answering SetBasic the camera answers nothing
    std::optional<int> lieLength;          // every answer's body length field says this
    int lateReplyMs = 0;                   // operation answers leave this long after their request
    int strayFloodMs = 0;                  // once asked, a stray every this many ms, for ever
    std::set<int> dropAnswers;             // opcodes whose answers are never sent; the request acts
    bool duplicateRequests = false;        // every request is handled twice, as if doubled on the link
};

struct SimOptions
{
    std::string interfaceName;
    uint16_t port = 62976;
    std::filesystem::path templates;
    std::filesystem::path stateFile;
    bool stateOnlyAtStart = false; // benchmarks: the file only says that the socket is ready
    std::vector<SimCamera> cameras;
    SimFaults faults;
    uint32_t seed = 1;
};

extern const char* const kStrayKinds[];
extern const char* const kIgnorableSettings[];
extern const char* const kUsage;

// Fills options from the command line; on failure returns false with a message in error.
bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string& error);
