#pragma once
#include <cstdint>
#include <string>

namespace tevaro::album {

// The attributes the effect asks of each new track, in the order their names are compared.
namespace attribute {
enum Index {
    Author,
    Title,
    UserRating,
    ProviderRating,
    UserEffectiveRating,
    AlbumTitle,
    SourceUrl,
    MoreInfo,
    CollectionId,
    BuyNow,
    Count
};
// Index of an exact (case-sensitive) name, or −1.
int find(const std::u16string& name);
const char16_t* name(int index);
}  // namespace attribute

// Text fields hold at most this many units; longer values are cut.
constexpr std::size_t TrackTextLimit = 2047;

struct TrackInfo {
    std::u16string artist, title, album, sourcePath, artFileName, purchaseLink;
    std::int32_t hasAlbumArt = 0;
    std::int32_t userRating = 0, providerRating = 0, effectiveRating = 0;  // 0..10

    // Stores one attribute's value when the name is one the effect reads; values of attributes a
    // new track lacks keep their previous contents.
    void apply(const std::u16string& name, const std::u16string& value);
};

// The first character's digit value, clamped to 0..10; an empty value gives 0.
std::int32_t singleDigitRating(const std::u16string& value);
// The two leading digits as a percentage, rounded to tenths of it, clamped to 0..10.
std::int32_t percentRating(const std::u16string& value);

// The user's rating first, then the provider's, then the effective one.
std::int32_t shownRating(const TrackInfo& info);
int starCount(std::int32_t rating);

// Titles this short move the artist and album lines up by 11 pixels and the stars by 6.
bool isShortTitle(const std::u16string& title);

// The folder of the track (its source path up to and including the last backslash; empty when
// there is none, so names stay relative) and the two art files looked up there, by full path.
std::u16string trackFolder(const std::u16string& sourcePath);
std::u16string largeArtPath(const TrackInfo& info);
std::u16string smallArtPath(const TrackInfo& info);

// A purchase link comes from the media file's own metadata: only web addresses may be handed to
// the shell, never a program or a local file.
bool isWebAddress(const std::u16string& link);

}  // namespace tevaro::album
