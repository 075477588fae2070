// DspPluginPropertyPage through the player's route: ISpecifyPropertyPages, the page object, its
// page information, and the page opened in a window and captured.
#include <ocidl.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "dsp_test_support.h"
#include "host_sim/page_capture.h"

namespace tevaro::plugin::test {
namespace {

class DspPage : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CoCreateInstance(PageClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                   reinterpret_cast<void**>(&page_)),
                  S_OK);
    }
    void TearDown() override { EXPECT_EQ(page_->Release(), 0u); }
    IPropertyPage* page_ = nullptr;
};

// A page site that only counts references: the page must hold one while it keeps the site.
class CountingSite final : public IPropertyPageSite {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
    ULONG refs = 1;
};

TEST_F(DspPage, WindowCallsBeforeOpeningAndSiteRules) {
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(page_->Show(SW_SHOW), E_UNEXPECTED);
    EXPECT_EQ(page_->Move(&r), E_UNEXPECTED);
    EXPECT_EQ(page_->Move(nullptr), E_UNEXPECTED);
    EXPECT_EQ(page_->Activate(nullptr, nullptr, TRUE), E_POINTER);
    EXPECT_EQ(page_->Deactivate(), S_OK);
    EXPECT_EQ(page_->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page_->Apply(), S_OK);
    EXPECT_EQ(page_->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page_->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page_->Help(L"C:\\"), E_OUTOFMEMORY);
    MSG key{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(page_->TranslateAccelerator(&key), S_FALSE) << "no dialog to offer it to";

    CountingSite site, other;
    EXPECT_EQ(page_->SetPageSite(&site), S_OK);
    EXPECT_EQ(site.refs, 2u);
    EXPECT_EQ(page_->SetPageSite(&other), E_UNEXPECTED);
    EXPECT_EQ(other.refs, 1u);
    EXPECT_EQ(page_->SetPageSite(nullptr), S_OK);
    EXPECT_EQ(site.refs, 1u);
    EXPECT_EQ(page_->SetPageSite(nullptr), S_OK);
}

TEST_F(DspPage, PageInfoHasTheTitleDocumentStringAndTemplateSize) {
    PROPPAGEINFO info;
    std::memset(&info, 0xCC, sizeof info);
    EXPECT_EQ(page_->GetPageInfo(nullptr), E_POINTER);
    ASSERT_EQ(page_->GetPageInfo(&info), S_OK);
    // 28 bytes in the 32-bit build (the player's default); the 64-bit structure has wider pointers.
    EXPECT_EQ(info.cb, sizeof(void*) == 4 ? 28u : 48u);
    EXPECT_STREQ(info.pszTitle, L"Tevaro Player SE DSP");
    EXPECT_STREQ(info.pszDocString, L"Tevaro Player SE Settings");
    EXPECT_EQ(info.pszHelpFile, nullptr);
    EXPECT_EQ(info.dwHelpContext, 0u);

    // The same template created by the dialog manager: 226 × 126 dialog units.
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    RECT area{0, 0, 1, 1};
    ASSERT_EQ(page_->Activate(host, &area, TRUE), S_OK);
    RECT units{0, 0, 226, 126};
    HWND dialog = GetWindow(host, GW_CHILD);
    ASSERT_NE(dialog, nullptr);
    MapDialogRect(dialog, &units);
    EXPECT_EQ(info.size.cx, units.right);
    EXPECT_EQ(info.size.cy, units.bottom);
    EXPECT_EQ(page_->Deactivate(), S_OK);
    EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr);
    DestroyWindow(host);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
}

