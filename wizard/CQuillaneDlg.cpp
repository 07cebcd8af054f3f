// SPDX-License-Identifier: Apache-2.0
#include "wizard/CQuillaneDlg.h"

#include "platform/ProgramFolder.h"
#include "skin/EnterAndEscape.h"
#include "skin/LoadPicture.h"
#include "skin/MessageBox.h"
#include "skin/PageFont.h"
#include "skin/SkinFile.h"
#include "skin/WizardCommand.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CWizardPage.h"
#include "wizard/PageRegistry.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

// The icon lives in the wizard library's resources, which a static library must load itself.
static void LoadWizardResources()
{
    Q_INIT_RESOURCE(quillane);
}

namespace {

// Asks whether to stop the operation that runs and leave.
constexpr int kMessageStopAndLeave = 66;

// Ends the main window's loop; posted, so that the page that asked has finished first.
class EndDialogEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 102);
    EndDialogEvent() : QEvent(kType) {}
};

void ClearWireless(WirelessSettings& w)
{
    // Every text; the numbers are set again by the next camera's login.
    w.ssid.clear();
    for (std::u16string& key : w.wepKeys)
        key.clear();
    for (std::u16string* text :
         {&w.passphrase, &w.channelRange, &w.wirelessEnable, &w.channelText, &w.encryptionModeBits,
          &w.keyLengthAuthBits, &w.defaultKeyFormatBits, &w.txRateBits, &w.wireMode, &w.encryptionCaps,
          &w.authenticationCaps, &w.wepKeyLengthCaps, &w.wepKeyFormatCaps, &w.wepDefaultKeyCaps,
          &w.txRateText})
        text->clear();
}

} // namespace

CQuillaneDlg::CQuillaneDlg(const DeviceTimeouts& timeouts, const std::filesystem::path& programFolder)
    : m_programFolder(programFolder.empty() ? ProgramFolder() : programFolder), m_primary(timeouts),
      m_secondary(timeouts), m_runner(m_state, m_primary)
{
    connect(&m_runner, &OperationRunner::finished, this, [this] {
        if (m_exitWhenStopped)
            Exit();
    });
    setWindowTitle(QStringLiteral("Quillane"));
}

