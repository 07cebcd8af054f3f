// SPDX-License-Identifier: Apache-2.0
#include "skin/BuildSkinPage.h"
#include "skin/CPicButton.h"
#include "skin/CPicDialog.h"
#include "skin/DensityPicture.h"
#include "skin/LoadPicture.h"
#include "wizard/SkinCatalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <map>

// Checks the shipped skin: every page and control that the wizard builds is described, placed on
// its page and drawn, and every message the pages show has its text.
namespace {

const std::filesystem::path kSkinFolder = QUILLANE_DEFAULT_SKIN;

QString q(std::u16string_view text)
{
    return QStringView(text).toString();
}

// Controls that only ever show one at a time (the two methods of the WPS page) may share space.
bool alternatives(const QString& a, const QString& b)
{
    const auto method = [](const QString& name) {
        if (name.contains(QLatin1String("PBC")))
            return 1;
        if (name.contains(QLatin1String("PIN")) && !name.contains(QLatin1String("OPTPIN")))
            return 2;
        return 0;
    };
    return method(a) && method(b) && method(a) != method(b);
}

} // namespace

class DefaultSkinTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void everyPageBuildsCompletely_data();
    void everyPageBuildsCompletely();
    void commonButtonsShareTheirPlaces();
    void everyMessageHasText();
    void everyPictureHasASharpTwin();
    void cameraListColumns();
    void pageFontResolves();
};

void DefaultSkinTest::cleanup()
{
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
}

void DefaultSkinTest::everyPageBuildsCompletely_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < SkinPages().size(); ++i)
        QTest::newRow(q(SkinPages()[i].section).toLatin1().constData()) << static_cast<int>(i);
}

void DefaultSkinTest::everyPageBuildsCompletely()
{
    QFETCH(int, index);
    const SkinPageSpec& pageSpec = SkinPages()[static_cast<std::size_t>(index)];
    CPicDialog page;
    page.setSkin(kSkinFolder, q(pageSpec.section));
    QCOMPARE(page.LoadBackground(), 1);
    QCOMPARE(page.size(), QSize(720, 480));
    // Above 100% scaling every picture comes from its sharp twin, at the same logical size.
    const qreal pictureRatio = page.devicePixelRatioF() > 1 ? 2.0 : 1.0;
    QCOMPARE(page.background().devicePixelRatio(), pictureRatio);
    QCOMPARE(BuildSkinPage(page, pageSpec), static_cast<int>(pageSpec.controls.size()));

    const QRect pageRect(QPoint(0, 0), page.size());
    std::vector<QWidget*> placed;
    for (const auto& item : page.controls()) {
        QWidget* control = item->control.get();
        const QString name = control->objectName();
        QVERIFY2(!control->geometry().isEmpty(), qPrintable(name));
        QVERIFY2(pageRect.contains(control->geometry()), qPrintable(name));
        for (QWidget* other : placed) {
            if (!alternatives(name, other->objectName()))
                QVERIFY2(!control->geometry().intersects(other->geometry()),
                         qPrintable(name + QLatin1String(" overlaps ") + other->objectName()));
        }
        placed.push_back(control);

        if (auto* button = qobject_cast<CPicButton*>(control)) {
            for (auto image : {CPicButton::Image::Normal, CPicButton::Image::Down, CPicButton::Image::Hover,
                               CPicButton::Image::Disabled}) {
                QVERIFY2(!button->image(image).isNull(), qPrintable(name));
                QCOMPARE(button->image(image).deviceIndependentSize().toSize(), button->size());
                QCOMPARE(button->image(image).devicePixelRatio(), pictureRatio);
            }
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(name));
        }
        if (item->kind == ControlKind::Radio || item->kind == ControlKind::CheckBox ||
            item->kind == ControlKind::PicText) {
            const QString caption = page.readText(name, QStringLiteral("caption"), QString());
            if (!name.endsWith(QLatin1String(".Ver")))
                QVERIFY2(!caption.trimmed().isEmpty(), qPrintable(name));
        }
    }
}

