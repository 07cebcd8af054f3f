#include "StartUpWarmUp.h"

#include "CQuillaneDlg.h"
#include "LoadPicture.h"
#include "PictureFile.h"
#include "PreparedPicture.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
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

} // namespace

StartUpWarmUp::StartUpWarmUp(const std::filesystem::path& programFolder)
{
    // Qt takes the first thread that uses its objects for the main thread, and the decoding
    // below uses some: that must be this thread, not the warm-up's.
    QThread::currentThread();
    std::promise<PreparedPicture> background;
    OfferPreparedPicture(background.get_future());
    m_thread = std::thread([programFolder, background = std::move(background),
                            application = m_application.get_future()]() mutable {
        FcInit();
        background.set_value(DecodeFirstBackground(programFolder));
        if (!application.get())
            return;
        QFontDatabase::families();
        // Opening the font files themselves is shared between threads as well.
        QFont bold;
        bold.setBold(true);
        QFontMetrics(QFont()).height();
        QFontMetrics(bold).height();
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
}

void StartUpWarmUp::release(bool applicationExists)
{
    if (m_released)
        return;
    m_released = true;
    m_application.set_value(applicationExists);
}
