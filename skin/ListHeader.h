// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QHeaderView>

// The camera list's column header. Qt measures a header's captions in bold type, because it shows
// the sections of a selection in bold. This list never highlights a section, so its captions are
// measured in the font they are drawn in: the same height, and no bold font for the first page to
// load before it can be shown.
class ListHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};
