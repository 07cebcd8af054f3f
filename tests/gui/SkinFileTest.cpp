// SPDX-License-Identifier: Apache-2.0
#include "skin/SkinFile.h"

#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <sys/stat.h>

namespace {

const std::filesystem::path kData = QUILLANE_SKIN_TEST_DATA;

QString q(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

std::u16string u(const QString& text)
{
    return text.toStdU16String();
}

} // namespace

class SkinFileTest : public QObject
{
    Q_OBJECT
private slots:
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void hugeNumbersSaturate();
    void lineEnds_data();
    void lineEnds();
    void missingFileReadsAsEmpty();
    void eachReadingSeesTheFileAsItIsThen();
    void utf8WithByteOrderMark();
    void bytesWithoutMarkAreWindows1252();
    void messageText_data();
    void messageText();
    void imageFolder_data();
    void imageFolder();
    void font_data();
    void font();
    void placement_data();
    void placement();
    void listColumns();
    void dropDownItems_data();
    void dropDownItems();
};

void SkinFileTest::readString_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("expected");

    QTest::newRow("trimmed, first key of a name wins") << "General"
                                                       << "Name"
                                                       << "d"
                                                       << "Value with spaces";
    QTest::newRow("names ignore case") << "gEnErAl"
                                       << "nAME"
                                       << "d"
                                       << "Value with spaces";
    QTest::newRow("lookup names are trimmed") << " General "
                                              << " Name "
                                              << "d"
                                              << "Value with spaces";
    QTest::newRow("one pair of quotes removed") << "General"
                                                << "Quoted"
                                                << "d"
                                                << "  inner spaces kept  ";
    QTest::newRow("empty value is not missing") << "General"
                                                << "Empty"
                                                << "d"
                                                << "";
    QTest::newRow("line without equals is no key") << "General"
                                                   << "NoEquals"
                                                   << "d"
                                                   << "d";
    QTest::newRow("missing key gives fallback") << "General"
                                                << "Absent"
                                                << "fallback"
                                                << "fallback";
    QTest::newRow("missing section gives fallback") << "Nowhere"
                                                    << "Name"
                                                    << "fallback"
                                                    << "fallback";
    QTest::newRow("commented line is no key") << "General"
                                              << "; Name"
                                              << "d"
                                              << "d";
    QTest::newRow("later section of the same name unread") << "General"
                                                           << "OnlyInSecond"
                                                           << "d"
                                                           << "d";
    QTest::newRow("section name trimmed") << "padded section"
                                          << "KEY"
                                          << "d"
                                          << "padded";
    QTest::newRow("unclosed header is skipped") << "Padded Section"
                                                << "after"
                                                << "d"
                                                << "still in the padded section";
    QTest::newRow("key before any section unread") << ""
                                                   << "orphan"
                                                   << "d"
                                                   << "d";
    QTest::newRow("Windows-1252 text")
        << QString::fromUtf8("GENERAL") << QString::fromUtf8("CAFÉ") << "d" << QString::fromUtf8("été €");
    QTest::newRow("value cut at 259") << "General"
                                      << "Long"
                                      << "d" << QString(259, QLatin1Char('x'));
    QTest::newRow("fallback cut at 259")
        << "General"
        << "Absent" << QString(300, QLatin1Char('y')) << QString(259, QLatin1Char('y'));
}

void SkinFileTest::readString()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, fallback);
    QFETCH(QString, expected);
    const SkinFile skin(kData / "reader.ini");
    QCOMPARE(q(skin.readString(u(section), u(key), u(fallback))), expected);
}

void SkinFileTest::readInt_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << "Number"
                           << "0" << 42;
    QTest::newRow("minus") << "Signed"
                           << "0" << -17;
    QTest::newRow("plus") << "Plus"
                          << "0" << 8;
    QTest::newRow("trailing text ignored") << "Trailing"
                                           << "0" << 12;
    QTest::newRow("no digits") << "Letters"
                               << "5" << 0;
    QTest::newRow("blanks around") << "Spaced"
                                   << "0" << 7;
    QTest::newRow("empty value") << "Empty"
                                 << "5" << 0;
    QTest::newRow("missing uses fallback text") << "Absent"
                                                << "-1" << -1;
}

