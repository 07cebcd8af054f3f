// SPDX-License-Identifier: Apache-2.0
#include "skin/SkinCatalogue.h"

namespace {

using K = SkinControlKind;

std::u16string indexed(std::u16string_view stem, int n)
{
    return std::u16string(stem) + static_cast<char16_t>(u'0' + n);
}

std::vector<SkinControlSpec> buttons(bool exit = true)
{
    std::vector<SkinControlSpec> list;
    if (exit)
        list.push_back({K::PicButton, 1001, u"Exit", {}});
    list.push_back({K::PicButton, 1002, u"Back", {}});
    list.push_back({K::PicButton, 1003, u"Next", {}});
    return list;
}

void append(std::vector<SkinControlSpec>& to, std::vector<SkinControlSpec> more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// Account and address fields shared by the summary pages.
std::vector<SkinControlSpec> summaryFields()
{
    return {
        {K::Edit, 1101, u"ADMID", {}},         {K::Edit, 1102, u"ADMPWD", {}},
        {K::Edit, 1106, u"IPADDR", {}},        {K::Edit, 1107, u"SUBMASK", {}},
        {K::Edit, 1108, u"GATEWAY", {}},       {K::Edit, 1109, u"PRIDNS", {}},
        {K::Edit, 1110, u"SECDNS", {}},        {K::PicText, 1309, u"LABADMID", {}},
        {K::PicText, 1310, u"LABADMPWD", {}},  {K::PicText, 1304, u"LABIPADDR", {}},
        {K::PicText, 1305, u"LABSUBMASK", {}}, {K::PicText, 1306, u"LABGATEWAY", {}},
        {K::PicText, 1307, u"LABPRIDNS", {}},  {K::PicText, 1308, u"LABSECDNS", {}},
    };
}

std::vector<SkinControlSpec> wirelessSummaryFields(bool newPages)
{
    std::vector<SkinControlSpec> list = {
        {K::Edit, 1111, u"Wireless", {}},   {K::Edit, 1113, u"SSID", {}},
        {K::Edit, 1114, u"CHANNEL", {}},    {K::PicText, 1311, u"LABWireless", {}},
        {K::PicText, 1312, u"LABSSID", {}}, {K::PicText, 1313, u"LABCHANNEL", {}},
        {K::PicText, 1314, u"LABKEY1", {}},
    };
    if (newPages) {
        append(list, {{K::Edit, 1120, u"AUTH", {}},
                      {K::Edit, 1121, u"ENCRYPT", {}},
                      {K::Edit, 1115, u"KEY", {}},
                      {K::PicText, 1318, u"LABAUTH", {}},
                      {K::PicText, 1319, u"LABENCRYPT", {}}});
        return list;
    }
    for (int n = 1; n <= 4; ++n)
        list.push_back({K::Edit, 1114 + n, indexed(u"KEY", n), {}});
    for (int n = 2; n <= 4; ++n)
        list.push_back({K::PicText, 1313 + n, indexed(u"LABKEY", n), {}});
    append(list, {{K::Edit, 1119, u"PKEY", {}}, {K::PicText, 1318, u"LABPKEY", {}}});
    return list;
}

std::vector<SkinPageSpec> build()
{
    std::vector<SkinPageSpec> pages;

    pages.push_back({u"DlgListCam",
                     {{K::PicButton, 1001, u"Exit", {}},
                      {K::PicButton, 1003, u"Next", {}},
                      {K::PicButton, 1004, u"Search", {}},
                      {K::PicButton, 1005, u"Link", {}},
                      {K::PicButton, 1009, u"MAbout", {}},
                      {K::PicButton, 1011, u"WPS", {}},
                      {K::CameraList, 1201, u"ListCtrl", {}}}});

    SkinPageSpec login{u"DlgIdPwd", buttons()};
    append(login.controls, {{K::Edit, 1101, u"ADMID", {}},
                            {K::Edit, 1102, u"ADMPWD", {}},
                            {K::Edit, 1103, u"NEWID", {}},
                            {K::Edit, 1106, u"CHKID", {}},
                            {K::Edit, 1104, u"NEWPWD", {}},
                            {K::Edit, 1105, u"CHKPWD", {}},
                            {K::CheckBox, 1201, u"CKBXID", {}},
                            {K::CheckBox, 1202, u"CKBXPWD", {}}});
    pages.push_back(login);

    SkinPageSpec network{u"DlgNetWork", buttons()};
    append(network.controls, {{K::PicText, 1304, u"LABIPADDR", {}},
                              {K::PicText, 1305, u"LABSUBMASK", {}},
                              {K::PicText, 1306, u"LABGATEWAY", {}},
                              {K::PicText, 1307, u"LABPRIDNS", {}},
                              {K::PicText, 1308, u"LABSECDNS", {}},
                              {K::Edit, 1106, u"IPADDR", {}},
                              {K::Edit, 1107, u"SUBMASK", {}},
                              {K::Edit, 1108, u"GATEWAY", {}},
                              {K::Edit, 1109, u"PRIDNS", {}},
                              {K::Edit, 1110, u"SECDNS", {}},
                              {K::Radio, 1203, u"DHCPON", u"enable"},
                              {K::Radio, 1204, u"DHCPOFF", u"disable"}});
    pages.push_back(network);

    SkinPageSpec networkSummary{u"DlgNetWorkFinish", buttons()};
    append(networkSummary.controls, summaryFields());
    pages.push_back(networkSummary);

    SkinPageSpec choice{u"DlgWirelessSele", buttons()};
    append(choice.controls,
           {{K::Radio, 1219, u"WPS", u"WPS"}, {K::Radio, 1220, u"Wireless", u"Standard wireless settings"}});
    pages.push_back(choice);

    SkinPageSpec wireless{u"DlgWireless", buttons()};
    append(wireless.controls, {{K::Edit, 1113, u"SSID", {}},
                               {K::DropDown, 1114, u"CHANNEL", {}},
                               {K::DropDown, 1215, u"SecurityMode", {}},
                               {K::Radio, 1207, u"WLanON", u"Enable"},
                               {K::Radio, 1208, u"WLanOFF", u"Disable"},
                               {K::Radio, 1209, u"Infrastructure", u"Infrastructure"},
                               {K::Radio, 1210, u"Adhoc", u"Adhoc"},
                               {K::Radio, 1211, u"Open", u"Open"},
                               {K::Radio, 1212, u"Shared", u"Shared"},
                               {K::Radio, 1213, u"Both", u"Both"}});
    pages.push_back(wireless);

    SkinPageSpec keys{u"DlgWirelessKey", buttons()};
    append(keys.controls, {{K::DropDown, 1216, u"KEYLEN", {}},
                           {K::DropDown, 1217, u"KEYFORMAT", {}},
                           {K::DropDown, 1218, u"DEFKEY", {}}});
    for (int n = 1; n <= 4; ++n)
        keys.controls.push_back({K::Edit, 1114 + n, indexed(u"KEY", n), {}});
    keys.controls.push_back({K::Edit, 1119, u"PKEY", {}});
    pages.push_back(keys);

    SkinPageSpec wirelessSummary{u"DlgWirelessFinish", buttons(false)};
    append(wirelessSummary.controls, summaryFields());
    append(wirelessSummary.controls, wirelessSummaryFields(false));
    pages.push_back(wirelessSummary);

    SkinPageSpec wirelessNew{u"DlgWirelessNEW", buttons()};
    append(wirelessNew.controls, {{K::Edit, 1113, u"SSID", {}},
                                  {K::Edit, 1115, u"KEY", {}},
                                  {K::DropDown, 1114, u"CHANNEL", {}},
                                  {K::Radio, 1207, u"WLanON", u"Enable"},
                                  {K::Radio, 1208, u"WLanOFF", u"Disable"},
                                  {K::DropDown, 1219, u"Authentication", {}},
                                  {K::DropDown, 1220, u"Encryption", {}},
                                  {K::Radio, 1209, u"Infrastructure", u"Infrastructure"},
                                  {K::Radio, 1210, u"Adhoc", u"Adhoc"}});
    pages.push_back(wirelessNew);

    SkinPageSpec wirelessNewSummary{u"DlgWirelessFinishNEW", buttons()};
    append(wirelessNewSummary.controls, summaryFields());
    append(wirelessNewSummary.controls, wirelessSummaryFields(true));
    pages.push_back(wirelessNewSummary);

    SkinPageSpec wps{u"DlgWPSSET", buttons()};
    append(wps.controls, {{K::PicButton, 1324, u"BUTPBCPUSH", {}},
                          {K::PicButton, 1325, u"BUTPINSTART", {}},
                          {K::PushButton, 1337, u"BUTPINREFALSH", {}},
                          {K::PushButton, 1338, u"BUTPINCOPY", {}},
                          {K::Progress, 1202, u"ProgressCtrl", {}},
                          {K::Edit, 1319, u"EDITPIN", {}},
                          {K::Edit, 1101, u"ADMID", {}},
                          {K::Edit, 1102, u"ADMPWD", {}},
                          {K::Radio, 1322, u"OPTPBC", u"Enable"},
                          {K::Radio, 1323, u"OPTPIN", u"Disable"},
                          {K::PicText, 1320, u"LABSelect", {}},
                          {K::PicText, 1309, u"LABADMID", {}},
                          {K::PicText, 1310, u"LABADMPWD", {}}});
    for (int n = 1; n <= 5; ++n)
        wps.controls.push_back({K::PicText, 1325 + n, indexed(u"LABPBCNOTE", n), {}});
    wps.controls.push_back({K::PicText, 1339, u"LABPBCNOTE6", {}});
    for (int n = 1; n <= 5; ++n)
        wps.controls.push_back({K::PicText, 1330 + n, indexed(u"LABPINNOTE", n), {}});
    pages.push_back(wps);

    pages.push_back({u"DlgAbout",
                     {{K::PicButton, 1003, u"Next", {}},
                      {K::PicText, 1301, u"Project", {}},
                      {K::PicText, 1302, u"Ver", {}},
                      {K::PicText, 1303, u"Creat", {}}}});
    return pages;
}

} // namespace

const std::vector<SkinPageSpec>& SkinPages()
{
    static const std::vector<SkinPageSpec> pages = build();
    return pages;
}

const std::vector<int>& SkinMessageNumbers()
{
    static const std::vector<int> numbers = {4,  16, 18, 20, 22, 30, 31,   32,   33,   54,   55,   56,  57,
                                             58, 62, 63, 64, 65, 69, 2000, 2001, 2002, 2003, 2004, 2005};
    return numbers;
}
