// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/ControlItem.h"
#include "skin/FirstShown.h"
#include "skin/PressGuard.h"
#include "skin/SkinFile.h"

#include <QDialog>
#include <QPixmap>
#include <filesystem>
#include <memory>
#include <vector>

// The base of every wizard page: a frameless dialog that paints its background picture and
// builds its controls from the skin file. Each control keeps its numeric ID (FindControl) and
// gets its skin section as object name. Clicks and changes of the controls arrive, posted, in
// OnCommand. When the page is shown, Tab walks its controls in reading order, every control
// carries an accessible name, and presses are ignored for a double-click interval (PressGuard).
class CPicDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kCameraListId = 1201;
    static constexpr int kProgressId = 1202;

    // Camera list styles.
    static constexpr unsigned kListSingleSelection = 0x0004;
    static constexpr unsigned kListNoColumnHeader = 0x4000;

    explicit CPicDialog(QWidget* parent = nullptr);
    ~CPicDialog() override;

    // Reads Quillane.ini beside the program, its image folder, and the page font of "Main.Font".
    void setSkin(const std::filesystem::path& programFolder, const QString& pageSection);
    void setSkinFile(const std::filesystem::path& iniPath);
    void setImageFolder(const std::filesystem::path& folder);
    void setPageSection(const QString& section);

    const SkinFile& skin() const { return m_skin; }
    const std::filesystem::path& imageFolder() const { return m_imageFolder; }
    const QString& pageSection() const { return m_pageSection; }
    const QPixmap& background() const { return m_background; }
    const std::vector<std::unique_ptr<ControlItem>>& controls() const { return m_controls; }

    int LoadBackground();
    // The picture file that LoadBackground reads for a page; empty when the page has none.
    static QString BackgroundPath(const SkinFile& skin, const std::filesystem::path& imageFolder,
                                  const QString& pageSection);
    int AddPicButton(int id, const QString& section);
    int AddPushButton(int id, const QString& section);
    int AddPicText(const QString& section, int id, int visible);
    int AddEdit(const QString& section, int id);
    int AddCheckBox(const QString& section, int id);
    int AddRadio(const QString& section, int id, const QString& defaultCaption);
    int AddDropDown(const QString& section, int id);
    int AddProgress(const QString& section);
    int AddCameraList(unsigned style);

    int ShowMessage(int number, unsigned flags);
    void RepaintControls();
    QWidget* FindControl(int id) const;
    // Puts the controls into the Tab order in which a person reads them; done on every show.
    void ApplyReadingOrder();
    // The first control in reading order that can take the focus gets it; on show, when the
    // page has not chosen one.
    void FocusFirstControl();
    // Names every control that has no accessible name yet: the skin's "name" key, else its
    // caption, else the label beside or above it, else its tip.
    void NameControls();
    const PressGuard& pressGuard() const { return m_pressGuard; }
    // When the page's first picture is on the screen.
    const FirstShown& firstShown() const { return m_firstShown; }
    const ControlItem* FindItem(int id) const;

    QString readText(const QString& section, const QString& key, const QString& fallback) const;
    int readNumber(const QString& section, const QString& key, const QString& fallback) const;

signals:
    void command(int id, int code);

protected:
    // Default: emits command(). Pages override it to act on their controls.
    virtual void OnCommand(int id, int code);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool mayAdd(const QString& section, int id) const;
    QRect placement(const QString& section) const;
    void add(ControlKind kind, int id, const QString& section, QWidget* control, const QRect& rect);
    void postCommand(int id, int code);
    QString imagePath(const QString& file) const;
    std::vector<QWidget*> controlsInReadingOrder() const;
    QString accessibleNameFor(const ControlItem& item) const;
    QString labelBeside(const QRect& rect) const;

    SkinFile m_skin;
    std::filesystem::path m_imageFolder;
    QString m_pageSection;
    QPixmap m_background;
    std::vector<std::unique_ptr<ControlItem>> m_controls;
    PressGuard m_pressGuard{this};
    FirstShown m_firstShown{this};
};
