#include "album_viz/model/track_info.h"

#include <algorithm>

namespace tevaro::album {

namespace attribute {
namespace {
const char16_t* const Names[Count] = {
    u"Author",        u"Title",     u"UserRating", u"WM/ProviderRating", u"UserEffectiveRating",
    u"WM/AlbumTitle", u"SourceURL", u"MoreInfo",   u"WM/WMCollectionID", u"BuyNow"};
}

int find(const std::u16string& n) {
    for (int i = 0; i < Count; ++i)
        if (n == Names[i]) return i;
    return -1;
}

const char16_t* name(int index) { return index >= 0 && index < Count ? Names[index] : nullptr; }
}  // namespace attribute

namespace {
std::u16string cut(const std::u16string& value) { return value.substr(0, TrackTextLimit); }

std::int32_t clampRating(std::int32_t v) { return std::clamp(v, 0, 10); }

std::int32_t digitAt(const std::u16string& value, std::size_t i) {
    return i < value.size() ? std::int32_t(value[i]) - '0' : 0;
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool startsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != prefix[i]) return false;
    return true;
}
}  // namespace

std::int32_t singleDigitRating(const std::u16string& value) { return clampRating(digitAt(value, 0)); }

std::int32_t percentRating(const std::u16string& value) {
    const std::int32_t percent = digitAt(value, 0) * 10 + digitAt(value, 1);
    return clampRating((percent + 5) / 10);
}

void TrackInfo::apply(const std::u16string& n, const std::u16string& value) {
    switch (attribute::find(n)) {
        case attribute::Author:
            artist = cut(value);
            break;
        case attribute::Title:
            title = cut(value);
            break;
        case attribute::AlbumTitle:
            album = cut(value);
            break;
        case attribute::SourceUrl:
            sourcePath = cut(value);
            break;
        case attribute::BuyNow:
            purchaseLink = cut(value);
            break;
        case attribute::UserRating:
            userRating = singleDigitRating(value);
            break;
        case attribute::ProviderRating:
            providerRating = singleDigitRating(value);
            break;
        case attribute::UserEffectiveRating:
            effectiveRating = percentRating(value);
            break;
        case attribute::CollectionId:
            hasAlbumArt = value.empty() ? 0 : 1;
            artFileName = cut(u"AlbumArt_" + value);
            if (hasAlbumArt) artFileName = cut(artFileName + u"_Large.jpg");
            break;
        default:
            break;  // MoreInfo and unknown names are never read
    }
}

std::int32_t shownRating(const TrackInfo& info) {
    if (info.userRating != 0) return info.userRating;
    if (info.providerRating != 0) return info.providerRating;
    return info.effectiveRating;
}

int starCount(std::int32_t rating) {
    if (rating >= 9) return 5;
    if (rating >= 7) return 4;
    if (rating >= 5) return 3;
    if (rating >= 2) return 2;
    return rating >= 1 ? 1 : 0;
}

bool isShortTitle(const std::u16string& title) { return title.size() <= 15; }

std::u16string trackFolder(const std::u16string& sourcePath) {
    const std::size_t slash = sourcePath.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : sourcePath.substr(0, slash + 1);
}

std::u16string largeArtPath(const TrackInfo& info) { return trackFolder(info.sourcePath) + info.artFileName; }

std::u16string smallArtPath(const TrackInfo& info) { return trackFolder(info.sourcePath) + u"AlbumArtSmall.jpg"; }

bool isWebAddress(const std::u16string& link) {
    const std::u16string* scheme = nullptr;
    static const std::u16string http = u"http://", https = u"https://";
    if (startsWithNoCase(link, http))
        scheme = &http;
    else if (startsWithNoCase(link, https))
        scheme = &https;
    if (!scheme || link.size() == scheme->size()) return false;
    // Control characters and quotes have no place in an address and could split a command line.
    for (char16_t c : link)
        if (c < 0x20 || c == 0x7F || c == u'"') return false;
    return true;
}

}  // namespace tevaro::album
