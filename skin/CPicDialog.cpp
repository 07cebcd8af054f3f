// SPDX-License-Identifier: Apache-2.0
#include "skin/CPicDialog.h"

#include "skin/CPicButton.h"
#include "skin/CPicText.h"
#include "skin/ControlCommandEvent.h"
#include "skin/CutCellTipDelegate.h"
#include "skin/DensityPicture.h"
#include "skin/EnterAndEscape.h"
#include "skin/FocusOutline.h"
#include "skin/ListHeader.h"
#include "skin/MessageBox.h"
#include "skin/PageFont.h"
#include "skin/PictureFile.h"
#include "skin/ReadingOrder.h"
#include "skin/SkinRadioButton.h"
#include "skin/WizardCommand.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>

namespace {

std::u16string u16(const QString& text)
{
    return text.toStdU16String();
}

QString qs(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

CPicDialog::CPicDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {}

CPicDialog::~CPicDialog()
{
    m_controls.clear();
}

void CPicDialog::setSkin(const std::filesystem::path& programFolder, const QString& pageSection)
{
    setSkinFile(programFolder / kSkinFileName);
    setImageFolder(m_skin.imageFolder(programFolder));
    setPageSection(pageSection);

    setFont(PageFont(m_skin.font(u"Main.Font")));
}

void CPicDialog::setSkinFile(const std::filesystem::path& iniPath)
{
    m_skin = SkinFile(iniPath);
}

void CPicDialog::setImageFolder(const std::filesystem::path& folder)
{
    m_imageFolder = folder;
}

void CPicDialog::setPageSection(const QString& section)
{
    m_pageSection = section;
    setObjectName(section);
}

QString CPicDialog::readText(const QString& section, const QString& key, const QString& fallback) const
{
    return qs(m_skin.readString(u16(section), u16(key), u16(fallback)));
}

int CPicDialog::readNumber(const QString& section, const QString& key, const QString& fallback) const
{
    return m_skin.readInt(u16(section), u16(key), u16(fallback));
}

QString CPicDialog::imagePath(const QString& file) const
{
    return qs(PicturePath(m_imageFolder, u16(file)).u16string());
}

QString CPicDialog::BackgroundPath(const SkinFile& skin, const std::filesystem::path& imageFolder,
                                   const QString& pageSection)
{
    const std::u16string file = skin.readString(u16(pageSection), u"background", u"");
    return file.empty() ? QString() : qs(PicturePath(imageFolder, file).u16string());
}

int CPicDialog::LoadBackground()
{
    const QString path = BackgroundPath(m_skin, m_imageFolder, m_pageSection);
    if (path.isEmpty())
        return 0;
    QPixmap picture = LoadPictureForRatio(path, devicePixelRatioF());
    if (picture.isNull())
        return 0;
    m_background = picture;
    const QSize size = m_background.deviceIndependentSize().toSize();
    setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    }
    update();
    return 1;
}

bool CPicDialog::mayAdd(const QString& section, int id) const
{
    return !section.isEmpty() && !FindItem(id);
}

QRect CPicDialog::placement(const QString& section) const
{
    const SkinRect rect = m_skin.placement(u16(section));
    return QRect(rect.x, rect.y, rect.w, rect.h);
}

void CPicDialog::add(ControlKind kind, int id, const QString& section, QWidget* control, const QRect& rect)
{
    control->setObjectName(section);
    control->setProperty("controlId", id);
    auto item = std::make_unique<ControlItem>();
    item->kind = kind;
    item->id = id;
    item->control.reset(control);
    item->rect = rect;
    m_controls.push_back(std::move(item));
}

void CPicDialog::postCommand(int id, int code)
{
    QCoreApplication::postEvent(this, new ControlCommandEvent(id, code));
}

int CPicDialog::AddPicButton(int id, const QString& section)
{
    if (!mayAdd(section, id))
        return 0;
    const QString normal = readText(section, QStringLiteral("normalImage"), QString());
    if (normal.isEmpty())
        return 0;
    auto* button = new CPicButton(id, this, this);
    button->LoadImages(imagePath(normal),
                       imagePath(readText(section, QStringLiteral("downImage"), QString())),
                       imagePath(readText(section, QStringLiteral("hoverImage"), QString())),
                       imagePath(readText(section, QStringLiteral("disableImage"), QString())));
    const QRect rect = placement(section);
    button->setGeometry(rect);
    button->show();
    const QString tip = readText(section, QStringLiteral("tip"), QString());
    if (!tip.isEmpty())
        button->SetTip(tip);
    add(ControlKind::PicButton, id, section, button, rect);
    return 1;
}

int CPicDialog::AddPushButton(int id, const QString& section)
{
    if (!mayAdd(section, id))
        return 0;
    auto* button = new QPushButton(readText(section, QStringLiteral("Caption"), QString()), this);
    // Enter must not press a button behind the page's back.
    button->setAutoDefault(false);
    const QRect rect = placement(section);
    button->setGeometry(rect);
    button->show();
    connect(button, &QPushButton::clicked, this,
            [this, id] { postCommand(id, ControlCommandEvent::kClicked); });
    add(ControlKind::PushButton, id, section, button, rect);
    return 1;
}

int CPicDialog::AddPicText(const QString& section, int id, int visible)
{
    if (!mayAdd(section, id))
        return 0;
    const QRect rect = placement(section);
    const unsigned style = readNumber(section, QStringLiteral("password"), QStringLiteral("0")) != 0
                               ? CPicText::kPasswordStyle
                               : 0;
    auto* text = new CPicText(id, style, this);
    text->setGeometry(rect);
    text->SetText(readText(section, QStringLiteral("caption"), QString()));
    text->setVisible(visible != 0);
    add(ControlKind::PicText, id, section, text, rect);
    return 1;
}

int CPicDialog::AddEdit(const QString& section, int id)
{
    if (!mayAdd(section, id))
        return 0;
    const QRect rect = placement(section);
    auto* edit = new QLineEdit(this);
    edit->setGeometry(rect);
    edit->setProperty("autohscroll",
                      readNumber(section, QStringLiteral("autohscroll"), QStringLiteral("0")) != 0);
    if (readNumber(section, QStringLiteral("password"), QStringLiteral("0")) != 0)
        edit->setEchoMode(QLineEdit::Password);
    const int maxLength = readNumber(section, QStringLiteral("Maxlen"), QStringLiteral("0"));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->show();
    connect(edit, &QLineEdit::textChanged, this,
            [this, id] { postCommand(id, ControlCommandEvent::kTextChanged); });
    add(ControlKind::Edit, id, section, edit, rect);
    return 1;
}

int CPicDialog::AddCheckBox(const QString& section, int id)
{
    if (!mayAdd(section, id))
        return 0;
    const QRect rect = placement(section);
    auto* box = new QCheckBox(readText(section, QStringLiteral("caption"), QString()), this);
    box->setGeometry(rect);
    box->show();
    connect(box, &QCheckBox::clicked, this, [this, id] { postCommand(id, ControlCommandEvent::kClicked); });
    add(ControlKind::CheckBox, id, section, box, rect);
    return 1;
}

int CPicDialog::AddRadio(const QString& section, int id, const QString& defaultCaption)
{
    if (!mayAdd(section, id))
        return 0;
    const QRect rect = placement(section);
    auto* radio = new SkinRadioButton(readText(section, QStringLiteral("caption"), defaultCaption), this);
    radio->setGeometry(rect);
    radio->show();
    connect(radio, &QRadioButton::clicked, this,
            [this, id] { postCommand(id, ControlCommandEvent::kClicked); });
    add(ControlKind::Radio, id, section, radio, rect);
    return 1;
}

int CPicDialog::AddDropDown(const QString& section, int id)
{
    if (!mayAdd(section, id))
        return 0;
    const int fontHeight = QFontInfo(font()).pixelSize();
    // A drop-down list reads no "h": its open height follows the font.
    QRect rect = placement(section);
    rect.setHeight((fontHeight + 4) * 10);
    auto* box = new QComboBox(this);
    // The closed box is as tall as its font needs; the rectangle's height is what the open list
    // may take.
    box->setGeometry(rect.x(), rect.y(), rect.width(), box->sizeHint().height());
    box->setMaxVisibleItems(qMax(1, rect.height() / qMax(1, fontHeight + 8)));
    for (const std::u16string& item : m_skin.dropDownItems(u16(section)))
        box->addItem(qs(item));
    box->setCurrentIndex(readNumber(section, QStringLiteral("default"), QStringLiteral("0")));
    box->show();
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, id] { postCommand(id, ControlCommandEvent::kSelectionChanged); });
    add(ControlKind::ProgressOrDropDown, id, section, box, rect);
    return 1;
}

