// SPDX-License-Identifier: Apache-2.0
#include "platform/ProgramFolder.h"
#include "platform/ProgramVersion.h"
#include "wizard/CQuillaneApp.h"
#include "wizard/FirstPaintStamp.h"
#include "wizard/StartRequest.h"
#include "wizard/StartUpWarmUp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Answered before Qt starts, so that they work without a display.
    switch (ReadStartRequest(argc, argv)) {
    case StartRequest::Help:
        std::fputs(kWizardHelp, stdout);
        return 0;
    case StartRequest::Version:
        std::printf("quillane %s\n", kProgramVersionText);
        return 0;
    case StartRequest::Wizard:
        break;
    }
    StartUpWarmUp warmUp(ProgramFolder());
    CQuillaneApp app(argc, argv);
    warmUp.applicationReady();
    FirstPaintStamp stamp("quillane");
    const int result = app.run();
    warmUp.finish();
    return result;
}
