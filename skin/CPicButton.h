// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

// A button drawn entirely from four pictures (normal, pressed, hovered, disabled). A click
// reaches the owner as a posted ControlCommandEvent, and only when the press is released
// inside the button. The disabled state is the button's own flag, set by the page; the widget
// itself stays enabled. It is a tab stop: with the focus it shows a frame, and Space presses it.
class CPicButton : public QWidget
{
    Q_OBJECT
public:
    enum class Image
    {
        None,
        Normal,
        Down,
        Hover,
        Disabled
    };

    CPicButton(int id, QObject* owner, QWidget* parent);

    int id() const { return m_id; }

    void LoadImages(const QString& normal, const QString& down, const QString& hover,
                    const QString& disabled);
    void SetTip(const QString& text);
    void Redraw();
    // What a release inside the button, Space or a screen reader's press does; nothing while
    // disabled.
    void click();

    void setDisabledFlag(bool disabled);
    bool disabledFlag() const { return m_disabled; }
    bool hovered() const { return m_hovered; }
    bool pressed() const { return m_pressed; }

    // The state picture that Redraw draws now; None when that state has no picture.
    Image shownImage() const;
    const QPixmap& image(Image which) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A state picture is decoded when that state is first drawn: most buttons are never pressed
    // or hovered, and decoding them all would slow the first page down.
    struct StatePicture
    {
        QString path;
        QPixmap pixmap;
        bool decoded = false;
    };

    Image stateImage() const;
    void paintFocusFrame(QPainter& painter) const;

    int m_id;
    QObject* m_owner; // receives the commands; not owned
    mutable std::array<StatePicture, 4> m_pictures; // Normal, Down, Hover, Disabled
    bool m_disabled = false;
    bool m_hovered = false;
    bool m_pressed = false;
};
