// The finished picture through the registered CoverDrift.dll, in DC mode and in window mode: the
// sky with the pale band along the bottom, and, once the cover has zoomed into its rest, a known
// art file's colour in its top-left corner. Then the click on the art: a web address of the track
// reaches the shell's handler, anything else never does.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <cwchar>
#include <string>
#include <vector>

#include <wmp.h>

#include "com_support/dib_section.h"
#include "com_support/tests/win/recorded_lines.h"
#include "cover_drift_test_support.h"
#include "host_sim/viz/track_media.h"

namespace tevaro::album::test {
namespace {

constexpr int W = 350, H = 320;
// The art file's colour, 0x00RRGGBB.
constexpr std::uint32_t ArtColour = 0x00C02848;

std::wstring besideTheTest(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

// A solid 64 x 64 picture; GDI+ reads it by its content, whatever its name says.
void writeArt(const std::wstring& path, std::uint32_t rgb) {
    const int side = 64;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + side * side * 4;
    std::FILE* out = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    for (int i = 0; i < side * side; ++i) std::fwrite(&rgb, 4, 1, out);
    std::fclose(out);
}

bool closeTo(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

int channel(std::uint32_t p, int shift) { return int((p >> shift) & 0xFF); }

// A track in a folder of its own, its large art the solid colour above.
class TrackFolder {
public:
    explicit TrackFolder(const std::wstring& buyNow) {
        folder_ = besideTheTest(L"cover_drift_track");
        CreateDirectoryW(folder_.c_str(), nullptr);
        writeArt(folder_ + L"\\AlbumArt_{7E57}_Large.jpg", ArtColour);
        media_ = std::make_unique<host_sim::TrackMedia>(
            host_sim::TrackMedia::Attributes{{L"Title", L"Known Colour"},
                                             {L"Author", L"Tests"},
                                             {L"WM/AlbumTitle", L"Pictures"},
                                             {L"UserRating", L"50"},
                                             {L"WM/WMCollectionID", L"{7E57}"},
                                             {L"SourceURL", folder_ + L"\\01.wma"},
                                             {L"BuyNow", buyNow}});
    }
    IWMPMedia* media() { return media_.get(); }

private:
    std::wstring folder_;
    std::unique_ptr<host_sim::TrackMedia> media_;
};

// Frames for the given time, the player's pace: about 25 per second.
template <typename Frame>
void playFor(DWORD ms, Frame frame) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        frame();
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(40);
    }
}

// The sky, the band and the cover at rest in one captured frame.
void expectSkyBandAndCover(const com_support::DibSection& frame) {
    // The band ends in white along the bottom row, below the bars.
    for (int x : {5, W / 2, W - 5}) {
        const std::uint32_t p = frame.at(x, H - 1);
        EXPECT_GE(channel(p, 0), 225) << x;
        EXPECT_GE(channel(p, 8), 225) << x;
        EXPECT_GE(channel(p, 16), 225) << x;
    }
    // Above the band the sky is blue wherever no cloud hangs: at least one of these points.
    int blue = 0;
    for (int x : {120, 200, 280, 340})
        for (int y : {120, 200, 235}) {
            const std::uint32_t p = frame.at(x, y);
            blue += channel(p, 0) > channel(p, 16) + 40;
        }
    EXPECT_GT(blue, 0) << "no blue sky at any of the points";
    // The cover rests with its top-left corner at the 20-pixel margin; the art fills its corner.
    EXPECT_TRUE(closeTo(frame.at(50, 50), ArtColour, 28)) << std::hex << frame.at(50, 50);
    EXPECT_TRUE(closeTo(frame.at(80, 30), ArtColour, 28)) << std::hex << frame.at(80, 30);
}

class CoverDriftPicture : public testing::Test {
protected:
    void SetUp() override {
        effect_ = createCoverDrift();
        ASSERT_NE(effect_, nullptr);
        ASSERT_EQ(effect_->SetCurrentPreset(0), S_OK);
    }
    void TearDown() override {
        if (effect_ != nullptr) {
            effect_->Destroy();
            EXPECT_EQ(effect_->Release(), 0u);
        }
    }
    // The effect holds the last track it was given until it goes: the tracks outlive it.
    TrackFolder& newTrack(const std::wstring& buyNow) {
        tracks_.push_back(std::make_unique<TrackFolder>(buyNow));
        return *tracks_.back();
    }
    std::vector<std::unique_ptr<TrackFolder>> tracks_;
    IWMPEffects2* effect_ = nullptr;
    TimedLevel levels_{};
};

TEST_F(CoverDriftPicture, DcModeShowsSkyBandAndTheRestingCover) {
    TrackFolder& track = newTrack(L"");
    com_support::DibSection dib(W, H);
    ASSERT_TRUE(dib.valid());
    ASSERT_EQ(effect_->NotifyNewMedia(track.media()), S_OK);
    RECT r{0, 0, W, H};
    // One second to build (there is no old cover to fade), five to zoom, a little to spare.
    playFor(6500, [&] { effect_->Render(&levels_, dib.dc(), &r); });
    GdiFlush();
    expectSkyBandAndCover(dib);
}

TEST_F(CoverDriftPicture, WindowModeShowsTheSameInThePlayersWindow) {
    TrackFolder& track = newTrack(L"");
    PlayerWindow window(W, H);
    ASSERT_NE(window.handle(), nullptr);
    ASSERT_EQ(effect_->Create(window.handle()), S_OK);
    ASSERT_EQ(effect_->NotifyNewMedia(track.media()), S_OK);
    playFor(6500, [&] { EXPECT_EQ(effect_->RenderWindowed(&levels_, FALSE), S_OK); });
    com_support::DibSection capture(W, H);
    HDC dc = GetDC(window.handle());
    BitBlt(capture.dc(), 0, 0, W, H, dc, 0, 0, SRCCOPY);
    ReleaseDC(window.handle(), dc);
    GdiFlush();
    expectSkyBandAndCover(capture);
}

// The purchase link: the recorder of the panel's link tests stands in for every handler.
const std::wstring RecorderLog = besideTheTest(L"cover_drift_links.txt");

struct SavedKey {
    const wchar_t* path;
    std::wstring command;
    bool existed;
};

std::wstring readCommand(const wchar_t* key) {
    wchar_t text[1024] = L"";
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return {};
    return text;
}

void setCommand(const wchar_t* key, const std::wstring& command) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command.c_str(), DWORD((command.size() + 1) * 2));
}

