// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QRadioButton>

// Every skinned radio button starts a group of its own, so the page decides which others to
// uncheck. Unlike a lone QRadioButton, clicking a checked one keeps it checked.
class SkinRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    explicit SkinRadioButton(const QString& text, QWidget* parent);

protected:
    void nextCheckState() override;
};
