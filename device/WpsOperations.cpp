// SPDX-License-Identifier: Apache-2.0
#include "device/WpsOperations.h"

#include "device/CDeviceManager.h"
#include "device/OperationSteps.h"
#include "engine/DecimalText.h"
#include "engine/TemplateEngine.h"

namespace {

// A failed exchange that is not retried: the manager's code, 1,500 as detail when positive.
int ExchangeFailure(OperationContext& context, int code)
{
    const int32_t lastError = context.manager.lastError();
    context.errorDetail = lastError > 0 ? OperationResult::kDetailNoAnswer : lastError;
    return code;
}

// Loads the template, sets the fields and sends the request; -1 when the exchange succeeded.
int Send(OperationContext& context, const OperationSpec& operation, const FieldStep& setFields = {})
{
    context.errorDetail = 0;
    TargetChosenCamera(context);
    if (!LoadOperationTemplate(context, operation))
        return OperationResult::kTemplateMissing;
    if (setFields)
        setFields(context);
    return SendOperation(context, operation);
}

// A write step: any status but 0 is a failure whose detail is the status.
int WriteStep(OperationContext& context, const OperationSpec& operation, const FieldStep& setFields = {})
{
    const int code = Send(context, operation, setFields);
    if (OperationResult::NothingSent(code))
        return code;
    if (code != -1)
        return ExchangeFailure(context, code);
    const StatusBlock block = ReadStatusBlock(context);
    if (block.status != ReplyStatus::kAccepted) {
        context.errorDetail = block.status;
        return OperationResult::kFailed;
    }
    return OperationResult::kSuccess;
}

// A poll: lost or unanswered polls and status 257 ask again.
int PollStep(OperationContext& context, const OperationSpec& operation)
{
    const int code = Send(context, operation);
    if (OperationResult::NothingSent(code))
        return code;
    if (code == 0 || code == 3)
        return OperationResult::kAskAgain;
    if (code != -1)
        return ExchangeFailure(context, code);
    const StatusBlock block = ReadStatusBlock(context);
    if (block.status == ReplyStatus::kPending)
        return OperationResult::kAskAgain;
    if (block.status != ReplyStatus::kAccepted) {
        context.errorDetail = block.status;
        return OperationResult::kFailed;
    }
    if (operation.decodeMode != 0 && block.bodyLength > 0)
        context.manager.Engine().DecodeReply(operation.decodeMode);
    return OperationResult::kSuccess;
}

} // namespace

int QueryWPS(OperationContext& context, WpsValues& wps)
{
    // A fresh run starts without the key material of an earlier one.
    const auto clearKeys = [](OperationContext& c) { c.manager.Engine().Keys().ClearSlots(); };
    const auto readSupport = [&wps](OperationContext& c) {
        TemplateEngine& engine = c.manager.Engine();
        engine.DumpFields(u"\r\n");
        wps.pbcSupported = DecimalTextToInt(engine.GetField(u"WPS_PBC"));
        if (wps.pbcSupported == 0) {
            c.errorDetail = OperationResult::kDetailNoPushButton;
            return OperationResult::kFailed;
        }
        wps.pinSupported = DecimalTextToInt(engine.GetField(u"WPS_PIN"));
        return OperationResult::kSuccess;
    };
    return RunOperation(context, Operations::kQueryWPS, clearKeys, readSupport);
}

int InitWPS(OperationContext& context, const WpsValues& wps)
{
    return WriteStep(context, Operations::kInitWPS, [&wps](OperationContext& c) {
        c.manager.Engine().SetFieldInt(u"Mode", wps.mode);
        c.manager.Engine().SetFieldText(u"PINCODE", wps.pin);
    });
}

int PollWPSInf(OperationContext& context)
{
    return PollStep(context, Operations::kPollWPSInf);
}

int SendWPS(OperationContext& context)
{
    return WriteStep(context, Operations::kSendWPS);
}

int PollWPSStatus(OperationContext& context)
{
    return PollStep(context, Operations::kPollWPSStatus);
}
