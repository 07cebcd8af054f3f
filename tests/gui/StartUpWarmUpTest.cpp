// SPDX-License-Identifier: Apache-2.0
// The start-up warm-up starts before any Qt application exists, so this suite has a main() of its
// own that does what the program's main() does, and the tests look at what it left.

#include "wizard/StartUpWarmUp.h"

#include "skin/LoadPicture.h"
#include "skin/PictureFile.h"
#include "skin/PreparedPicture.h"
#include "wizard/CQuillaneDlg.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QThread>
#include <future>
#include <optional>
#include <vector>

namespace {

const std::filesystem::path kProgramFolder = QUILLANE_DEFAULT_SKIN;

QImage DecodedFromFile(const QString& path)
{
    const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String()));
    return bytes ? DecodePicture(*bytes) : QImage();
}

std::future<std::vector<PreparedPicture>> Ready(std::vector<PreparedPicture> pictures)
{
    std::promise<std::vector<PreparedPicture>> promise;
    promise.set_value(std::move(pictures));
    return promise.get_future();
}

QImage SmallPicture(Qt::GlobalColor colour)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The first page's pictures as main() took them from the warm-up, in the order it offered them.
struct TakenPicture
{
    QString path;
    std::optional<QImage> image;
};

QByteArray MappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

class UserEventCounter : public QObject
{
public:
    int seen = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::User)
            ++seen;
        return false;
    }
};

} // namespace

