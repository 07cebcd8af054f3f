// SPDX-License-Identifier: Apache-2.0
#include "skin/SkinAccessible.h"

#include "skin/CPicButton.h"
#include "skin/CPicText.h"

#include <QAccessibleWidget>

namespace {

class PicButtonAccessible : public QAccessibleWidget
{
public:
    explicit PicButtonAccessible(CPicButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (button()->disabledFlag()) {
            state.disabled = true;
            state.focusable = false;
        }
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->click();
    }

private:
    CPicButton* button() const { return static_cast<CPicButton*>(widget()); }
};

QAccessibleInterface* SkinFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("CPicButton"))
        return new PicButtonAccessible(static_cast<CPicButton*>(object));
    if (className == QLatin1String("CPicText"))
        return new QAccessibleWidget(static_cast<CPicText*>(object), QAccessible::StaticText);
    return nullptr;
}

} // namespace

void InstallSkinAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(SkinFactory);
        return true;
    }();
    (void)installed;
}