QIcon CQuillaneDlg::ProgramIcon()
{
    LoadWizardResources();
    // Decoded as the skin's pictures are: a QIcon made from the file name would have Qt load every
    // image plugin first.
    QFile file(QStringLiteral(":/quillane/quillane.png"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return QIcon(QPixmap::fromImage(DecodePicture(std::string_view(bytes.constData(), bytes.size()))));
}

FirstPageLook CQuillaneDlg::ReadFirstPageLook(const std::filesystem::path& programFolder)
{
    const SkinFile skin(programFolder / kSkinFileName);
    return {CDlgListCam::FirstShownPicturePaths(skin, skin.imageFolder(programFolder)),
            skin.font(u"Main.Font")};
}

void CQuillaneDlg::ShowProgramIcon()
{
    if (QGuiApplication::windowIcon().isNull())
        QGuiApplication::setWindowIcon(ProgramIcon());
}

CQuillaneDlg::~CQuillaneDlg()
{
    // Pages point into the managers: they go first.
    m_page.reset();
}

QString SkinMissingText(const std::filesystem::path& programFolder)
{
    return QStringLiteral("Quillane cannot start: its skin file could not be read.\n\n"
                          "File: %1\nFolder: %2\n\n"
                          "Please reinstall Quillane.")
        .arg(QString::fromStdU16String(kSkinFileName.u16string()),
             QString::fromStdU16String(programFolder.u16string()));
}

bool CQuillaneDlg::SkinReadable() const
{
    QFile file(QString::fromStdU16String((m_programFolder / kSkinFileName).u16string()));
    const QFileInfo info(file);
    // A skin over the size limit reads as empty, which is no skin either.
    return info.isFile() && info.size() <= qint64{SkinFile::kMaxFileBytes} && file.open(QIODevice::ReadOnly);
}

void CQuillaneDlg::OnInitDialog()
{
    hide();
    // Without its skin every page would be an empty grey box with no way out.
    if (!SkinReadable()) {
        MessageBox::show(nullptr, SkinMissingText(m_programFolder), MessageBox::IconError);
        m_exitCode = 1;
        EndNow();
        return;
    }
    if (!GoTo(PageTransition{PageId::ListCam}))
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        const QSize size = m_page->size();
        m_page->move(area.x() + (area.width() - size.width()) / 2,
                     area.y() + (area.height() - size.height()) / 2);
    }
    m_page->raise();
    m_page->show();
    // As every later page does: without a window manager to hand it over, the first page would
    // never get the keyboard, and a person could not start with Tab.
    m_page->activateWindow();
    // The taskbar's picture can wait until the page is on the screen.
    connect(&m_page->firstShown(), &FirstShown::shown, this, &CQuillaneDlg::ShowProgramIcon);
}

int CQuillaneDlg::exec()
{
    OnInitDialog();
    if (m_ended || !m_page)
        return m_exitCode;
    QEventLoop loop;
    m_loop = &loop;
    const int code = loop.exec();
    m_loop = nullptr;
    return code;
}

void CQuillaneDlg::ResetWizardState(const SkinFile& skin)
{
    WizardState& s = m_state;
    s.camera.name.clear();
    s.camera.macText.clear();
    s.camera.webPort = 0;
    s.camera.hasWireless = 0;
    s.camera.reserved = 0;
    s.camera.dnsSpec = 0;
    s.wpsChosen = 0;
    for (std::u16string* text :
         {&s.adminId, &s.adminPassword, &s.newId, &s.newPassword, &s.confirmPassword, &s.camera.ip,
          &s.camera.mask, &s.camera.gateway, &s.camera.dns1, &s.camera.dns2})
        text->clear();
    ClearWireless(s.wireless);
    s.supportedOpcodes.fill(0);
    s.wpsShow = 0;
    s.onlyWirelessNew = 0;

    if (!m_pageFont)
        m_pageFont = PageFont(skin.font(u"Main.Font"));
    s.wpsShow = skin.readInt(u"Main.Page", u"WPS_Show", u"0");
    s.onlyWirelessNew = skin.readInt(u"Main.Page", u"ONLY_WIRELLESSNEW", u"0");
}

std::unique_ptr<CWizardPage> CQuillaneDlg::CreatePage(const PageRegistration& registration)
{
    if (!registration.make)
        return nullptr;
    std::unique_ptr<CWizardPage> page = registration.make(this);
    if (!page->Create(m_programFolder))
        return nullptr;
    return page;
}

PageLinks CQuillaneDlg::LinksFor(PageReceives receives)
{
    PageLinks links;
    if (receives == PageReceives::Nothing)
        return links;
    links.state = &m_state;
    links.wpsTiming = m_wpsTiming;
    links.pageFont = m_pageFont ? &*m_pageFont : nullptr;
    if (receives == PageReceives::State)
        return links;
    links.primary = &m_primary;
    links.runner = &m_runner;
    if (receives == PageReceives::BothManagersAndState)
        links.secondary = &m_secondary;
    return links;
}

bool CQuillaneDlg::GoTo(const PageTransition& transition)
{
    if (transition.resetCarriedWpsValue)
        CarriedWpsValue = -1;
    if (transition.takeCarriedWpsValue && m_page)
        CarriedWpsValue = m_page->carriedWpsValue();

    const PageRegistration* registration = FindPageRegistration(transition.to);
    std::unique_ptr<CWizardPage> page = registration ? CreatePage(*registration) : nullptr;
    if (!page)
        return false;
    PageLinks links = LinksFor(registration->receives);
    page->Attach(links);
    if (transition.giveCarriedWpsValue)
        page->receiveCarriedWpsValue(CarriedWpsValue);
    page->OnInitPage();
    if (transition.to == PageId::ListCam) {
        // The list searches; what was collected about the last camera goes.
        ResetWizardState(page->skin());
        links.pageFont = &*m_pageFont;
        page->Attach(links);
    }
    SwitchTo(std::move(page), transition.to);
    return true;
}

void CQuillaneDlg::SwitchTo(std::unique_ptr<CWizardPage> page, PageId id)
{
    if (m_page) {
        page->move(m_page->pos());
        page->raise();
        page->show();
        page->activateWindow();
    }
    m_page = std::move(page);
    m_pageId = id;
}

void CQuillaneDlg::OnWizardCommand(int command)
{
    if (m_exiting)
        return;
    if (m_runner.isRunning()) {
        // No page switches under a running operation; only leaving is possible, and asked first.
        if (command == WIZ_EXIT)
            ExitWhileRunning();
        return;
    }
    std::optional<PageTransition> transition;
    switch (command) {
    case WIZ_NEXT:
        transition = NextPage(m_pageId, m_state);
        break;
    case WIZ_BACK:
        transition = BackPage(m_pageId, m_state);
        break;
    case WIZ_ABOUT:
        transition = PageTransition{PageId::About};
        break;
    case WIZ_WPS:
        transition = PageTransition{PageId::WpsFromList};
        break;
    case WIZ_EXIT:
        Exit();
        return;
    default:
        return;
    }
    if (transition)
        GoTo(*transition);
}

void CQuillaneDlg::ExitWhileRunning()
{
    if (m_askingToExit)
        return;
    m_askingToExit = true;
    // A result that comes in while the question is open must not change the page under it.
    m_runner.hold(true);
    const int answer =
        m_page ? m_page->ShowMessage(kMessageStopAndLeave, MessageBox::YesNo | MessageBox::IconQuestion)
               : int(MessageBox::IdYes);
    m_askingToExit = false;
    if (answer == MessageBox::IdYes) {
        m_exiting = true;
        m_exitWhenStopped = true;
        m_runner.stop();
    }
    m_runner.hold(false);
}

void CQuillaneDlg::Exit()
{
    m_exiting = true;
    m_page.reset();
    QCoreApplication::postEvent(this, new EndDialogEvent);
}

bool CQuillaneDlg::event(QEvent* event)
{
    if (event->type() == WizardCommandEvent::kType) {
        OnWizardCommand(static_cast<WizardCommandEvent*>(event)->command());
        return true;
    }
    if (event->type() == EndDialogEvent::kType) {
        EndNow();
        return true;
    }
    return QWidget::event(event);
}

void CQuillaneDlg::EndNow()
{
    if (m_ended)
        return;
    m_ended = true;
    emit ended();
    if (m_loop)
        m_loop->exit(m_exitCode);
}

void CQuillaneDlg::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterOrEscape(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
