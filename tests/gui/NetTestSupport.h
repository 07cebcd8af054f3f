// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tests/gui/WizardTestSupport.h"
#include "tests/net/NetLab.h"

namespace WizardTest {

// Why a GUI test that builds a test network cannot run here; empty when it can.
inline QString NetSkipReason()
{
    if (const QString problem = IsolationProblem(); !problem.isEmpty())
        return problem;
    return QString::fromStdString(NetLab::SkipReason());
}

} // namespace WizardTest
