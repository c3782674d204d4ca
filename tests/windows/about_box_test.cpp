// The real About box, created from its template and worked through window messages while
// its modal loop runs: the version lines, the two links (looks, pointer, keys, opening
// through the shell), the fitting of the links to their texts, and how the box ends.
//
// Mouse and key messages are posted to the window the platform would deliver them to. What
// only the box's thread can see (focus, capture, cursor) is read on that thread, after the
// messages posted before have been handled.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <stdlib.h>
#include <string>
#include <utility>
#include <vector>

#include "framework/win_app.h"
#include "platform/narrow_text.h"
#include "res/resource.h"
#include "tests/windows/dialog_driver.h"
#include "ui/about_dlg.h"
#include "ui/compare_dlg.h"
#include "ui/link_label.h"

namespace sorowa::testing {
namespace {

const std::string kUrl = "http://www.example.com/";
const std::string kMail = "sorowa@example.com";
const std::string kVersionLine = "Sorowa version 1.02";
const std::string kCopyright = "Copyright (C) 2026 Sorowa Project";

// The About box with one addition: a posted message that runs a function on the box's
// thread, after every message posted to it before.
constexpr UINT WM_TEST_RUN = WM_APP + 0x3A;

class AboutUnderTest : public CAboutDlg {
public:
    using CAboutDlg::CAboutDlg;

protected:
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {
            OnMessage<&AboutUnderTest::OnTestRun>(WM_TEST_RUN),
        };
        static const MessageMap map = MakeMessageMap(CAboutDlg::GetMessageMap(), entries);
        return &map;
    }

