// SPDX-License-Identifier: Apache-2.0
#include "skin/CPicButton.h"
#include "skin/CPicDialog.h"
#include "skin/CPicText.h"
#include "skin/DensityPicture.h"
#include "skin/FirstShown.h"
#include "skin/LoadPicture.h"
#include "skin/MessageBox.h"
#include "skin/ProgramFolderNarrow.h"
#include "skin/ReadingOrder.h"
#include "skin/WizardCommand.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <climits>
#include <functional>
#include <sys/stat.h>

namespace {

const std::filesystem::path kData = QUILLANE_SKIN_TEST_DATA;

void useTestSkin(CPicDialog& page, const QString& section = QStringLiteral("Page"))
{
    page.setSkinFile(kData / "page.ini");
    page.setImageFolder(page.skin().imageFolder(kData));
    page.setPageSection(section);
}

using Builder = std::function<int(CPicDialog&, const QString& section, int id)>;

// Builders by kind, so that one table can drive them all.
Builder builder(const QString& kind)
{
    if (kind == QLatin1String("picbutton"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddPicButton(id, s); };
    if (kind == QLatin1String("push"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddPushButton(id, s); };
    if (kind == QLatin1String("text"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddPicText(s, id, 1); };
    if (kind == QLatin1String("edit"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddEdit(s, id); };
    if (kind == QLatin1String("check"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddCheckBox(s, id); };
    if (kind == QLatin1String("radio"))
        return
            [](CPicDialog& p, const QString& s, int id) { return p.AddRadio(s, id, QStringLiteral("dflt")); };
    if (kind == QLatin1String("drop"))
        return [](CPicDialog& p, const QString& s, int id) { return p.AddDropDown(s, id); };
    return [](CPicDialog& p, const QString& s, int) { return p.AddProgress(s); };
}

// Receives what pages post to their main window.
class MainWindowStub : public QWidget
{
public:
    QList<int> commands;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == WizardCommandEvent::kType) {
            commands.append(static_cast<WizardCommandEvent*>(event)->command());
            return true;
        }
        return QWidget::event(event);
    }
};

// Counts its paints, and what that count was when its FirstShown spoke.
class PaintCounter : public QWidget
{
public:
    PaintCounter()
    {
        resize(60, 40);
        connect(&firstShown, &FirstShown::shown, this, [this] { paintsWhenShown = paints; });
    }

    FirstShown firstShown{this};
    int paints = 0;
    int paintsWhenShown = -1;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class PicDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void buildsEachKindAtItsRectangle_data();
    void buildsEachKindAtItsRectangle();
    void refusesEmptySection_data();
    void refusesEmptySection();
    void refusesDuplicateIdAndKeepsFirst();
    void absentSectionBuildsEmptyControl();
    void picButtonWithoutNormalImageCreatesNothing();
    void picButtonWithBadPicturesStillExists();
    void controlKeysApplied();
    void radioButtonsStandAlone();
    void dropDownHeightFollowsFont_data();
    void dropDownHeightFollowsFont();
    void dropDownItemsStopAtFirstGap();
    void cameraListStyles();
    void cameraListHeaderIsAsTallAsQtsOwn();
    void backgroundSizesAndCentresPage();
    void backgroundFailures_data();
    void backgroundFailures();
    void loadPicture_data();
    void loadPicture();
    void highDensityPath_data();
    void highDensityPath();
    void pictureForRatio_data();
    void pictureForRatio();
    void loadPictureReadsOnlyRegularFiles();
    void showMessage_data();
    void showMessage();
    void showMessageReturnsAnswer();
    void controlsPostTheirCommands();
    void closePostsExitToParent();
    void enterAndEscapeDoNothing();
    void programFolderIsTheExecutablesFolder();
    void readingOrder_data();
    void readingOrder();
    void everyControlGetsAnAccessibleName();
    void cutListCellsShowTheirTextAsTooltip();
    void firstShownFollowsTheFirstPaintOnce();
    void firstShownComesWhenNothingPaints();
};

void PicDialogTest::init()
{
    PressGuard::setInterval(std::chrono::milliseconds(0));
    MessageBox::enableTestMode(true);
    MessageBox::clearShown();
}

void PicDialogTest::cleanup()
{
    MessageBox::enableTestMode(false);
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void PicDialogTest::buildsEachKindAtItsRectangle_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("controlKind");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("picture button") << "picbutton"
                                    << "Page.Button" << 1001 << "CPicButton" << 0 << QRect(10, 20, 60, 30);
    QTest::newRow("push button") << "push"
                                 << "Page.Push" << 1337 << "QPushButton" << 12 << QRect(80, 60, 70, 26);
    QTest::newRow("picture text") << "text"
                                  << "Page.Text" << 1301 << "CPicText" << 11 << QRect(12, 100, 150, 20);
    QTest::newRow("edit") << "edit"
                          << "Page.Edit" << 1101 << "QLineEdit" << 3 << QRect(170, 100, 120, 24);
    QTest::newRow("edit beyond any screen")
        << "edit"
        << "Page.Far" << 1102 << "QLineEdit" << 3 << QRect(-32767, 32767, 32767, 32767);
    QTest::newRow("check box") << "check"
                               << "Page.Check" << 1201 << "QCheckBox" << 1 << QRect(12, 130, 140, 22);
    QTest::newRow("radio") << "radio"
                           << "Page.Radio" << 1203 << "SkinRadioButton" << 2 << QRect(12, 160, 140, 22);
    QTest::newRow("progress") << "progress"
                              << "Page.Progress" << 1202 << "QProgressBar" << 7 << QRect(12, 270, 300, 12);
}

void PicDialogTest::buildsEachKindAtItsRectangle()
{
    QFETCH(QString, kind);
    QFETCH(QString, section);
    QFETCH(int, id);
    QFETCH(QString, className);
    QFETCH(int, controlKind);
    QFETCH(QRect, rect);

    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(builder(kind)(page, section, id), 1);
    QWidget* control = page.FindControl(id);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->objectName(), section);
    QCOMPARE(control->property("controlId").toInt(), id);
    QCOMPARE(control->parentWidget(), &page);
    QCOMPARE(control->geometry(), rect);
    QCOMPARE(page.FindItem(id)->rect, rect);
    QCOMPARE(static_cast<int>(page.FindItem(id)->kind), controlKind);
    QVERIFY(!control->isHidden());
}

void PicDialogTest::refusesEmptySection_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"picbutton", "push", "text", "edit", "check", "radio", "drop", "progress"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void PicDialogTest::refusesEmptySection()
{
    QFETCH(QString, kind);
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(builder(kind)(page, QString(), 1202), 0);
    QVERIFY(page.controls().empty());
    QVERIFY(page.findChildren<QWidget*>().isEmpty());
}

void PicDialogTest::refusesDuplicateIdAndKeepsFirst()
{
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.AddEdit(QStringLiteral("Page.Edit"), 1101), 1);
    QCOMPARE(page.AddCheckBox(QStringLiteral("Page.Check"), 1101), 0);
    QCOMPARE(page.AddPicButton(1101, QStringLiteral("Page.Button")), 0);
    QCOMPARE(page.controls().size(), std::size_t(1));
    QCOMPARE(page.FindControl(1101)->objectName(), QStringLiteral("Page.Edit"));
    QVERIFY(page.findChildren<QCheckBox*>().isEmpty());
    QVERIFY(page.findChildren<CPicButton*>().isEmpty());

    // The progress bar and the camera list have fixed identifiers that count as well.
    QCOMPARE(page.AddProgress(QStringLiteral("Page.Progress")), 1);
    QCOMPARE(page.AddProgress(QStringLiteral("Page.Progress")), 0);
    QCOMPARE(page.AddEdit(QStringLiteral("Page.Edit"), CPicDialog::kProgressId), 0);
    QCOMPARE(page.AddCameraList(0), 1);
    QCOMPARE(page.AddCameraList(0), 0);
    QCOMPARE(page.controls().size(), std::size_t(3));
    QVERIFY(!page.FindControl(4242));
}

void PicDialogTest::absentSectionBuildsEmptyControl()
{
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.AddEdit(QStringLiteral("Page.NotInSkin"), 7), 1);
    QCOMPARE(page.FindControl(7)->geometry(), QRect(0, 0, 0, 0));
}

void PicDialogTest::picButtonWithoutNormalImageCreatesNothing()
{
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.AddPicButton(1003, QStringLiteral("Page.NoNormal")), 0);
    QCOMPARE(page.AddPicButton(1003, QStringLiteral("Page.NotInSkin")), 0);
    QVERIFY(page.controls().empty());
    QVERIFY(page.findChildren<CPicButton*>().isEmpty());
    // The identifier stays free for a button that can be built.
    QCOMPARE(page.AddPicButton(1003, QStringLiteral("Page.Button")), 1);
}

