// SPDX-License-Identifier: Apache-2.0
#include "wizard/StartUpWarmUp.h"

#include "skin/LoadPicture.h"
#include "skin/PageFont.h"
#include "skin/PictureFile.h"
#include "skin/PreparedPicture.h"
#include "wizard/CQuillaneDlg.h"

#include <QBuffer>
#include <QDBusConnection>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>
#include <QStringList>
#include <QThread>
#include <fontconfig/fontconfig.h>

namespace {

// A picture left out, or left undecoded, the page decodes itself, as it always can.
std::vector<PreparedPicture> DecodePictures(const QStringList& paths) noexcept
{
    std::vector<PreparedPicture> pictures;
    try {
        for (const QString& path : paths) {
            PreparedPicture picture{path, {}};
            if (const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String())))
                picture.image = DecodePicture(*bytes);
            pictures.push_back(std::move(picture));
        }
    } catch (const std::exception&) {
        // Those decoded so far are offered; the page decodes the others.
    }
    return pictures;
}

FirstPageLook ReadLook(const std::filesystem::path& programFolder) noexcept
{
    try {
        return CQuillaneDlg::ReadFirstPageLook(programFolder);
    } catch (const std::exception&) {
        return {};
    }
}

// A reader asked for a format that Qt reads itself lists the image plugins from their metadata
// alone. QImageReader::supportedImageFormats() would load every one of them, and the libraries
// they need, for a question nobody asked.
void ListImagePluginsWithoutLoadingThem()
{
    QBuffer nothing;
    nothing.open(QIODevice::ReadOnly);
    QImageReader reader(&nothing, "png");
    reader.setAutoDetectImageFormat(false);
    reader.canRead();
}

} // namespace

bool PlatformBridgesAccessibilityOverBus(const QString& platformVariable)
{
    // Qt tries the platforms listed in turn; the first is the one a desktop session gets.
    const QString first = platformVariable.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0);
    return first.isEmpty() || first == QLatin1String("xcb") || first.startsWith(QLatin1String("wayland"));
}

StartUpWarmUp::StartUpWarmUp(const std::filesystem::path& programFolder)
{
    // Qt takes the first thread that uses its objects for the main thread, and the work below
    // uses some: that must be this thread, not a warm-up's.
    QThread::currentThread();
    // Reading a picture makes Qt list its image plugins, which reads the application's library
    // paths; done while another thread constructs the application, that read may crash. Listed
    // here, before the application exists and before the thread starts, it is done once for all.
    ListImagePluginsWithoutLoadingThem();
    std::promise<std::vector<PreparedPicture>> pictures;
    OfferPreparedPictures(pictures.get_future());
    std::promise<void> fontConfiguration;
    m_fontConfiguration = fontConfiguration.get_future();
    // Qt's accessibility bridge connects to the session bus (or tries to start one) when the first
    // list is built, and the user-interface thread waits for it. Qt keeps the one connection, made
    // or failed, so made here it costs the first page nothing. A thread of its own, because the
    // call mostly waits for the bus, and the background is wanted at the same time.
    if (PlatformBridgesAccessibilityOverBus(qEnvironmentVariable("QT_QPA_PLATFORM")))
        m_busThread = std::thread([] { QDBusConnection::sessionBus(); });
    m_thread = std::thread(
        [programFolder, pictures = std::move(pictures), fontConfiguration = std::move(fontConfiguration),
         application = m_application.get_future()]() mutable {
            // The pictures first: the page wants its background as soon as the application exists,
            // the fonts only when its first list is built.
            const FirstPageLook look = ReadLook(programFolder);
            pictures.set_value(DecodePictures(look.pictures));
            FcInit();
            fontConfiguration.set_value();
            if (!application.get())
                return;
            QFontDatabase::families();
            // Font engines are the thread's own, but the font that the skin names is looked up, and
            // its fallbacks listed, for all threads. The first page shows no bold type.
            QFontMetrics(PageFont(look.font)).height();
        });
}

StartUpWarmUp::~StartUpWarmUp()
{
    finish();
}

void StartUpWarmUp::applicationReady()
{
    release(true);
    // Fontconfig lets two threads that find no configuration read it each, and keeps one: the
    // first page, reaching its first text before the warm-up is done, would spend the whole read
    // again, beside it, instead of waiting for the rest of it.
    if (m_fontConfiguration.valid())
        m_fontConfiguration.wait();
}

void StartUpWarmUp::finish()
{
    release(false);
    if (m_thread.joinable())
        m_thread.join();
    if (m_busThread.joinable())
        m_busThread.join();
}

void StartUpWarmUp::release(bool applicationExists)
{
    if (m_released)
        return;
    m_released = true;
    m_application.set_value(applicationExists);
}
