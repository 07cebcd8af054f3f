// SPDX-License-Identifier: Apache-2.0
#include "wizard/CWizardPage.h"

#include "device/OperationContext.h"
#include "skin/BuildSkinPage.h"
#include "skin/CPicButton.h"
#include "skin/ControlCommandEvent.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"
#include "wizard/BusyIndicator.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// Where the busy indicator goes when the skin does not say: the button row's free middle.
const QRect kBusyPlace(140, 430, 330, 34);

} // namespace

CWizardPage::CWizardPage(QWidget* mainWindow, const SkinPageSpec& skinPage)
    : CPicDialog(mainWindow), m_skinPage(skinPage)
{
    setPageSection(QStringView(skinPage.section).toString());
    setWindowTitle(QStringLiteral("Quillane"));
}

bool CWizardPage::Create(const std::filesystem::path& programFolder)
{
    m_programFolder = programFolder;
    setSkin(programFolder, pageSection());
    LoadBackground();
    BuildSkinPage(*this, m_skinPage);
    return true;
}

void CWizardPage::OnCommand(int id, int)
{
    if (id == kExit)
        post(WIZ_EXIT);
    else if (id == kBack)
        post(WIZ_BACK);
}

void CWizardPage::post(int command)
{
    PostWizardCommand(parentWidget(), command);
}

CPicButton* CWizardPage::picButton(int id) const
{
    return qobject_cast<CPicButton*>(FindControl(id));
}

QLineEdit* CWizardPage::edit(int id) const
{
    return qobject_cast<QLineEdit*>(FindControl(id));
}

void CWizardPage::enableButton(int id, bool enabled)
{
    if (CPicButton* button = picButton(id)) {
        button->setDisabledFlag(!enabled);
        button->Redraw();
    }
}

void CWizardPage::enableControl(int id, bool enabled)
{
    if (QWidget* control = FindControl(id))
        control->setEnabled(enabled);
}

void CWizardPage::setText(int id, const QString& text)
{
    if (QLineEdit* field = edit(id))
        field->setText(text);
}

QString CWizardPage::text(int id) const
{
    const QLineEdit* field = edit(id);
    return field ? field->text() : QString();
}

void CWizardPage::setChecked(int id, bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(FindControl(id)))
        button->setChecked(checked);
}

bool CWizardPage::isChecked(int id) const
{
    const auto* button = qobject_cast<QAbstractButton*>(FindControl(id));
    return button && button->isChecked();
}

QComboBox* CWizardPage::list(int id) const
{
    return qobject_cast<QComboBox*>(FindControl(id));
}

void CWizardPage::fillList(int id, const WirelessOptionList& entries)
{
    QComboBox* box = list(id);
    if (!box)
        return;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const WirelessOption& entry : entries)
        box->addItem(QString::fromStdU16String(entry.text), entry.type);
}

bool CWizardPage::selectType(int id, int32_t type)
{
    QComboBox* box = list(id);
    if (!box)
        return false;
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(box->findData(type));
    return box->currentIndex() >= 0;
}

std::optional<int32_t> CWizardPage::selectedType(int id) const
{
    const QComboBox* box = list(id);
    if (!box || box->currentIndex() < 0)
        return std::nullopt;
    return box->currentData().toInt();
}

void CWizardPage::setPageFontOn(std::initializer_list<int> ids)
{
    if (!m_links.pageFont)
        return;
    for (int id : ids) {
        if (QWidget* control = FindControl(id))
            control->setFont(*m_links.pageFont);
    }
}

void CWizardPage::ReportFailure(int code, int32_t detail)
{
    switch (code) {
    case OperationResult::kFailed:
        ShowMessage(detail + 500, MessageBox::IconWarning);
        return;
    case OperationResult::kRefusedOther:
        ShowMessage(22, MessageBox::IconWarning);
        return;
    case OperationResult::kRefused:
        ShowMessage(4, MessageBox::IconWarning);
        return;
    case OperationResult::kTemplateMissing:
        ShowMessage(62, MessageBox::IconWarning);
        return;
    case OperationResult::kTooLong:
        ShowMessage(67, MessageBox::IconWarning);
        return;
    default:
        MessageBox::show(this,
                         QStringLiteral("Some error occured, error number is %1\nPlease try it again or "
                                        "contact your vendor.")
                             .arg(static_cast<unsigned>(code)),
                         MessageBox::IconWarning);
    }
}

bool CWizardPage::runOperation(OperationRunner::Sequence sequence, OperationRunner::Done done)
{
    if (!m_links.runner)
        return false;
    const bool started = m_links.runner->run(this, std::move(sequence),
                                             [this, done = std::move(done)](int code, int32_t detail) {
                                                 setBusy(false);
                                                 done(code, detail);
                                             });
    if (started)
        setBusy(true);
    return started;
}

bool CWizardPage::event(QEvent* event)
{
    if (m_busy && event->type() == ControlCommandEvent::kType &&
        static_cast<const ControlCommandEvent*>(event)->id() != kExit)
        return true;
    return CPicDialog::event(event);
}

void CWizardPage::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (!busy) {
        for (const QPointer<QWidget>& control : m_disabledWhileBusy) {
            if (auto* button = qobject_cast<CPicButton*>(control.data())) {
                button->setDisabledFlag(false);
                button->Redraw();
            } else if (control) {
                control->setEnabled(true);
            }
        }
        m_disabledWhileBusy.clear();
        if (m_busyIndicator)
            m_busyIndicator->stop();
        return;
    }
    for (const auto& item : controls()) {
        QWidget* control = item->control.get();
        // Labels stay as they are; Exit stays the way out.
        if (!control || item->id == kExit || item->kind == ControlKind::PicText)
            continue;
        if (auto* button = qobject_cast<CPicButton*>(control)) {
            if (button->disabledFlag())
                continue;
            button->setDisabledFlag(true);
            button->Redraw();
        } else {
            if (!control->isEnabled())
                continue;
            control->setEnabled(false);
        }
        m_disabledWhileBusy.emplace_back(control);
    }
    placeBusyIndicator();
    m_busyIndicator->start();
}

void CWizardPage::placeBusyIndicator()
{
    if (!m_busyIndicator)
        m_busyIndicator = new BusyIndicator(this);
    const QString common = QStringLiteral("Main.Busy");
    auto number = [&](const char* key, int fallback) {
        return readNumber(common, QLatin1String(key), QString::number(fallback));
    };
    m_busyIndicator->setGeometry(number("x", kBusyPlace.x()), number("y", kBusyPlace.y()),
                                 number("w", kBusyPlace.width()), number("h", kBusyPlace.height()));
    m_busyIndicator->setColors(
        QColor(readText(common, QStringLiteral("arcColor"), QStringLiteral("#2563eb"))),
        QColor(readText(common, QStringLiteral("textColor"), QStringLiteral("#5e6b7b"))));
    // A page may say what it waits for; otherwise the common words.
    const QString text =
        readText(common, QStringLiteral("text"), QStringLiteral("Waiting for the camera..."));
    m_busyIndicator->setText(readText(pageSection(), QStringLiteral("busy_text"), text));
    if (m_links.pageFont)
        m_busyIndicator->setFont(*m_links.pageFont);
}

void CWizardPage::ReportWriteFailure(int code, int32_t detail)
{
    if (code == OperationResult::kFailed && detail == OperationResult::kDetailNoAnswer) {
        ShowMessage(68, MessageBox::IconWarning);
        return;
    }
    ReportFailure(code, detail);
}
