#include "dsp/plugin/dialog_template_size.h"

#include <cstdint>
#include <cstring>

namespace tevaro::plugin {
namespace {

// Reads the DLGTEMPLATEEX header fields this needs, checking every step against the resource size.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

    bool word(WORD& value) { return read(&value, sizeof value); }
    bool dword(DWORD& value) { return read(&value, sizeof value); }
    bool skip(DWORD bytes) { return bytes <= size_ - pos_ ? (pos_ += bytes, true) : false; }
    // A menu or class field: 0x0000 (none), 0xFFFF + ordinal, or a zero-terminated string.
    bool skipNameOrOrdinal() {
        WORD first = 0;
        if (!word(first)) return false;
        if (first == 0) return true;
        if (first == 0xFFFF) return skip(2);
        return skipString();
    }
    bool skipString() {
        for (WORD c = 1; c != 0;)
            if (!word(c)) return false;
        return true;
    }
    const wchar_t* stringHere() const {
        // Resources are 2-byte aligned; callers copy out at most LF_FACESIZE characters.
        return reinterpret_cast<const wchar_t*>(data_ + pos_);
    }
    DWORD remainingWords() const { return (size_ - pos_) / 2; }

private:
    bool read(void* value, DWORD bytes) {
        if (bytes > size_ - pos_) return false;
        std::memcpy(value, data_ + pos_, bytes);
        pos_ += bytes;
        return true;
    }
    const BYTE* data_;
    DWORD size_;
    DWORD pos_ = 0;
};

}  // namespace

bool dialogTemplatePixelSize(HINSTANCE module, UINT templateId, SIZE& size) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (data == nullptr) return false;
    TemplateReader reader(data, SizeofResource(module, found));

    WORD version = 0, signature = 0, items = 0, x = 0, y = 0, cx = 0, cy = 0;
    DWORD help = 0, exStyle = 0, style = 0;
    if (!reader.word(version) || !reader.word(signature) || version != 1 || signature != 0xFFFF) return false;
    if (!reader.dword(help) || !reader.dword(exStyle) || !reader.dword(style) || !reader.word(items)) return false;
    if (!reader.word(x) || !reader.word(y) || !reader.word(cx) || !reader.word(cy)) return false;

    wchar_t face[LF_FACESIZE] = L"MS Shell Dlg";
    WORD points = 8, weight = FW_NORMAL;
    if (style & DS_SETFONT) {
        WORD italicCharset = 0;
        if (!reader.skipNameOrOrdinal() || !reader.skipNameOrOrdinal() || !reader.skipString()) return false;
        if (!reader.word(points) || !reader.word(weight) || !reader.word(italicCharset)) return false;
        const DWORD n = reader.remainingWords() < LF_FACESIZE - 1 ? reader.remainingWords() : LF_FACESIZE - 1;
        std::memcpy(face, reader.stringHere(), n * sizeof(wchar_t));
        face[n] = L'\0';
    }

    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
    HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The dialog manager's average width: the extent of the 52 letters, rounded.
    static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc, letters, 52, &extent);
    SelectObject(dc, old);
    if (font != nullptr) DeleteObject(font);
    ReleaseDC(nullptr, dc);

    const int baseX = (extent.cx / 26 + 1) / 2;
    const int baseY = metrics.tmHeight;
    size.cx = MulDiv(static_cast<short>(cx), baseX, 4);
    size.cy = MulDiv(static_cast<short>(cy), baseY, 8);
    return true;
}

}  // namespace tevaro::plugin