void PicDialogTest::picButtonWithBadPicturesStillExists()
{
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.AddPicButton(1002, QStringLiteral("Page.BadPictures")), 1);
    auto* button = qobject_cast<CPicButton*>(page.FindControl(1002));
    QVERIFY(button);
    for (auto image : {CPicButton::Image::Normal, CPicButton::Image::Down, CPicButton::Image::Hover,
                       CPicButton::Image::Disabled})
        QVERIFY(button->image(image).isNull());
    QCOMPARE(button->shownImage(), CPicButton::Image::None);
    QVERIFY(button->toolTip().isEmpty());
}

void PicDialogTest::controlKeysApplied()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddPicButton(1001, QStringLiteral("Page.Button")));
    QVERIFY(page.AddPushButton(1337, QStringLiteral("Page.Push")));
    QVERIFY(page.AddPicText(QStringLiteral("Page.Text"), 1301, 1));
    QVERIFY(page.AddPicText(QStringLiteral("Page.Text"), 1302, 0));
    QVERIFY(page.AddEdit(QStringLiteral("Page.Edit"), 1101));
    QVERIFY(page.AddEdit(QStringLiteral("Page.NotInSkin"), 1102));
    QVERIFY(page.AddCheckBox(QStringLiteral("Page.Check"), 1201));

    QCOMPARE(page.FindControl(1001)->toolTip(), QStringLiteral("Press me"));
    QCOMPARE(qobject_cast<QPushButton*>(page.FindControl(1337))->text(), QStringLiteral("Copy"));

    auto* text = qobject_cast<CPicText*>(page.FindControl(1301));
    QCOMPARE(text->text(), QStringLiteral("Hello there"));
    QCOMPARE(text->styleBits() & CPicText::kPasswordStyle, CPicText::kPasswordStyle);
    QVERIFY(text->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(page.FindControl(1302)->isHidden());
    text->SetText(QStringLiteral("Changed"));
    QCOMPARE(text->text(), QStringLiteral("Changed"));

    auto* edit = qobject_cast<QLineEdit*>(page.FindControl(1101));
    QCOMPARE(edit->maxLength(), 5);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QVERIFY(edit->property("autohscroll").toBool());
    auto* plain = qobject_cast<QLineEdit*>(page.FindControl(1102));
    QCOMPARE(plain->echoMode(), QLineEdit::Normal);
    QVERIFY(plain->maxLength() > 1000);
    QVERIFY(!plain->property("autohscroll").toBool());

    QCOMPARE(qobject_cast<QCheckBox*>(page.FindControl(1201))->text(), QStringLiteral("Tick me"));
}

