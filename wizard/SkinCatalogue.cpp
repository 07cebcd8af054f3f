// SPDX-License-Identifier: Apache-2.0
#include "wizard/SkinCatalogue.h"

#include "wizard/CDlgAbout.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"
#include "wizard/CDlgNetWorkFinish.h"
#include "wizard/CDlgWPSSetting.h"
#include "wizard/CDlgWireless.h"
#include "wizard/CDlgWirelessFinish.h"
#include "wizard/CDlgWirelessFinishNew.h"
#include "wizard/CDlgWirelessKey.h"
#include "wizard/CDlgWirelessNew.h"
#include "wizard/CDlgWirelessSelect.h"

namespace {

// The camera list first: the page that a program shows first.
constexpr SkinPageSpec kPages[] = {
    CDlgListCam::kSkinPage,           CDlgIdPwd::kSkinPage,          CDlgNetWork::kSkinPage,
    CDlgNetWorkFinish::kSkinPage,     CDlgWirelessSelect::kSkinPage, CDlgWireless::kSkinPage,
    CDlgWirelessKey::kSkinPage,       CDlgWirelessFinish::kSkinPage, CDlgWirelessNew::kSkinPage,
    CDlgWirelessFinishNew::kSkinPage, CDlgWPSSetting::kSkinPage,     CDlgAbout::kSkinPage,
};

// clang-format off
constexpr int kMessageNumbers[] = {
    4, 22, 62, 67, 68,      // an operation refused, a template missing, a value too long, a lost answer
    2000, 2001,             // no answer, no push button: operation details, shown as 500 + detail
    16, 18, 63, 64,         // the login page's new password
    54, 55, 56, 57, 58,     // the network page's addresses
    20, 30, 31, 32, 33, 69, // the wireless pages' SSID and keys
    65, 70,                 // the camera's web page
    66,                     // leaving while an operation runs
    2002, 2003, 2004, 2005, // WPS
};
// clang-format on

} // namespace

std::span<const SkinPageSpec> SkinPages()
{
    return kPages;
}

std::span<const int> SkinMessageNumbers()
{
    return kMessageNumbers;
}
