// SPDX-License-Identifier: Apache-2.0
// Draws the default skin's pictures (page backgrounds and four-state buttons) into a folder, each
// twice: "name.png" for 100% scaling and "name@2x.png", drawn at twice the pixels, for 200%.
// Field labels that the skin has no label control for are painted into the backgrounds beside
// their controls, whose places are read from the skin file, so the two cannot drift apart.
//
//   quillane-skinart SKIN_INI OUTPUT_FOLDER      (run with QT_QPA_PLATFORM=offscreen)

#include "skin/SkinFile.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <vector>

namespace {

constexpr int kPageWidth = 720;
constexpr int kPageHeight = 480;
constexpr int kHeaderHeight = 84;
const QRect kCard(20, 100, 680, 300);
const QString kFontFamily = QStringLiteral("Liberation Sans");

const QColor kPage(0xF3, 0xF5, 0xF8);
const QColor kCardBorder(0xDA, 0xE1, 0xEA);
const QColor kLabel(0x1A, 0x1A, 0x1A);
const QColor kMuted(0x5E, 0x6B, 0x7B);
const QColor kHeading(0x6A, 0x7A, 0x8E);
const QColor kDivider(0xE4, 0xE8, 0xEE);
const QColor kAccent(0x25, 0x63, 0xEB);

QFont font(int pixelSize, bool bold = false)
{
    QFont f(kFontFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A label beside a control: the control's section gives the row, the label its own column.
struct FieldLabel
{
    const char* section;
    const char* text;
    int x;
};

struct Heading
{
    const char* text;
    int x;
    int y;
};

struct Divider
{
    int x1;
    int x2;
    int y;
};

struct Note
{
    QRect rect;
    const char* text;
    bool panel; // an information panel with an icon, or plain muted text
};

struct Page
{
    const char* section;
    const char* title;
    const char* subtitle;
    bool card;
    std::vector<FieldLabel> labels;
    std::vector<Heading> headings;
    std::vector<Divider> dividers;
    std::vector<Note> notes;
    std::vector<QRect> optionCards;
    bool aboutMark = false;
};

std::vector<Page> pages()
{
    return {
        {"DlgListCam",
         "Find your camera",
         "Select a camera in the list and press Next. Press Search to look again.",
         false,
         {},
         {},
         {},
         {},
         {}},
        {"DlgIdPwd",
         "Sign in",
         "Enter the administrator account of the camera. You may also set a new password.",
         true,
         {{"DlgIdPwd.ADMID", "Administrator ID", 44},
          {"DlgIdPwd.ADMPWD", "Password", 44},
          {"DlgIdPwd.NEWID", "New ID", 68},
          {"DlgIdPwd.CHKID", "Confirm ID", 68},
          {"DlgIdPwd.NEWPWD", "New password", 396},
          {"DlgIdPwd.CHKPWD", "Confirm", 396}},
         {{"ADMINISTRATOR ACCOUNT", 44, 114}, {"CHANGE CREDENTIALS (OPTIONAL)", 44, 234}},
         {{44, 676, 220}},
         {{QRect(44, 368, 632, 20), "IDs and passwords are case-sensitive.", false}},
         {}},
        {"DlgNetWork",
         "IP address",
         "Choose how the camera gets its address on your network.",
         true,
         {},
         {{"ADDRESS SETTINGS", 44, 114}},
         {},
         {{QRect(480, 200, 196, 140),
           "Most networks hand out addresses automatically. Choose a fixed address when the camera must "
           "always be found at the same place.",
           true}},
         {}},
        {"DlgNetWorkFinish",
         "Review and apply",
         "Check the settings, then press Apply to send them to the camera.",
         true,
         {},
         {{"ACCOUNT", 44, 114}, {"NETWORK", 372, 114}},
         {},
         {{QRect(44, 222, 296, 62),
           "The camera may restart after Apply. It is then found again under its new "
           "address.",
           true}},
         {}},
        {"DlgWirelessSele",
         "Wireless set-up",
         "Choose how the camera should join your wireless network.",
         true,
         {},
         {},
         {},
         {{QRect(92, 170, 500, 40),
           "Press the WPS button on your router, or enter a PIN. The camera receives the network name and "
           "key "
           "by itself.",
           false},
          {QRect(92, 286, 500, 40), "Enter the network name, the security mode and the key yourself.",
           false}},
         {QRect(44, 124, 632, 96), QRect(44, 240, 632, 96)}},
        {"DlgWireless",
         "Wireless network",
         "Set up how the camera joins your wireless network.",
         true,
         {{"DlgWireless.WLanON", "Wireless LAN", 44},
          {"DlgWireless.SSID", "Network name (SSID)", 44},
          {"DlgWireless.Infrastructure", "Network type", 44},
          {"DlgWireless.CHANNEL", "Channel", 44},
          {"DlgWireless.SecurityMode", "Security", 44},
          {"DlgWireless.Open", "WEP authentication", 44}},
         {{"WIRELESS NETWORK", 44, 114}},
         {},
         {},
         {}},
        {"DlgWirelessKey",
         "Security keys",
         "Enter the WEP keys or the WPA passphrase of your wireless network.",
         true,
         {{"DlgWirelessKey.KEYLEN", "Key length", 44},
          {"DlgWirelessKey.KEYFORMAT", "Key format", 380},
          {"DlgWirelessKey.DEFKEY", "Default key", 44},
          {"DlgWirelessKey.KEY1", "WEP key 1", 44},
          {"DlgWirelessKey.KEY2", "WEP key 2", 44},
          {"DlgWirelessKey.KEY3", "WEP key 3", 44},
          {"DlgWirelessKey.KEY4", "WEP key 4", 44},
          {"DlgWirelessKey.PKEY", "WPA passphrase", 44}},
         {{"WEP", 44, 114}},
         {{44, 676, 352}},
         {},
         {}},
        {"DlgWirelessFinish",
         "Review and apply",
         "Check the settings, then press Apply to send them to the camera.",
         true,
         {},
         {{"ACCOUNT AND NETWORK", 44, 114}, {"WIRELESS", 372, 114}},
         {},
         {},
         {}},
        {"DlgWirelessNEW",
         "Wireless network",
         "Set up how the camera joins your wireless network.",
         true,
         {{"DlgWirelessNEW.WLanON", "Wireless LAN", 44},
          {"DlgWirelessNEW.SSID", "Network name (SSID)", 44},
          {"DlgWirelessNEW.Infrastructure", "Network type", 44},
          {"DlgWirelessNEW.CHANNEL", "Channel", 44},
          {"DlgWirelessNEW.Authentication", "Authentication", 44},
          {"DlgWirelessNEW.Encryption", "Encryption", 44},
          {"DlgWirelessNEW.KEY", "Key or passphrase", 44}},
         {{"WIRELESS NETWORK", 44, 114}},
         {},
         {},
         {}},
        {"DlgWirelessFinishNEW",
         "Review and apply",
         "Check the settings, then press Apply to send them to the camera.",
         true,
         {},
         {{"ACCOUNT AND NETWORK", 44, 114}, {"WIRELESS", 372, 114}},
         {},
         {{QRect(372, 332, 304, 58),
           "The camera may restart after Apply and then joins the wireless network.", true}},
         {}},
        {"DlgWPSSET",
         "Wi-Fi Protected Setup",
         "Join the camera to your wireless network with the router's WPS button or a PIN.",
         true,
         {},
         {},
         {{44, 676, 218}},
         {},
         {}},
        {"DlgAbout", "About Quillane", "Network camera set-up wizard", true, {}, {}, {}, {}, {}, true},
    };
}

void drawLensMark(QPainter& p, const QPointF& centre, qreal radius, bool onDark)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(onDark ? QColor(255, 255, 255, 40) : QColor(0x25, 0x63, 0xEB, 28));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(onDark ? QColor(255, 255, 255) : QColor(0x1E, 0x3A, 0x5F));
    p.drawEllipse(centre, radius * 0.72, radius * 0.72);
    QRadialGradient glass(centre - QPointF(radius * 0.15, radius * 0.15), radius * 0.55);
    glass.setColorAt(0, QColor(0x6C, 0xB4, 0xFF));
    glass.setColorAt(1, QColor(0x1D, 0x4E, 0xD8));
    p.setBrush(glass);
    p.drawEllipse(centre, radius * 0.5, radius * 0.5);
    p.setBrush(QColor(0x0B, 0x1E, 0x3A));
    p.drawEllipse(centre, radius * 0.22, radius * 0.22);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawEllipse(centre + QPointF(-radius * 0.2, -radius * 0.2), radius * 0.09, radius * 0.09);
    p.restore();
}

void drawHeader(QPainter& p, const Page& page)
{
    QLinearGradient band(0, 0, kPageWidth, kHeaderHeight);
    band.setColorAt(0, QColor(0x12, 0x2B, 0x48));
    band.setColorAt(1, QColor(0x1E, 0x55, 0x86));
    p.fillRect(0, 0, kPageWidth, kHeaderHeight, band);

    // Quiet rings on the right give the band some depth without drawing the eye.
    p.save();
    p.setClipRect(0, 0, kPageWidth, kHeaderHeight);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 14 + i * 4), 10));
        p.drawEllipse(QPointF(650, 20), 60 + i * 34, 60 + i * 34);
    }
    p.restore();

    drawLensMark(p, QPointF(46, 42), 24, true);

    p.setPen(Qt::white);
    p.setFont(font(22, true));
    p.drawText(QPoint(84, 40), QString::fromLatin1(page.title));
    p.setPen(QColor(0xC6, 0xD6, 0xE8));
    p.setFont(font(13));
    p.drawText(QPoint(85, 62), QString::fromLatin1(page.subtitle));
}

