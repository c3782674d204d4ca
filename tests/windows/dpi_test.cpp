// The real main window and About box in a Wine prefix whose screen is set to 144 pixels per
// inch (150 %), with the program's own resources and manifest: the process is per-monitor
// aware, the windows are laid out at that scale (no item overlaps another or leaves its
// window, no text is cut), the icons are loaded at the sizes the system metrics give, the
// links' hit areas cover their texts, and a change of scale takes the suggested rectangle.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/windows/dialog_driver.h"
#include "ui/about_dlg.h"
#include "ui/compare_dlg.h"

namespace sorowa::testing {
namespace {

// The scale the fixture gives the prefix.
constexpr int kDpi = 144;

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The size of an icon's image, in pixels.
SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // A mask without colour holds the AND and XOR halves one above the other.
    return {bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

HICON WindowIcon(HWND window, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The extent of `text` in the font the control draws with.
SIZE TextExtent(HWND control, const std::string& text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent;
}

// The face a window's font names, and the face the system draws it in: another one when the
// system stands in a face of its own for one it does not have.
std::pair<std::string, std::string> FontFaces(HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA named = {};
    GetObjectA(font, sizeof named, &named);
    const HDC dc = GetDC(window);
    const HGDIOBJ previous = SelectObject(dc, font);
    char drawn[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, drawn);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return {named.lfFaceName, drawn};
}

// A control's text as drawn: an ampersand marks the next character and is not drawn.
std::string DrawnText(HWND control) {
    std::string drawn;
    const std::string text = WindowText(control);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        drawn += text[i];
    }
    return drawn;
}

struct Item {
    HWND window;
    RECT rect;  // in the dialog's client coordinates
    std::string className;
};

BOOL CALLBACK AddItem(HWND window, LPARAM items) {
    Item item = {window, {}, std::string(64, '\0')};
    GetWindowRect(window, &item.rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&item.rect), 2);
    item.className.resize(static_cast<size_t>(
        GetClassNameA(window, &item.className[0], static_cast<int>(item.className.size()))));
    reinterpret_cast<std::vector<Item>*>(items)->push_back(item);
    return TRUE;
}

// Every item lies inside the dialog's client area and apart from every other, and every
// static text and button has room for its text.
void ExpectLaidOut(HWND dialog) {
    // The template's face is drawn as itself. A stand-in (on a system without the face, in a
    // Wine prefix without its replacement) sizes the items by other widths, and can cut
    // labels that fit in the template's face: a fault of the system, said here as such.
    const auto faces = FontFaces(dialog);
    ASSERT_EQ(faces.first, faces.second) << "the dialog's face is not drawn as itself";
    std::vector<Item> items;
    EnumChildWindows(dialog, AddItem, reinterpret_cast<LPARAM>(&items));
    ASSERT_FALSE(items.empty());
    RECT client;
    GetClientRect(dialog, &client);
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const std::string text = DrawnText(item.window);
        SCOPED_TRACE(item.className + " \"" + text + "\"");
        RECT inside;
        IntersectRect(&inside, &item.rect, &client);
        EXPECT_TRUE(EqualRect(&inside, &item.rect)) << "leaves the window";
        for (size_t j = i + 1; j < items.size(); ++j) {
            RECT common;
            EXPECT_FALSE(IntersectRect(&common, &item.rect, &items[j].rect))
                << "overlaps \"" << DrawnText(items[j].window) << "\"";
        }
        if (text.empty() || item.className == "Edit") continue;
        const SIZE extent = TextExtent(item.window, text);
        RECT room;
        GetClientRect(item.window, &room);
        // A button's text keeps clear of its edges.
        const int edges = item.className == "Button" ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
        EXPECT_LE(extent.cx, room.right - edges) << "text cut";
        EXPECT_LE(extent.cy, room.bottom) << "text cut";
    }
}

class AtHighDpi : public ::testing::Test {
protected:
    void SetUp() override {
        // The prefix's scale, as the process sees it: the fixture's setting took, and the
        // manifest made the process aware of it rather than scaled as a bitmap.
        ASSERT_EQ(kDpi, ScreenDpi());
        using AwarenessContext = HANDLE(WINAPI*)();
        using Awareness = int(WINAPI*)(HANDLE);
        const HMODULE user = GetModuleHandleA("user32.dll");
        const auto context = reinterpret_cast<AwarenessContext>(
            reinterpret_cast<void*>(GetProcAddress(user, "GetThreadDpiAwarenessContext")));
        const auto awareness = reinterpret_cast<Awareness>(
            reinterpret_cast<void*>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext")));
        ASSERT_TRUE(context != nullptr && awareness != nullptr);
        EXPECT_EQ(2, awareness(context()));  // DPI_AWARENESS_PER_MONITOR_AWARE
    }
};

TEST_F(AtHighDpi, MainWindowIsLaidOutAtTheScaleWithIconsOfTheMetricsSizes) {
    // The metrics themselves follow the scale: 150 % of 32 and of 16.
    EXPECT_EQ(48, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(24, GetSystemMetrics(SM_CXSMICON));
    CCompareDlg dialog;
    RunDialog(dialog, [](HWND hwnd) {
        Sync(hwnd);
        ExpectLaidOut(hwnd);
        const SIZE largeIcon = IconSize(WindowIcon(hwnd, ICON_BIG));
        const SIZE smallIcon = IconSize(WindowIcon(hwnd, ICON_SMALL));
        EXPECT_EQ(GetSystemMetrics(SM_CXICON), largeIcon.cx);
        EXPECT_EQ(GetSystemMetrics(SM_CYICON), largeIcon.cy);
        EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), smallIcon.cx);
        EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), smallIcon.cy);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(AtHighDpi, AboutBoxLinksHitAreasCoverTheirTextsAndNothingOverlaps) {
    CAboutDlg about;
    RunDialog(about, [](HWND box) {
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sync(box);
        ExpectLaidOut(box);

        // The box's icon, drawn by its static control, at the large icon's size.
        HWND iconItem = nullptr;
        for (HWND item = GetWindow(box, GW_CHILD); item != nullptr;
             item = GetWindow(item, GW_HWNDNEXT)) {
            if ((GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) iconItem = item;
        }
        ASSERT_NE(nullptr, iconItem);
        const SIZE iconSize =
            IconSize(reinterpret_cast<HICON>(SendMessageA(iconItem, STM_GETICON, 0, 0)));
        EXPECT_EQ(GetSystemMetrics(SM_CXICON), iconSize.cx);
        for (const int id : {IDC_URL, IDC_MAIL}) {
            const HWND link = GetDlgItem(box, id);
            const std::string text = WindowText(link);
            SCOPED_TRACE(text);
            const SIZE extent = TextExtent(link, text);
            RECT client;
            GetClientRect(link, &client);
            // The text with one pixel of margin, the focus rectangle around it.
            EXPECT_EQ(extent.cx + 2, client.right);
            EXPECT_EQ(extent.cy + 2, client.bottom);
            // Every corner of the text is a point of the link: a press there reaches it.
            RECT window;
            GetWindowRect(link, &window);
            const POINT corners[] = {{window.left + 1, window.top + 1},
                                     {window.left + extent.cx, window.top + 1},
                                     {window.left + 1, window.top + extent.cy},
                                     {window.left + extent.cx, window.top + extent.cy}};
            for (const POINT& corner : corners) {
                EXPECT_EQ(link, WindowFromPoint(corner)) << corner.x << ", " << corner.y;
                EXPECT_EQ(HTCLIENT,
                          SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)));
            }
        }
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(AtHighDpi, ANewScaleTakesTheSuggestedRectangleAndRemakesFontAndIcons) {
    CCompareDlg dialog;
    RunDialog(dialog, [](HWND hwnd) {
        Sync(hwnd);
        RECT before;
        GetWindowRect(hwnd, &before);
        // 200 %: the rectangle the system would suggest, a third larger and moved.
        const int newDpi = 192;
        RECT suggested = {before.left + 10, before.top + 20,
                          before.left + 10 + MulDiv(before.right - before.left, newDpi, kDpi),
                          before.top + 20 + MulDiv(before.bottom - before.top, newDpi, kDpi)};
        SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT after;
        GetWindowRect(hwnd, &after);
        EXPECT_TRUE(EqualRect(&suggested, &after));

        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(hwnd, IDC_RESULT, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(-(newDpi * 9 / 72), font.lfHeight);
        EXPECT_EQ(MulDiv(GetSystemMetrics(SM_CXICON), newDpi, kDpi),
                  IconSize(WindowIcon(hwnd, ICON_BIG)).cx);
        EXPECT_EQ(MulDiv(GetSystemMetrics(SM_CXSMICON), newDpi, kDpi),
                  IconSize(WindowIcon(hwnd, ICON_SMALL)).cx);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
}

}  // namespace
}  // namespace sorowa::testing
