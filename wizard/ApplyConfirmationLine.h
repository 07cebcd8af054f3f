// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"
#include "device/SettingsConfirmation.h"

#include <QString>
#include <optional>

class CDeviceManager;
class QLabel;
class QWidget;
class QTableWidget;
class SkinFile;

// After an apply: one line under the camera list that says whether the camera answered the
// following search with the settings that were applied, and a mark on the camera's row. Quiet
// until given a camera to look for.
class ApplyConfirmationLine
{
public:
    // The line becomes a child of page, just below list; its texts come from the list's skin section.
    ApplyConfirmationLine(QWidget* page, QTableWidget* list, const SkinFile& skin);

    void lookFor(const CameraInfo& applied);
    void searchStarted();
    // Compares what the finished search found with what was applied; shows it and marks the row.
    void searchFinished(CDeviceManager& manager);

    QString text() const;
    std::optional<SettingsConfirmation::Outcome> outcome() const { return m_outcome; }

private:
    void show(const QString& text);
    void markRow(const QString& tip);
    QString cameraText() const;

    QLabel* m_label = nullptr;
    QTableWidget* m_list = nullptr;
    std::optional<CameraInfo> m_applied;
    std::optional<SettingsConfirmation::Outcome> m_outcome;
    QString m_searchingText;
    QString m_confirmedText;
    QString m_differsText;
    QString m_notSeenText;
};
