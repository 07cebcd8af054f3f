// SPDX-License-Identifier: Apache-2.0
#include "wizard/CQuillaneApp.h"

#include "platform/ProgramVersion.h"
#include "wizard/CQuillaneDlg.h"

#include <cstdlib>

namespace {

void ReadMilliseconds(const char* name, std::chrono::milliseconds& value)
{
    const char* text = std::getenv(name);
    if (!text)
        return;
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && number > 0)
        value = std::chrono::milliseconds(number);
}

} // namespace

CQuillaneApp::CQuillaneApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Quillane"));
    setApplicationVersion(QString::fromLatin1(kProgramVersionText));
    setDesktopFileName(QStringLiteral("org.quillane.quillane"));
    // Between two pages no window is shown for an instant; only Exit ends the program.
    setQuitOnLastWindowClosed(false);
}

DeviceTimeouts CQuillaneApp::TimeoutsFromEnvironment()
{
    DeviceTimeouts timeouts;
    ReadMilliseconds("QUILLANE_SEARCH_QUIET_MS", timeouts.searchQuiet);
    ReadMilliseconds("QUILLANE_RECEIVE_MS", timeouts.receive);
    return timeouts;
}

int CQuillaneApp::run()
{
    CQuillaneDlg dialog(TimeoutsFromEnvironment());
    return dialog.exec();
}