    LRESULT OnTestRun(WPARAM function, LPARAM) {
        (*reinterpret_cast<const std::function<void()>*>(function))();
        return 0;
    }
};

// Runs `function` on the box's thread; nothing runs when the box ends first, since its
// window takes the message with it.
void OnBoxThread(HWND box, const std::function<void()>& function) {
    std::atomic<bool> done{false};
    const std::function<void()> run = [&] {
        function();
        done = true;
    };
    if (!PostMessageA(box, WM_TEST_RUN, reinterpret_cast<WPARAM>(&run), 0)) return;
    EXPECT_TRUE(WaitFor([&] { return done || !IsWindow(box); }, 10000));
}

// Returns once the box has handled every message posted to it before, or has ended.
void WaitUntilHandled(HWND box) {
    OnBoxThread(box, [] {});
}

HWND Focus(HWND box) {
    HWND focus = nullptr;
    OnBoxThread(box, [&] { focus = GetFocus(); });
    return focus;
}

HWND Capture(HWND box) {
    HWND capture = nullptr;
    OnBoxThread(box, [&] { capture = GetCapture(); });
    return capture;
}

// A key press as the keyboard delivers it, to the window with the focus.
void PressKey(HWND box, WPARAM key) {
    const HWND focus = Focus(box);
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    WaitUntilHandled(box);
}

// Returns once the box's thread has taken every input made so far: a key that nothing acts
// on goes through the same input queue, after anything put in before it, and the thread's
// own key state shows it once the thread has taken it.
void WaitUntilInputHandled(HWND box) {
    INPUT marker[2] = {};
    marker[0].type = marker[1].type = INPUT_KEYBOARD;
    marker[0].ki.wVk = marker[1].ki.wVk = VK_F24;
    marker[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &marker[0], sizeof(INPUT));
    EXPECT_TRUE(WaitFor(
        [&] {
            bool down = false;
            OnBoxThread(box, [&] { down = (GetKeyState(VK_F24) & 0x8000) != 0; });
            return down;
        },
        10000));
    SendInput(1, &marker[1], sizeof(INPUT));
    EXPECT_TRUE(WaitFor(
        [&] {
            bool down = true;
            OnBoxThread(box, [&] { down = (GetKeyState(VK_F24) & 0x8000) != 0; });
            return !down;
        },
        10000));
}

// Pointer input for a control, in its client coordinates.
void PostMouse(HWND control, UINT message, POINT point, WPARAM keys = 0) {
    PostMessageA(control, message, keys, MAKELPARAM(point.x, point.y));
}

POINT Inside(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    return {client.right / 2, client.bottom / 2};
}

POINT Outside(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    return {client.right + 20, client.bottom / 2};
}

// What a link answers to its colour query, and the font it has given the control.
struct Look {
    COLORREF text;
    bool underlined;
};

Look LookOf(HWND box, HWND link) {
    Look look = {};
    OnBoxThread(box, [&] {
        const HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
            box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
        look.text = GetTextColor(dc);
        // The background is always the button face, as text background and as brush.
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
        LOGBRUSH fill = {};
        EXPECT_EQ(GetObjectA(brush, sizeof fill, &fill), static_cast<int>(sizeof fill));
        EXPECT_EQ(fill.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(fill.lbColor, GetSysColor(COLOR_BTNFACE));
        DeleteDC(dc);

        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        look.underlined = font.lfUnderline != 0;
    });
    return look;
}

constexpr COLORREF kBlue = CLinkLabel::kNormalColour;
constexpr COLORREF kRed = CLinkLabel::kFocusedColour;
constexpr COLORREF kOrange = CLinkLabel::kHoverColour;

void ExpectLook(HWND box, HWND link, COLORREF text, bool underlined, const char* when) {
    const Look look = LookOf(box, link);
    EXPECT_EQ(look.text, text) << when;
    EXPECT_EQ(look.underlined, underlined) << when;
}

// Ends the box by `end` and checks that it went; if it did not, cancels it so that the
// test goes on.
void ExpectEndsBy(HWND box, const std::function<void()>& end, const char* how) {
    end();
    const bool ended = WaitFor([&] { return !IsWindow(box); }, 5000);
    EXPECT_TRUE(ended) << how;
    if (!ended) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

void Cancel(HWND box) {
    ExpectEndsBy(
        box, [&] { PostMessageA(box, WM_COMMAND, IDCANCEL, 0); }, "cancel");
}

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        // The real pointer stays off the box, so that only the messages of a test move it.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    // Runs the box; `drive` gets it painted and with the focus on OK.
    // `programPath` is the box's argument 0.
    void Run(const std::function<void(HWND box, HWND url, HWND mail)>& drive,
             const std::wstring& programPath = {}) {
        AboutUnderTest box(programPath);
        RunDialog(box, [&](HWND hwnd) {
            OnBoxThread(hwnd, [&] { UpdateWindow(hwnd); });
            EXPECT_EQ(Focus(hwnd), GetDlgItem(hwnd, IDOK));
            drive(hwnd, GetDlgItem(hwnd, IDC_URL), GetDlgItem(hwnd, IDC_MAIL));
            if (IsWindow(hwnd)) Cancel(hwnd);
        });
    }

    // What the links asked the shell to open, and for which owner.
    ShellOpenRecorder m_opened;
};

// The folder of this test program, with a trailing separator.
std::string OwnFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

TEST_F(AboutBox, VersionLinesComeFromTheVersionBlock) {
    char own[MAX_PATH];
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    const std::string fixture = OwnFolder() + "version_fixture.dll";
    struct Case {
        std::string argument0;
        std::string version;
        std::string copyright;
    };
    const Case cases[] = {
        {own, kVersionLine, kCopyright},
        // Names that lead to no file: the program's own file is read instead.
        {"about_box_tests", kVersionLine, kCopyright},
        {"Z:\\no\\such\\folder\\sorowa.exe", kVersionLine, kCopyright},
        {"", kVersionLine, kCopyright},
        // Another file with a block is read in the program's place; of its two
        // translations only the first is used.
        {fixture, "Fixture version 9.9", "first translation"},
    };
    for (const Case& c : cases) {
        Run(
            [&](HWND box, HWND, HWND) {
                EXPECT_EQ(ItemText(box, IDC_VERSION), c.version) << c.argument0;
                EXPECT_EQ(ItemText(box, IDC_COPYRIGHT), c.copyright) << c.argument0;
            },
            WideText(c.argument0));
    }
}

TEST_F(AboutBox, TabCyclesThroughOkAndTheTwoLinksWithTheFocusedLinkInRed) {
    Run([&](HWND box, HWND url, HWND mail) {
        ExpectLook(box, url, kBlue, false, "web link at the start");
        ExpectLook(box, mail, kBlue, false, "mail link at the start");
        const HWND ok = GetDlgItem(box, IDOK);
        for (HWND next : {url, mail, ok, url}) {
            PressKey(box, VK_TAB);
            ASSERT_EQ(Focus(box), next);
            ExpectLook(box, url, next == url ? kRed : kBlue, false, "web link");
            ExpectLook(box, mail, next == mail ? kRed : kBlue, false, "mail link");
        }
    });
}

TEST_F(AboutBox, PointerOverALinkTurnsItOrangeAndUnderlinedUntilItLeaves) {
    Run([&](HWND box, HWND url, HWND) {
        for (bool focused : {false, true}) {
            if (focused) PressKey(box, VK_TAB);
            const char* when = focused ? "focused" : "not focused";
            PostMouse(url, WM_MOUSEMOVE, Inside(url));
            ExpectLook(box, url, kOrange, true, when);
            EXPECT_EQ(Capture(box), url) << when;
            // Held by the capture, the link sees the pointer leave.
            PostMouse(url, WM_MOUSEMOVE, Outside(url));
            ExpectLook(box, url, focused ? kRed : kBlue, false, when);
            EXPECT_EQ(Capture(box), nullptr) << when;
        }
    });
}

TEST_F(AboutBox, EnterOnAFocusedLinkOpensItAndKeepsTheBox) {
    Run([&](HWND box, HWND url, HWND mail) {
        EXPECT_EQ(ItemText(box, IDC_URL), kUrl);
        EXPECT_EQ(ItemText(box, IDC_MAIL), kMail);
        for (HWND link : {url, mail}) {
            PressKey(box, VK_TAB);
            PressKey(box, VK_RETURN);
            EXPECT_EQ(Focus(box), link);
            EXPECT_TRUE(IsWindowVisible(box));
        }
        // A web address has a colon and opens as it is; a mail address gets "mailto:". The
        // box owns what the shell shows.
        EXPECT_EQ(m_opened.Targets(), (std::vector<std::string>{kUrl, "mailto:" + kMail}));
        EXPECT_EQ(m_opened.Owners(), (std::vector<HWND>{box, box}));
        // On OK, Enter ends the box.
        PressKey(box, VK_TAB);
        ExpectEndsBy(
            box, [&] { PressKey(box, VK_RETURN); }, "Enter on OK");
        EXPECT_EQ(m_opened.Targets().size(), 2u);
    });
}

TEST_F(AboutBox, OnlyATextWithoutAColonOpensAsAMailAddress) {
    const std::pair<std::string, std::string> cases[] = {
        {"news:comp.example", "news:comp.example"},
        {"user@example.com:8080", "user@example.com:8080"},
        {"x:", "x:"},
        {"user@example.com", "mailto:user@example.com"},
        {"\x95\x5c@example.jp", "mailto:\x95\x5c@example.jp"},
        {"", "mailto:"},
    };
    Run([&](HWND box, HWND url, HWND) {
        for (const auto& [text, target] : cases) {
            m_opened.Clear();
            SetItemText(box, IDC_URL, text);
            PostMouse(url, WM_LBUTTONDOWN, Inside(url), MK_LBUTTON);
            PostMouse(url, WM_LBUTTONUP, Inside(url));
            WaitUntilHandled(box);
            EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{target}) << text;
        }
    });
}

TEST_F(AboutBox, APressOpensTheLinkOnlyWhenReleasedOverIt) {
    struct Step {
        UINT message;
        bool inside;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        size_t opened;
        bool pressed;  // a press on the link gave it the focus
    };
    const Case cases[] = {
        {"click", {{WM_MOUSEMOVE, true}, {WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, true}}, 1, true},
        {"press, move off, release",
         {{WM_MOUSEMOVE, true},
          {WM_LBUTTONDOWN, true},
          {WM_MOUSEMOVE, false},
          {WM_LBUTTONUP, false}},
         0,
         true},
        {"press, move off and back, release",
         {{WM_MOUSEMOVE, true},
          {WM_LBUTTONDOWN, true},
          {WM_MOUSEMOVE, false},
          {WM_MOUSEMOVE, true},
          {WM_LBUTTONUP, true}},
         1,
         true},
        {"press with no move before, release off",
         {{WM_LBUTTONDOWN, true}, {WM_LBUTTONUP, false}},
         0,
         true},
        {"release with no press", {{WM_MOUSEMOVE, true}, {WM_LBUTTONUP, true}}, 0, false},
    };
    for (const Case& c : cases) {
        m_opened.Clear();
        Run([&](HWND box, HWND url, HWND) {
            for (const Step& step : c.steps) {
                const WPARAM keys = step.message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
                PostMouse(url, step.message, step.inside ? Inside(url) : Outside(url), keys);
                if (step.message == WM_MOUSEMOVE && step.inside) {
                    EXPECT_EQ(Capture(box), url) << c.name;  // the link follows the pointer
                }
            }
            WaitUntilHandled(box);
            EXPECT_EQ(m_opened.Targets().size(), c.opened) << c.name;
            EXPECT_EQ(Focus(box), c.pressed ? url : GetDlgItem(box, IDOK)) << c.name;
            if (c.pressed) {
                // The press is over and the pointer is not over the link: the focused look,
                // no capture, and keys act again.
                EXPECT_EQ(Capture(box), nullptr) << c.name;
                ExpectLook(box, url, kRed, false, c.name);
                PressKey(box, VK_RETURN);
                EXPECT_EQ(m_opened.Targets().size(), c.opened + 1) << c.name;
            } else {
                // Never pressed: still hovered.
                EXPECT_EQ(Capture(box), url) << c.name;
                ExpectLook(box, url, kOrange, true, c.name);
            }
        });
    }
}

TEST_F(AboutBox, MiddleAndRightButtonsNeverOpenAndCancelAPress) {
    for (UINT other : {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
        m_opened.Clear();
        Run([&](HWND box, HWND url, HWND mail) {
            PostMouse(url, WM_MOUSEMOVE, Inside(url));
            PostMouse(url, WM_LBUTTONDOWN, Inside(url), MK_LBUTTON);
            PostMouse(url, other, Inside(url), MK_LBUTTON);
            EXPECT_EQ(Capture(box), nullptr) << other;
            ExpectLook(box, url, kRed, false, "after the other button");
            PostMouse(url, WM_LBUTTONUP, Inside(url));
            // A click of the other button alone opens nothing either.
            PostMouse(url, other, Inside(url));
            PostMouse(url,
                      other == WM_MBUTTONDOWN || other == WM_RBUTTONDOWN ? other + 1 : other - 1,
                      Inside(url));
            WaitUntilHandled(box);
            EXPECT_TRUE(m_opened.Targets().empty()) << other;
            // No press lingers: Tab moves on.
            PressKey(box, VK_TAB);
            EXPECT_EQ(Focus(box), mail) << other;
        });
    }
}

TEST_F(AboutBox, KeysDuringAPressAreSwallowed) {
    Run([&](HWND box, HWND url, HWND mail) {
        PostMouse(url, WM_MOUSEMOVE, Inside(url));
        PostMouse(url, WM_LBUTTONDOWN, Inside(url), MK_LBUTTON);
        for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE}) {
            PressKey(box, key);
            EXPECT_EQ(Focus(box), url) << key;
        }
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_TRUE(m_opened.Targets().empty());
        PostMouse(url, WM_LBUTTONUP, Inside(url));
        WaitUntilHandled(box);
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{kUrl});
        PressKey(box, VK_TAB);
        EXPECT_EQ(Focus(box), mail);
    });
}

