// SPDX-License-Identifier: Apache-2.0
// Any bytes as a skin file: the lookups a page makes, the placement of its controls and the
// picture files its image keys name, without a crash, a hang or an unbounded read.
#include "skin/PictureFile.h"
#include "skin/SkinFile.h"
#include "tests/fuzz/FuzzFolder.h"
#include "wizard/SkinCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

void ReadPicture(const SkinFile& skin, const std::filesystem::path& images, std::u16string_view section,
                 std::u16string_view key)
{
    const std::u16string file = skin.readString(section, key, u"");
    if (!file.empty())
        ReadPictureFile(PicturePath(images, file));
}

void ReadControl(const SkinFile& skin, const std::filesystem::path& images, const std::u16string& section)
{
    skin.placement(section);
    for (const char16_t* key : {u"normalImage", u"downImage", u"hoverImage", u"disableImage"})
        ReadPicture(skin, images, section, key);
    for (const char16_t* key : {u"tip", u"Caption", u"caption"})
        skin.readString(section, key, u"");
    for (const char16_t* key : {u"password", u"autohscroll", u"Maxlen", u"default", u"header_enable"})
        skin.readInt(section, key, u"0");
    skin.dropDownItems(section);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SkinFile skin = SkinFile::fromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    static const FuzzFolder folder("skin");
    const std::filesystem::path images = skin.imageFolder(folder.root);
    // One page per input, chosen by its length: every page in turn, at a dozen times the speed
    // of reading them all each time.
    const SkinPageSpec& page = SkinPages()[size % SkinPages().size()];
    ReadPicture(skin, images, page.section, u"background");
    for (const SkinControlSpec& control : page.controls)
        ReadControl(skin, images, ControlSection(page, control));
    skin.font(u"Main.Font");
    skin.font(u"DlgListCam.ListCtrl");
    skin.listColumns(u"DlgListCam.ListCtrl");
    skin.readInt(u"Main.Page", u"WPS_Show", u"0");
    for (int number : SkinMessageNumbers())
        skin.messageText(number);
    skin.messageText(size > 0 ? data[0] : 0);
    return 0;
}
