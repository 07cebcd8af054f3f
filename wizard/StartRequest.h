// SPDX-License-Identifier: Apache-2.0
#pragma once

// What the command line asks of the wizard before any window exists: --help and --version are
// answered on standard output without a display; everything else is left to Qt and the wizard.
enum class StartRequest
{
    Wizard,
    Help,
    Version
};

StartRequest ReadStartRequest(int argc, const char* const* argv);

extern const char* const kWizardHelp;