TEST_F(DspPage, OpenedPageMovesShowsAndOffersKeyboardAndMouseToTheDialog) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    RECT area{10, 20, 350, 230};
    ASSERT_EQ(page_->Activate(host, &area, TRUE), S_OK);
    HWND dialog = GetWindow(host, GW_CHILD);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    ShowWindow(host, SW_SHOWNOACTIVATE);
    EXPECT_EQ(page_->Show(SW_SHOW), S_OK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    RECT placed;
    GetWindowRect(dialog, &placed);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ(placed.right - placed.left, 340);
    RECT moved{0, 0, 200, 100};
    EXPECT_EQ(page_->Move(nullptr), E_POINTER);
    EXPECT_EQ(page_->Move(&moved), S_OK);
    GetWindowRect(dialog, &placed);
    EXPECT_EQ(placed.right - placed.left, 200);

    struct Row {
        UINT message;
        HRESULT expected;
    };
    // A keyboard message for the dialog is consumed by its navigation; messages outside the two
    // ranges are never offered.
    const Row rows[] = {{WM_KEYDOWN, S_OK},  {WM_CHAR, S_OK},     {WM_LBUTTONDOWN, S_OK}, {WM_MOUSEWHEEL, S_OK},
                        {WM_PAINT, S_FALSE}, {WM_TIMER, S_FALSE}, {WM_NULL, S_FALSE}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        MSG msg{dialog, row.message, row.message == WM_KEYDOWN ? static_cast<WPARAM>(VK_TAB) : 0, 0, 0, {}};
        EXPECT_EQ(page_->TranslateAccelerator(&msg), row.expected);
    }
    MSG elsewhere{host, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(page_->TranslateAccelerator(&elsewhere), S_FALSE) << "not a message of the dialog";
    EXPECT_EQ(page_->Deactivate(), S_OK);
    EXPECT_EQ(page_->Show(SW_SHOW), E_UNEXPECTED);
    DestroyWindow(host);
}

BOOL CALLBACK collectTextStatics(HWND window, LPARAM l) {
    wchar_t cls[16];
    GetClassNameW(window, cls, 16);
    const bool picture = (GetWindowLongPtrW(window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
    if (lstrcmpiW(cls, L"Static") == 0 && !picture && GetWindowTextLengthW(window) > 0)
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(window);
    return TRUE;
}

// Each line of text is measured with the page's own font against its static's width: a static
// narrower than its text breaks it onto a second, clipped line.
TEST_F(DspPage, EveryLineFitsItsStaticAndTheVersionKeepsItsPlace) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    RECT area{0, 0, 400, 300};
    ASSERT_EQ(page_->Activate(host, &area, TRUE), S_OK);
    HWND dialog = GetWindow(host, GW_CHILD);
    ASSERT_NE(dialog, nullptr);
    std::vector<HWND> statics;
    EnumChildWindows(dialog, collectTextStatics, reinterpret_cast<LPARAM>(&statics));
    EXPECT_EQ(statics.size(), 4u);
    bool version = false;
    for (HWND s : statics) {
        wchar_t text[128];
        const int length = GetWindowTextW(s, text, 128);
        SCOPED_TRACE(testing::Message() << "static of " << length << " characters");
        HDC dc = GetDC(s);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(s, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, length, &extent);
        SelectObject(dc, old);
        ReleaseDC(s, dc);
        RECT client;
        GetClientRect(s, &client);
        EXPECT_LE(extent.cx, client.right);
        if (std::wcscmp(text, L"Version : Special Edition") != 0) continue;
        version = true;
        RECT place = {126, 45, 0, 0};
        MapDialogRect(dialog, &place);
        RECT at;
        GetWindowRect(s, &at);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.left, place.left);
        EXPECT_EQ(at.top, place.top);
        // Just wide enough: one dialog unit less would cut it again.
        auto pixels = [&](int units) {
            RECT r = {0, 0, units, 0};
            MapDialogRect(dialog, &r);
            return static_cast<int>(r.right);
        };
        int units = 1;
        while (units < 400 && pixels(units) < client.right) ++units;
        EXPECT_LT(pixels(units - 1), extent.cx) << "widened by more than it needs";
    }
    EXPECT_TRUE(version);
    EXPECT_EQ(page_->Deactivate(), S_OK);
    DestroyWindow(host);
}

// The captured page shows the picture (our dark blue drawing) and the four lines of text.
TEST(DspPageCapture, ShowsThePictureAndFourLines) {
    const host_sim::PageCaptureResult page = host_sim::openAndCapturePage(DspClsid);
    ASSERT_EQ(page.result, S_OK);
    const host_sim::Capture& c = page.capture;
    ASSERT_EQ(c.width, page.size.cx);
    ASSERT_EQ(c.height, page.size.cy);
    const double ux = c.width / 226.0, uy = c.height / 126.0;  // pixels per dialog unit
    // Picture: 157 × 143 pixels at (4, 16) units, mostly dark blue with bright strokes.
    const int px = static_cast<int>(4 * ux), py = static_cast<int>(16 * uy);
    int dark = 0, bright = 0;
    for (int y = py; y < py + 143; ++y)
        for (int x = px; x < px + 157; ++x) {
            const std::uint32_t p = c.at(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (b > r + 8 && b < 120 && r < 60) ++dark;
            if (r > 180 && g > 180 && b > 180) ++bright;
        }
    EXPECT_GT(dark, 157 * 143 / 2);
    EXPECT_GT(bright, 300);
    // Text lines: rows of the right-hand column holding dark glyph pixels, grouped into lines.
    const int textLeft = static_cast<int>(126 * ux), textRight = static_cast<int>(215 * ux);
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < c.height; ++y) {
        bool ink = false;
        for (int x = textLeft; x < textRight && x < c.width && !ink; ++x) ink = (c.at(x, y) & 0xFF) < 0x60;
        if (ink && !inLine) ++lines;
        inLine = ink;
    }
    EXPECT_EQ(lines, 4) << "every line on one line of its own";
}

}  // namespace
}  // namespace tevaro::plugin::test