void PicDialogTest::radioButtonsStandAlone()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddRadio(QStringLiteral("Page.Radio"), 1203, QStringLiteral("enable")));
    QVERIFY(page.AddRadio(QStringLiteral("Page.RadioNoCaption"), 1204, QStringLiteral("disable")));
    auto* first = qobject_cast<QRadioButton*>(page.FindControl(1203));
    auto* second = qobject_cast<QRadioButton*>(page.FindControl(1204));
    QCOMPARE(first->text(), QStringLiteral("Pick me"));
    QCOMPARE(second->text(), QStringLiteral("disable"));

    // Each starts its own group: checking one leaves the other alone, and the page unchecks.
    first->click();
    second->click();
    QVERIFY(first->isChecked());
    QVERIFY(second->isChecked());
    // Clicking a checked radio button keeps it checked.
    second->click();
    QVERIFY(second->isChecked());
}

void PicDialogTest::dropDownHeightFollowsFont_data()
{
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<int>("expected");
    QTest::newRow("14 pixels") << 14 << 180;
    QTest::newRow("20 pixels") << 20 << 240;
}

void PicDialogTest::dropDownHeightFollowsFont()
{
    QFETCH(int, fontHeight);
    QFETCH(int, expected);
    CPicDialog page;
    useTestSkin(page);
    QFont font = page.font();
    font.setPixelSize(fontHeight);
    page.setFont(font);
    QCOMPARE(page.AddDropDown(QStringLiteral("Page.Drop"), 1114), 1);
    const ControlItem* item = page.FindItem(1114);
    QCOMPARE(item->rect, QRect(200, 200, 110, expected));
    QCOMPARE(static_cast<int>(item->kind), 7);
    // The closed box stays as tall as one line of its font.
    const QWidget* box = page.FindControl(1114);
    QCOMPARE(box->geometry().topLeft(), QPoint(200, 200));
    QCOMPARE(box->width(), 110);
    QVERIFY(box->height() < expected / 3);
}

