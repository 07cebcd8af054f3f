// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"
#include "device/OperationTable.h"

#include <cstdint>
#include <functional>
#include <string_view>

// The steps that every camera operation shares.

// The reply's status block as it lies at the start of the reply buffer.
struct StatusBlock
{
    uint16_t status = 0;
    uint16_t word = 0;
    uint16_t bodyLength = 0;
    uint32_t detail = 0; // failures with a body of 4 bytes or more
    uint32_t action = 0; // writes: 0 done, 1 address renewed, 2 wait
    uint32_t waitMs = 0;
};

namespace ReplyStatus {
inline constexpr uint16_t kAccepted = 0;
inline constexpr uint16_t kRefused = 2;
inline constexpr uint16_t kRefusedOther = 3;
inline constexpr uint16_t kPending = 257;
} // namespace ReplyStatus

// Whether a sign-in text reaches the camera whole. A longer password could be set by ChangeIDPWD
// but never presented again, which would lock the administrator out.
bool FitsSignIn(std::u16string_view text);

// Points the manager at the chosen camera: MAC, address and the adapter that heard it.
void TargetChosenCamera(OperationContext& context);

// Loads and parses the operation's template; false when the file cannot be opened.
bool LoadOperationTemplate(OperationContext& context, const OperationSpec& operation);

// Builds the request (credentials, then the encoded fields for writing operations), runs the
// exchange and, on success, leaves the status block and body in the reply buffer. Returns the
// exchange code (-1 on success), or 32 when the encoded fields do not fit the request.
int SendOperation(OperationContext& context, const OperationSpec& operation);

StatusBlock ReadStatusBlock(const OperationContext& context);

// Status 2 gives 18, 3 gives 29, anything else 30 (or 18 with refusedForOthers); sets the detail.
int StatusFailure(OperationContext& context, const StatusBlock& block, bool refusedForOthers = false);

// A write the camera accepted with a 16-byte body may ask for a wait (actions 1 and 2).
void WaitAsAsked(OperationContext& context, const StatusBlock& block);

// Sets the fields a request sends, after the template is loaded.
using FieldStep = std::function<void(OperationContext&)>;
// Reads an accepted reply's decoded body; returns -1 or an error number.
using ReadStep = std::function<int(OperationContext&)>;

// The common procedure of an operation: target, template, fields, exchange, then the status;
// an accepted reply with a body is decoded and read, an accepted write waits as the camera asks.
// A failed exchange gives 30 with detail 1,500; refusedForOthers makes other failure statuses 18.
// A stop (context.stop) gives 31, also when it cut short a wait after an accepted write.
int RunOperation(OperationContext& context, const OperationSpec& operation, const FieldStep& setFields = {},
                 const ReadStep& readFields = {}, bool refusedForOthers = false);

// The longest wait a camera may ask for; longer requests are cut to it.
inline constexpr uint32_t kLongestWaitMs = 120000;
