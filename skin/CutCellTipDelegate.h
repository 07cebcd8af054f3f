// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStyledItemDelegate>

// A list cell too narrow for its text shows the whole text as a tooltip; a cell that shows all
// of it has none.
class CutCellTipDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    bool isCut(const QStyleOptionViewItem& option, const QModelIndex& index, const QWidget* view) const;
};
