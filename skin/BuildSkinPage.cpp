// SPDX-License-Identifier: Apache-2.0
#include "skin/BuildSkinPage.h"

#include "skin/CPicDialog.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

void applyListSkin(CPicDialog& page, QTableWidget& list)
{
    const std::u16string section = u"DlgListCam.ListCtrl";
    const SkinFont skinFont = page.skin().font(section);
    QFont listFont(QString::fromStdU16String(skinFont.face));
    if (skinFont.height > 0)
        listFont.setPixelSize(skinFont.height);
    list.setFont(listFont);
    for (const SkinListColumn& column : page.skin().listColumns(section)) {
        const int position = qMin(column.position, list.columnCount());
        list.insertColumn(position);
        list.setHorizontalHeaderItem(position,
                                     new QTableWidgetItem(QString::fromStdU16String(column.caption)));
        list.setColumnWidth(position, column.width);
    }
}

int build(CPicDialog& page, const SkinControlSpec& control, const QString& section)
{
    const QString caption = QStringView(control.defaultCaption).toString();
    switch (control.kind) {
    case SkinControlKind::PicButton:
        return page.AddPicButton(control.id, section);
    case SkinControlKind::PushButton:
        return page.AddPushButton(control.id, section);
    case SkinControlKind::PicText:
        return page.AddPicText(section, control.id, 1);
    case SkinControlKind::Edit:
        return page.AddEdit(section, control.id);
    case SkinControlKind::CheckBox:
        return page.AddCheckBox(section, control.id);
    case SkinControlKind::Radio:
        return page.AddRadio(section, control.id, caption);
    case SkinControlKind::DropDown:
        return page.AddDropDown(section, control.id);
    case SkinControlKind::Progress:
        return page.AddProgress(section);
    case SkinControlKind::CameraList: {
        const bool header =
            page.readNumber(section, QStringLiteral("header_enable"), QStringLiteral("0")) != 0;
        const unsigned style =
            header ? 0 : (CPicDialog::kListNoColumnHeader | CPicDialog::kListSingleSelection);
        if (!page.AddCameraList(style))
            return 0;
        applyListSkin(page, *static_cast<QTableWidget*>(page.FindControl(CPicDialog::kCameraListId)));
        return 1;
    }
    }
    return 0;
}

} // namespace

int BuildSkinPage(CPicDialog& page, const SkinPageSpec& pageSpec)
{
    int built = 0;
    for (const SkinControlSpec& control : pageSpec.controls) {
        const QString section = QString::fromStdU16String(ControlSection(pageSpec, control));
        built += build(page, control, section);
    }
    return built;
}
