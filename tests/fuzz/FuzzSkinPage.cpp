// SPDX-License-Identifier: Apache-2.0
// Any bytes as the skin file beside the program, and a page built from it as the wizard builds
// one: its background, every control of the page, then the reading order, the first focus and
// the controls' names that showing the page works out. No crash, no hang, whatever the
// placements, sizes, fonts, lists and pictures say.
#include "skin/BuildSkinPage.h"
#include "skin/CPicDialog.h"
#include "skin/SkinFile.h"
#include "tests/fuzz/FuzzFolder.h"
#include "wizard/SkinCatalogue.h"

#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <fstream>

namespace {

// Qt's warnings about odd sizes and fonts say nothing the fuzzer needs, and would slow it down.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

// Qt keeps fontconfig's patterns for its font fallbacks and loses them when it loads the font
// configuration again, which a long run comes to (seen after 13,000 and 75,000 inputs; a replay of
// the input alone leaks nothing). Only memory that fontconfig itself allocated is let through.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Never a window on a real display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Quiet);
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder("skin-page");
    std::ofstream(folder.root / kSkinFileName, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // One page per input, chosen by its length, as the skin file target does.
    const SkinPageSpec& pageSpec = SkinPages()[size % SkinPages().size()];
    {
        CPicDialog page;
        page.setSkin(folder.root, QStringView(pageSpec.section).toString());
        page.LoadBackground();
        BuildSkinPage(page, pageSpec);
        page.ApplyReadingOrder();
        page.FocusFirstControl();
        page.NameControls();
        page.RepaintControls();
    }
    // What the widgets left to be deleted later goes now, and Qt's timers (its font cache is
    // trimmed by one) get their turn, as in the wizard's event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return 0;
}
