#include "CQuillaneApp.h"
#include "FirstPaintStamp.h"
#include "FontWarmUp.h"
#include "ProgramVersion.h"
#include "StartRequest.h"

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
    FontWarmUp fonts;
    CQuillaneApp app(argc, argv);
    fonts.applicationReady();
    FirstPaintStamp stamp("quillane");
    const int result = app.run();
    fonts.finish();
    return result;
}