int CPicDialog::AddProgress(const QString& section)
{
    if (!mayAdd(section, kProgressId))
        return 0;
    const QRect rect = placement(section);
    auto* bar = new QProgressBar(this);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setGeometry(rect);
    bar->show();
    add(ControlKind::ProgressOrDropDown, kProgressId, section, bar, rect);
    return 1;
}

int CPicDialog::AddCameraList(unsigned style)
{
    const QString section = QStringLiteral("DlgListCam.ListCtrl");
    if (!mayAdd(section, kCameraListId))
        return 0;
    const QRect rect = placement(section);
    auto* list = new QTableWidget(this);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode((style & kListSingleSelection) ? QAbstractItemView::SingleSelection
                                                          : QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->setWordWrap(false);
    // Tab leaves the list for the next control; the arrow keys move between cameras.
    list->setTabKeyNavigation(false);
    list->setItemDelegate(new CutCellTipDelegate(list));
    list->verticalHeader()->hide();
    list->setHorizontalHeader(new ListHeader(list));
    list->horizontalHeader()->setVisible(!(style & kListNoColumnHeader));
    list->setGeometry(rect);
    list->show();
    new FocusOutline(list);
    connect(list, &QTableWidget::itemSelectionChanged, this,
            [this] { postCommand(kCameraListId, ControlCommandEvent::kSelectionChanged); });
    add(ControlKind::CameraList, kCameraListId, section, list, rect);
    return 1;
}

int CPicDialog::ShowMessage(int number, unsigned flags)
{
    QString text = qs(m_skin.messageText(number));
    // Qt labels break lines at LF only.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return MessageBox::show(this, text, flags);
}

void CPicDialog::RepaintControls()
{
    for (const auto& item : m_controls) {
        QWidget* control = item->control.get();
        switch (item->kind) {
        case ControlKind::PicButton:
            static_cast<CPicButton*>(control)->Redraw();
            break;
        case ControlKind::PicText:
            if (control->isVisible())
                static_cast<CPicText*>(control)->Redraw();
            break;
        default:
            control->update();
            break;
        }
    }
}

const ControlItem* CPicDialog::FindItem(int id) const
{
    for (const auto& item : m_controls) {
        if (item->id == id)
            return item.get();
    }
    return nullptr;
}

QWidget* CPicDialog::FindControl(int id) const
{
    const ControlItem* item = FindItem(id);
    return item ? item->control.get() : nullptr;
}

void CPicDialog::OnCommand(int id, int code)
{
    emit command(id, code);
}

bool CPicDialog::event(QEvent* event)
{
    if (event->type() == ControlCommandEvent::kType) {
        const auto* commandEvent = static_cast<ControlCommandEvent*>(event);
        OnCommand(commandEvent->id(), commandEvent->code());
        return true;
    }
    return QDialog::event(event);
}

void CPicDialog::paintEvent(QPaintEvent*)
{
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

// Closing a page is leaving the wizard; the main window decides, the page stays until then.
void CPicDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    PostWizardCommand(parentWidget(), WIZ_EXIT);
}

void CPicDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        ApplyReadingOrder();
        if (!focusWidget())
            FocusFirstControl();
        NameControls();
        m_pressGuard.arm();
    }
    QDialog::showEvent(event);
}

