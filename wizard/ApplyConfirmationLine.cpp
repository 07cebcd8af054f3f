// SPDX-License-Identifier: Apache-2.0
#include "wizard/ApplyConfirmationLine.h"

#include "device/WirelessComparison.h"
#include "skin/SkinFile.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

namespace {

QString SkinText(const SkinFile& skin, std::u16string_view key, std::u16string_view fallback)
{
    // A skin may word these itself, in its list section.
    return QString::fromStdU16String(skin.readString(u"DlgListCam.ListCtrl", key, fallback));
}

// Colours of the camera's row: a quiet green when it took everything, amber when it did not.
const QColor kConfirmedRow(0xe3, 0xf4, 0xe1);
const QColor kDiffersRow(0xfb, 0xec, 0xcf);

// A dot before the row's first cell, so that the mark still shows while the row is selected.
QIcon Dot(const QColor& colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1, 1, 10, 10));
    return QIcon(pixmap);
}

} // namespace

ApplyConfirmationLine::ApplyConfirmationLine(QWidget* page, QTableWidget* list, const SkinFile& skin)
    : m_list(list),
      m_searchingText(SkinText(skin, u"confirm_searching_text", u"Looking for %1 again after the apply...")),
      m_confirmedText(SkinText(skin, u"confirmed_text", u"%1 answered with the settings just applied.")),
      m_differsText(SkinText(skin, u"differs_text", u"%1 answered with other settings: %2.")),
      m_notSeenText(SkinText(skin, u"not_seen_text",
                             u"%1 has not answered since the apply. It may still be restarting: press "
                             u"Search in a minute. Otherwise check its power and cable.")),
      m_unansweredConfirmedText(SkinText(skin, u"unanswered_confirmed_text",
                                         u"%1 did not answer the apply, but answered with the settings just "
                                         u"applied.")),
      m_unansweredDiffersText(
          SkinText(skin, u"unanswered_differs_text",
                   u"%1 did not answer the apply, and answered with other settings: %2.")),
      m_unansweredNotSeenText(
          SkinText(skin, u"unanswered_not_seen_text",
                   u"%1 has answered neither the apply nor a search since. It may still be "
                   u"restarting: press Search in a minute. Otherwise check its power and "
                   u"cable.")),
      m_wirelessReadBackText(
          SkinText(skin, u"wireless_read_back_text", u"Its wireless settings read back as applied.")),
      m_wirelessDiffersText(
          SkinText(skin, u"wireless_differs_text", u"Its wireless settings read back differ: %1.")),
      m_wirelessUnreadText(
          SkinText(skin, u"wireless_unread_text", u"Its wireless settings could not be read back."))
{
    m_label = new QLabel(page);
    m_label->setObjectName(QStringLiteral("DlgListCam.ApplyStatus"));
    // Two short lines fit between the list and the buttons under it.
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = m_label->font();
    font.setPixelSize(12);
    m_label->setFont(font);
    if (list) {
        const QRect below = list->geometry();
        m_label->setGeometry(below.x() + 2, below.bottom() + 2, below.width() - 4, 28);
    }
    m_label->hide();
}

void ApplyConfirmationLine::lookFor(const AppliedSettings& applied)
{
    m_applied = applied;
    m_outcome.reset();
}

void ApplyConfirmationLine::searchStarted()
{
    if (m_applied)
        show(m_searchingText.arg(cameraText()));
}

void ApplyConfirmationLine::searchFinished(CDeviceManager& manager)
{
    if (!m_applied)
        return;
    const SettingsConfirmation result = ConfirmNetworkSettings(manager, m_applied->camera);
    const bool unanswered = m_applied->unconfirmed.writes;
    m_outcome = result.outcome;
    bool fine = result.outcome == SettingsConfirmation::Confirmed;
    QString text;
    switch (result.outcome) {
    case SettingsConfirmation::Confirmed:
        text = (unanswered ? m_unansweredConfirmedText : m_confirmedText).arg(cameraText());
        break;
    case SettingsConfirmation::Differs:
        text = (unanswered ? m_unansweredDiffersText : m_differsText)
                   .arg(cameraText(), QString::fromStdU16String(DescribeDifferences(result.differences)));
        break;
    case SettingsConfirmation::NotSeenAgain:
        text = (unanswered ? m_unansweredNotSeenText : m_notSeenText).arg(cameraText());
        break;
    }
    if (const QString wireless = wirelessText(fine); !wireless.isEmpty())
        text += QLatin1Char(' ') + wireless;
    show(text);
    const bool seen = result.outcome != SettingsConfirmation::NotSeenAgain;
    m_label->setStyleSheet(!seen  ? QStringLiteral("color: #a1261d;")
                           : fine ? QStringLiteral("color: #2f6b2a;")
                                  : QStringLiteral("color: #8a5300;"));
    markRow(text, fine);
}

QString ApplyConfirmationLine::wirelessText(bool& fine) const
{
    const ApplyUnconfirmed& unconfirmed = m_applied->unconfirmed;
    if (!unconfirmed.wireless)
        return QString();
    if (!unconfirmed.wirelessReadBack) {
        fine = false;
        return m_wirelessUnreadText;
    }
    const std::vector<WirelessDifference> differences =
        CompareWirelessSettings(m_applied->wireless, *unconfirmed.wirelessReadBack);
    if (differences.empty())
        return m_wirelessReadBackText;
    fine = false;
    return m_wirelessDiffersText.arg(QString::fromStdU16String(DescribeWirelessDifferences(differences)));
}

QString ApplyConfirmationLine::text() const
{
    return m_label->isHidden() ? QString() : m_label->toolTip();
}

void ApplyConfirmationLine::show(const QString& text)
{
    m_label->setToolTip(text);
    m_label->setText(text);
    m_label->setStyleSheet(QString());
    m_label->show();
}

void ApplyConfirmationLine::markRow(const QString& tip, bool confirmed)
{
    if (!m_list || m_outcome == SettingsConfirmation::NotSeenAgain)
        return;
    const QString mac = QString::fromStdU16String(m_applied->camera.macText);
    const QColor colour = confirmed ? kConfirmedRow : kDiffersRow;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        bool found = false;
        for (int column = 0; column < m_list->columnCount() && !found; ++column)
            found = m_list->item(row, column) && m_list->item(row, column)->text() == mac;
        if (!found)
            continue;
        for (int column = 0; column < m_list->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_list->item(row, column)) {
                item->setBackground(colour);
                item->setToolTip(tip);
            }
        }
        if (QTableWidgetItem* first = m_list->item(row, 0))
            first->setIcon(Dot(confirmed ? QColor(0x3a, 0x8f, 0x3a) : QColor(0xd0, 0x8a, 0x00)));
    }
}

QString ApplyConfirmationLine::cameraText() const
{
    const CameraInfo& camera = m_applied->camera;
    const QString mac = QString::fromStdU16String(camera.macText);
    if (camera.name.empty())
        return mac;
    return QStringLiteral("%1 (%2)").arg(QString::fromStdU16String(camera.name), mac);
}
