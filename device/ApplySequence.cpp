// SPDX-License-Identifier: Apache-2.0
#include "device/ApplySequence.h"

#include "device/DeviceOperations.h"
#include "device/ModelRules.h"
#include "device/WizardState.h"

namespace {

using Step = int (*)(OperationContext&);

int Run(OperationContext& context, std::initializer_list<Step> writes)
{
    WizardState& state = context.state;
    state.applyStatus = 0;
    if (state.changeId == 1 || state.changePassword == 1) {
        // On success the following operations sign in with the new password.
        const int code = ChangePasswordConfirmed(context).result;
        if (code != OperationResult::kSuccess)
            return code;
    }
    for (Step write : writes) {
        const int code = write(context);
        if (code != OperationResult::kSuccess)
            return code;
    }
    if (RestartsAfterApply(state.camera.model))
        return Reset(context);
    return OperationResult::kSuccess;
}

} // namespace

int ApplyNetwork(OperationContext& context)
{
    return Run(context, {SetBasic});
}

int ApplyWireless(OperationContext& context)
{
    return Run(context, {SetBasic, SetWLan});
}