void SkinFileTest::readInt()
{
    QFETCH(QString, key);
    QFETCH(QString, fallback);
    QFETCH(int, expected);
    const SkinFile skin(kData / "reader.ini");
    QCOMPARE(skin.readInt(u"General", u(key), u(fallback)), expected);
}

void SkinFileTest::hugeNumbersSaturate()
{
    QCOMPARE(ParseSkinInt(u"99999999999999999999"), INT_MAX);
    QCOMPARE(ParseSkinInt(u"-99999999999999999999"), INT_MIN);
    QCOMPARE(ParseSkinInt(u"-2147483648"), INT_MIN);
    QCOMPARE(ParseSkinInt(u"-"), 0);
}

void SkinFileTest::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("LF") << QByteArray("[S]\nk=v\nlast=end");
    QTest::newRow("CR LF") << QByteArray("[S]\r\nk=v\r\nlast=end\r\n");
    QTest::newRow("CR alone") << QByteArray("[S]\rk=v\rlast=end\r");
    QTest::newRow("mixed, blank lines") << QByteArray("\r\n\n[S]\r\r\nk=v\n\n\rlast=end");
}

void SkinFileTest::lineEnds()
{
    QFETCH(QByteArray, bytes);
    const SkinFile skin = SkinFile::fromBytes(bytes.toStdString());
    QCOMPARE(q(skin.readString(u"S", u"k", u"")), QStringLiteral("v"));
    QCOMPARE(q(skin.readString(u"S", u"last", u"")), QStringLiteral("end"));
}

void SkinFileTest::missingFileReadsAsEmpty()
{
    const SkinFile skin(kData / "no-such-skin.ini");
    QCOMPARE(q(skin.readString(u"General", u"Name", u"fallback")), QStringLiteral("fallback"));
    QCOMPARE(skin.readInt(u"General", u"Number", u"3"), 3);
    QCOMPARE(q(skin.messageText(62)), QStringLiteral("Some error occurred, error number is 62."));

    const SkinFile folder(kData); // a folder is no file either
    QCOMPARE(q(folder.readString(u"General", u"Name", u"fallback")), QStringLiteral("fallback"));

    // Neither an endless device nor a pipe without a writer may hold the reader.
    const SkinFile device("/dev/zero");
    QCOMPARE(q(device.readString(u"General", u"Name", u"fallback")), QStringLiteral("fallback"));
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("Quillane.ini")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    const SkinFile pipe(fifo.toStdString());
    QCOMPARE(q(pipe.readString(u"General", u"Name", u"fallback")), QStringLiteral("fallback"));
}

void SkinFileTest::eachReadingSeesTheFileAsItIsThen()
{
    // Readings of unchanged bytes share a parse; a change, even one that keeps the file's size,
    // is read afresh, and leaves what was read before as it was.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillane.ini"));
    const auto write = [&](const char* text) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) > 0;
    };
    const std::filesystem::path skinPath = path.toStdString();
    QVERIFY(write("[Main]\ntitle=first\n"));
    const SkinFile before(skinPath);
    const SkinFile again(skinPath);
    QVERIFY(write("[Main]\ntitle=fresh\n"));
    const SkinFile after(skinPath);
    QFile::remove(path);
    const SkinFile gone(skinPath);
    QCOMPARE(q(before.readString(u"Main", u"title", u"")), QStringLiteral("first"));
    QCOMPARE(q(again.readString(u"Main", u"title", u"")), QStringLiteral("first"));
    QCOMPARE(q(after.readString(u"Main", u"title", u"")), QStringLiteral("fresh"));
    QCOMPARE(q(gone.readString(u"Main", u"title", u"none")), QStringLiteral("none"));
}

void SkinFileTest::utf8WithByteOrderMark()
{
    const SkinFile skin(kData / "utf8-bom.ini");
    QCOMPARE(q(skin.readString(u"Text", u"word", u"")), QString::fromUtf8("été €"));
    // Broken sequences become replacement characters rather than swallowing their neighbours.
    QCOMPARE(q(skin.readString(u"Text", u"bad", u"")), QString::fromUtf8("a\uFFFDb\uFFFD"));
}

