// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WpsJoinStart.h"
#include "wizard/CWizardPage.h"
#include "wizard/WpsJoin.h"

#include <QTimer>

// Joins the chosen camera to a wireless network by WPS, by push button or by PIN. Opened from
// the camera list, it asks for the administrator's ID and password itself; opened from the
// wireless choice, the login has already been done.
class CDlgWPSSetting : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kAdminId = 1101,
        kAdminPassword = 1102,
        kProgress = 1202,
        kAdminIdLabel = 1309,
        kAdminPasswordLabel = 1310,
        kPinEdit = 1319,
        kSelectLabel = 1320,
        kPushButtonMethod = 1322,
        kPinMethod = 1323,
        kStartPushButton = 1324,
        kStartPin = 1325,
        kPushButtonNote1 = 1326,
        kPushButtonNote2 = 1327,
        kPushButtonNote3 = 1328,
        kPushButtonNote4 = 1329,
        kPushButtonNote5 = 1330,
        kPinNote1 = 1331,
        kPinNote2 = 1332,
        kPinNote3 = 1333,
        kPinNote4 = 1334,
        kPinNote5 = 1335,
        kNewPin = 1337,
        kCopyPin = 1338,
        kPushButtonNote6 = 1339,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton,
        {SkinControlKind::PicButton,  kStartPushButton,    u"BUTPBCPUSH"},
        {SkinControlKind::PicButton,  kStartPin,           u"BUTPINSTART"},
        {SkinControlKind::PushButton, kNewPin,             u"BUTPINREFALSH"},
        {SkinControlKind::PushButton, kCopyPin,            u"BUTPINCOPY"},
        {SkinControlKind::Progress,   kProgress,           u"ProgressCtrl"},
        {SkinControlKind::Edit,       kPinEdit,            u"EDITPIN"},
        {SkinControlKind::Edit,       kAdminId,            u"ADMID"},
        {SkinControlKind::Edit,       kAdminPassword,      u"ADMPWD"},
        {SkinControlKind::Radio,      kPushButtonMethod,   u"OPTPBC", u"Enable"},
        {SkinControlKind::Radio,      kPinMethod,          u"OPTPIN", u"Disable"},
        {SkinControlKind::PicText,    kSelectLabel,        u"LABSelect"},
        {SkinControlKind::PicText,    kAdminIdLabel,       u"LABADMID"},
        {SkinControlKind::PicText,    kAdminPasswordLabel, u"LABADMPWD"},
        {SkinControlKind::PicText,    kPushButtonNote1,    u"LABPBCNOTE1"},
        {SkinControlKind::PicText,    kPushButtonNote2,    u"LABPBCNOTE2"},
        {SkinControlKind::PicText,    kPushButtonNote3,    u"LABPBCNOTE3"},
        {SkinControlKind::PicText,    kPushButtonNote4,    u"LABPBCNOTE4"},
        {SkinControlKind::PicText,    kPushButtonNote5,    u"LABPBCNOTE5"},
        {SkinControlKind::PicText,    kPushButtonNote6,    u"LABPBCNOTE6"},
        {SkinControlKind::PicText,    kPinNote1,           u"LABPINNOTE1"},
        {SkinControlKind::PicText,    kPinNote2,           u"LABPINNOTE2"},
        {SkinControlKind::PicText,    kPinNote3,           u"LABPINNOTE3"},
        {SkinControlKind::PicText,    kPinNote4,           u"LABPINNOTE4"},
        {SkinControlKind::PicText,    kPinNote5,           u"LABPINNOTE5"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgWPSSET", kControls};

    // What the page hands back: -1 never started, 0 started and not (yet) joined, 1 joined.
    enum Result : int
    {
        kNeverStarted = -1,
        kNotJoined = 0,
        kJoined = 1,
    };

    CDlgWPSSetting(QWidget* mainWindow, WpsEntry entry);
    ~CDlgWPSSetting() override;

    void OnInitPage() override;
    int carriedWpsValue() const override { return m_result; }
    void receiveCarriedWpsValue(int value) override { m_result = value; }

    WpsEntry entry() const { return m_entry; }
    // Starting, or polling the camera.
    bool isJoining() const { return m_starting || (m_join && m_join->isRunning()); }
    const QString& pin() const { return m_pin; }

protected:
    void OnCommand(int id, int code) override;

private:
    void chooseMethod(int32_t method);
    void showView(bool pinView);
    void makePin();
    void startJoin();
    void joinStarted(int code, int32_t errorDetail);
    void joinFinished(bool success, bool timedOut, int code, int32_t errorDetail);
    void readJoinedSettingsThenNext();
    void restoreControls();
    void setInputsEnabled(bool enabled);
    // Exit, Back and Next while a join runs: only a Yes to the question leaves.
    void leave(int command);
    void OnNext();
    bool runStep(WpsJoin::Step step, WpsJoin::StepDone done);

    WpsEntry m_entry;
    int m_result = kNeverStarted;
    QString m_pin;
    bool m_starting = false;
    // From the wireless choice the summary shows what the camera learned by WPS; it is read
    // after the join, and again on Next when that read failed.
    bool m_joinedSettingsRead = false;
    WpsJoin* m_join = nullptr;
    QTimer m_pause;
};
