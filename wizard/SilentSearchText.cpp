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

QString AdapterName(const AdapterSearchFigures& adapter)
{
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(adapter.interfaceName),
                                         QString::fromStdU16String(adapter.ipText));
}

} // namespace

QString SilentSearchText(const SkinFile& skin, const std::vector<AdapterSearchFigures>& searched)
{
    if (searched.empty())
        return SkinText(skin, u"no_adapter_text",
                        u"This PC has no network adapter with an address to search on. Connect it to the "
                        u"cameras' network, then press Search.");
    QStringList paragraphs;
    QStringList asked;
    // An adapter that could not send is told apart: no camera was asked there, and the system's
    // reason (a firewall refusing output reads "Operation not permitted") says what to fix.
    const QString unsent = SkinText(skin, u"unsent_text", u"No search request could be sent on %1: %2.");
    for (const AdapterSearchFigures& adapter : searched) {
        if (adapter.NothingSent())
            paragraphs << unsent.arg(AdapterName(adapter), qt_error_string(adapter.systemError));
        else
            asked << AdapterName(adapter);
    }
    if (asked.isEmpty())
        return paragraphs.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n") +
               SkinText(skin, u"unsent_causes_text",
                        u"Check that this PC's firewall lets the search out (UDP to port 62976, sent by "
                        u"broadcast), then press Search.");
    const QString none = SkinText(skin, u"empty_adapters_text", u"No camera answered on %1.");
    const QString causes = SkinText(skin, u"silence_causes_text",
                                    u"Check that the camera is powered and its cable plugged in, then press "
                                    u"Search. A firewall on this PC may also drop the answers; this rule lets "
                                    u"them in:");
    // The README's rule for nftables, on a line of its own so that it can be copied whole.
    const QString rule =
        SkinText(skin, u"firewall_rule_text", u"nft add rule inet filter input udp sport 62976 accept");
    paragraphs.prepend(none.arg(asked.join(QStringLiteral(", "))));
    return paragraphs.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n") + causes + QStringLiteral("\n") +
           rule;
}