TEST_F(AboutBox, APressEndsWhenTheLinkLosesTheFocus) {
    Run([&](HWND box, HWND url, HWND) {
        PostMouse(url, WM_MOUSEMOVE, Inside(url));
        PostMouse(url, WM_LBUTTONDOWN, Inside(url), MK_LBUTTON);
        WaitUntilHandled(box);
        ASSERT_EQ(Focus(box), url);
        // The focus goes elsewhere while the button is down (another window, a key of the
        // system): the press is over, opening nothing.
        OnBoxThread(box, [&] { SetFocus(GetDlgItem(box, IDOK)); });
        EXPECT_EQ(Capture(box), nullptr);
        ExpectLook(box, url, kBlue, false, "after losing the focus");
        // Keys act again, on the link too.
        PressKey(box, VK_TAB);
        ASSERT_EQ(Focus(box), url);
        PressKey(box, VK_RETURN);
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{kUrl});
        // The release that ends the old press is no click.
        PostMouse(url, WM_LBUTTONUP, Inside(url));
        WaitUntilHandled(box);
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{kUrl});
    });
}

TEST_F(AboutBox, FirstPaintFitsEachLinkToItsTextWithAOnePixelMargin) {
    Run([&](HWND box, HWND url, HWND mail) {
        const std::pair<HWND, RECT> links[] = {{url, {75, 35, 75 + 54, 35 + 8}},
                                               {mail, {75, 45, 75 + 44, 45 + 8}}};
        for (const auto& [link, units] : links) {
            OnBoxThread(box, [&, link = link, units = units] {
                RECT placed = units;  // where the template put it
                MapDialogRect(box, &placed);
                const std::string text = ItemText(box, GetDlgCtrlID(link));
                const HDC dc = GetDC(link);
                const HGDIOBJ previous =
                    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
                SIZE extent = {};
                GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                SelectObject(dc, previous);
                ReleaseDC(link, dc);

                // Later paints leave the size alone.
                InvalidateRect(link, nullptr, TRUE);
                UpdateWindow(link);
                RECT now;
                GetWindowRect(link, &now);
                MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&now), 2);
                EXPECT_EQ(now.left, placed.left) << text;
                EXPECT_EQ(now.top, placed.top - 1) << text;
                EXPECT_EQ(now.right - now.left, extent.cx + 2) << text;
                EXPECT_EQ(now.bottom - now.top, extent.cy + 2) << text;
                EXPECT_NE(now.right - now.left, placed.right - placed.left) << text;
            });
        }
    });
}