void PicDialogTest::dropDownItemsStopAtFirstGap()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddDropDown(QStringLiteral("Page.Drop"), 1114));
    QVERIFY(page.AddDropDown(QStringLiteral("Page.DropGap"), 1115));
    QVERIFY(page.AddDropDown(QStringLiteral("Page.NotInSkin"), 1116));
    auto* box = qobject_cast<QComboBox*>(page.FindControl(1114));
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->itemText(1), QStringLiteral("second"));
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(qobject_cast<QComboBox*>(page.FindControl(1115))->count(), 1);
    QCOMPARE(qobject_cast<QComboBox*>(page.FindControl(1116))->count(), 0);
}

void PicDialogTest::cameraListStyles()
{
    CPicDialog plain;
    useTestSkin(plain);
    QCOMPARE(plain.AddCameraList(CPicDialog::kListNoColumnHeader | CPicDialog::kListSingleSelection), 1);
    auto* list = qobject_cast<QTableWidget*>(plain.FindControl(CPicDialog::kCameraListId));
    QVERIFY(list);
    QCOMPARE(list->objectName(), QStringLiteral("DlgListCam.ListCtrl"));
    QCOMPARE(list->geometry(), QRect(5, 5, 390, 150));
    QVERIFY(list->horizontalHeader()->isHidden());
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(list->showGrid());
    QCOMPARE(static_cast<int>(plain.FindItem(CPicDialog::kCameraListId)->kind), 4);

    CPicDialog withHeader;
    useTestSkin(withHeader);
    QCOMPARE(withHeader.AddCameraList(0), 1);
    list = qobject_cast<QTableWidget*>(withHeader.FindControl(CPicDialog::kCameraListId));
    QVERIFY(!list->horizontalHeader()->isHidden());
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
}

void PicDialogTest::cameraListHeaderIsAsTallAsQtsOwn()
{
    // The list's header measures its captions in its own font, where Qt's measures them in bold;
    // the header must come out as tall, and keep what a table gives its header.
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddCameraList(0));
    auto* list = qobject_cast<QTableWidget*>(page.FindControl(CPicDialog::kCameraListId));
    QVERIFY(list);
    QTableWidget reference;
    for (QTableWidget* table : {list, &reference}) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(14);
        table->setFont(font);
        table->setColumnCount(2);
        table->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Model")));
        table->setHorizontalHeaderItem(1, new QTableWidgetItem(QStringLiteral("MAC address")));
    }
    const QHeaderView* header = list->horizontalHeader();
    QVERIFY(header->sizeHint().height() > 0);
    QCOMPARE(header->sizeHint().height(), reference.horizontalHeader()->sizeHint().height());
    QVERIFY(header->sectionsClickable());
    QVERIFY(!header->highlightSections());
    QCOMPARE(header->orientation(), Qt::Horizontal);
}

