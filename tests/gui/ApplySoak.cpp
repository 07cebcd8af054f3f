// SPDX-License-Identifier: Apache-2.0
// A soak of the whole apply in one wizard process: search, sign in, DHCP, apply, and back to the
// list, CYCLES times (default 500) against one simulated camera. Prints the resident memory and
// the open descriptors and threads after the first cycle and after the last, and fails when
// memory grew by more than 8 MiB or a descriptor or thread was left behind. Not part of the test
// suite (it takes minutes): bench/apply_soak.sh runs it in a namespace of its own.

#include "tests/gui/NetTestSupport.h"

#include <QApplication>
#include <QTableWidget>
#include <QtTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace WizardTest;

namespace {

const QString kMacText = QStringLiteral("02.00.5e.00.00.01");

struct Usage
{
    long rssKiB = 0;
    long descriptors = 0;
    long threads = 0;
};

long StatusValue(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    }
    return -1;
}

Usage Measure()
{
    Usage usage;
    usage.rssKiB = StatusValue("VmRSS");
    usage.threads = StatusValue("Threads");
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++usage.descriptors;
    return usage;
}

} // namespace

class ApplySoak : public WizardNetFixture
{
    Q_OBJECT

private:
    void oneCycle()
    {
        waitForSearch();
        QCOMPARE(listPage()->list()->rowCount(), 1);
        signIn(kMacText);
        takeDhcp();
        next(PageId::NetWorkFinish);
        next(PageId::ListCam);
        QVERIFY(MessageBox::shown().isEmpty());
    }

private slots:
    void applyCycles()
    {
        if (const QString reason = NetSkipReason(); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        enterTestModes();
        const int cycles = qEnvironmentVariableIsSet("CYCLES") ? qEnvironmentVariableIntValue("CYCLES") : 500;

        buildLab({"mac=02:00:5e:00:00:01,ip=198.18.0.21"}, {"--state-at-start"});
        startWizard(std::chrono::milliseconds(150), std::chrono::milliseconds(500));

        Usage first;
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            oneCycle();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("cycle %1 failed").arg(cycle)));
            // Measured as at the end: once the fresh list's search has ended.
            if (cycle == 1) {
                waitForSearch();
                first = Measure();
            }
        }
        // The list page of the last cycle still searches; let it end before measuring.
        waitForSearch();
        const Usage last = Measure();
        std::printf("soak: cycle 1: RSS %ld KiB, %ld descriptors, %ld threads\n", first.rssKiB,
                    first.descriptors, first.threads);
        std::printf("soak: cycle %d: RSS %ld KiB, %ld descriptors, %ld threads\n", cycles, last.rssKiB,
                    last.descriptors, last.threads);
        QVERIFY(last.rssKiB - first.rssKiB < 8 * 1024);
        QCOMPARE(last.descriptors, first.descriptors);
        QVERIFY(last.threads <= first.threads);

        leave();
    }
};

QTEST_MAIN(ApplySoak)
#include "ApplySoak.moc"
