// The help window and the about box as a user meets them from the panel's Info control: where
// they open and how big, the player window disabled while one is open and active again after,
// the page scrolled by real presses on its pictures, the pictures and painting, the tooltips and
// pointer shapes, the animation playing, and the animation clip as the DLL carries it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "host_sim/ui/pointer_input.h"
#include "panel_test_support.h"

namespace tevaro::panel::test {
namespace {

using host_sim::Capture;

constexpr int Info = 1006;
constexpr POINT HelpButton = {10, 90};
constexpr POINT AboutButton = {80, 90};
constexpr const wchar_t* HelpTitle = L"Help";
constexpr const wchar_t* AboutTitle = L"About Tevaro Player SE";

HWND waitForWindow(host_sim::UiPluginHost& host, const wchar_t* title) {
    HWND found = nullptr;
    host.pumpUntil(
        [&] {
            found = FindWindowW(L"#32770", title);
            return found != nullptr && IsWindowVisible(found);
        },
        3000);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

RECT rectIn(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int scrollPosition(HWND window) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(window, SB_VERT, &info);
    return info.nPos;
}

int scrollMaximumOf(HWND window) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(window, SB_VERT, &info);
    return info.nMax;
}

bool showsHand(host_sim::UiPluginHost& host, HWND window, POINT at) {
    if (!host_sim::movePointer(window, at)) return false;
    settle(host, 100);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor);
    return cursor.hCursor == LoadCursorW(nullptr, IDC_HAND);
}

// The panel with one of its popups open.
struct OpenedFromInfo {
    PanelInPlayer panel;
    HWND window = nullptr;