void PicDialogTest::backgroundSizesAndCentresPage()
{
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.LoadBackground(), 1);
    QCOMPARE(page.size(), QSize(400, 300));
    QCOMPARE(page.background().size(), QSize(400, 300));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(page.pos(),
             QPoint(screen.x() + (screen.width() - 400) / 2, screen.y() + (screen.height() - 300) / 2));
    QVERIFY(!page.isVisible());
    QVERIFY(page.windowFlags() & Qt::FramelessWindowHint);
}

void PicDialogTest::backgroundFailures_data()
{
    QTest::addColumn<QString>("section");
    QTest::newRow("no background key") << "Page.Button";
    QTest::newRow("missing file") << "Missing";
    QTest::newRow("not a picture") << "Broken";
    QTest::newRow("empty file") << "Empty";
    QTest::newRow("cut short") << "Truncated";
}

void PicDialogTest::backgroundFailures()
{
    QFETCH(QString, section);
    CPicDialog page;
    useTestSkin(page, section);
    page.resize(185, 90);
    QCOMPARE(page.LoadBackground(), 0);
    QCOMPARE(page.size(), QSize(185, 90));
    QVERIFY(page.background().isNull());
}

void PicDialogTest::loadPicture_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("png") << "normal.png" << QSize(60, 30);
    QTest::newRow("bmp") << "small.bmp" << QSize(8, 6);
    QTest::newRow("decoded by content, not name") << "png-content.bmp" << QSize(5, 4);
    QTest::newRow("a format found by content alone") << "small.gif" << QSize(3, 2);
    QTest::newRow("text") << "broken.png" << QSize();
    QTest::newRow("empty") << "empty.png" << QSize();
    QTest::newRow("cut short") << "truncated.png" << QSize();
    QTest::newRow("missing") << "not-there.png" << QSize();
    QTest::newRow("folder") << "" << QSize();
}

void PicDialogTest::loadPicture()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QPixmap picture =
        LoadPicture(QString::fromStdU16String((kData / "images").u16string()) + QLatin1Char('/') + file);
    QCOMPARE(picture.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(picture.size(), size);
}

void PicDialogTest::highDensityPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("sharp");
    QTest::newRow("png") << "Image/bg.png" << "Image/bg@2x.png";
    QTest::newRow("two dots") << "Image/bg.tar.bmp" << "Image/bg.tar@2x.bmp";
    QTest::newRow("no suffix, dotted folder") << "Skin.v2/bg" << "Skin.v2/bg@2x";
}

void PicDialogTest::highDensityPath()
{
    QFETCH(QString, path);
    QFETCH(QString, sharp);
    QCOMPARE(HighDensityPath(path), sharp);
}

// dense.png is red, dense@2x.png blue at twice the pixels; broken-sharp@2x.png is not a picture.
void PicDialogTest::pictureForRatio_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QSize>("logicalSize");
    QTest::addColumn<qreal>("pictureRatio");
    QTest::newRow("100%: the named file") << "dense.png" << 1.0 << QColor(Qt::red) << QSize(4, 3) << 1.0;
    QTest::newRow("200%: the sharp file") << "dense.png" << 2.0 << QColor(Qt::blue) << QSize(4, 3) << 2.0;
    QTest::newRow("150%: the sharp file") << "dense.png" << 1.5 << QColor(Qt::blue) << QSize(4, 3) << 2.0;
    QTest::newRow("200%, no sharp file") << "normal.png" << 2.0 << QColor() << QSize(60, 30) << 1.0;
    QTest::newRow("200%, sharp file broken") << "broken-sharp.png" << 2.0 << QColor(Qt::red) << QSize(4, 3)
                                             << 1.0;
    QTest::newRow("200%, nothing there") << "not-there.png" << 2.0 << QColor() << QSize() << 1.0;
}

