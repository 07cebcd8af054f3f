// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgListCam.h"

#include "device/CDeviceManager.h"
#include "device/ModelRules.h"
#include "device/NetworkText.h"
#include "device/WizardState.h"
#include "skin/CPicButton.h"
#include "skin/ControlCommandEvent.h"
#include "skin/MessageBox.h"
#include "skin/PictureFile.h"
#include "skin/WizardCommand.h"
#include "wizard/ApplyConfirmationLine.h"
#include "wizard/ShellOpen.h"
#include "wizard/SilentSearchText.h"

#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <algorithm>

namespace {

// No browser took the camera's web page.
constexpr int kMessageNoBrowser = 65;
// Nothing could be asked to open it: xdg-open is missing.
constexpr int kMessageNoOpener = 70;

// Buttons that a running search disables; the WPS button is shown or hidden instead.
using C = CDlgListCam;
constexpr int kSearchLocked[] = {C::kExit, C::kNext,    C::kSearch, C::kLink,   C::kNextToo,
                                 C::kNop,  C::kNothing, C::kAbout,  C::kExitToo};

QString qs(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

// Which camera text a column shows, by its caption.
QString CellText(const QString& caption, const TemplateCameraRecord& camera)
{
    if (caption.contains(QLatin1String("IP")))
        return qs(FormatAddress(camera.Ip()));
    if (caption.contains(QLatin1String("MAC")))
        return qs(FormatMac(camera.Mac()));
    if (caption.contains(QLatin1String("Model")))
        return qs(camera.Model());
    if (caption.contains(QLatin1String("Name")))
        return qs(camera.Name());
    return QString();
}

} // namespace

QStringList CDlgListCam::FirstShownPicturePaths(const SkinFile& skin,
                                                const std::filesystem::path& imageFolder)
{
    QStringList paths;
    const QString background = BackgroundPath(skin, imageFolder, QStringView(kSkinPage.section).toString());
    if (!background.isEmpty())
        paths.append(background);
    for (const SkinControlSpec& control : kControls) {
        if (control.kind != SkinControlKind::PicButton ||
            std::find(std::begin(kSearchLocked), std::end(kSearchLocked), control.id) ==
                std::end(kSearchLocked))
            continue;
        const std::u16string file = skin.readString(ControlSection(kSkinPage, control), u"disableImage", u"");
        if (!file.empty())
            paths.append(qs(PicturePath(imageFolder, file).u16string()));
    }
    return paths;
}

CDlgListCam::CDlgListCam(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage)
{
    m_timer.setInterval(kSearchPollMs);
    connect(&m_timer, &QTimer::timeout, this, &CDlgListCam::OnTimer);
    connect(&firstShown(), &FirstShown::shown, this, &CDlgListCam::BeginSearch);
}

CDlgListCam::~CDlgListCam()
{
    // Leaving during a search: the manager, which outlives the page, ends its thread.
    m_timer.stop();
    m_waitCursor.set(false);
}

bool CDlgListCam::Create(const std::filesystem::path& programFolder)
{
    if (!CWizardPage::Create(programFolder))
        return false;
    m_list = qobject_cast<QTableWidget*>(FindControl(kCameraListId));
    if (m_list) {
        m_listStatus = new QLabel(m_list->viewport());
        m_listStatus->setObjectName(QStringLiteral("DlgListCam.ListStatus"));
        m_listStatus->setAlignment(Qt::AlignCenter);
        m_listStatus->setWordWrap(true);
        QPalette quiet = m_listStatus->palette();
        quiet.setColor(QPalette::WindowText, QColor(0x5b, 0x64, 0x72));
        quiet.setColor(QPalette::Text, QColor(0x5b, 0x64, 0x72));
        m_listStatus->setPalette(quiet);
        for (int column = 0; column < m_list->columnCount() && column < kColumnSlots; ++column) {
            const QTableWidgetItem* header = m_list->horizontalHeaderItem(column);
            m_columnCaptions[static_cast<size_t>(column)] = header ? header->text() : QString();
        }
    }
    m_applyStatus = std::make_unique<ApplyConfirmationLine>(this, m_list, skin());
    showWpsButton(false);
    return true;
}

void CDlgListCam::OnInitPage()
{
    if (m_links.primary)
        m_links.primary->SetTemplateFolder(templateFolder());
    if (m_links.state && m_links.state->lastApplied) {
        if (m_applyStatus)
            m_applyStatus->lookFor(*m_links.state->lastApplied);
        m_links.state->lastApplied.reset();
    }
    Search();
}

void CDlgListCam::Search()
{
    if (!m_links.primary)
        return;
    m_rowsShown = 0;
    m_chosenIp.clear();
    m_searchBegun = false;
    m_timer.start();
    if (m_list) {
        m_list->setRowCount(0);
        m_list->setEnabled(false);
    }
    EnableControls(false);
    showWpsButton(false);
    ShowListStatus();
    if (m_applyStatus)
        m_applyStatus->searchStarted();
    if (firstShown().done())
        BeginSearch();
}

void CDlgListCam::BeginSearch()
{
    if (m_searchBegun || !isSearching())
        return;
    m_searchBegun = true;
    m_links.primary->StartSearch();
    m_waitCursor.set(true);
}

void CDlgListCam::OnTimer()
{
    if (!m_searchBegun)
        return;
    CDeviceManager& manager = *m_links.primary;
    const bool finished = manager.SearchFinished();
    if (finished)
        manager.ClearSearching();
    AddNewRows();
    ShowListStatus();
    if (!finished)
        return;
    m_timer.stop();
    ShowListStatus();
    if (m_applyStatus)
        m_applyStatus->searchFinished(manager);
    if (m_list)
        m_list->setEnabled(true);
    EnableControls(true);
    m_waitCursor.set(false);
    if (m_list && m_list->rowCount() > 0) {
        m_list->selectRow(0);
        m_list->setFocus();
    }
}

void CDlgListCam::AddNewRows()
{
    const std::vector<TemplateCameraRecord> cameras = m_links.primary->Cameras();
    for (; m_rowsShown < static_cast<int>(cameras.size()); ++m_rowsShown) {
        if (!m_list)
            continue;
        const TemplateCameraRecord& camera = cameras[static_cast<size_t>(m_rowsShown)];
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        for (int column = 0; column < m_list->columnCount() && column < kColumnSlots; ++column) {
            const QString& caption = m_columnCaptions[static_cast<size_t>(column)];
            if (!caption.isEmpty())
                m_list->setItem(row, column, new QTableWidgetItem(CellText(caption, camera)));
        }
    }
}

QString CDlgListCam::listStatus() const
{
    if (m_list && m_list->rowCount() > 0)
        return QString();
    // A skin may word these itself, in its list section.
    const std::u16string_view section = u"DlgListCam.ListCtrl";
    if (isSearching())
        return qs(skin().readString(section, u"searching_text", u"Searching for cameras..."));
    QString text = m_links.primary
                       ? SilentSearchText(skin(), m_links.primary->SearchFigures())
                       : qs(skin().readString(section, u"empty_text",
                                              u"No camera answered. Check that the camera is powered and "
                                              u"connected to this network, then press Search."));
    const QString leftOut = leftOutAdapters();
    if (!leftOut.isEmpty())
        text += QStringLiteral("\n\n") +
                qs(skin().readString(section, u"left_out_text",
                                     u"Only eight addresses can be searched; not searched: %1."))
                    .arg(leftOut);
    return text;
}

QString CDlgListCam::leftOutAdapters() const
{
    QStringList names;
    if (!m_links.primary)
        return QString();
    for (const AdapterAddress& adapter : m_links.primary->LeftOutAdapters())
        names << QString::fromStdString(adapter.interfaceName) + QStringLiteral(" (") +
                     QString::fromStdU16String(adapter.ipText) + QStringLiteral(")");
    return names.join(QStringLiteral(", "));
}

QString CDlgListCam::applyStatus() const
{
    return m_applyStatus ? m_applyStatus->text() : QString();
}

void CDlgListCam::ShowListStatus()
{
    if (!m_listStatus)
        return;
    const QString text = listStatus();
    // The firewall rule of a silent search is there to be copied; "Searching" is not, and a plain
    // label lays it out at a fraction of the cost while the program starts.
    m_listStatus->setTextInteractionFlags(isSearching() ? Qt::NoTextInteraction : Qt::TextSelectableByMouse);
    m_listStatus->setText(text);
    // The label lies in the list's viewport, below the header. Placed before it is shown, which
    // would otherwise size it to its text first.
    m_listStatus->setGeometry(m_list->viewport()->rect().adjusted(24, 24, -24, -24));
    m_listStatus->setVisible(!text.isEmpty());
}

void CDlgListCam::EnableControls(bool enabled)
{
    for (int id : kSearchLocked)
        enableButton(id, enabled);
}

void CDlgListCam::showWpsButton(bool shown)
{
    if (QWidget* wps = FindControl(kWps))
        wps->setVisible(shown);
}

void CDlgListCam::ChooseSelectedCamera()
{
    if (!m_list || !m_links.primary)
        return;
    int macColumn = 0;
    for (int column = 0; column < kColumnSlots; ++column) {
        if (m_columnCaptions[static_cast<size_t>(column)].contains(QLatin1String("MAC")))
            macColumn = column;
    }
    int row = -1;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        row = std::max(row, index.row());
    if (row < 0)
        return;
    const QTableWidgetItem* cell = m_list->item(row, macColumn);
    const QString mac = cell ? cell->text() : QString();

    const std::vector<TemplateCameraRecord> cameras = m_links.primary->Cameras();
    for (size_t i = 0; i < cameras.size(); ++i) {
        const TemplateCameraRecord& camera = cameras[i];
        if (qs(FormatMac(camera.Mac())) != mac)
            continue;
        m_chosenIndex = static_cast<int>(i);
        m_chosenIp = qs(FormatAddress(camera.Ip()));
        // The list entry carries no web port; its stored search reply does.
        CameraInfo decoded;
        m_links.primary->DecodeDiscovery(m_chosenIndex, decoded);
        m_chosenWebPort = decoded.webPort != 0 ? decoded.webPort : 80;
        if (m_links.state && m_links.state->wpsShow == 1)
            showWpsButton(IsK7ZModel(camera.Model()));
    }
}

void CDlgListCam::Choose(int command)
{
    if (m_chosenIp.isEmpty() || !m_links.primary || !m_links.state)
        return;
    WaitCursor wait;
    WizardState& state = *m_links.state;
    if (m_links.primary->SelectCamera(m_chosenIndex, m_chosenIp.toStdU16String(), m_chosenWebPort,
                                      state.camera) != -1)
        return;
    if (command == WIZ_WPS) {
        state.adminId.clear();
        state.adminPassword.clear();
    }
    post(command);
}

void CDlgListCam::OpenWebPage()
{
    if (m_chosenIp.isEmpty())
        return;
    ShellOpen::open(QStringLiteral("http://%1:%2").arg(m_chosenIp).arg(m_chosenWebPort), this,
                    [this](ShellOpen::Failure failure) {
                        ShowMessage(failure == ShellOpen::Failure::NoOpener ? kMessageNoOpener
                                                                            : kMessageNoBrowser,
                                    MessageBox::IconWarning);
                    });
}

void CDlgListCam::OnCommand(int id, int code)
{
    switch (id) {
    case kExit:
    case kExitToo:
        post(WIZ_EXIT);
        break;
    case kNext:
    case kNextToo:
        Choose(WIZ_NEXT);
        break;
    case kSearch:
        Search();
        break;
    case kLink:
        OpenWebPage();
        break;
    case kNop:
        post(WIZ_NOP);
        break;
    case kAbout:
        post(WIZ_ABOUT);
        break;
    case kWps:
        Choose(WIZ_WPS);
        break;
    case kCameraListId:
        if (code == ControlCommandEvent::kSelectionChanged)
            ChooseSelectedCamera();
        break;
    default:
        break;
    }
}
