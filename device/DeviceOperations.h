// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"

// Operations on the chosen camera. Each returns -1 on success or an error number: 1 template
// missing, 32 values too long for the request (neither sends anything), 18 refused, 29 refused
// for the second reason, 30 failed (see context.errorDetail), 31 stopped (context.stop). They
// block the calling thread for the whole exchange and any wait the camera asks for, and must not
// run while the same manager searches.

// Checks the administrator's ID and password.
int Verification(OperationContext& context);
// Fills the wizard's table of the opcodes the camera supports.
int QueryOpcodes(OperationContext& context);
// Reads the camera's wireless settings into the wizard state.
int GetWLan(OperationContext& context);
// Writes the camera record's network settings.
int SetBasic(OperationContext& context);
// Sends the administrator ID with the new password, both enciphered by the template.
int ChangeIDPWD(OperationContext& context);
// ChangeIDPWD, and when it reports a refusal or no answer, a sign-in with the new password to
// learn what the camera holds: a lost answer or a duplicated request can hide a change that took
// effect. -1 when the camera takes the new password (adminPassword then is the new one);
// the change's own error when it still refuses the new one; 30 with detail 1,500 when even the
// sign-in went unanswered, so the change may or may not have been applied.
struct PasswordChange
{
    int result;
    bool confirmedBySignIn; // the change reported failure, the sign-in showed it took effect
};
PasswordChange ChangePasswordConfirmed(OperationContext& context);
// Writes the wizard's wireless settings.
int SetWLan(OperationContext& context);
// Restarts the camera.
int Reset(OperationContext& context);
