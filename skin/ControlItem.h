// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QRect>
#include <QWidget>
#include <memory>

enum class ControlKind : int
{
    PicButton = 0,
    CheckBox = 1,
    Radio = 2,
    Edit = 3,
    CameraList = 4,
    ProgressOrDropDown = 7,
    PicText = 11,
    PushButton = 12,
};

// One control built from the skin. The item owns the widget; deleting the item removes the
// widget from its page.
struct ControlItem
{
    ControlKind kind = ControlKind::PicButton;
    int id = 0;
    std::unique_ptr<QWidget> control;
    QRect rect; // as the skin places it; a drop-down list's includes its open list
};
