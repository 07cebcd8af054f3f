// SPDX-License-Identifier: Apache-2.0
#include "device/ApplySequence.h"

#include "device/DeviceOperations.h"
#include "device/ModelRules.h"
#include "device/WizardState.h"

#include <vector>

namespace {

using Step = int (*)(OperationContext&);

struct Write
{
    Step send;
    // Run when send went unanswered, to learn what the camera holds while it still answers.
    Step readBack = nullptr;
    bool wireless = false;
};

int Run(OperationContext& context, std::initializer_list<Write> writes)
{
    WizardState& state = context.state;
    state.applyStatus = 0;
    state.applyUnconfirmed = {};
    if (state.changeId == 1 || state.changePassword == 1) {
        // On success the following operations sign in with the new password.
        const int code = ChangePasswordConfirmed(context).result;
        if (code != OperationResult::kSuccess)
            return code;
    }
    std::vector<Write> all(writes);
    if (RestartsAfterApply(state.camera.model))
        all.push_back({Reset});
    ApplyUnconfirmed& unconfirmed = state.applyUnconfirmed;
    for (const Write& write : all) {
        int code = write.send(context);
        if (code == OperationResult::kSuccess)
            continue;
        if (!Unanswered(code, context))
            return code;
        const bool second = unconfirmed.writes;
        unconfirmed.writes = true;
        unconfirmed.wireless = unconfirmed.wireless || write.wireless;
        if (second)
            return code;
        if (write.readBack && (code = write.readBack(context)) != OperationResult::kSuccess)
            return code;
    }
    if (!unconfirmed.writes)
        return OperationResult::kSuccess;
    context.errorDetail = OperationResult::kDetailNoAnswer;
    return OperationResult::kFailed;
}

} // namespace

bool Unanswered(int code, const OperationContext& context)
{
    return code == OperationResult::kFailed && context.errorDetail == OperationResult::kDetailNoAnswer;
}

int ReadBackWireless(OperationContext& context)
{
    WizardState& state = context.state;
    const WirelessSettings written = state.wireless;
    const int code = GetWLan(context);
    if (code == OperationResult::kSuccess)
        state.applyUnconfirmed.wirelessReadBack = state.wireless;
    state.wireless = written;
    return code;
}

int ApplyNetwork(OperationContext& context)
{
    return Run(context, {{SetBasic}});
}

int ApplyWireless(OperationContext& context)
{
    return Run(context, {{SetBasic}, {SetWLan, ReadBackWireless, true}});
}