void PicDialogTest::pictureForRatio()
{
    QFETCH(QString, file);
    QFETCH(qreal, ratio);
    QFETCH(QColor, colour);
    QFETCH(QSize, logicalSize);
    QFETCH(qreal, pictureRatio);
    const QPixmap picture = LoadPictureForRatio(
        QString::fromStdU16String((kData / "images").u16string()) + QLatin1Char('/') + file, ratio);
    QCOMPARE(picture.isNull(), !logicalSize.isValid());
    if (picture.isNull())
        return;
    QCOMPARE(picture.deviceIndependentSize().toSize(), logicalSize);
    QCOMPARE(picture.devicePixelRatio(), pictureRatio);
    if (colour.isValid())
        QCOMPARE(picture.toImage().pixelColor(0, 0), colour);
}

void PicDialogTest::loadPictureReadsOnlyRegularFiles()
{
    // A skin that names a device or a pipe must neither exhaust memory nor hang the page.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.bmp"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(LoadPicture(QStringLiteral("/dev/zero")).isNull());
    QVERIFY(LoadPicture(fifo).isNull());
}

void PicDialogTest::showMessage_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("two lines") << 18 << "The passwords differ.\nPlease type them again.";
    QTest::newRow("empty line between") << 33 << "One\n\nTwo";
    QTest::newRow("zero is missing") << 20 << "Some error occurred, error number is 20.";
    QTest::newRow("missing key") << 62 << "Some error occurred, error number is 62.";
}

void PicDialogTest::showMessage()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    CPicDialog page;
    useTestSkin(page);
    QCOMPARE(page.ShowMessage(number, MessageBox::IconWarning), int(MessageBox::IdOk));
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::shown().first().text, text);
    QCOMPARE(MessageBox::shown().first().flags, unsigned(MessageBox::IconWarning));
}

void PicDialogTest::showMessageReturnsAnswer()
{
    CPicDialog page;
    useTestSkin(page);
    MessageBox::setNextAnswer(MessageBox::IdNo);
    MessageBox::setNextAnswer(MessageBox::IdCancel);
    QCOMPARE(page.ShowMessage(2005, MessageBox::YesNo), int(MessageBox::IdNo));
    QCOMPARE(page.ShowMessage(2004, MessageBox::RetryCancel), int(MessageBox::IdCancel));
    // With no answer queued a box is taken as answered by its first button.
    QCOMPARE(page.ShowMessage(2004, MessageBox::RetryCancel), int(MessageBox::IdRetry));
    QCOMPARE(MessageBox::shown().size(), 3);
}

void PicDialogTest::controlsPostTheirCommands()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddPushButton(1337, QStringLiteral("Page.Push")));
    QVERIFY(page.AddCheckBox(QStringLiteral("Page.Check"), 1201));
    QVERIFY(page.AddDropDown(QStringLiteral("Page.Drop"), 1114));
    QSignalSpy commands(&page, &CPicDialog::command);

    qobject_cast<QPushButton*>(page.FindControl(1337))->click();
    qobject_cast<QCheckBox*>(page.FindControl(1201))->click();
    qobject_cast<QComboBox*>(page.FindControl(1114))->setCurrentIndex(0);
    // Posted, not sent: nothing arrives before the event loop runs.
    QCOMPARE(commands.size(), 0);
    QCoreApplication::sendPostedEvents(&page);
    QCOMPARE(commands.size(), 3);
    QCOMPARE(commands.at(0), (QList<QVariant>{1337, 0}));
    QCOMPARE(commands.at(1), (QList<QVariant>{1201, 0}));
    QCOMPARE(commands.at(2), (QList<QVariant>{1114, 1}));
}

