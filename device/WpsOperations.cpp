#include "WpsOperations.h"

#include "CDeviceManager.h"
#include "DecimalText.h"
#include "OperationSteps.h"
#include "TemplateEngine.h"

#include <functional>

namespace {

// A failed exchange that is not retried: the manager's code, 1,500 as detail when positive.
int ExchangeFailure(OperationContext& context, int code)
{
    const int32_t lastError = context.manager.lastError();
    context.errorDetail = lastError > 0 ? OperationResult::kDetailNoAnswer : lastError;
    return code;
}

using FieldSetter = std::function<void(TemplateEngine&)>;

// Loads the template, sets the fields and sends the request; -1 when the exchange succeeded.
int Send(OperationContext& context, const OperationSpec& spec, const FieldSetter& setFields = {})
{
    context.errorDetail = 0;
    TargetChosenCamera(context);
    if (!LoadOperationTemplate(context, spec))
        return OperationResult::kTemplateMissing;
    if (setFields)
        setFields(context.manager.Engine());
    return SendOperation(context, spec);
}

// A write step: any status but 0 is a failure whose detail is the status.
int WriteStep(OperationContext& context, const OperationSpec& spec, const FieldSetter& setFields = {})
{
    const int code = Send(context, spec, setFields);
    if (code == OperationResult::kTemplateMissing)
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
int PollStep(OperationContext& context, const OperationSpec& spec)
{
    const int code = Send(context, spec);
    if (code == OperationResult::kTemplateMissing)
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
    if (spec.decodeMode != 0 && block.bodyLength > 0)
        context.manager.Engine().DecodeReply(spec.decodeMode);
    return OperationResult::kSuccess;
}

} // namespace

int QueryWPS(OperationContext& context, WpsValues& wps)
{
    context.errorDetail = 0;
    TargetChosenCamera(context);
    TemplateEngine& engine = context.manager.Engine();
    if (!LoadOperationTemplate(context, Operations::kQueryWPS))
        return OperationResult::kTemplateMissing;
    engine.Keys().ClearSlots();
    const int code = SendOperation(context, Operations::kQueryWPS);
    if (code == OperationResult::kTemplateMissing)
        return code;
    if (code != -1) {
        context.errorDetail = OperationResult::kDetailNoAnswer;
        return OperationResult::kFailed;
    }
    const StatusBlock block = ReadStatusBlock(context);
    if (block.status != ReplyStatus::kAccepted)
        return StatusFailure(context, block);
    if (block.bodyLength == 0)
        return OperationResult::kSuccess;
    engine.DecodeReply(Operations::kQueryWPS.decodeMode);
    engine.DumpFields(u"\r\n");
    wps.pbcSupported = DecimalTextToInt(engine.GetField(u"WPS_PBC"));
    if (wps.pbcSupported == 0) {
        context.errorDetail = OperationResult::kDetailNoPushButton;
        return OperationResult::kFailed;
    }
    wps.pinSupported = DecimalTextToInt(engine.GetField(u"WPS_PIN"));
    return OperationResult::kSuccess;
}

int InitWPS(OperationContext& context, const WpsValues& wps)
{
    return WriteStep(context, Operations::kInitWPS, [&wps](TemplateEngine& engine) {
        engine.SetFieldInt(u"Mode", wps.mode);
        engine.SetFieldText(u"PINCODE", wps.pin);
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
