// SPDX-License-Identifier: Apache-2.0
// Opens every page of a skin as an empty skinned page with all its controls and saves each as
// a PNG, so that a skin can be reviewed without running the wizard (which would search the
// network). The WPS page is saved twice, once per method, as only one set of its notes shows.
//
//   quillane-skinshot OUTPUT_FOLDER [PROGRAM_FOLDER]    (run with QT_QPA_PLATFORM=offscreen)
// PROGRAM_FOLDER holds Quillane.ini and the image folder; by default the folder of this program.

#include "platform/ProgramFolder.h"
#include "skin/BuildSkinPage.h"
#include "skin/CPicDialog.h"
#include "wizard/SkinCatalogue.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTableWidget>
#include <cstdio>

namespace {

// Made-up cameras so the list shows rows; addresses from the benchmarking range.
void fillSampleRows(CPicDialog& page)
{
    auto* list = qobject_cast<QTableWidget*>(page.FindControl(CPicDialog::kCameraListId));
    if (!list)
        return;
    const char* rows[][4] = {
        {"QC-210 Dome", "Entrance", "198.18.0.21", "00:1A:2B:3C:4D:01"},
        {"QC-400W Bullet", "Car park", "198.18.0.34", "00:1A:2B:3C:4D:02"},
        {"QC-120 Cube", "Reception", "198.19.4.7", "00:1A:2B:3C:4D:03"},
    };
    for (const auto& row : rows) {
        const int r = list->rowCount();
        list->insertRow(r);
        for (int c = 0; c < list->columnCount(); ++c) {
            const QString caption =
                list->horizontalHeaderItem(c) ? list->horizontalHeaderItem(c)->text() : QString();
            int field = 0;
            if (caption.contains(QLatin1String("IP")))
                field = 2;
            else if (caption.contains(QLatin1String("MAC")))
                field = 3;
            else if (caption.contains(QLatin1String("Name")))
                field = 1;
            list->setItem(r, c, new QTableWidgetItem(QString::fromLatin1(row[field])));
        }
    }
    list->selectRow(0);
}

// Hides the notes, buttons and PIN field of the other method; the method radios stay.
void showOnly(CPicDialog& page, const QString& hiddenMethod)
{
    for (const auto& item : page.controls()) {
        const QString name = item->control->objectName().section(QLatin1Char('.'), 1);
        if (name.startsWith(QLatin1String("OPT")))
            continue;
        if (name.contains(hiddenMethod))
            item->control->setVisible(false);
    }
}

bool shoot(const std::filesystem::path& programFolder, const SkinPageSpec& pageSpec, const QDir& out,
           const QString& hiddenPart, const QString& fileName)
{
    CPicDialog page;
    page.setSkin(programFolder, QStringView(pageSpec.section).toString());
    if (!page.LoadBackground())
        std::fprintf(stderr, "quillane-skinshot: %s has no background\n", qPrintable(page.pageSection()));
    const int built = BuildSkinPage(page, pageSpec);
    if (built != static_cast<int>(pageSpec.controls.size()))
        std::fprintf(stderr, "quillane-skinshot: %s: %d of %zu controls built\n",
                     qPrintable(page.pageSection()), built, pageSpec.controls.size());
    fillSampleRows(page);
    if (!hiddenPart.isEmpty())
        showOnly(page, hiddenPart);
    page.show();
    QApplication::processEvents();
    const QString path = out.filePath(fileName);
    if (!page.grab().save(path, "PNG")) {
        std::fprintf(stderr, "quillane-skinshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: quillane-skinshot OUTPUT_FOLDER [PROGRAM_FOLDER]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    const std::filesystem::path programFolder = argc == 3 ? std::filesystem::path(argv[2]) : ProgramFolder();
    bool ok = true;
    for (const SkinPageSpec& pageSpec : SkinPages()) {
        const QString name = QStringView(pageSpec.section).toString();
        if (pageSpec.section == u"DlgWPSSET") {
            ok &=
                shoot(programFolder, pageSpec, out, QStringLiteral("PIN"), name + QStringLiteral("_pbc.png"));
            ok &=
                shoot(programFolder, pageSpec, out, QStringLiteral("PBC"), name + QStringLiteral("_pin.png"));
        } else {
            ok &= shoot(programFolder, pageSpec, out, QString(), name + QStringLiteral(".png"));
        }
    }
    return ok ? 0 : 1;
}
