// SPDX-License-Identifier: Apache-2.0
#include "skin/ListHeader.h"

#include <QFontMetrics>
#include <QStyleOptionHeader>

ListHeader::ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    // As a table sets up its own header, less the highlighting.
    setSectionsClickable(true);
    setHighlightSections(false);
}

QSize ListHeader::sectionSizeFromContents(int logicalIndex) const
{
    if (!model())
        return {};
    const QVariant hint = model()->headerData(logicalIndex, orientation(), Qt::SizeHintRole);
    if (hint.isValid())
        return hint.toSize();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    const QVariant captionFont = model()->headerData(logicalIndex, orientation(), Qt::FontRole);
    option.fontMetrics =
        captionFont.canConvert<QFont>() ? QFontMetrics(captionFont.value<QFont>()) : fontMetrics();
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    QSize size = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    if (isSortIndicatorShown()) {
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
        size.rwidth() += size.height() + margin;
    }
    return size;
}
