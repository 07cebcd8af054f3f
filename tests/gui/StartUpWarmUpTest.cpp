// The start-up warm-up starts before any Qt application exists, so this suite has a main() of its
// own that does what the program's main() does, and the tests look at what it left.

#include "StartUpWarmUp.h"

#include "CQuillaneDlg.h"
#include "LoadPicture.h"
#include "PictureFile.h"
#include "PreparedPicture.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QThread>
#include <future>
#include <optional>

namespace {

const std::filesystem::path kProgramFolder = QUILLANE_DEFAULT_SKIN;

QImage DecodedFromFile(const QString& path)
{
    const auto bytes = ReadPictureFile(std::filesystem::path(path.toStdU16String()));
    return bytes ? DecodePicture(*bytes) : QImage();
}

std::future<PreparedPicture> Ready(const QString& path, const QImage& image)
{
    std::promise<PreparedPicture> promise;
    promise.set_value(PreparedPicture{path, image});
    return promise.get_future();
}

QImage SmallPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

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
    // What main() saw: the thread it ran on, the first background as the warm-up handed it over
    // before the application existed, and the files mapped by then.
    StartUpWarmUpTest(QThread* mainThread, std::optional<QImage> firstBackground, QByteArray mappedAtStart)
        : m_mainThread(mainThread), m_firstBackground(std::move(firstBackground)),
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

    void firstBackgroundIsHandedOverAsThePageWouldDecodeIt()
    {
        const QString path = CQuillaneDlg::FirstPageBackgroundPath(kProgramFolder);
        QVERIFY(path.endsWith(QStringLiteral("bg_DlgListCam.png")));
        QVERIFY(m_firstBackground.has_value());
        QCOMPARE(*m_firstBackground, DecodedFromFile(path));
        // It was handed over once; the next page decodes its own.
        QCOMPARE(TakePreparedPicture(path), std::nullopt);
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

    void anOfferGoesOnlyToTheFirstPictureAskedFor()
    {
        const QString path = QStringLiteral("/skin/Image/first.png");
        OfferPreparedPicture(Ready(path, SmallPicture()));
        QCOMPARE(TakePreparedPicture(path), std::optional<QImage>(SmallPicture()));
        QCOMPARE(TakePreparedPicture(path), std::nullopt);

        // A guess that missed (another picture asked for first) is dropped, not kept for later.
        OfferPreparedPicture(Ready(path, SmallPicture()));
        QCOMPARE(TakePreparedPicture(QStringLiteral("/skin/Image/first@2x.png")), std::nullopt);
        QCOMPARE(TakePreparedPicture(path), std::nullopt);

        // A decoder that never ran leaves the caller to decode.
        OfferPreparedPicture(std::promise<PreparedPicture>().get_future());
        QCOMPARE(TakePreparedPicture(path), std::nullopt);
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
    std::optional<QImage> m_firstBackground;
    QByteArray m_mappedAtStart;
};

int main(int argc, char** argv)
{
    StartUpWarmUp warmUp(kProgramFolder);
    // Waits for the warm-up's decoding, so that it has certainly used Qt before the application.
    std::optional<QImage> firstBackground =
        TakePreparedPicture(CQuillaneDlg::FirstPageBackgroundPath(kProgramFolder));
    QByteArray mappedAtStart = MappedFiles();
    QThread* const mainThread = QThread::currentThread();
    QApplication app(argc, argv);
    warmUp.applicationReady();
    StartUpWarmUpTest test(mainThread, std::move(firstBackground), std::move(mappedAtStart));
    const int result = QTest::qExec(&test, argc, argv);
    warmUp.finish();
    return result;
}

#include "StartUpWarmUpTest.moc"
