// SPDX-License-Identifier: Apache-2.0
// A soak of the whole apply in one wizard process: search, sign in, DHCP, apply, and back to the
// list, CYCLES times (default 500) against one simulated camera. Prints the resident memory and
// the open descriptors and threads after the first cycle and after the last, and fails when
// memory grew by more than 8 MiB or a descriptor or thread was left behind. Not part of the test
// suite (it takes minutes): bench/apply_soak.sh runs it in a namespace of its own.

#include "tests/gui/NetTestSupport.h"
#include "tests/gui/WizardTestSupport.h"
#include "tests/net/NetLab.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"
#include "wizard/CDlgNetWorkFinish.h"

#include <QApplication>
#include <QTableWidget>
#include <QtTest>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace WizardTest;

namespace {

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

class ApplySoak : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NetLab> m_lab;
    std::unique_ptr<CQuillaneDlg> m_wizard;

    CWizardPage* page() const { return m_wizard->currentPage(); }
    CDlgListCam* listPage() const { return qobject_cast<CDlgListCam*>(page()); }

    void oneCycle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000);
        QCOMPARE(listPage()->list()->rowCount(), 1);
        listPage()->list()->selectRow(0);
        Settle();
        Click(page(), CDlgListCam::kNext);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        Type(page(), CDlgIdPwd::kAdminId, QStringLiteral("admin"));
        Type(page(), CDlgIdPwd::kAdminPassword, QStringLiteral("admin"));
        Click(page(), CDlgIdPwd::kNext);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWork);
        Click(page(), CDlgNetWork::kDhcpOn);
        Settle();
        Click(page(), CDlgNetWork::kNext);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        Click(page(), CDlgNetWorkFinish::kNext);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::ListCam);
        QVERIFY(MessageBox::shown().isEmpty());
    }

private slots:
    void applyCycles()
    {
        if (const QString reason = NetSkipReason(); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        MessageBox::enableTestMode(true);
        // Clicks follow each page at once, faster than any person.
        PressGuard::setInterval(std::chrono::milliseconds(0));
        const int cycles = qEnvironmentVariableIsSet("CYCLES") ? qEnvironmentVariableIntValue("CYCLES") : 500;

        m_lab = std::make_unique<NetLab>();
        m_lab->AddLink("lan");
        m_lab->AddPcAdapter("lan", "eth0", {"198.18.0.1/24"});
        m_lab->AddCameraHost("cams", "lan", "198.18.0.250/24");
        m_lab->StartSimulator("cams",
                              {"--camera", "mac=02:00:5e:00:00:01,ip=198.18.0.21", "--state-at-start"});
        m_lab->EnterPc();
        DeviceTimeouts timeouts;
        timeouts.searchQuiet = std::chrono::milliseconds(150);
        timeouts.receive = std::chrono::milliseconds(500);
        m_wizard = std::make_unique<CQuillaneDlg>(timeouts, kProgramFolder);
        m_wizard->OnInitDialog();

        Usage first;
        for (int cycle = 1; cycle <= cycles; ++cycle) {
            oneCycle();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("cycle %1 failed").arg(cycle)));
            // Measured as at the end: once the fresh list's search has ended.
            if (cycle == 1) {
                QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000);
                first = Measure();
            }
        }
        // The list page of the last cycle still searches; let it end before measuring.
        QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000);
        const Usage last = Measure();
        std::printf("soak: cycle 1: RSS %ld KiB, %ld descriptors, %ld threads\n", first.rssKiB,
                    first.descriptors, first.threads);
        std::printf("soak: cycle %d: RSS %ld KiB, %ld descriptors, %ld threads\n", cycles, last.rssKiB,
                    last.descriptors, last.threads);
        QVERIFY(last.rssKiB - first.rssKiB < 8 * 1024);
        QCOMPARE(last.descriptors, first.descriptors);
        QVERIFY(last.threads <= first.threads);

        m_wizard.reset();
        m_lab.reset();
        MessageBox::enableTestMode(false);
        PressGuard::setInterval(std::nullopt);
    }
};

QTEST_MAIN(ApplySoak)
#include "ApplySoak.moc"