void SkinFileTest::bytesWithoutMarkAreWindows1252()
{
    const SkinFile skin = SkinFile::fromBytes("[Text]\nword=\xC3\xA9\n");
    QCOMPARE(q(skin.readString(u"Text", u"word", u"")), QString::fromUtf8("Ã©"));
}

void SkinFileTest::messageText_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("doubled backslash breaks the line")
        << QByteArray("Message18=One\\\\Two") << 18 << "One\r\nTwo";
    QTest::newRow("two pairs") << QByteArray("Message18=A\\\\\\\\B") << 18 << "A\r\n\r\nB";
    QTest::newRow("odd backslash kept") << QByteArray("Message18=A\\\\\\B") << 18 << "A\r\n\\B";
    QTest::newRow("single backslash kept") << QByteArray("Message18=C:\\dir") << 18 << "C:\\dir";
    QTest::newRow("zero means missing")
        << QByteArray("Message18=0") << 18 << "Some error occurred, error number is 18.";
    QTest::newRow("zero with blanks")
        << QByteArray("Message18=  0 ") << 18 << "Some error occurred, error number is 18.";
    QTest::newRow("zero-led text is text") << QByteArray("Message18=0 cameras") << 18 << "0 cameras";
    QTest::newRow("bare key without equals")
        << QByteArray("Message18") << 18 << "Some error occurred, error number is 18.";
    QTest::newRow("missing key") << QByteArray("Message4=other") << 2005
                                 << "Some error occurred, error number is 2005.";
}

void SkinFileTest::messageText()
{
    QFETCH(QByteArray, value);
    QFETCH(int, number);
    QFETCH(QString, expected);
    const SkinFile skin = SkinFile::fromBytes(("[Message]\n" + value + "\n").toStdString());
    QCOMPARE(q(skin.messageText(number)), expected);
}

void SkinFileTest::imageFolder_data()
{
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<QString>("expected");

    QTest::newRow("default") << QByteArray() << "/opt/quillane/Image";
    QTest::newRow("other folder") << QByteArray("[Image]\npath=Skin2\n") << "/opt/quillane/Skin2";
    QTest::newRow("backslashes") << QByteArray("[image]\nPATH=Skins\\Dark\n") << "/opt/quillane/Skins/Dark";
}

void SkinFileTest::imageFolder()
{
    QFETCH(QByteArray, skin);
    QFETCH(QString, expected);
    const SkinFile file = SkinFile::fromBytes(skin.toStdString());
    QCOMPARE(q(file.imageFolder("/opt/quillane").u16string()), expected);
}

void SkinFileTest::font_data()
{
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("weight");

    QTest::newRow("defaults") << QByteArray() << "Arial" << 14 << 400;
    QTest::newRow("bold") << QByteArray("Font_Weight=7\nFont_Style=Verdana\nFont_Size=18") << "Verdana" << 18
                          << 700;
    QTest::newRow("weight out of range") << QByteArray("Font_Weight=12") << "Arial" << 14 << 400;
    QTest::newRow("negative weight") << QByteArray("Font_Weight=-2") << "Arial" << 14 << 400;
    QTest::newRow("negative height is a size") << QByteArray("Font_Size=-16") << "Arial" << 16 << 400;
    QTest::newRow("bare face key without equals") << QByteArray("Font_Style") << "Arial" << 14 << 400;
    QTest::newRow("huge height is cut")
        << QByteArray("Font_Size=2147483647") << "Arial" << SkinFile::kMaxFontHeight << 400;
    QTest::newRow("lowest int height is cut")
        << QByteArray("Font_Size=-2147483648") << "Arial" << SkinFile::kMaxFontHeight << 400;
}

void SkinFileTest::font()
{
    QFETCH(QByteArray, skin);
    QFETCH(QString, face);
    QFETCH(int, height);
    QFETCH(int, weight);
    const SkinFile file = SkinFile::fromBytes(("[Main.Font]\n" + skin + "\n").toStdString());
    const SkinFont font = file.font(u"Main.Font");
    QCOMPARE(q(font.face), face);
    QCOMPARE(font.height, height);
    QCOMPARE(font.weight, weight);
}

