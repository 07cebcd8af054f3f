// SPDX-License-Identifier: Apache-2.0
#include "wizard/SilentSearchText.h"

#include "device/CDeviceManager.h"
#include "skin/SkinFile.h"

#include <QStringList>

namespace {

QString SkinText(const SkinFile& skin, std::u16string_view key, std::u16string_view fallback)
{
    return QString::fromStdU16String(skin.readString(u"DlgListCam.ListCtrl", key, fallback));
}

} // namespace

QString SilentSearchText(const SkinFile& skin, const std::vector<AdapterSearchFigures>& searched)
{
    if (searched.empty())
        return SkinText(skin, u"no_adapter_text",
                        u"This PC has no network adapter with an address to search on. Connect it to the "
                        u"cameras' network, then press Search.");
    QStringList adapters;
    for (const AdapterSearchFigures& adapter : searched)
        adapters << QStringLiteral("%1 (%2)").arg(QString::fromStdString(adapter.interfaceName),
                                                  QString::fromStdU16String(adapter.ipText));
    const QString none = SkinText(skin, u"empty_adapters_text", u"No camera answered on %1.");
    const QString causes = SkinText(skin, u"silence_causes_text",
                                    u"Check that the camera is powered and its cable plugged in, then press "
                                    u"Search. A firewall on this PC may also drop the answers; this rule lets "
                                    u"them in:");
    // The README's rule for nftables, on a line of its own so that it can be copied whole.
    const QString rule =
        SkinText(skin, u"firewall_rule_text", u"nft add rule inet filter input udp sport 62976 accept");
    return none.arg(adapters.join(QStringLiteral(", "))) + QStringLiteral("\n\n") + causes +
           QStringLiteral("\n") + rule;
}
