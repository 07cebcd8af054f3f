// SPDX-License-Identifier: Apache-2.0
#include "wizard/ShellOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <optional>

namespace {

// The desktop's opener returns only when the browser it started ends; a failure after this long
// is the browser's own ending, not a failure to open.
constexpr qint64 kStartWindowMs = 10000;

struct Recorder
{
    bool testMode = false;
    std::optional<ShellOpen::Failure> failNext;
    QStringList opened;
};

Recorder& recorder()
{
    static Recorder instance;
    return instance;
}

// xdg-open reports a missing browser only by its exit code, after it has tried.
void OpenWithXdg(const QString& opener, const QString& url, QObject* context,
                 std::function<void(ShellOpen::Failure)> failed)
{
    // Owned by the application, not the page: leaving the page must not end the browser.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer started;
    started.start();
    QObject::connect(
        process, &QProcess::finished, context, [failed, started](int code, QProcess::ExitStatus status) {
            if ((status != QProcess::NormalExit || code != 0) && started.elapsed() < kStartWindowMs)
                failed(ShellOpen::Failure::NotOpened);
        });
    QObject::connect(process, &QProcess::errorOccurred, context, [failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            failed(ShellOpen::Failure::NoOpener);
    });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            process->deleteLater();
    });
    process->start();
}

} // namespace

void ShellOpen::open(const QString& url, QObject* context, std::function<void(Failure)> failed)
{
    Recorder& test = recorder();
    if (test.testMode) {
        test.opened.append(url);
        if (test.failNext)
            failed(*test.failNext);
        test.failNext.reset();
        return;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        OpenWithXdg(opener, url, context, std::move(failed));
        return;
    }
    // Without xdg-open, Qt tries $BROWSER and the desktop's own tools; failing that, what is
    // missing is the opener, not necessarily a browser.
    if (!QDesktopServices::openUrl(QUrl(url)))
        failed(Failure::NoOpener);
}

void ShellOpen::enableTestMode(bool on)
{
    recorder().testMode = on;
    recorder().failNext.reset();
}

void ShellOpen::failNextOpen(Failure failure)
{
    recorder().failNext = failure;
}

const QStringList& ShellOpen::opened()
{
    return recorder().opened;
}

void ShellOpen::clearOpened()
{
    recorder().opened.clear();
}
