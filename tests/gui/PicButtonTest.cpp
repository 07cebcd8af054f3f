#include "CPicButton.h"
#include "CPicDialog.h"

#include <QApplication>
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

QTEST_MAIN(PicButtonTest)
#include "PicButtonTest.moc"