void PicDialogTest::closePostsExitToParent()
{
    MainWindowStub mainWindow;
    auto* page = new CPicDialog(&mainWindow);
    useTestSkin(*page);
    page->show();
    QVERIFY(!page->close());
    QVERIFY(page->isVisible());
    QVERIFY(mainWindow.commands.isEmpty());
    QCoreApplication::sendPostedEvents(&mainWindow);
    QCOMPARE(mainWindow.commands, QList<int>{WIZ_EXIT});
    delete page;
}

void PicDialogTest::enterAndEscapeDoNothing()
{
    MainWindowStub mainWindow;
    auto* page = new CPicDialog(&mainWindow);
    useTestSkin(*page);
    QVERIFY(page->AddPushButton(1337, QStringLiteral("Page.Push")));
    QSignalSpy commands(page, &CPicDialog::command);
    QSignalSpy finished(page, &QDialog::finished);
    page->show();
    page->FindControl(1337)->setFocus();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(page, static_cast<Qt::Key>(key));
    QCoreApplication::sendPostedEvents();
    QVERIFY(page->isVisible());
    QCOMPARE(finished.size(), 0);
    QCOMPARE(commands.size(), 0);
    QVERIFY(mainWindow.commands.isEmpty());
    delete page;
}

void PicDialogTest::programFolderIsTheExecutablesFolder()
{
    const std::string folder = ProgramFolderNarrow();
    QCOMPARE(QString::fromStdString(folder), QCoreApplication::applicationDirPath());
    QVERIFY(!folder.ends_with('/'));
}

void PicDialogTest::readingOrder_data()
{
    QTest::addColumn<QList<QRect>>("places");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("one row, left to right")
        << QList<QRect>{{300, 430, 100, 34}, {24, 430, 100, 34}, {180, 430, 100, 34}} << QList<int>{1, 2, 0};
    QTest::newRow("rows, top to bottom")
        << QList<QRect>{{24, 430, 100, 34}, {220, 176, 260, 28}, {220, 138, 260, 28}} << QList<int>{2, 1, 0};
    // A check box a few pixels lower than the taller edit beside it is in the edit's row.
    QTest::newRow("a lower, shorter control shares the row")
        << QList<QRect>{{500, 138, 176, 28}, {44, 144, 150, 24}, {200, 144, 140, 24}} << QList<int>{1, 2, 0};
    QTest::newRow("below the first control's foot starts a row")
        << QList<QRect>{{300, 100, 100, 20}, {20, 111, 100, 20}} << QList<int>{0, 1};
    QTest::newRow("a tall control does not end its row early")
        << QList<QRect>{{400, 100, 100, 50}, {200, 110, 100, 100}, {10, 120, 50, 10}} << QList<int>{2, 0, 1};
    QTest::newRow("nothing") << QList<QRect>{} << QList<int>{};
    // A skin without "y" and "h" puts a control at the top with no height.
    QTest::newRow("empty controls at the top share a row")
        << QList<QRect>{{30, 0, 0, 0}, {10, 0, 0, 0}, {20, 0, 100, 0}} << QList<int>{1, 2, 0};
    QTest::newRow("empty controls above the page")
        << QList<QRect>{{0, -5, 0, 0}, {0, -32767, 10, 0}, {5, -32767, 0, 0}} << QList<int>{1, 2, 0};
    // Corners anywhere in the int range, as no skin can place them.
    QTest::newRow("corners at the ends of the range")
        << QList<QRect>{QRect(QPoint(INT_MAX, INT_MAX), QPoint(INT_MIN, INT_MIN)),
                        QRect(QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MAX)),
                        QRect(QPoint(0, INT_MAX), QPoint(0, INT_MAX))}
        << QList<int>{1, 2, 0};
}

void PicDialogTest::readingOrder()
{
    QFETCH(QList<QRect>, places);
    QFETCH(QList<int>, order);
    QList<int> got;
    for (size_t index : ReadingOrder(std::vector<QRect>(places.begin(), places.end())))
        got.append(static_cast<int>(index));
    QCOMPARE(got, order);
}

