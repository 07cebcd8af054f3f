// SPDX-License-Identifier: Apache-2.0
#include "device/OperationSteps.h"

#include "device/CDeviceManager.h"
#include "device/Exchange.h"
#include "device/NetworkText.h"
#include "device/ReplyMatch.h"
#include "device/WizardState.h"
#include "engine/Base64.h"
#include "engine/TemplateEngine.h"
#include "platform/AnsiCodePage.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace DeviceProtocol;

namespace {

// Base64 of the 8-bit text, cut to the field; a 64-character text fills it without a terminator.
void PutCredential(uint8_t* field, std::u16string_view text)
{
    const std::string encoded = Base64Encode(Utf16ToAnsi(text));
    std::copy_n(encoded.begin(), std::min(encoded.size(), kCredentialFieldSize), field);
}

} // namespace

bool FitsSignIn(std::u16string_view text)
{
    return Utf16ToAnsi(text).size() <= kLongestSignInText;
}

void TargetChosenCamera(OperationContext& context)
{
    const CameraInfo& camera = context.state.camera;
    CDeviceManager& manager = context.manager;
    manager.TargetMac = ParseMac(camera.macText);
    manager.TargetMacText = camera.macText;
    manager.TargetIp = camera.ipCopy.empty() ? camera.ip : camera.ipCopy;
    manager.operationAdapterEntry = camera.adapterEntry;
}

bool LoadOperationTemplate(OperationContext& context, const OperationSpec& operation)
{
    TemplateEngine& engine = context.manager.Engine();
    if (!engine.LoadTemplateFile(context.manager.TemplateFolder(), operation.templateName))
        return false;
    engine.ClearFields();
    engine.ResetFields();
    engine.ParseTemplate(u"\r\n");
    return true;
}

int SendOperation(OperationContext& context, const OperationSpec& operation)
{
    CDeviceManager& manager = context.manager;
    TemplateEngine& engine = manager.Engine();
    std::span<const uint8_t> fields;
    if (operation.encodesFields) {
        engine.EncodeRequest();
        fields = engine.EncodedBody();
    }
    const size_t bodyLength = kCredentialsSize + fields.size();
    if (kHeaderSize + bodyLength > operation.requestLength) {
        std::fprintf(stderr,
                     "%.*s: the encoded fields (%zu bytes) do not fit the %zu-byte request; nothing sent\n",
                     static_cast<int>(operation.name.size()), operation.name.data(), fields.size(),
                     operation.requestLength);
        return OperationResult::kTooLong;
    }

    std::vector<uint8_t> request(operation.requestLength, 0);
    PutLe16(&request[kMagicOffset], kRequestMagic);
    PutLe16(&request[kSequenceOffset], manager.NextSequence());
    PutLe16(&request[kOpcodeOffset], operation.opcode);
    std::copy(manager.TargetMac.begin(), manager.TargetMac.end(), &request[kMacOffset]);
    const Ipv4Bytes ip = ParseAddress(manager.TargetIp);
    std::copy(ip.begin(), ip.end(), &request[kIpOffset]);
    PutLe16(&request[kCheckOffset], kCheckWord);
    PutLe16(&request[kWordOffset], manager.protocolWord);
    PutLe16(&request[kBodyLengthOffset], static_cast<uint16_t>(bodyLength));
    uint8_t* body = &request[kHeaderSize];
    PutCredential(body, context.state.adminId);
    PutCredential(body + kCredentialFieldSize, context.state.adminPassword);
    std::copy(fields.begin(), fields.end(), body + kCredentialsSize);

    std::vector<uint8_t> reply;
    const int code =
        context.exchange(manager, request, reply, operation.largestReply, operation.tries, context.stop);
    if (code != -1)
        return code;
    manager.currentIndex = -1;
    engine.LoadReply(StatusArea(reply));
    return code;
}

StatusBlock ReadStatusBlock(const OperationContext& context)
{
    const auto& buffer = context.manager.Engine().PacketBuffer();
    StatusBlock block;
    block.status = GetLe16(&buffer[0]);
    block.word = GetLe16(&buffer[2]);
    block.bodyLength = GetLe16(&buffer[4]);
    block.detail = GetLe32(&buffer[6]);
    block.action = GetLe32(&buffer[10]);
    block.waitMs = GetLe32(&buffer[14]);
    return block;
}

int StatusFailure(OperationContext& context, const StatusBlock& block, bool refusedForOthers)
{
    if (block.status == ReplyStatus::kRefused)
        return OperationResult::kRefused;
    if (block.status == ReplyStatus::kRefusedOther)
        return OperationResult::kRefusedOther;
    if (block.bodyLength >= 4)
        context.errorDetail = static_cast<int32_t>(block.detail);
    return refusedForOthers ? OperationResult::kRefused : OperationResult::kFailed;
}

void WaitAsAsked(OperationContext& context, const StatusBlock& block)
{
    if (block.bodyLength != 16 || (block.action != 1 && block.action != 2))
        return;
    const std::chrono::milliseconds wait(std::min(block.waitMs, kLongestWaitMs));
    if (context.sleep)
        context.sleep(wait);
    else
        SleepUnlessStopped(wait, context.stop);
}

int RunOperation(OperationContext& context, const OperationSpec& operation, const FieldStep& setFields,
                 const ReadStep& readFields, bool refusedForOthers)
{
    context.errorDetail = 0;
    TargetChosenCamera(context);
    if (!operation.templateName.empty() && !LoadOperationTemplate(context, operation))
        return OperationResult::kTemplateMissing;
    if (setFields)
        setFields(context);
    const int code = SendOperation(context, operation);
    if (OperationResult::NothingSent(code))
        return code;
    if (code == ExchangeResult::kStopped)
        return OperationResult::kStopped;
    if (code != -1) {
        context.errorDetail = OperationResult::kDetailNoAnswer;
        return OperationResult::kFailed;
    }
    const StatusBlock block = ReadStatusBlock(context);
    if (block.status != ReplyStatus::kAccepted)
        return StatusFailure(context, block, refusedForOthers);
    if (operation.decodeMode == 0) {
        WaitAsAsked(context, block);
        // A wait cut short: the camera has not finished with the write.
        return context.stop.stop_requested() ? OperationResult::kStopped : OperationResult::kSuccess;
    }
    if (block.bodyLength == 0)
        return OperationResult::kSuccess;
    context.manager.Engine().DecodeReply(operation.decodeMode);
    return readFields ? readFields(context) : OperationResult::kSuccess;
}
