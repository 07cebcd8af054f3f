// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"
#include "wizard/WaitCursor.h"

#include <QTimer>
#include <array>
#include <memory>

class ApplyConfirmationLine;
class QLabel;
class QTableWidget;

// The first page: searches the network, lists the cameras as they answer, and lets the person
// choose one, open its web page, start WPS, read about the program or leave.
class CDlgListCam : public CWizardPage
{
    Q_OBJECT
public:
    // The pictures the page shows until its first search ends: its background and the disabled
    // pictures of the buttons that a search disables.
    static QStringList FirstShownPicturePaths(const SkinFile& skin, const std::filesystem::path& imageFolder);

    // The controls built from the skin.
    enum ControlId : int
    {
        kSearch = 1004,
        kLink = 1005,
        kNextToo = 1006,
        kNop = 1007,
        kNothing = 1008,
        kAbout = 1009,
        kExitToo = 1010,
        kWps = 1011,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kNextButton,
        {SkinControlKind::PicButton,  kSearch,       u"Search"},
        {SkinControlKind::PicButton,  kLink,         u"Link"},
        {SkinControlKind::PicButton,  kAbout,        u"MAbout"},
        {SkinControlKind::PicButton,  kWps,          u"WPS"},
        {SkinControlKind::CameraList, kCameraListId, u"ListCtrl"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgListCam", kControls};

    static constexpr int kSearchPollMs = 100;

    explicit CDlgListCam(QWidget* mainWindow);
    ~CDlgListCam() override;

    bool Create(const std::filesystem::path& programFolder) override;
    // Starts the search; the main window resets the wizard state afterwards.
    void OnInitPage() override;

    // Clears the list and shows the page searching at once; the search itself begins once the
    // page is on the screen (firstShown), so that a starting program shows its first page before
    // the search's threads, sockets and wait cursor take their share.
    void Search();
    bool isSearching() const { return m_timer.isActive(); }
    QTableWidget* list() const { return m_list; }
    int chosenIndex() const { return m_chosenIndex; }
    const QString& chosenIp() const { return m_chosenIp; }
    // The line shown over an empty list; empty while the list has rows.
    QString listStatus() const;
    // After an apply: whether the camera answered with what was applied (empty otherwise).
    QString applyStatus() const;
    // The addresses the last search had no room for, for the empty-list text.
    QString leftOutAdapters() const;
    int chosenWebPort() const { return m_chosenWebPort; }

protected:
    void OnCommand(int id, int code) override;

private:
    static constexpr int kColumnSlots = 20;

    void BeginSearch();
    void OnTimer();
    void AddNewRows();
    void EnableControls(bool enabled);
    void ChooseSelectedCamera();
    void Choose(int command);
    void OpenWebPage();
    void showWpsButton(bool shown);
    // Over an empty list: that the search runs, or that nothing answered.
    void ShowListStatus();

    QTableWidget* m_list = nullptr;
    QLabel* m_listStatus = nullptr;
    std::unique_ptr<ApplyConfirmationLine> m_applyStatus;
    QTimer m_timer;
    bool m_searchBegun = false;
    int m_rowsShown = 0;
    int m_chosenIndex = -1;
    int m_chosenWebPort = 80;
    QString m_chosenIp;
    std::array<QString, kColumnSlots> m_columnCaptions;
    WaitCursorSwitch m_waitCursor;
};