void drawCard(QPainter& p, const QRect& rect)
{
    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x24, 0x3A, 6 * (4 - i)));
        p.drawRoundedRect(QRectF(rect).adjusted(-i, -i + 2, i, i + 2), 8 + i, 8 + i);
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(kCardBorder, 1));
    p.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

// Height that a control of the section has on screen; a closed drop-down list is as tall as its
// font needs, 24 pixels with the skin's 14-pixel font.
int controlHeight(const SkinFile& skin, const std::u16string& section)
{
    const int h = skin.readInt(section, u"h", u"0");
    return h > 0 ? h : 24;
}

void drawFieldLabel(QPainter& p, const SkinFile& skin, const FieldLabel& label)
{
    const std::u16string section = QString::fromLatin1(label.section).toStdU16String();
    const int y = skin.readInt(section, u"y", u"0");
    const int h = controlHeight(skin, section);
    const QFont f = font(14);
    const QFontMetrics metrics(f);
    p.setFont(f);
    p.setPen(kLabel);
    const int baseline = y + (h - metrics.height()) / 2 + metrics.ascent();
    p.drawText(QPoint(label.x, baseline), QString::fromLatin1(label.text));
}

void drawHeading(QPainter& p, const Heading& heading)
{
    QFont f = font(11, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(f);
    p.setPen(kHeading);
    p.drawText(QPoint(heading.x, heading.y + QFontMetrics(f).ascent()), QString::fromLatin1(heading.text));
}

void drawNote(QPainter& p, const Note& note)
{
    const QString text = QString::fromLatin1(note.text);
    if (!note.panel) {
        p.setFont(font(13));
        p.setPen(kMuted);
        p.drawText(note.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        return;
    }
    p.setPen(QPen(QColor(0xC7, 0xD9, 0xF3), 1));
    p.setBrush(QColor(0xEF, 0xF5, 0xFD));
    p.drawRoundedRect(QRectF(note.rect).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    const QPointF icon(note.rect.left() + 20, note.rect.top() + 21);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(icon, 9, 9);
    p.setPen(Qt::white);
    p.setFont(font(13, true));
    p.drawText(QRectF(icon.x() - 9, icon.y() - 9, 18, 18), Qt::AlignCenter, QStringLiteral("i"));
    p.setFont(font(13));
    p.setPen(QColor(0x2B, 0x3A, 0x4E));
    p.drawText(note.rect.adjusted(38, 12, -12, -10), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}

// Round badges on the wireless choice: radio waves for WPS, sliders for the manual settings.
void drawOptionIcon(QPainter& p, const QPointF& c, bool wps)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE3, 0xED, 0xFC));
    p.drawEllipse(c, 24, 24);
    p.setPen(QPen(kAccent, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    if (wps) {
        for (int r : {6, 11, 16})
            p.drawArc(QRectF(c.x() - r, c.y() + 7 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(c + QPointF(0, 7), 2.4, 2.4);
    } else {
        const qreal knobs[] = {-4, 5, -1};
        for (int row = 0; row < 3; ++row) {
            const qreal y = c.y() - 8 + row * 8;
            p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(c.x() - 11, y), QPointF(c.x() + 11, y));
            p.setPen(QPen(kAccent, 2));
            p.setBrush(QColor(0xE3, 0xED, 0xFC));
            p.drawEllipse(QPointF(c.x() + knobs[row], y), 3.2, 3.2);
        }
    }
    p.restore();
}

// A blank picture of the given logical size; painting on it at scale 2 fills twice the pixels.
QImage canvas(int width, int height, qreal scale, QImage::Format format)
{
    QImage image(qRound(width * scale), qRound(height * scale), format);
    image.setDevicePixelRatio(scale);
    return image;
}

QImage background(const Page& page, const SkinFile& skin, qreal scale)
{
    QImage image = canvas(kPageWidth, kPageHeight, scale, QImage::Format_RGB32);
    image.fill(kPage);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawHeader(p, page);
    // Hairline between the content and the button row.
    p.fillRect(0, 412, kPageWidth, 1, QColor(0xE1, 0xE6, 0xED));
    if (page.card)
        drawCard(p, kCard);
    for (std::size_t i = 0; i < page.optionCards.size(); ++i) {
        const QRect& option = page.optionCards[i];
        p.setPen(QPen(QColor(0xD3, 0xDB, 0xE6), 1));
        p.setBrush(QColor(0xFA, 0xFB, 0xFD));
        p.drawRoundedRect(QRectF(option).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        drawOptionIcon(p, QPointF(option.right() - 44, option.center().y()), i == 0);
    }
    for (const Divider& divider : page.dividers)
        p.fillRect(divider.x1, divider.y, divider.x2 - divider.x1, 1, kDivider);
    for (const Heading& heading : page.headings)
        drawHeading(p, heading);
    for (const FieldLabel& label : page.labels)
        drawFieldLabel(p, skin, label);
    for (const Note& note : page.notes)
        drawNote(p, note);
    if (page.aboutMark)
        drawLensMark(p, QPointF(600, 236), 64, false);
    return image;
}

enum class Style
{
    Primary,
    Secondary
};
enum class Icon
{
    None,
    Back,
    Next,
    Apply,
    Search,
    Web,
    Wps
};
enum class State
{
    Normal,
    Hover,
    Down,
    Disabled
};

struct ButtonArt
{
    const char* name;
    const char* caption;
    Style style;
    Icon icon;
    int width;
    int height;
};

const std::vector<ButtonArt> kButtons = {
    {"exit", "Exit", Style::Secondary, Icon::None, 100, 34},
    {"back", "Back", Style::Secondary, Icon::Back, 100, 34},
    {"next", "Next", Style::Primary, Icon::Next, 100, 34},
    {"apply", "Apply", Style::Primary, Icon::Apply, 100, 34},
    {"ok", "OK", Style::Primary, Icon::None, 100, 34},
    {"search", "Search", Style::Secondary, Icon::Search, 100, 34},
    {"web", "Web page", Style::Secondary, Icon::Web, 100, 34},
    {"about", "About", Style::Secondary, Icon::None, 100, 34},
    {"wps", "WPS", Style::Secondary, Icon::Wps, 100, 34},
    {"startwps", "Start WPS", Style::Primary, Icon::Wps, 160, 40},
};

struct Colours
{
    QColor fill;
    QColor border;
    QColor text;
};

Colours colours(Style style, State state)
{
    if (style == Style::Primary) {
        switch (state) {
        case State::Normal:
            return {QColor(0x25, 0x63, 0xEB), QColor(0x1F, 0x55, 0xCC), Qt::white};
        case State::Hover:
            return {QColor(0x1D, 0x4E, 0xD8), QColor(0x19, 0x43, 0xB8), Qt::white};
        case State::Down:
            return {QColor(0x1E, 0x40, 0xAF), QColor(0x1A, 0x37, 0x96), QColor(0xE6, 0xEC, 0xFA)};
        case State::Disabled:
            return {QColor(0xBF, 0xCB, 0xDD), QColor(0xB4, 0xC1, 0xD4), QColor(0xF4, 0xF6, 0xFA)};
        }
    }
    switch (state) {
    case State::Normal:
        return {Qt::white, QColor(0xC2, 0xCB, 0xD7), QColor(0x1F, 0x29, 0x37)};
    case State::Hover:
        return {QColor(0xEE, 0xF3, 0xFA), QColor(0x8E, 0xA5, 0xC3), QColor(0x1F, 0x29, 0x37)};
    case State::Down:
        return {QColor(0xDD, 0xE6, 0xF2), QColor(0x7D, 0x95, 0xB6), QColor(0x1F, 0x29, 0x37)};
    case State::Disabled:
        break;
    }
    return {QColor(0xF5, 0xF7, 0xFA), QColor(0xDE, 0xE3, 0xEA), QColor(0xA6, 0xB0, 0xBD)};
}

void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour)
{
    QPen pen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Back:
        p.drawPolyline(QPolygonF({c + QPointF(2.5, -5), c + QPointF(-2.5, 0), c + QPointF(2.5, 5)}));
        break;
    case Icon::Next:
        p.drawPolyline(QPolygonF({c + QPointF(-2.5, -5), c + QPointF(2.5, 0), c + QPointF(-2.5, 5)}));
        break;
    case Icon::Apply:
        p.drawPolyline(QPolygonF({c + QPointF(-5, 0), c + QPointF(-1.5, 3.5), c + QPointF(5, -4)}));
        break;
    case Icon::Search:
        p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawEllipse(c + QPointF(-1.5, -1.5), 4.5, 4.5);
        p.drawLine(c + QPointF(1.8, 1.8), c + QPointF(5.5, 5.5));
        break;
    case Icon::Web:
        p.setPen(QPen(colour, 1.5));
        p.drawEllipse(c, 6, 6);
        p.drawEllipse(c, 2.6, 6);
        p.drawLine(c + QPointF(-6, 0), c + QPointF(6, 0));
        break;
    case Icon::Wps:
        p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(c.x() - 7, c.y() - 4, 14, 14), 45 * 16, 90 * 16);
        p.drawArc(QRectF(c.x() - 4, c.y() - 1, 8, 8), 45 * 16, 90 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(c + QPointF(0, 5), 1.6, 1.6);
        break;
    }
}

QImage button(const ButtonArt& art, State state, qreal scale)
{
    QImage image = canvas(art.width, art.height, scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const Colours c = colours(art.style, state);
    const QRectF body(0.5, 0.5, art.width - 1.0, art.height - 2.0);
    if (state != State::Disabled && state != State::Down) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x24, 0x3A, 22));
        p.drawRoundedRect(body.translated(0, 1), 6, 6);
    }
    p.setPen(QPen(c.border, 1));
    p.setBrush(c.fill);
    p.drawRoundedRect(body, 6, 6);

    const QFont f = font(art.height >= 40 ? 15 : 14, true);
    const QFontMetrics metrics(f);
    const QString caption = QString::fromLatin1(art.caption);
    const int iconWidth = art.icon == Icon::None ? 0 : 14;
    const int gap = art.icon == Icon::None ? 0 : 7;
    const int textWidth = metrics.horizontalAdvance(caption);
    const int total = iconWidth + gap + textWidth;
    const qreal shift = state == State::Down ? 1 : 0;
    qreal x = (art.width - total) / 2.0;
    const qreal middle = (art.height - 1) / 2.0 + shift;
    // Forward-pointing icons follow the caption, all others lead it.
    const bool trailing = art.icon == Icon::Next;
    p.setFont(f);
    p.setPen(c.text);
    if (!trailing && iconWidth) {
        drawIcon(p, art.icon, QRectF(x, middle - 7, iconWidth, 14), c.text);
        x += iconWidth + gap;
    }
    p.setPen(c.text);
    p.drawText(QPointF(x, middle + (metrics.ascent() - metrics.descent()) / 2.0), caption);
    if (trailing)
        drawIcon(p, art.icon, QRectF(x + textWidth + gap, middle - 7, iconWidth, 14), c.text);
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (!image.save(path, "PNG", 9)) {
        std::fprintf(stderr, "quillane-skinart: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Every picture in both densities, so that no page or button added to the tables lacks either.
template <typename Draw> bool saveBothDensities(const QDir& folder, const QString& stem, Draw draw)
{
    const bool normal = save(draw(1.0), folder, stem + QStringLiteral(".png"));
    const bool sharp = save(draw(2.0), folder, stem + QStringLiteral("@2x.png"));
    return normal && sharp;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillane-skinart SKIN_INI OUTPUT_FOLDER\n");
        return 2;
    }
    const SkinFile skin{std::filesystem::path(argv[1])};
    QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    bool ok = true;
    for (const Page& page : pages())
        ok &= saveBothDensities(folder, QStringLiteral("bg_%1").arg(QLatin1String(page.section)),
                                [&](qreal scale) { return background(page, skin, scale); });
    const std::pair<State, const char*> states[] = {{State::Normal, "normal"},
                                                    {State::Hover, "hover"},
                                                    {State::Down, "down"},
                                                    {State::Disabled, "disabled"}};
    for (const ButtonArt& art : kButtons) {
        for (const auto& state : states) {
            const QString stem =
                QStringLiteral("btn_%1_%2").arg(QLatin1String(art.name), QLatin1String(state.second));
            ok &=
                saveBothDensities(folder, stem, [&](qreal scale) { return button(art, state.first, scale); });
        }
    }
    return ok ? 0 : 1;
}
