// SPDX-License-Identifier: Apache-2.0
#include "skin/SkinRadioButton.h"

SkinRadioButton::SkinRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    setAutoExclusive(false);
}

void SkinRadioButton::nextCheckState()
{
    setChecked(true);
}
