// SPDX-License-Identifier: Apache-2.0
#include "wizard/StartRequest.h"

#include <string_view>

const char* const kWizardHelp = R"(Usage: quillane [OPTION]... [QT-OPTION]...
Find the network cameras on your LAN and set one up: sign in, change the administrator
password, choose DHCP or a static address, set up the wireless network or join one by WPS.

The wizard searches every network adapter by UDP broadcast to port 62976 as soon as it starts,
and again on every return to the camera list. It needs no root privileges and writes no files.

Options:
  -h, --help       show this help and exit
  -v, --version    show the version and exit

Qt's own options, such as -platform NAME, -style NAME, -display DISPLAY and -reverse, are
handled by Qt.

Environment:
  QUILLANE_SEARCH_QUIET_MS  end a search after this many quiet milliseconds (default 3000)
  QUILLANE_RECEIVE_MS       wait this many milliseconds for each answer of a camera (default 10000)

Files:
  Quillane.ini and Image/ beside the program hold the skin: page layout, texts and pictures;
  tQuillane/ beside the program holds the templates that lay out the camera requests.
)";

StartRequest ReadStartRequest(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h")
            return StartRequest::Help;
        if (arg == "--version" || arg == "-v")
            return StartRequest::Version;
    }
    return StartRequest::Wizard;
}