void SkinFileTest::placement_data()
{
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<QRect>("expected");
    constexpr int kMax = SkinFile::kMaxCoordinate;

    QTest::newRow("as written") << QByteArray("x=10\ny=-20\nw=30\nh=40") << QRect(10, -20, 30, 40);
    QTest::newRow("missing keys") << QByteArray() << QRect(0, 0, 0, 0);
    QTest::newRow("negative sizes are empty") << QByteArray("w=-5\nh=-2147483648") << QRect(0, 0, 0, 0);
    QTest::newRow("bottom edge past the int range")
        << QByteArray("y=2147483647\nh=2147483647") << QRect(0, kMax, 0, kMax);
    QTest::newRow("far left") << QByteArray("x=-2147483648\nw=99999999999") << QRect(-kMax, 0, kMax, 0);
}

void SkinFileTest::placement()
{
    QFETCH(QByteArray, skin);
    QFETCH(QRect, expected);
    const SkinRect rect =
        SkinFile::fromBytes(("[Page.Ctl]\n" + skin + "\n").toStdString()).placement(u"Page.Ctl");
    QCOMPARE(QRect(rect.x, rect.y, rect.w, rect.h), expected);
}

void SkinFileTest::listColumns()
{
    const SkinFile skin = SkinFile::fromBytes("[List]\ncount=4\n"
                                              "0.column=Model\n0.width=100\n"
                                              "1.column=Hidden\n1.width=50\n1.index=-5\n"
                                              "2.column=IP\n2.width=80\n2.index=0\n"
                                              "3.column=MAC\n3.index=-1\n3.width=99999\n"
                                              "4.column=Beyond the count\n");
    const std::vector<SkinListColumn> columns = skin.listColumns(u"List");
    QCOMPARE(columns.size(), std::size_t(3));
    QCOMPARE(q(columns[0].caption), QStringLiteral("Model"));
    QCOMPARE(columns[0].position, 0);
    QCOMPARE(columns[0].width, 100);
    QCOMPARE(q(columns[1].caption), QStringLiteral("IP"));
    QCOMPARE(columns[1].column, 2);
    QCOMPARE(columns[1].position, 0);
    QCOMPARE(q(columns[2].caption), QStringLiteral("MAC"));
    QCOMPARE(columns[2].position, 3);
    QCOMPARE(columns[2].width, SkinFile::kMaxCoordinate);

    QVERIFY(SkinFile().listColumns(u"List").empty());
}

void SkinFileTest::dropDownItems_data()
{
    QTest::addColumn<QByteArray>("skin");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("last");

    QTest::newRow("up to the first missing number") << QByteArray("text0=a\ntext1=b\ntext3=d\n") << 2 << "b";
    QTest::newRow("up to the first empty item") << QByteArray("TEXT0=a\ntext1=\ntext2=c\n") << 1 << "a";
    QTest::newRow("none") << QByteArray("text1=b\n") << 0 << "";
    QByteArray many;
    for (int i = 0; i < SkinFile::kMaxDropDownItems + 5; ++i)
        many += "text" + QByteArray::number(i) + "=item " + QByteArray::number(i) + "\n";
    QTest::newRow("at most the cap") << many << SkinFile::kMaxDropDownItems
                                     << QStringLiteral("item %1").arg(SkinFile::kMaxDropDownItems - 1);
}

void SkinFileTest::dropDownItems()
{
    QFETCH(QByteArray, skin);
    QFETCH(int, count);
    QFETCH(QString, last);
    const std::vector<std::u16string> items =
        SkinFile::fromBytes(("[Page.Drop]\n" + skin).toStdString()).dropDownItems(u"page.drop");
    QCOMPARE(static_cast<int>(items.size()), count);
    QCOMPARE(items.empty() ? QString() : q(items.back()), last);
}

QTEST_APPLESS_MAIN(SkinFileTest)
#include "SkinFileTest.moc"
