#include "StartUpWarmUp.h"

#include "CQuillaneDlg.h"
#include "LoadPicture.h"
#include "PictureFile.h"
#include "PreparedPicture.h"

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

// Nothing offered (an empty path) makes the page decode the picture itself, as it always can.
PreparedPicture DecodeFirstBackground(const std::filesystem::path& programFolder) noexcept
{
    try {
        PreparedPicture picture;
        picture.path = CQuillaneDlg::FirstPageBackgroundPath(programFolder);
        if (picture.path.isEmpty())
            return picture;
        if (const auto bytes = ReadPictureFile(std::filesystem::path(picture.path.toStdU16String())))
            picture.image = DecodePicture(*bytes);
        return picture;
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
    std::promise<PreparedPicture> background;
    OfferPreparedPicture(background.get_future());
    // Qt's accessibility bridge connects to the session bus (or tries to start one) when the first
    // list is built, and the user-interface thread waits for it. Qt keeps the one connection, made
    // or failed, so made here it costs the first page nothing. A thread of its own, because the
    // call mostly waits for the bus, and the background is wanted at the same time.
    if (PlatformBridgesAccessibilityOverBus(qEnvironmentVariable("QT_QPA_PLATFORM")))
        m_busThread = std::thread([] { QDBusConnection::sessionBus(); });
    m_thread = std::thread([programFolder, background = std::move(background),
                            application = m_application.get_future()]() mutable {
        // The background first: the page wants it as soon as the application exists, the fonts
        // only when its first list is built.
        background.set_value(DecodeFirstBackground(programFolder));
        FcInit();
        if (!application.get())
            return;
        QFontDatabase::families();
        // Opening the font files themselves is shared between threads as well. The first page
        // shows no bold type.
        QFontMetrics(QFont()).height();
    });
}

StartUpWarmUp::~StartUpWarmUp()
{
    finish();
}

void StartUpWarmUp::applicationReady()
{
    release(true);
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
