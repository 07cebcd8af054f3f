// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/SettingsConfirmation.h"
#include "device/WizardState.h"

#include <QString>
#include <optional>

class CDeviceManager;
class QLabel;
class QWidget;
class QTableWidget;
class SkinFile;

// After an apply: one line under the camera list that says whether the camera answered the
// following search with the settings that were applied, and a mark on the camera's row. Quiet
// until given a camera to look for. When the apply heard no answer to a write, the line says so,
// and what the wireless settings read back after it showed.
class ApplyConfirmationLine
{
public:
    // The line becomes a child of page, just below list; its texts come from the list's skin section.
    ApplyConfirmationLine(QWidget* page, QTableWidget* list, const SkinFile& skin);

    void lookFor(const AppliedSettings& applied);
    void searchStarted();
    // Compares what the finished search found with what was applied; shows it and marks the row.
    void searchFinished(CDeviceManager& manager);

    QString text() const;
    std::optional<SettingsConfirmation::Outcome> outcome() const { return m_outcome; }

private:
    void show(const QString& text);
    // The sentence on the wireless settings read back after an unanswered SetWLan; empty when
    // there is nothing to say. fine becomes false when they are not known to be as written.
    QString wirelessText(bool& fine) const;
    void markRow(const QString& tip, bool fine);
    QString cameraText() const;

    QLabel* m_label = nullptr;
    QTableWidget* m_list = nullptr;
    std::optional<AppliedSettings> m_applied;
    std::optional<SettingsConfirmation::Outcome> m_outcome;
    QString m_searchingText;
    QString m_confirmedText;
    QString m_differsText;
    QString m_notSeenText;
    QString m_unansweredConfirmedText;
    QString m_unansweredDiffersText;
    QString m_unansweredNotSeenText;
    QString m_wirelessReadBackText;
    QString m_wirelessDiffersText;
    QString m_wirelessUnreadText;
};