class StartUpWarmUpTest : public QObject
{
    Q_OBJECT
public:
    // What main() saw: the thread it ran on, the first page's pictures as the warm-up handed them
    // over before the application existed, and the files mapped by then.
    StartUpWarmUpTest(QThread* mainThread, std::vector<TakenPicture> firstPictures, QByteArray mappedAtStart)
        : m_mainThread(mainThread), m_firstPictures(std::move(firstPictures)),
          m_mappedAtStart(std::move(mappedAtStart))
    {
    }

private slots:
    // Qt makes the first thread that uses its objects its main thread. Had the warm-up's decoding
    // been first, Qt would take the warm-up's thread for it: among other things, the
    // application's event filters would no longer see this thread's events.
    void theProgramsThreadStaysQtsMainThread()
    {
        QCOMPARE(QThread::currentThread(), m_mainThread);
        UserEventCounter counter;
        qApp->installEventFilter(&counter);
        QObject receiver;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &event);
        qApp->removeEventFilter(&counter);
        QCOMPARE(counter.seen, 1);
    }

    // The page shows its background, and its buttons disabled while it searches.
    void firstPagePicturesAreHandedOverAsThePageWouldDecodeThem()
    {
        QVERIFY(m_firstPictures.size() > 1);
        QVERIFY(m_firstPictures.front().path.endsWith(QStringLiteral("/bg_DlgListCam.png")));
        QStringList buttons;
        for (const TakenPicture& picture : m_firstPictures) {
            QVERIFY2(picture.image.has_value(), qPrintable(picture.path));
            QCOMPARE(*picture.image, DecodedFromFile(picture.path));
            if (picture.path.endsWith(QStringLiteral("_disabled.png")))
                buttons.append(picture.path.section(QLatin1Char('/'), -1));
        }
        QCOMPARE(buttons.size(), m_firstPictures.size() - 1);
        QVERIFY(buttons.contains(QStringLiteral("btn_exit_disabled.png")));
        QVERIFY(buttons.contains(QStringLiteral("btn_search_disabled.png")));
        // Each was handed over once; a later page decodes its own.
        QCOMPARE(TakePreparedPicture(m_firstPictures.front().path), std::nullopt);
    }

    // Libraries that only a later step needs are not loaded to start: the plugins for picture
    // formats that Qt does not read itself, and libcrypto, which only signing in uses.
    void laterStepsLibrariesAreNotLoadedToStart_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("image plugins") << QByteArray("/imageformats/");
        QTest::newRow("libcrypto") << QByteArray("/libcrypto.so");
    }

    void laterStepsLibrariesAreNotLoadedToStart()
    {
        QFETCH(QByteArray, path);
        QVERIFY(!m_mappedAtStart.isEmpty());
        QVERIFY2(!m_mappedAtStart.contains(path), path.constData());
    }

    void eachOfferedPictureGoesToTheFirstRequestForIt()
    {
        const QString background = QStringLiteral("/skin/Image/first.png");
        const QString button = QStringLiteral("/skin/Image/button.png");
        const QString unread = QStringLiteral("/skin/Image/unread.png");
        OfferPreparedPictures(Ready(
            {{background, SmallPicture(Qt::darkCyan)}, {unread, QImage()}, {button, SmallPicture(Qt::red)}}));
        // In any order, once each.
        QCOMPARE(TakePreparedPicture(button), std::optional<QImage>(SmallPicture(Qt::red)));
        QCOMPARE(TakePreparedPicture(background), std::optional<QImage>(SmallPicture(Qt::darkCyan)));
        QCOMPARE(TakePreparedPicture(background), std::nullopt);

        // A picture that could not be decoded is the caller's to decode, and drops nothing.
        OfferPreparedPictures(Ready({{unread, QImage()}, {button, SmallPicture(Qt::red)}}));
        QCOMPARE(TakePreparedPicture(unread), std::nullopt);
        QCOMPARE(TakePreparedPicture(button), std::optional<QImage>(SmallPicture(Qt::red)));

        // A guess that missed (another picture asked for first) drops them all, not kept for later.
        OfferPreparedPictures(
            Ready({{background, SmallPicture(Qt::darkCyan)}, {button, SmallPicture(Qt::red)}}));
        QCOMPARE(TakePreparedPicture(QStringLiteral("/skin/Image/first@2x.png")), std::nullopt);
        QCOMPARE(TakePreparedPicture(background), std::nullopt);
        QCOMPARE(TakePreparedPicture(button), std::nullopt);

        // A decoder that never ran leaves the caller to decode.
        OfferPreparedPictures(std::promise<std::vector<PreparedPicture>>().get_future());
        QCOMPARE(TakePreparedPicture(background), std::nullopt);
    }

    // The session bus is connected early only where Qt's accessibility bridge would connect it:
    // the desktop platforms, and the default that a desktop session gets.
    void sessionBusIsConnectedEarlyOnlyForDesktopPlatforms_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<bool>("connects");
        QTest::newRow("unset") << QString() << true;
        QTest::newRow("xcb") << QStringLiteral("xcb") << true;
        QTest::newRow("xcb with options") << QStringLiteral("xcb:nograb") << true;
        QTest::newRow("wayland") << QStringLiteral("wayland") << true;
        QTest::newRow("wayland first of two") << QStringLiteral("wayland-egl;xcb") << true;
        QTest::newRow("offscreen") << QStringLiteral("offscreen") << false;
        QTest::newRow("offscreen first of two") << QStringLiteral("offscreen;xcb") << false;
        QTest::newRow("minimal") << QStringLiteral("minimal") << false;
        QTest::newRow("vnc") << QStringLiteral("vnc:size=720x480") << false;
    }

    void sessionBusIsConnectedEarlyOnlyForDesktopPlatforms()
    {
        QFETCH(QString, variable);
        QFETCH(bool, connects);
        QCOMPARE(PlatformBridgesAccessibilityOverBus(variable), connects);
    }

private:
    QThread* m_mainThread;
    std::vector<TakenPicture> m_firstPictures;
    QByteArray m_mappedAtStart;
};

int main(int argc, char** argv)
{
    StartUpWarmUp warmUp(kProgramFolder);
    // Waits for the warm-up's decoding, so that it has certainly used Qt before the application.
    std::vector<TakenPicture> firstPictures;
    for (const QString& path : CQuillaneDlg::ReadFirstPageLook(kProgramFolder).pictures)
        firstPictures.push_back({path, TakePreparedPicture(path)});
    QByteArray mappedAtStart = MappedFiles();
    QThread* const mainThread = QThread::currentThread();
    QApplication app(argc, argv);
    warmUp.applicationReady();
    StartUpWarmUpTest test(mainThread, std::move(firstPictures), std::move(mappedAtStart));
    const int result = QTest::qExec(&test, argc, argv);
    warmUp.finish();
    return result;
}

#include "StartUpWarmUpTest.moc"