std::vector<QWidget*> CPicDialog::controlsInReadingOrder() const
{
    std::vector<QWidget*> controls;
    std::vector<QRect> places;
    for (const auto& item : m_controls) {
        if (item->kind == ControlKind::PicText)
            continue;
        controls.push_back(item->control.get());
        places.push_back(item->control->geometry());
    }
    std::vector<QWidget*> ordered;
    for (size_t index : ReadingOrder(places))
        ordered.push_back(controls[index]);
    return ordered;
}

void CPicDialog::ApplyReadingOrder()
{
    const std::vector<QWidget*> controls = controlsInReadingOrder();
    // Qt leaves out controls that take no focus just now (a disabled picture button); they get
    // their place all the same, for when they take the focus again.
    std::vector<Qt::FocusPolicy> policies;
    for (QWidget* control : controls) {
        policies.push_back(control->focusPolicy());
        if (policies.back() == Qt::NoFocus)
            control->setFocusPolicy(Qt::TabFocus);
    }
    for (size_t i = 1; i < controls.size(); ++i)
        setTabOrder(controls[i - 1], controls[i]);
    for (size_t i = 0; i < controls.size(); ++i)
        controls[i]->setFocusPolicy(policies[i]);
}

void CPicDialog::FocusFirstControl()
{
    // Qt would start with the first control built, which need not be the first one read.
    for (QWidget* control : controlsInReadingOrder()) {
        if (control->isEnabled() && !control->isHidden() && (control->focusPolicy() & Qt::TabFocus)) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QString CPicDialog::labelBeside(const QRect& rect) const
{
    // Further away than this a label belongs to something else.
    constexpr int kMaxGap = 48;
    QString best;
    int bestGap = kMaxGap + 1;
    for (const auto& item : m_controls) {
        const auto* label = qobject_cast<const CPicText*>(item->control.get());
        if (!label || label->isHidden() || label->text().isEmpty())
            continue;
        const QRect place = label->geometry();
        const bool sameRow = place.top() <= rect.bottom() && rect.top() <= place.bottom();
        const bool sameColumn = place.left() <= rect.right() && rect.left() <= place.right();
        int gap = -1;
        if (sameRow && place.right() < rect.left())
            gap = rect.left() - place.right();
        else if (sameColumn && place.bottom() < rect.top())
            gap = rect.top() - place.bottom();
        if (gap >= 0 && gap < bestGap) {
            bestGap = gap;
            best = label->text();
        }
    }
    return best;
}

QString CPicDialog::accessibleNameFor(const ControlItem& item) const
{
    const QString section = item.control->objectName();
    for (const QString& key : {QStringLiteral("name"), QStringLiteral("caption")}) {
        const QString text = readText(section, key, QString());
        if (!text.isEmpty())
            return text;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(item.control.get());
        button && !button->text().isEmpty())
        return button->text();
    if (const auto* label = qobject_cast<const CPicText*>(item.control.get());
        label && !label->text().isEmpty())
        return label->text();
    const QString beside = labelBeside(item.control->geometry());
    if (!beside.isEmpty())
        return beside;
    const QString tip = item.control->toolTip();
    if (!tip.isEmpty())
        return tip;
    // A skin that says nothing about the control: its part of the section name.
    return section.mid(section.indexOf(QLatin1Char('.')) + 1);
}

void CPicDialog::NameControls()
{
    for (const auto& item : m_controls) {
        if (item->control->accessibleName().isEmpty())
            item->control->setAccessibleName(accessibleNameFor(*item));
    }
}

void CPicDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterOrEscape(event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}
