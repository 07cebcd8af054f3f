// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"

// What a summary page's Next sends to the chosen camera, addressed to its current IP address.
// Each returns -1 or the first failure's error number (the context holds its detail). After an
// asked-for password change the following operations sign in with the new password.
//
// A write whose answer is lost may have been taken, so the writes after it still go out (a model
// that restarts takes nothing without its Reset); the apply then returns 30 with detail 1,500,
// and state.applyUnconfirmed says what is left to confirm. A second exchange without an answer
// ends the apply: the camera is then gone or restarting. A password change that cannot be
// confirmed ends it too, since every later write signs in with the password it leaves.

// ChangeIDPWD when asked, SetBasic, Reset for the models that restart.
int ApplyNetwork(OperationContext& context);
// ChangeIDPWD when asked, SetBasic, SetWLan, Reset for the models that restart. After a SetWLan
// that went unanswered, GetWLan reads back what the camera holds.
int ApplyWireless(OperationContext& context);

// GetWLan into state.applyUnconfirmed.wirelessReadBack; state.wireless keeps the settings written.
// Returns GetWLan's result.
int ReadBackWireless(OperationContext& context);

// Whether a result means that a request went out and no answer came back.
bool Unanswered(int code, const OperationContext& context);
