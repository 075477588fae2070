// What a track's attributes become: texts, ratings and stars, the art files by full path, and
// which purchase links may be opened.
#include <gtest/gtest.h>

#include <string>

#include "album_viz/model/track_info.h"

namespace tevaro::album {
namespace {

std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(TrackInfo, ArtFilesAreLookedUpByFullPathInTheTracksFolder) {
    struct Case {
        std::u16string collectionId, sourcePath;
        bool hasArt;
        std::u16string large, small;
    };
    const Case cases[] = {
        {u"{ABC}", u"C:\\Music\\Album\\01.wma", true, u"C:\\Music\\Album\\AlbumArt_{ABC}_Large.jpg",
         u"C:\\Music\\Album\\AlbumArtSmall.jpg"},
        {u"", u"C:\\Music\\Album\\01.wma", false, u"C:\\Music\\Album\\AlbumArt_",
         u"C:\\Music\\Album\\AlbumArtSmall.jpg"},
        // Without a backslash the names stay relative, as the player's own lookup would find them.
        {u"{X}", u"01.wma", true, u"AlbumArt_{X}_Large.jpg", u"AlbumArtSmall.jpg"},
        {u"{X}", u"\\\\server\\share\\a.mp3", true, u"\\\\server\\share\\AlbumArt_{X}_Large.jpg",
         u"\\\\server\\share\\AlbumArtSmall.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.collectionId + u" " + c.sourcePath));
        TrackInfo info;
        info.apply(u"SourceURL", c.sourcePath);
        info.apply(u"WM/WMCollectionID", c.collectionId);
        EXPECT_EQ(info.hasAlbumArt != 0, c.hasArt);
        EXPECT_EQ(narrow(largeArtPath(info)), narrow(c.large));
        EXPECT_EQ(narrow(smallArtPath(info)), narrow(c.small));
    }
}

TEST(TrackInfo, RatingsAndStars) {
    struct Case {
        std::u16string user, provider, effective;
        std::int32_t rating;
        int stars;
    };
    const Case cases[] = {
        {u"0", u"75", u"", 7, 4},  {u"0", u"0", u"50", 5, 3},
        {u"99", u"0", u"0", 9, 5}, {u"25", u"75", u"99", 2, 2},
        {u"1", u"", u"", 1, 1},    {u"", u"", u"", 0, 0},
        {u"", u"", u"75", 8, 4},   {u"", u"", u"99", 10, 5},
        {u"", u"", u"1", 1, 1},  // an empty second position counts 0: 10 → 1
        {u"", u"", u"4", 4, 2},    {u"", u"", u"9", 9, 5},
        {u"", u"", u"61", 6, 3},   {u"x", u"", u"", 10, 5},  // 'x' − '0' is clamped to 10
        {u"!", u"", u"", 0, 0},                              // below '0': clamped to 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.user + u"/" + c.provider + u"/" + c.effective));
        TrackInfo info;
        info.apply(u"UserRating", c.user);
        info.apply(u"WM/ProviderRating", c.provider);
        info.apply(u"UserEffectiveRating", c.effective);
        EXPECT_EQ(shownRating(info), c.rating);
        EXPECT_EQ(starCount(shownRating(info)), c.stars);
    }
}

TEST(TrackInfo, PlayersUsualRatingValuesMapToTheirLeadingDigit) {
    const std::pair<std::u16string, std::int32_t> cases[] = {{u"0", 0},  {u"1", 1},  {u"25", 2},
                                                             {u"50", 5}, {u"75", 7}, {u"99", 9}};
    for (const auto& [text, rating] : cases) {
        EXPECT_EQ(singleDigitRating(text), rating) << narrow(text);
    }
}

TEST(TrackInfo, StarCountBoundaries) {
    const int stars[11] = {0, 1, 2, 2, 2, 3, 3, 4, 4, 5, 5};
    for (int r = 0; r <= 10; ++r) EXPECT_EQ(starCount(r), stars[r]) << r;
}

TEST(TrackInfo, NamesAreExactAndMissingAttributesKeepTheirValues) {
    TrackInfo info;
    info.apply(u"Title", u"First");
    info.apply(u"Author", u"Someone");
    info.apply(u"title", u"lower case is another name");
    info.apply(u"MoreInfo", u"never read");
    EXPECT_EQ(narrow(info.title), "First");
    // A second track without an Author attribute keeps the first one's artist.
    info.apply(u"Title", u"Second");
    EXPECT_EQ(narrow(info.title), "Second");
    EXPECT_EQ(narrow(info.artist), "Someone");
    // The collection id always rewrites the art name, and an empty one drops the art.
    info.apply(u"WM/WMCollectionID", u"{A}");
    info.apply(u"WM/WMCollectionID", u"");
    EXPECT_EQ(info.hasAlbumArt, 0);
    EXPECT_EQ(narrow(info.artFileName), "AlbumArt_");
    EXPECT_EQ(attribute::find(u"WM/AlbumTitle"), attribute::AlbumTitle);
    EXPECT_EQ(attribute::find(u"BuyNow"), attribute::BuyNow);
    EXPECT_EQ(attribute::find(u"buynow"), -1);
}

TEST(TrackInfo, LongValuesAreCutTo2047Units) {
    const std::size_t lengths[] = {2046, 2047, 2048, 5000};
    for (std::size_t n : lengths) {
        TrackInfo info;
        const std::u16string value(n, u'a');
        for (const char16_t* name : {u"Author", u"Title", u"WM/AlbumTitle", u"SourceURL", u"BuyNow"})
            info.apply(name, value);
        info.apply(u"WM/WMCollectionID", value);
        const std::size_t expected = std::min<std::size_t>(n, 2047);
        for (const std::u16string* field :
             {&info.artist, &info.title, &info.album, &info.sourcePath, &info.purchaseLink}) {
            EXPECT_EQ(field->size(), expected) << n;
        }
        EXPECT_EQ(info.artFileName.size(), std::min<std::size_t>(n + 9 + 10, 2047)) << n;
    }
}

TEST(TrackInfo, TitlesOfFifteenUnitsAreShort) {
    EXPECT_TRUE(isShortTitle(std::u16string(15, u'T')));
    EXPECT_FALSE(isShortTitle(std::u16string(16, u'T')));
    EXPECT_TRUE(isShortTitle(u""));
}

TEST(PurchaseLink, OnlyWebAddressesMayBeOpened) {
    struct Case {
        std::u16string link;
        bool open;
    };
    const Case cases[] = {
        {u"https://shop.example/album?id=1", true},
        {u"http://shop.example/", true},
        {u"HTTPS://shop.example/", true},
        {u"https://", false},
        {u"", false},
        {u"C:\\Windows\\notepad.exe", false},
        {u"calc", false},
        {u"file:///C:/Windows/notepad.exe", false},
        {u"javascript:alert(1)", false},
        {u" https://shop.example/", false},
        {u"httpx://shop.example/", false},
        {u"https://shop.example/\" C:\\evil.exe", false},
        {u"https://shop.example/\nnext", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isWebAddress(c.link), c.open) << narrow(c.link);
}

}  // namespace
}  // namespace tevaro::album
