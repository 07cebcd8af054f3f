// SPDX-License-Identifier: Apache-2.0
// How long a page takes to build when its skin gives a drop-down list many items: the default
// skin with COUNT items in the one-page wireless set-up's channel list, read and parsed, then
// the page built from it as the wizard builds it.
//   QT_QPA_PLATFORM=offscreen quillane_skin_page_bench [COUNT ...]   (default 1000 30000 300000)

#include "skin/BuildSkinPage.h"
#include "skin/CPicDialog.h"
#include "skin/SkinFile.h"
#include "wizard/SkinCatalogue.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path kDefaultSkin = QUILLANE_DEFAULT_SKIN;
const std::string kListSection = "[DlgWirelessNEW.CHANNEL]\n";

// The default skin with `count` items in the channel list's section.
std::string SkinWithItems(int count)
{
    std::ifstream in(kDefaultSkin / kSkinFileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string skin = text.str();
    // One letter each, so that 300,000 of them stay within the skin's size limit.
    std::string items;
    for (int i = 0; i < count; ++i)
        items += "text" + std::to_string(i) + "=" + static_cast<char>('a' + i % 26) + "\n";
    const std::size_t at = skin.find(kListSection);
    if (at == std::string::npos) {
        std::fprintf(stderr, "skin_page_bench: the default skin has no %s", kListSection.c_str());
        std::exit(1);
    }
    skin.insert(at + kListSection.size(), items);
    return skin;
}

const SkinPageSpec& OnePageWireless()
{
    for (const SkinPageSpec& page : SkinPages()) {
        if (page.section == u"DlgWirelessNEW")
            return page;
    }
    std::abort();
}

void Measure(int count)
{
    QTemporaryDir folder;
    const std::filesystem::path programFolder = folder.path().toStdString();
    std::filesystem::create_directory_symlink(kDefaultSkin / "Image", programFolder / "Image");
    const std::string skin = SkinWithItems(count);
    if (skin.size() > SkinFile::kMaxFileBytes)
        std::fprintf(stderr, "skin_page_bench: %d items make the skin too large to read\n", count);
    std::ofstream(programFolder / kSkinFileName, std::ios::binary) << skin;

    QElapsedTimer clock;
    clock.start();
    const SkinFile file(programFolder / kSkinFileName);
    const qint64 readMs = clock.elapsed();

    clock.restart();
    CPicDialog page;
    page.setSkin(programFolder, QStringLiteral("DlgWirelessNEW"));
    page.LoadBackground();
    BuildSkinPage(page, OnePageWireless());
    page.ApplyReadingOrder();
    const qint64 buildMs = clock.elapsed();
    const auto* list = page.findChild<QComboBox*>(QStringLiteral("DlgWirelessNEW.CHANNEL"));
    std::printf("%7d items (skin %5.1f MiB): skin read and parsed in %6lld ms, page built in %8lld ms, "
                "%d items in the list\n",
                count, static_cast<double>(skin.size()) / (1024 * 1024), static_cast<long long>(readMs),
                static_cast<long long>(buildMs), list ? list->count() : -1);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 30000, 300000};
    for (int count : counts)
        Measure(count);
    return 0;
}
