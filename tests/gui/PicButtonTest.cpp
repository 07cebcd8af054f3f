// SPDX-License-Identifier: Apache-2.0
#include "skin/CPicButton.h"
#include "skin/CPicDialog.h"
#include "skin/PressGuard.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const std::filesystem::path kData = QUILLANE_SKIN_TEST_DATA;

constexpr int kButtonId = 1003;
const QPoint kInside(30, 15);
const QPoint kOutside(90, 15);

void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

// A shown page with one skinned picture button whose four pictures differ.
class PicButtonTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void releaseInsidePostsIdOnce();
    void releaseOutsidePostsNothing();
    void hoverAndLeaveSwitchImages();
    void disabledButtonIgnoresEverything();
    void onlyTheLeftButtonPresses();
    void releaseWithoutPressPostsNothing();
    void spacePressesAFocusedButton();
    void pressesJustAfterThePageIsShownAreIgnored();
    void screenReadersSeeAButton();

private:
    void press(const QPoint& pos = kInside, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(m_button, QEvent::MouseButtonPress, pos, button);
    }
    void release(const QPoint& pos = kInside, Qt::MouseButton button = Qt::LeftButton)
    {
        sendMouse(m_button, QEvent::MouseButtonRelease, pos, button);
    }
    void move(const QPoint& pos = kInside) { sendMouse(m_button, QEvent::MouseMove, pos); }
    void key(QEvent::Type type, Qt::Key key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(m_button, &event);
    }
    void leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(m_button, &event);
    }
    int postedCommands()
    {
        QCoreApplication::sendPostedEvents(m_page.get());
        return static_cast<int>(m_commands->size());
    }

    std::unique_ptr<CPicDialog> m_page;
    std::unique_ptr<QSignalSpy> m_commands;
    CPicButton* m_button = nullptr;
};

void PicButtonTest::init()
{
    // Each test presses at once; the guard has a test of its own.
    PressGuard::setInterval(std::chrono::milliseconds(0));
    m_page = std::make_unique<CPicDialog>();
    m_page->setSkinFile(kData / "page.ini");
    m_page->setImageFolder(m_page->skin().imageFolder(kData));
    m_page->setPageSection(QStringLiteral("Page"));
    QVERIFY(m_page->LoadBackground());
    QVERIFY(m_page->AddPicButton(kButtonId, QStringLiteral("Page.Button")));
    m_button = qobject_cast<CPicButton*>(m_page->FindControl(kButtonId));
    m_commands = std::make_unique<QSignalSpy>(m_page.get(), &CPicDialog::command);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
}

void PicButtonTest::cleanup()
{
    m_commands.reset();
    m_page.reset();
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void PicButtonTest::releaseInsidePostsIdOnce()
{
    press();
    QVERIFY(m_button->pressed());
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Down);
    QCOMPARE(QWidget::mouseGrabber(), m_button);
    release();
    QVERIFY(!m_button->pressed());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(postedCommands(), 1);
    QCOMPARE(m_commands->first(), (QList<QVariant>{kButtonId, 0}));
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
    release();
    QCOMPARE(postedCommands(), 1);
}

void PicButtonTest::releaseOutsidePostsNothing()
{
    press();
    move(kOutside); // dragging while pressed changes nothing
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Down);
    release(kOutside);
    QCOMPARE(postedCommands(), 0);
    QVERIFY(!m_button->pressed());
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void PicButtonTest::hoverAndLeaveSwitchImages()
{
    move();
    QVERIFY(m_button->hovered());
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Hover);
    leave();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
    // A press ends the hover look until the pointer moves again.
    move();
    press();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Down);
    release();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
    move();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Hover);
}

void PicButtonTest::disabledButtonIgnoresEverything()
{
    m_button->setDisabledFlag(true);
    m_button->Redraw();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Disabled);
    move();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Disabled);
    press();
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    release();
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Disabled);
    QCOMPARE(postedCommands(), 0);

    m_button->setDisabledFlag(false);
    press();
    release();
    QCOMPARE(postedCommands(), 1);
}

void PicButtonTest::onlyTheLeftButtonPresses()
{
    press(kInside, Qt::RightButton);
    QVERIFY(!m_button->pressed());
    release(kInside, Qt::RightButton);
    QCOMPARE(postedCommands(), 0);
}

void PicButtonTest::releaseWithoutPressPostsNothing()
{
    release();
    QCOMPARE(postedCommands(), 0);
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);
}

void PicButtonTest::spacePressesAFocusedButton()
{
    QCOMPARE(m_button->focusPolicy(), Qt::StrongFocus);
    key(QEvent::KeyPress, Qt::Key_Space);
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Down);
    key(QEvent::KeyPress, Qt::Key_Space, true); // held down: one click only
    QCOMPARE(postedCommands(), 0);
    key(QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(postedCommands(), 1);
    QCOMPARE(m_button->shownImage(), CPicButton::Image::Normal);

    // Enter and Esc are the page's to swallow; they press nothing.
    for (Qt::Key other : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        key(QEvent::KeyPress, other);
        key(QEvent::KeyRelease, other);
    }
    QCOMPARE(postedCommands(), 1);

    // A disabled button is no tab stop and ignores Space.
    m_button->setDisabledFlag(true);
    QCOMPARE(m_button->focusPolicy(), Qt::NoFocus);
    key(QEvent::KeyPress, Qt::Key_Space);
    key(QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(postedCommands(), 1);
    m_button->setDisabledFlag(false);
    QCOMPARE(m_button->focusPolicy(), Qt::StrongFocus);
}

void PicButtonTest::pressesJustAfterThePageIsShownAreIgnored()
{
    const auto interval = std::chrono::milliseconds(300);
    PressGuard::setInterval(interval);
    m_page->hide();
    m_page->show();
    QVERIFY(m_page->pressGuard().isArmed());
    // The second half of a double-click that began on the page before.
    press();
    release();
    sendMouse(m_button, QEvent::MouseButtonDblClick, kInside, Qt::LeftButton);
    release();
    key(QEvent::KeyPress, Qt::Key_Space);
    key(QEvent::KeyRelease, Qt::Key_Space);
    QVERIFY(!m_button->pressed());
    QCOMPARE(postedCommands(), 0);

    QTRY_VERIFY(!m_page->pressGuard().isArmed());
    press();
    release();
    QCOMPARE(postedCommands(), 1);
    PressGuard::setInterval(std::nullopt);
    QVERIFY(PressGuard::interval().count() > 0);
}

void PicButtonTest::screenReadersSeeAButton()
{
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(m_button);
    QVERIFY(button);
    QCOMPARE(button->role(), QAccessible::Button);
    // The test skin gives this button a tip but no caption.
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Press me"));
    QVERIFY(button->state().focusable);
    QAccessibleActionInterface* actions = button->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(postedCommands(), 1);

    m_button->setDisabledFlag(true);
    QVERIFY(button->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(postedCommands(), 1);
}

QTEST_MAIN(PicButtonTest)
#include "PicButtonTest.moc"