TEST_F(AboutBox, EscapeTheCloseBoxAndOkEndTheBox) {
    const std::pair<const char*, std::function<void(HWND)>> ends[] = {
        {"Escape", [](HWND box) { PressKey(box, VK_ESCAPE); }},
        {"close box", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"OK", [](HWND box) { Click(box, IDOK); }},
    };
    for (const auto& [how, end] : ends) {
        Run([&, how = how, end = end](HWND box, HWND, HWND) {
            ExpectEndsBy(
                box, [&] { end(box); }, how);
        });
    }
    EXPECT_TRUE(m_opened.Targets().empty());
}

// The static control of the box's icon.
HWND IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

TEST_F(AboutBox, PressesOnTheIconOrATextLineGiveTheFocusBackToOk) {
    Run([&](HWND box, HWND url, HWND) {
        for (HWND item :
             {IconOf(box), GetDlgItem(box, IDC_VERSION), GetDlgItem(box, IDC_COPYRIGHT)}) {
            ASSERT_NE(item, nullptr);
            RECT rect;
            GetWindowRect(item, &rect);
            const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            // The item lets the pointer through to the box.
            EXPECT_EQ(SendMessageA(item, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)),
                      HTTRANSPARENT);
            POINT inBox = centre;
            ScreenToClient(box, &inBox);
            for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
                PressKey(box, VK_TAB);
                ASSERT_EQ(Focus(box), url);
                PostMouse(box, press, inBox);
                PostMouse(box, press + 1, inBox);
                EXPECT_EQ(Focus(box), GetDlgItem(box, IDOK)) << press;
                ExpectLook(box, url, kBlue, false, "after the press on the box");
            }
        }
    });
}