std::vector<std::string> recorded() { return com_support::test::recordedLines(RecorderLog); }

class CoverDriftPurchaseLink : public CoverDriftPicture {
protected:
    void SetUp() override {
        CoverDriftPicture::SetUp();
        recorder_ = L"\"" + besideTheTest(L"panel_link_recorder.exe") + L"\" \"" + RecorderLog + L"\" \"%1\"";
        for (SavedKey& k : saved_) {
            k.command = readCommand(k.path);
            k.existed = !k.command.empty();
            setCommand(k.path, recorder_);
        }
        // A scheme and a file type of our own, both handled by the recorder too.
        RegSetKeyValueW(HKEY_CLASSES_ROOT, L"tevarobuy", L"URL Protocol", REG_SZ, L"", 2);
        setCommand(L"tevarobuy\\shell\\open\\command", recorder_);
        setCommand(L".tevarobuy", L"tevarobuyfile");
        setCommand(L"tevarobuyfile\\shell\\open\\command", recorder_);
        DeleteFileW(RecorderLog.c_str());
    }
    void TearDown() override {
        for (const SavedKey& k : saved_) {
            if (k.existed)
                setCommand(k.path, k.command);
            else
                RegDeleteKeyValueW(HKEY_CLASSES_ROOT, k.path, nullptr);
        }
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"tevarobuy");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tevarobuy");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"tevarobuyfile");
        CoverDriftPicture::TearDown();
    }
    std::wstring recorder_;
    SavedKey saved_[2] = {{L"https\\shell\\open\\command", {}, false}, {L"http\\shell\\open\\command", {}, false}};
};

TEST_F(CoverDriftPurchaseLink, OnlyWebAddressesReachTheShell) {
    const std::wstring localFile = besideTheTest(L"cover_drift_track\\buy.tevarobuy");
    struct Case {
        std::wstring buyNow;
        std::vector<std::string> opened;
    };
    const Case cases[] = {
        {L"https://shop.example/album?id=7", {"https://shop.example/album?id=7"}},
        {L"tevarobuy:album", {}},
        {localFile, {}},
        {besideTheTest(L"panel_link_recorder.exe"), {}},
        {L"http://shop.example/a", {"http://shop.example/a"}},
    };
    com_support::DibSection dib(W, H);
    RECT r{0, 0, W, H};
    auto frame = [&] { effect_->Render(&levels_, dib.dc(), &r); };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.buyNow.begin(), c.buyNow.end()));
        DeleteFileW(RecorderLog.c_str());
        TrackFolder& track = newTrack(c.buyNow);
        ASSERT_EQ(effect_->NotifyNewMedia(track.media()), S_OK);
        // Long enough for the first device and the first panel; (70, 70) then lies on the art from
        // the zoom's start to its rest.
        playFor(1500, frame);
        LRESULT result = 0;
        EXPECT_EQ(effect_->OnWindowMessage(WM_MOUSEMOVE, 0, MAKELPARAM(70, 70), &result), S_FALSE);
        EXPECT_EQ(effect_->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 70), &result), S_FALSE);
        EXPECT_EQ(effect_->OnWindowMessage(WM_LBUTTONUP, 0, MAKELPARAM(70, 70), &result), S_FALSE);
        const DWORD start = GetTickCount();
        while (recorded().size() < c.opened.size() && GetTickCount() - start < 8000) playFor(100, frame);
        playFor(c.opened.empty() ? 1500 : 300, frame);
        EXPECT_EQ(recorded(), c.opened);
    }
}

}  // namespace
}  // namespace tevaro::album::test