void DefaultSkinTest::commonButtonsShareTheirPlaces()
{
    std::map<QString, QRect> places;
    for (const SkinPageSpec& pageSpec : SkinPages()) {
        CPicDialog page;
        page.setSkin(kSkinFolder, q(pageSpec.section));
        for (const char* name : {"Exit", "Back", "Next"}) {
            const QString section = q(pageSpec.section) + QLatin1Char('.') + QLatin1String(name);
            const QRect rect(page.readNumber(section, QStringLiteral("x"), QStringLiteral("0")),
                             page.readNumber(section, QStringLiteral("y"), QStringLiteral("0")),
                             page.readNumber(section, QStringLiteral("w"), QStringLiteral("0")),
                             page.readNumber(section, QStringLiteral("h"), QStringLiteral("0")));
            if (rect.isEmpty())
                continue;
            auto [known, inserted] = places.emplace(QLatin1String(name), rect);
            QVERIFY2(inserted || known->second == rect, qPrintable(section));
        }
    }
    QCOMPARE(places.size(), std::size_t(3));
}

// Whatever pictures the skin file names, in any section: each has its "@2x" twin, drawn at
// exactly twice its size, so that no page is blurred at 200% scaling.
void DefaultSkinTest::everyPictureHasASharpTwin()
{
    QFile ini(QString::fromStdU16String((kSkinFolder / "Quillane.ini").u16string()));
    QVERIFY(ini.open(QIODevice::ReadOnly | QIODevice::Text));
    const QRegularExpression pictureKey(
        QStringLiteral("^\\s*(background|normalImage|downImage|hoverImage|disableImage)\\s*=\\s*(\\S.*?)\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    const QString folder = QString::fromStdU16String(kSkinFolder.u16string()) + QStringLiteral("/Image/");
    int pictures = 0;
    for (const QRegularExpressionMatch& match : pictureKey.globalMatch(QString::fromUtf8(ini.readAll()))) {
        const QString file = folder + match.captured(2);
        const QImage normal(file);
        const QImage sharp(HighDensityPath(file));
        QVERIFY2(!normal.isNull(), qPrintable(file));
        QVERIFY2(!sharp.isNull(), qPrintable(HighDensityPath(file)));
        QCOMPARE(sharp.size(), normal.size() * 2);
        ++pictures;
    }
    QVERIFY(pictures > 0);
}

void DefaultSkinTest::everyMessageHasText()
{
    const SkinFile skin(kSkinFolder / "Quillane.ini");
    for (int number : SkinMessageNumbers()) {
        const QString text = q(skin.messageText(number));
        QVERIFY2(!text.startsWith(QLatin1String("Some error occurred")), qPrintable(QString::number(number)));
        QVERIFY2(!text.contains(QLatin1Char('\\')), qPrintable(QString::number(number)));
    }
}

void DefaultSkinTest::cameraListColumns()
{
    CPicDialog page;
    page.setSkin(kSkinFolder, QStringLiteral("DlgListCam"));
    QVERIFY(BuildSkinPage(page, SkinPages().front()));
    auto* list = qobject_cast<QTableWidget*>(page.FindControl(CPicDialog::kCameraListId));
    QVERIFY(list);
    QStringList captions;
    int width = 0;
    for (int c = 0; c < list->columnCount(); ++c) {
        captions << list->horizontalHeaderItem(c)->text();
        width += list->columnWidth(c);
    }
    for (const char* word : {"Model", "Name", "IP", "MAC"})
        QVERIFY2(captions.filter(QLatin1String(word)).size() == 1, word);
    QVERIFY(width <= list->width());
}

void DefaultSkinTest::pageFontResolves()
{
    CPicDialog page;
    page.setSkin(kSkinFolder, QStringLiteral("DlgIdPwd"));
    const QFontInfo info(page.font());
    QCOMPARE(info.pixelSize(), 14);
    // "Arial" must land on itself or on its metric-compatible stand-in, not on any sans font.
    QVERIFY2(info.family() == QLatin1String("Arial") || info.family() == QLatin1String("Liberation Sans"),
             qPrintable(info.family()));
}

QTEST_MAIN(DefaultSkinTest)
#include "DefaultSkinTest.moc"