TEST_F(AboutBox, HandCursorOverTheLinks) {
    Run([&](HWND box, HWND url, HWND mail) {
        // No help program here to take the hand from: the system's own hand.
        const HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
        const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        ASSERT_NE(hand, nullptr);
        ASSERT_NE(hand, arrow);
        for (HWND link : {url, mail}) {
            OnBoxThread(box, [&] {
                SetCursor(arrow);
                EXPECT_EQ(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                          TRUE);
                EXPECT_EQ(GetCursor(), hand);
            });
        }
    });
}

// A real click of the left button at `point` (screen coordinates), through the platform's
// input stream.
void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

POINT ScreenCentre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(AboutBox, RealClicksOpenALinkAndGiveTheFocusBackToOk) {
    Run([&](HWND box, HWND url, HWND) {
        ClickAt(ScreenCentre(url));
        EXPECT_TRUE(WaitFor(
            [&] {
                WaitUntilHandled(box);
                return !m_opened.Targets().empty();
            },
            5000));
        EXPECT_EQ(m_opened.Targets(), std::vector<std::string>{kUrl});
        EXPECT_EQ(Focus(box), url);
        HCURSOR cursor = nullptr;
        OnBoxThread(box, [&] { cursor = GetCursor(); });
        EXPECT_EQ(cursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
        ExpectLook(box, url, kOrange, true, "pointer still over the link after the click");

        ClickAt(ScreenCentre(IconOf(box)));
        EXPECT_TRUE(WaitFor([&] { return Focus(box) == GetDlgItem(box, IDOK); }, 5000));
        ExpectLook(box, url, kBlue, false, "after the click on the icon");
        EXPECT_EQ(m_opened.Targets().size(), 1u);
    });
}

TEST_F(AboutBox, ActivationByALeftPressPutsOneMorePressIntoTheInput) {
    Run([&](HWND box, HWND url, HWND) {
        const POINT icon = ScreenCentre(IconOf(box));
        SetCursorPos(icon.x, icon.y);
        PressKey(box, VK_TAB);
        ASSERT_EQ(Focus(box), url);
        // The answer is always the default one: activate and deliver the press. A press lands
        // where the pointer is, on the icon and so on the box, which gives OK the focus.
        for (UINT press : {WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDOWN}) {
            EXPECT_EQ(SendMessageA(box, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(box),
                                   MAKELPARAM(HTCLIENT, press)),
                      MA_ACTIVATE);
            if (press != WM_LBUTTONDOWN) {
                WaitUntilInputHandled(box);
                EXPECT_EQ(Focus(box), url) << "no press added for " << press;
            }
        }
        EXPECT_TRUE(WaitFor([&] { return Focus(box) == GetDlgItem(box, IDOK); }, 5000));
        // The added press has no release of its own.
        INPUT release = {};
        release.type = INPUT_MOUSE;
        release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1, &release, sizeof release);
    });
}

BOOL CALLBACK FindShownAboutBox(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || GetDlgItem(window, IDC_URL) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

TEST(AboutBoxFromTheMainWindow, AboutOpensTheBoxOverTheDisabledMainWindowAndClosesIt) {
    // As at start-up: the main window is the application's, so it owns the box.
    CWinApp app;
    CCompareDlg main;
    app.m_pMainWnd = &main;
    RunDialog(main, [&](HWND hwnd) {
        // Posted: the click runs the box's modal loop, which a sent one would wait for.
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDC_ABOUT)));
        HWND box = nullptr;
        const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
        EXPECT_TRUE(WaitFor(
            [&] {
                EnumThreadWindows(thread, FindShownAboutBox, reinterpret_cast<LPARAM>(&box));
                return box != nullptr;
            },
            10000));
        if (box != nullptr) {
            EXPECT_EQ(ItemText(box, IDC_VERSION), kVersionLine);
            EXPECT_EQ(GetWindow(box, GW_OWNER), hwnd);
            EXPECT_FALSE(IsWindowEnabled(hwnd));
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
        }
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(hwnd) != FALSE; }, 5000));
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    });
    app.m_pMainWnd = nullptr;
}

}  // namespace
}  // namespace sorowa::testing