void PicDialogTest::everyControlGetsAnAccessibleName()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddPicText(QStringLiteral("Page.Text"), 1301, 1));
    QVERIFY(page.AddEdit(QStringLiteral("Page.Edit"), 1101));
    QVERIFY(page.AddEdit(QStringLiteral("Page.EditBelow"), 1102));
    QVERIFY(page.AddEdit(QStringLiteral("Page.EditNamed"), 1103));
    QVERIFY(page.AddEdit(QStringLiteral("Page.EditAlone"), 1104));
    QVERIFY(page.AddCheckBox(QStringLiteral("Page.Check"), 1201));
    QVERIFY(page.AddRadio(QStringLiteral("Page.RadioNoCaption"), 1203, QStringLiteral("Default caption")));
    QVERIFY(page.AddPicButton(1003, QStringLiteral("Page.Button")));
    QVERIFY(page.AddDropDown(QStringLiteral("Page.Drop"), 1114));
    page.show();

    const QList<std::pair<int, QString>> expected = {
        {1301, "Hello there"},     // its own text
        {1101, "Hello there"},     // the label beside it
        {1102, "Hello there"},     // the label above it
        {1103, "Serial number"},   // the skin's name
        {1104, "EditAlone"},       // nothing else to go by
        {1201, "Tick me"},         // its caption
        {1203, "Default caption"}, // the page's caption for it
        {1003, "Press me"},        // its tip
        {1114, "Drop"},
    };
    for (const auto& [id, name] : expected)
        QCOMPARE(page.FindControl(id)->accessibleName(), name);
    // A label's name follows its text.
    qobject_cast<CPicText*>(page.FindControl(1301))->SetText(QStringLiteral("Changed"));
    QCOMPARE(QAccessible::queryAccessibleInterface(page.FindControl(1301))->text(QAccessible::Name),
             QStringLiteral("Changed"));
}

void PicDialogTest::cutListCellsShowTheirTextAsTooltip()
{
    CPicDialog page;
    useTestSkin(page);
    QVERIFY(page.AddCameraList(0));
    auto* list = qobject_cast<QTableWidget*>(page.FindControl(CPicDialog::kCameraListId));
    list->setColumnCount(2);
    list->setColumnWidth(0, 60);
    list->setColumnWidth(1, 400);
    const QString longText = QStringLiteral("A camera name far too long for its column");
    list->setRowCount(2);
    list->setItem(0, 0, new QTableWidgetItem(longText));
    list->setItem(0, 1, new QTableWidgetItem(longText));
    list->setItem(1, 0, new QTableWidgetItem(QStringLiteral("ab")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    auto tipAt = [list](int row, int column) {
        const QPoint at = list->visualRect(list->model()->index(row, column)).center();
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // Cells that show all of their text first: a tip once shown takes a while to go.
    QCOMPARE(tipAt(0, 1), QString());
    QCOMPARE(tipAt(1, 0), QString());
    QCOMPARE(tipAt(0, 0), longText);
    // Tab leaves the list instead of walking its cells.
    QVERIFY(!list->tabKeyNavigation());
}

void PicDialogTest::firstShownFollowsTheFirstPaintOnce()
{
    PaintCounter window;
    QSignalSpy shown(&window.firstShown, &FirstShown::shown);
    QTest::qWait(FirstShown::kLatestMs / 5);
    QVERIFY(!window.firstShown.done());
    window.show();
    QTRY_COMPARE(shown.count(), 1);
    QVERIFY(window.firstShown.done());
    QVERIFY(window.paintsWhenShown >= 1);
    window.repaint();
    QTest::qWait(FirstShown::kLatestMs * 2);
    QCOMPARE(shown.count(), 1);
}

void PicDialogTest::firstShownComesWhenNothingPaints()
{
    // As a covered or minimised window: shown, but never asked to paint.
    PaintCounter window;
    window.setUpdatesEnabled(false);
    QSignalSpy shown(&window.firstShown, &FirstShown::shown);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, FirstShown::kLatestMs * 4);
    QCOMPARE(window.paintsWhenShown, 0);
}

QTEST_MAIN(PicDialogTest)
#include "PicDialogTest.moc"