    OpenedFromInfo(POINT subButton, const wchar_t* title) {
        clickControl(panel.host, Info, subButton);
        window = waitForWindow(panel.host, title);
    }
    HWND player() const { return panel.host.playerWindow(); }
    HWND item(int id) const { return GetDlgItem(window, id); }
};

class HelpWindowTest : public testing::Test {
protected:
    void SetUp() override {
        setEnabledText(L"true");
        setStoredSettings(0x0428);
    }
};

struct Placed {
    int id;
    RECT rect;  // left, top, right, bottom in the page at position 0
};

constexpr std::array<Placed, 20> HelpPlaces = {{
    {1032, {20, 61, 461, 160}},    {1027, {20, 180, 445, 323}},   {1022, {20, 335, 461, 408}},
    {1033, {20, 430, 461, 469}},   {1043, {20, 490, 461, 625}},   {1044, {20, 645, 461, 685}},
    {1045, {20, 705, 461, 732}},   {1046, {20, 755, 461, 782}},   {1049, {20, 800, 461, 829}},
    {1047, {20, 850, 44, 858}},    {1048, {60, 843, 92, 864}},    {1050, {20, 875, 461, 933}},
    {1051, {20, 950, 71, 958}},    {1052, {80, 940, 102, 964}},   {1053, {20, 980, 461, 1066}},
    {1054, {20, 1085, 440, 1306}}, {1055, {20, 1320, 461, 1348}}, {1056, {20, 1370, 440, 1456}},
    {1057, {20, 1480, 461, 1519}}, {1058, {20, 1580, 461, 1623}},
}};

TEST_F(HelpWindowTest, OpensAtTheScreensCornerWithTheHeadersSizeAndDisablesThePlayer) {
    OpenedFromInfo help(HelpButton, HelpTitle);
    ASSERT_NE(help.window, nullptr);
    EXPECT_EQ(GetWindow(help.window, GW_OWNER), help.player());
    EXPECT_FALSE(IsWindowEnabled(help.player()));

    // Client 480 + the arrow size across, 61 + 452 down, grown by the frame of style 0.
    RECT expected = {0, 0, 480 + GetSystemMetrics(SM_CYVSCROLL), 513};
    AdjustWindowRect(&expected, 0, FALSE);
    RECT window;
    GetWindowRect(help.window, &window);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    EXPECT_EQ(window.right - window.left, expected.right - expected.left);
    EXPECT_EQ(window.bottom - window.top, expected.bottom - expected.top);

    // The page is the template's full height, 1034 dialog units; the bar scrolls what is hidden.
    RECT page = {0, 0, 393, 1034};
    MapDialogRect(help.window, &page);
    RECT client;
    GetClientRect(help.window, &client);
    EXPECT_EQ(scrollPosition(help.window), 0);
    EXPECT_EQ(scrollMaximumOf(help.window), (page.bottom - client.bottom) / 4);
    EXPECT_GT(scrollMaximumOf(help.window), 200);

    for (const Placed& p : HelpPlaces) {
        SCOPED_TRACE(testing::Message() << "picture " << p.id);
        HWND picture = help.item(p.id);
        ASSERT_NE(picture, nullptr);
        const RECT r = rectIn(help.window, picture);
        EXPECT_EQ(r.left, p.rect.left);
        EXPECT_EQ(r.top, p.rect.top);
        EXPECT_EQ(r.right, p.rect.right);
        EXPECT_EQ(r.bottom, p.rect.bottom);
    }

    const Capture shown = host_sim::captureWindow(help.window);
    EXPECT_EQ(differingPixels(crop(shown, 20, 61, 441, 99), resourceBitmap(465)), 0) << "the introduction";
    EXPECT_EQ(differingPixels(crop(shown, 20, 180, 425, 143), resourceBitmap(466)), 0) << "the overview";
    const Capture header = resourceBitmap(463);
    EXPECT_EQ(differingPixels(crop(shown, 14, 0, client.right - 14, 61), crop(header, 14, 0, client.right - 14, 61)), 0)
        << "the header, right of the strip";
    const Capture strip = resourceBitmap(464);
    EXPECT_EQ(differingPixels(crop(shown, 0, 100, 14, 300), crop(strip, 0, 0, 14, 300)), 0) << "the side strip";
    for (int y : {170, 328, 420}) EXPECT_EQ(shown.at(client.right - 4, y), 0xFFFFFFu) << "white page at " << y;
}

// A press on a picture, then where the page stands: its position and the introduction's top.
struct PressStep {
    const char* what;
    int control;
    POINT at;  // in the picture's client coordinates
    int row;   // the row the press brings to the top; the scroll bar stops it at its maximum
};

TEST_F(HelpWindowTest, PressesOnTheOverviewAndTheArrowsScrollThePageWithItsPictures) {
    OpenedFromInfo help(HelpButton, HelpTitle);
    ASSERT_NE(help.window, nullptr);
    const int maximum = scrollMaximumOf(help.window);
    const PressStep steps[] = {
        {"the label at x 300: row 490, position 122", 1027, {300, 8}, 490},
        {"the quality heading's arrow", 1043, {430, 8}, 0},
        {"the lower row's first label: row 645", 1027, {145, 130}, 645},
        {"the Auto heading's arrow", 1044, {431, 10}, 0},
        {"the web label: row 800, position 200", 1027, {390, 8}, 800},
        {"the web heading's arrow", 1049, {426, 3}, 0},
        {"the presets label, last pixel", 1027, {219, 14}, 430},
        {"beside the presets heading's arrow: nothing", 1033, {420, 8}, 430},
    };
    for (const PressStep& step : steps) {
        SCOPED_TRACE(step.what);
        HWND picture = help.item(step.control);
        ASSERT_NE(picture, nullptr);
        ASSERT_TRUE(host_sim::clickAt(picture, step.at));
        settle(help.panel.host, 200);
        const int position = std::min(step.row / 4, maximum);
        EXPECT_EQ(scrollPosition(help.window), position);
        EXPECT_EQ(rectIn(help.window, help.item(1032)).top, 61 - 4 * position) << "the pictures moved with it";
        EXPECT_EQ(rectIn(help.window, help.item(1058)).top, 1580 - 4 * position);
    }
}

TEST_F(HelpWindowTest, ScrollBarRequestsMoveByLinesAndQuarterPagesWithinTheRange) {
    OpenedFromInfo help(HelpButton, HelpTitle);
    ASSERT_NE(help.window, nullptr);
    const int maximum = scrollMaximumOf(help.window);
    const int page = std::max(1, maximum / 4);
    struct Step {
        const char* what;
        WPARAM request;
        int expected;
    };
    const Step steps[] = {
        {"line up at the top", SB_LINEUP, 0},
        {"line down", SB_LINEDOWN, 1},
        {"page down", SB_PAGEDOWN, 1 + page},
        {"page up", SB_PAGEUP, 1},
        {"page up past the top", SB_PAGEUP, 0},
        {"the end of a drag moves nothing", SB_THUMBPOSITION, 0},
        {"page down", SB_PAGEDOWN, page},
        {"page down", SB_PAGEDOWN, 2 * page},
        {"page down", SB_PAGEDOWN, 3 * page},
        {"page down", SB_PAGEDOWN, std::min(4 * page, maximum)},
        {"page down at the bottom", SB_PAGEDOWN, maximum},
        {"line down at the bottom", SB_LINEDOWN, maximum},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        SendMessageW(help.window, WM_VSCROLL, MAKEWPARAM(s.request, 0), 0);
        EXPECT_EQ(scrollPosition(help.window), s.expected);
        EXPECT_EQ(rectIn(help.window, help.item(1032)).top, 61 - 4 * s.expected);
    }
}

TEST_F(HelpWindowTest, TheHandShowsOverLinksButThePanorixPageOpensBeyondIt) {
    OpenedFromInfo help(HelpButton, HelpTitle);
    ASSERT_NE(help.window, nullptr);
    host_sim::UiPluginHost& host = help.panel.host;
    EXPECT_TRUE(showsHand(host, help.item(1027), {300, 8}));
    EXPECT_FALSE(showsHand(host, help.item(1027), {300, 60}));
    // The web label's hand reaches x 429, past the picture's 425 pixels; its last column still
    // shows the hand where the press no longer scrolls.
    EXPECT_TRUE(showsHand(host, help.item(1027), {424, 14}));
    EXPECT_TRUE(showsHand(host, help.item(1022), {426, 8}));
    EXPECT_FALSE(showsHand(host, help.item(1022), {425, 8}));
    EXPECT_FALSE(showsHand(host, help.item(1032), {200, 50})) << "the introduction is plain";
    // Row 800 at the top brings the Panorix section into view.
    ASSERT_TRUE(host_sim::clickAt(help.item(1027), {390, 8}));
    settle(host, 200);
    EXPECT_TRUE(showsHand(host, help.item(1053), {409, 60}));
    EXPECT_FALSE(showsHand(host, help.item(1053), {420, 60}));
}

TEST_F(HelpWindowTest, TheCloseBoxGivesThePlayerBackAndEachOpenStartsAtTheTop) {
    PanelInPlayer panel;
    HWND player = panel.host.playerWindow();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        clickControl(panel.host, Info, HelpButton);
        HWND help = waitForWindow(panel.host, HelpTitle);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(scrollPosition(help), 0);
        EXPECT_FALSE(IsWindowEnabled(player));
        ASSERT_TRUE(host_sim::clickAt(GetDlgItem(help, 1027), {300, 8}));
        settle(panel.host, 200);
        EXPECT_EQ(scrollPosition(help), 122);
        // What the close box sends.
        PostMessageW(help, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(panel.host.pumpUntil([&] { return !IsWindow(help); }, 3000));
        EXPECT_TRUE(IsWindowEnabled(player));
        EXPECT_EQ(GetActiveWindow(), player);
    }
}

TEST_F(HelpWindowTest, OpeningAndClosingGivesBackEveryWindowAndGdiObject) {
    PanelInPlayer panel;
    auto cycle = [&](POINT subButton, const wchar_t* title) {
        clickControl(panel.host, Info, subButton);
        HWND window = waitForWindow(panel.host, title);
        ASSERT_NE(window, nullptr);
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(panel.host.pumpUntil([&] { return !IsWindow(window); }, 3000));
    };
    cycle(HelpButton, HelpTitle);
    cycle(AboutButton, AboutTitle);
    const int gdi = gdiObjects();
    const int windows = processWindows();
    for (int i = 0; i < 10; ++i) {
        cycle(HelpButton, HelpTitle);
        cycle(AboutButton, AboutTitle);
    }
    EXPECT_EQ(gdiObjects(), gdi);
    EXPECT_EQ(processWindows(), windows);
}

class AboutBoxTest : public HelpWindowTest {};

BOOL CALLBACK collectStatics(HWND window, LPARAM l) {
    wchar_t cls[32];
    GetClassNameW(window, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0) reinterpret_cast<std::vector<HWND>*>(l)->push_back(window);
    return TRUE;
}

std::wstring textOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

TEST_F(AboutBoxTest, ItsTextsFitTheirStaticsOnOneLine) {
    OpenedFromInfo about(AboutButton, AboutTitle);
    ASSERT_NE(about.window, nullptr);
    std::vector<HWND> statics;
    EnumChildWindows(about.window, collectStatics, reinterpret_cast<LPARAM>(&statics));
    bool version = false;
    for (HWND s : statics) {
        const std::wstring text = textOf(s);
        SCOPED_TRACE(testing::Message() << "\"" << std::string(text.begin(), text.end()) << "\"");
        version = version || text == L"Version : Special Edition";
        HDC dc = GetDC(s);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(s, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(s, dc);
        RECT client;
        GetClientRect(s, &client);
        EXPECT_LE(extent.cx, client.right);
    }
    EXPECT_TRUE(version);
    EXPECT_GE(statics.size(), 8u) << "the version, three credits with their notices";
}

TEST_F(AboutBoxTest, CentredWithItsLogosLabelsBandAndBackgroundPicture) {
    OpenedFromInfo about(AboutButton, AboutTitle);
    ASSERT_NE(about.window, nullptr);
    EXPECT_FALSE(IsWindowEnabled(about.player()));
    RECT area, box;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(about.window, &box);
    EXPECT_NEAR((box.left + box.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((box.top + box.bottom) / 2, (area.top + area.bottom) / 2, 1);

    // Logos at their pixel places; labels where the template put them, at their pixel sizes.
    struct Picture {
        int id, bitmap;
        RECT rect;
    };
    RECT makerLabel = {120, 67, 0, 0}, licensorLabel = {120, 113, 0, 0}, developerLabel = {120, 159, 0, 0};
    for (RECT* r : {&makerLabel, &licensorLabel, &developerLabel}) MapDialogRect(about.window, r);
    const Picture pictures[] = {
        {1072, 183, {30, 10, 109, 82}},
        {1073, 143, {20, 110, 126, 153}},
        {1074, 172, {50, 190, 90, 234}},
        {1061, 487, {makerLabel.left, makerLabel.top, makerLabel.left + 73, makerLabel.top + 13}},
        {1062, 488, {licensorLabel.left, licensorLabel.top, licensorLabel.left + 88, licensorLabel.top + 13}},
        {1063, 489, {developerLabel.left, developerLabel.top, developerLabel.left + 120, developerLabel.top + 13}},
    };
    const Capture shown = host_sim::captureWindow(about.window);
    for (const Picture& p : pictures) {
        SCOPED_TRACE(testing::Message() << "picture " << p.id);
        ASSERT_NE(about.item(p.id), nullptr);
        const RECT r = rectIn(about.window, about.item(p.id));
        EXPECT_EQ(r.left, p.rect.left);
        EXPECT_EQ(r.top, p.rect.top);
        EXPECT_EQ(r.right, p.rect.right);
        EXPECT_EQ(r.bottom, p.rect.bottom);
        EXPECT_EQ(
            differingPixels(crop(shown, r.left, r.top, r.right - r.left, r.bottom - r.top), resourceBitmap(p.bitmap)),
            0);
    }

    // The band reaches the animation control's left plus right edge; bitmap 462 sits at (220, 80).
    const RECT animation = rectIn(about.window, about.item(1031));
    const int bandRight = animation.left + animation.right;
    EXPECT_EQ(bandRight, 162) << "at this dialog font";
    for (int y : {2, 250, shown.height - 2}) {
        EXPECT_EQ(shown.at(2, y), 0x8E8EBCu);
        EXPECT_EQ(shown.at(bandRight - 1, y), 0x8E8EBCu);
        EXPECT_EQ(shown.at(bandRight, y), 0xFFFFFFu);
    }
    // Between the second label and the third credit nothing is written over the picture.
    const Capture background = resourceBitmap(462);
    EXPECT_EQ(differingPixels(crop(shown, 280, 200, 151, 18), crop(background, 60, 120, 151, 18)), 0);
}

TEST_F(AboutBoxTest, FourTooltipsAndTheHandOverTheAnimationOnly) {
    OpenedFromInfo about(AboutButton, AboutTitle);
    ASSERT_NE(about.window, nullptr);
    const std::set<Tool> tools = processTooltips();
    for (const Tool& t : std::set<Tool>{{1072, 0, 0, 90, 70, L"Vardal Acoustics Homepage"},
                                        {1073, 0, 0, 100, 35, L"Spatio Info Homepage"},
                                        {1074, 0, 0, 55, 70, L"Panorix Info Homepage"},
                                        {0, 30, 270, 100, 320, L"Quillmark Software Homepage"}})
        EXPECT_EQ(tools.count(t), 1u) << std::get<0>(t);
    host_sim::UiPluginHost& host = about.panel.host;
    EXPECT_TRUE(showsHand(host, about.window, {41, 271}));
    EXPECT_TRUE(showsHand(host, about.window, {109, 309}));
    EXPECT_FALSE(showsHand(host, about.window, {110, 290}));
    EXPECT_FALSE(showsHand(host, about.window, {300, 300}));
    EXPECT_TRUE(showsHand(host, about.item(1073), {50, 41}));
    EXPECT_FALSE(showsHand(host, about.item(1073), {50, 42})) << "the Spatio logo's hand ends a row early";
}

TEST_F(AboutBoxTest, TheAnimationPlaysInAControlOfTheClipsSize) {
    OpenedFromInfo about(AboutButton, AboutTitle);
    ASSERT_NE(about.window, nullptr);
    HWND frame = about.item(1031);
    ASSERT_NE(frame, nullptr);
    HWND player = GetDlgItem(frame, 1031);
    ASSERT_NE(player, nullptr) << "a control of its own inside the template's";
    RECT r;
    GetClientRect(player, &r);
    EXPECT_EQ(r.right, 80);
    EXPECT_EQ(r.bottom, 60);
    const Capture first = host_sim::captureWindow(player);
    settle(about.panel.host, 500);
    const Capture later = host_sim::captureWindow(player);
    EXPECT_GT(differingPixels(first, later), 100);
}

TEST_F(AboutBoxTest, OkClosesItAndThePlayerIsActiveAgain) {
    OpenedFromInfo about(AboutButton, AboutTitle);
    ASSERT_NE(about.window, nullptr);
    HWND box = about.window;
    RECT ok;
    GetClientRect(about.item(IDOK), &ok);
    Sleep(GetDoubleClickTime() + 50);
    ASSERT_TRUE(host_sim::clickAt(about.item(IDOK), {ok.right / 2, ok.bottom / 2}));
    ASSERT_TRUE(about.panel.host.pumpUntil([&] { return !IsWindow(box); }, 3000));
    EXPECT_TRUE(IsWindowEnabled(about.player()));
    EXPECT_EQ(GetActiveWindow(), about.player());
}

// The clip as the animation control gets it: RIFF 'AVI ', the main header and the stream format.
TEST(AboutAnimationClip, IsAnEightyBySixtyEightBitClipOf299FramesOf50ms) {
    PanelInPlayer panel;  // loads the DLL
    HRSRC found = FindResourceW(panelModule(), MAKEINTRESOURCEW(490), L"AVI");
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(panelModule(), found)));
    const DWORD size = SizeofResource(panelModule(), found);
    ASSERT_GT(size, 12u);
    auto u32 = [&](DWORD at) {
        DWORD v = 0;
        if (at + 4 <= size) std::memcpy(&v, bytes + at, 4);
        return v;
    };
    auto tagAt = [&](DWORD at) {
        return at + 4 <= size ? std::string(reinterpret_cast<const char*>(bytes + at), 4) : "";
    };
    ASSERT_EQ(tagAt(0), "RIFF");
    ASSERT_EQ(tagAt(8), "AVI ");
    EXPECT_EQ(u32(4) + 8, size);
    // hdrl comes first, avih first in it, then the stream list.
    ASSERT_EQ(tagAt(12), "LIST");
    ASSERT_EQ(tagAt(20), "hdrl");
    ASSERT_EQ(tagAt(24), "avih");
    const DWORD avih = 32;
    EXPECT_EQ(u32(avih + 0), 50000u) << "microseconds per frame";
    EXPECT_EQ(u32(avih + 16), 299u) << "frames";
    EXPECT_EQ(u32(avih + 32), 80u);
    EXPECT_EQ(u32(avih + 36), 60u);
    const DWORD strl = avih + u32(28);
    ASSERT_EQ(tagAt(strl), "LIST");
    ASSERT_EQ(tagAt(strl + 8), "strl");
    ASSERT_EQ(tagAt(strl + 12), "strh");
    EXPECT_EQ(tagAt(strl + 20), "vids");
    const DWORD strf = strl + 20 + u32(strl + 16);
    ASSERT_EQ(tagAt(strf), "strf");
    EXPECT_EQ(u32(strf + 8 + 4), 80u);
    EXPECT_EQ(u32(strf + 8 + 8), 60u);
    EXPECT_EQ(u32(strf + 8 + 12) >> 16, 8u) << "bits per pixel";
    EXPECT_EQ(u32(strf + 8 + 16), 0u) << "uncompressed";
}

}  // namespace
}  // namespace tevaro::panel::test
