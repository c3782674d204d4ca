// Checks the resources compiled into this test program from res/sorowa.rc, as the program
// finds them at run time: every field of the two dialog templates against one table per
// dialog, the icon's images, and the version block that the About box reads.
//
// Texts are compared in code page 932, the program's narrow code page, against byte
// strings written out here, so that what is checked does not depend on how this file or
// the .rc file is read by the compilers.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 0x0411

// The bytes of one resource of this program, empty when it is missing.
std::vector<BYTE> LoadOwnResource(LPCSTR type, WORD id) {
    HRSRC found = FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id), kJapanese);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    const BYTE* first = static_cast<const BYTE*>(bytes);
    return std::vector<BYTE>(first, first + SizeofResource(nullptr, found));
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

// The languages under which this program holds a resource.
std::vector<WORD> ResourceLanguages(LPCSTR type, WORD id) {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(nullptr, type, MAKEINTRESOURCEA(id), AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::string ToCodePage932(const wchar_t* text, int length) {
    if (length == 0) return {};
    int size = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

// Reads the little-endian fields of a resource. Reading past the end yields zeros and
// marks the reader as overrun, which the tests check once at the end.
class Reader {
public:
    explicit Reader(const std::vector<BYTE>& bytes) : m_bytes(bytes) {}

    WORD Word() {
        WORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    DWORD Dword() {
        DWORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() {
        BYTE value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    // A NUL-terminated UTF-16 string, given in code page 932.
    std::string String() {
        std::wstring wide;
        for (WORD ch = Word(); ch != 0 && !m_bOverrun; ch = Word()) {
            wide += static_cast<wchar_t>(ch);
        }
        return ToCodePage932(wide.c_str(), static_cast<int>(wide.size()));
    }
    void AlignTo4() { m_nPos = (m_nPos + 3) & ~size_t{3}; }
    void Skip(size_t count) { m_nPos += count; }
    size_t Pos() const { return m_nPos; }
    bool Overrun() const { return m_bOverrun || m_nPos > m_bytes.size(); }

private:
    void Copy(void* out, size_t count) {
        if (m_nPos + count > m_bytes.size()) {
            m_bOverrun = true;
            return;
        }
        std::memcpy(out, m_bytes.data() + m_nPos, count);
        m_nPos += count;
    }

    const std::vector<BYTE>& m_bytes;
    size_t m_nPos = 0;
    bool m_bOverrun = false;
};

// A template field that holds either a string or an ordinal (0xFFFF and a number).
struct SzOrOrd {
    bool bOrdinal = false;
    WORD nOrdinal = 0;
    std::string text;  // code page 932

    bool operator==(const SzOrOrd& other) const {
        return bOrdinal == other.bOrdinal && nOrdinal == other.nOrdinal && text == other.text;
    }
};

void PrintTo(const SzOrOrd& value, std::ostream* out) {
    if (value.bOrdinal) {
        *out << "ordinal " << value.nOrdinal;
    } else {
        *out << testing::PrintToString(value.text);
    }
}

SzOrOrd Text(const char* text) { return SzOrOrd{false, 0, text}; }
SzOrOrd Ordinal(WORD number) { return SzOrOrd{true, number, {}}; }

SzOrOrd ReadSzOrOrd(Reader& in) {
    Reader probe = in;
    if (probe.Word() == 0xFFFF) {
        in.Word();
        return Ordinal(in.Word());
    }
    return Text(in.String().c_str());
}

// The class of an item by name, whether the template gives the predefined class by its
// ordinal or by its name.
std::string ClassName(const SzOrOrd& cls) {
    if (!cls.bOrdinal) {
        std::string name = cls.text;
        CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
        return name;
    }
    switch (cls.nOrdinal) {
        case 0x0080:
            return "BUTTON";
        case 0x0081:
            return "EDIT";
        case 0x0082:
            return "STATIC";
        default:
            return "#" + std::to_string(cls.nOrdinal);
    }
}

struct Item {
    DWORD id;
    const char* cls;
    SzOrOrd text;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

struct ParsedItem {
    DWORD helpId = 0;
    DWORD id = 0;
    std::string cls;
    SzOrOrd text;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    WORD extraBytes = 0;
};

struct Dialog {
    bool bExtended = false;
    DWORD helpId = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    SzOrOrd menu, cls, caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string font;
    std::vector<ParsedItem> items;
    bool bOverrun = false;
};

// Parses a DLGTEMPLATE or a DLGTEMPLATEEX with its items.
Dialog ParseDialog(const std::vector<BYTE>& bytes) {
    Dialog dialog;
    Reader in(bytes);
    Reader probe = in;
    const WORD version = probe.Word();
    dialog.bExtended = version == 1 && probe.Word() == 0xFFFF;
    if (dialog.bExtended) {
        in.Skip(4);
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = in.Dword();
        dialog.exStyle = in.Dword();
    }
    const WORD count = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    dialog.menu = ReadSzOrOrd(in);
    dialog.cls = ReadSzOrOrd(in);
    dialog.caption = ReadSzOrOrd(in);
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Word();
        if (dialog.bExtended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.font = in.String();
    }
    for (WORD i = 0; i < count && !in.Overrun(); ++i) {
        in.AlignTo4();
        ParsedItem item;
        if (dialog.bExtended) {
            item.helpId = in.Dword();
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = dialog.bExtended ? in.Dword() : in.Word();
        item.cls = ClassName(ReadSzOrOrd(in));
        item.text = ReadSzOrOrd(in);
        item.extraBytes = in.Word();
        in.Skip(item.extraBytes);
        dialog.items.push_back(item);
    }
    dialog.bOverrun = in.Overrun();
    return dialog;
}

void ExpectItems(const std::vector<Item>& want, const Dialog& got) {
    ASSERT_EQ(want.size(), got.items.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        const Item& w = want[i];
        const ParsedItem& g = got.items[i];
        EXPECT_EQ(w.id, g.id);
        EXPECT_EQ(std::string(w.cls), g.cls);
        EXPECT_EQ(w.text, g.text);
        EXPECT_EQ(w.x, g.x);
        EXPECT_EQ(w.y, g.y);
        EXPECT_EQ(w.cx, g.cx);
        EXPECT_EQ(w.cy, g.cy);
        EXPECT_EQ(w.style, g.style) << std::hex << "want 0x" << w.style << ", got 0x" << g.style;
        EXPECT_EQ(w.exStyle, g.exStyle);
        EXPECT_EQ(0u, g.helpId);
        EXPECT_EQ(0u, g.extraBytes);
    }
}

// "ＭＳ Ｐゴシック", the face of both templates.
const char kFontFace[] = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

TEST(DialogTemplate, MainWindowIsAnExtendedTemplateWithItsElevenItems) {
    const Dialog dialog = ParseDialog(LoadOwnResource(RT_DIALOG, IDD_MAIN));
    ASSERT_TRUE(dialog.bExtended);
    EXPECT_FALSE(dialog.bOverrun);
    EXPECT_EQ(0u, dialog.helpId);
    // Popup, visible, caption, system menu, font, modal frame.
    EXPECT_EQ(DWORD{0x90C800C0}, dialog.style);
    EXPECT_EQ(DWORD{WS_EX_APPWINDOW}, dialog.exStyle);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(195, dialog.cx);
    EXPECT_EQ(179, dialog.cy);
    EXPECT_EQ(Text(""), dialog.menu);
    EXPECT_EQ(Text(""), dialog.cls);
    EXPECT_EQ(Text("Sorowa"), dialog.caption);
    EXPECT_EQ(9, dialog.pointSize);
    EXPECT_EQ(0, dialog.weight);
    EXPECT_EQ(0, dialog.italic);
    EXPECT_EQ(DEFAULT_CHARSET, dialog.charset);
    EXPECT_EQ(kFontFace, dialog.font);

    constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    constexpr DWORD kPath =
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    constexpr DWORD kResult = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
                              WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_WANTRETURN;
    static_assert(kLabel == 0x50020000 && kPath == 0x50810080 && kButton == 0x50010000 &&
                      kResult == 0x50B110C4,
                  "style values of the main window's items");
    const char* const kBrowse = "\x8e\x51\x8f\xc6...";  // 参照... (browse)
    const std::vector<Item> items = {
        // 比較ファイル(&F) (files to compare)
        {0xFFFFFFFF, "STATIC", Text("\x94\xe4\x8a\x72\x83\x74\x83\x40\x83\x43\x83\x8b(&F)"), 10, 10,
         47, 8, kLabel, 0},
        {IDC_PATH1, "EDIT", Text(""), 10, 20, 153, 14, kPath, WS_EX_ACCEPTFILES},
        {IDC_BROWSE1, "BUTTON", Text(kBrowse), 165, 20, 20, 14, kButton, 0},
        {IDC_PATH2, "EDIT", Text(""), 10, 35, 153, 14, kPath, WS_EX_ACCEPTFILES},
        {IDC_BROWSE2, "BUTTON", Text(kBrowse), 165, 35, 20, 14, kButton, 0},
        // 比較結果(&O) (comparison result)
        {0xFFFFFFFF, "STATIC", Text("\x94\xe4\x8a\x72\x8c\x8b\x89\xca(&O)"), 10, 55, 38, 8, kLabel,
         0},
        {IDC_RESULT, "EDIT", Text(""), 10, 65, 175, 80, kResult, 0},
        // 開始(&S) (start)
        {IDOK, "BUTTON", Text("\x8a\x4a\x8e\x6e(&S)"), 10, 155, 40, 14,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
        // 中止(&B) (stop), disabled until a run starts
        {IDC_STOP, "BUTTON", Text("\x92\x86\x8e\x7e(&B)"), 55, 155, 40, 14, kButton | WS_DISABLED,
         0},
        // 終了(&X) (exit)
        {IDCANCEL, "BUTTON", Text("\x8f\x49\x97\xb9(&X)"), 100, 155, 40, 14, kButton, 0},
        {IDC_ABOUT, "BUTTON", Text("About(&A)..."), 145, 155, 40, 14, kButton, 0},
    };
    ExpectItems(items, dialog);
}

TEST(DialogTemplate, AboutBoxIsAStandardTemplateWithItsEightItems) {
    const Dialog dialog = ParseDialog(LoadOwnResource(RT_DIALOG, IDD_ABOUTBOX));
    ASSERT_FALSE(dialog.bExtended);
    EXPECT_FALSE(dialog.bOverrun);
    EXPECT_EQ(DWORD{0x80C800C0}, dialog.style);  // as the main window's, but not visible
    EXPECT_EQ(0u, dialog.exStyle);
    EXPECT_EQ(0, dialog.x);
    EXPECT_EQ(0, dialog.y);
    EXPECT_EQ(209, dialog.cx);
    EXPECT_EQ(65, dialog.cy);
    EXPECT_EQ(Text(""), dialog.menu);
    EXPECT_EQ(Text(""), dialog.cls);
    // バージョン情報 (version information)
    EXPECT_EQ(Text("\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93\x8f\xee\x95\xf1"), dialog.caption);
    EXPECT_EQ(9, dialog.pointSize);
    EXPECT_EQ(kFontFace, dialog.font);

    constexpr DWORD kNoId = 0xFFFF;      // item identifiers are 16 bits wide in this form
    constexpr DWORD kLine = 0x50020000;  // child, visible, group, left-aligned text
    constexpr DWORD kLink = 0x50030301;  // as kLine, with tab stop, notify, centred
    const std::vector<Item> items = {
        {IDOK, "BUTTON", Text("OK"), 170, 11, 28, 14, 0x50030001, 0},
        {kNoId, "STATIC", Ordinal(IDR_MAINFRAME), 15, 9, 20, 20, 0x50000003, 0},
        {IDC_VERSION, "STATIC", Text(""), 50, 10, 115, 8, kLine, 0},
        {IDC_COPYRIGHT, "STATIC", Text(""), 50, 20, 115, 8, kLine, 0},
        {kNoId, "STATIC", Text("URL  \x81\x46"), 50, 35, 22, 8, kLine, 0},  // full-width colon
        {kNoId, "STATIC", Text("MAIL \x81\x46"), 50, 45, 22, 8, kLine, 0},
        {IDC_URL, "STATIC", Text("http://www.example.com/"), 75, 35, 54, 8, kLink, 0},
        // No colon: the link puts "mailto:" in front when it opens the address.
        {IDC_MAIL, "STATIC", Text("sorowa@example.com"), 75, 45, 44, 8, kLink, 0},
    };
    ExpectItems(items, dialog);
}

TEST(Resources, AreStoredUnderJapaneseOnly) {
    const struct {
        LPCSTR type;
        WORD id;
    } resources[] = {
        {RT_DIALOG, IDD_MAIN},
        {RT_DIALOG, IDD_ABOUTBOX},
        {RT_GROUP_ICON, IDR_MAINFRAME},
        {RT_VERSION, VS_VERSION_INFO},
    };
    for (const auto& resource : resources) {
        SCOPED_TRACE("type " + std::to_string(reinterpret_cast<uintptr_t>(resource.type)) +
                     ", resource " + std::to_string(resource.id));
        EXPECT_EQ(std::vector<WORD>{kJapanese}, ResourceLanguages(resource.type, resource.id));
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "layout of an icon group entry");

// The sizes the system asks for at the usual scales: small and large icons at 100 % to
// 200 %, and the shell's 64 and 256.
const int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

TEST(Icon, MainIconHasAnImageForEveryScaleIn32BitColourWithTheLargestAsPng) {
    const std::vector<BYTE> group = LoadOwnResource(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_GE(group.size(), 6u);
    Reader in(group);
    EXPECT_EQ(0, in.Word());
    EXPECT_EQ(1, in.Word());  // icons, not cursors
    const WORD count = in.Word();
    ASSERT_EQ(std::size(kIconSizes), count);
    ASSERT_EQ(6u + count * sizeof(GroupIconEntry), group.size());

    std::vector<int> sizes;
    std::vector<WORD> ids;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        // A width of 0 stands for 256.
        const int size = entry.width == 0 ? 256 : entry.width;
        SCOPED_TRACE("image of " + std::to_string(size) + " pixels");
        sizes.push_back(size);
        ids.push_back(entry.id);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(0, entry.colourCount);  // no palette
        EXPECT_EQ(32, entry.bitCount);

        std::vector<BYTE> image = LoadOwnResource(RT_ICON, entry.id);
        ASSERT_EQ(entry.bytesInRes, image.size());
        if (size == 256) {
            // A PNG of 256 x 256, 8 bits per channel, with alpha (colour type 6).
            const BYTE signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            ASSERT_GE(image.size(), 33u);
            EXPECT_EQ(0, std::memcmp(image.data(), signature, sizeof signature));
            EXPECT_EQ(0, std::memcmp(image.data() + 12, "IHDR", 4));
            const BYTE header[] = {0, 0, 1, 0, 0, 0, 1, 0, 8, 6};
            EXPECT_EQ(0, std::memcmp(image.data() + 16, header, sizeof header));
        } else {
            ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image.data(), sizeof header);
            EXPECT_EQ(size, header.biWidth);
            EXPECT_EQ(2 * size, header.biHeight);  // colour bits and AND mask
            EXPECT_EQ(32, header.biBitCount);
            EXPECT_EQ(DWORD{BI_RGB}, header.biCompression);
            // Header, 32-bit colour rows and 1-bit mask rows padded to 4 bytes; no palette.
            const size_t maskRow = (size + 31u) / 32 * 4;
            EXPECT_EQ(sizeof header + size * (size * 4u + maskRow), image.size());
        }
        HICON icon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                              0x00030000, size, size, 0);
        EXPECT_NE(nullptr, icon);
        if (icon) DestroyIcon(icon);
    }
    std::vector<int> sorted = sizes;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(std::vector<int>(std::begin(kIconSizes), std::end(kIconSizes)), sorted);

    // A window asks for the icon at the sizes of the system metrics for its scale: each
    // request must pick the image made for it, and load.
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        SCOPED_TRACE("loaded at " + std::to_string(size) + " pixels");
        EXPECT_EQ(ids[i], LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group.data()), TRUE, size,
                                                      size, LR_DEFAULTCOLOR));
        HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                 IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
        EXPECT_NE(nullptr, icon);
        if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
}

// The string table of the version block, in its order. Values in code page 932.
struct VersionString {
    const char* key;
    const char* value;
};
const VersionString kVersionStrings[] = {
    // フリーウェア (freeware)
    {"Comments", "\x83\x74\x83\x8a\x81\x5b\x83\x45\x83\x46\x83\x41"},
    {"CompanyName", "Sorowa Project"},
    // バイナリレベルでファイルを比較 (compares files byte by byte)
    {"FileDescription",
     "\x83\x6f\x83\x43\x83\x69\x83\x8a\x83\x8c\x83\x78\x83\x8b\x82\xc5"
     "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x94\xe4\x8a\x72"},
    {"FileVersion", "1, 02, 8, 9"},
    {"InternalName", "sorowa"},
    {"LegalCopyright", "Copyright (C) 2026 Sorowa Project"},
    {"OriginalFilename", "sorowa.exe"},
    {"ProductName", "Sorowa"},
    {"ProductVersion", "1.02"},
};

// One node of a version block: its key, its value and where its children lie. A node
// that does not fit in the block is returned as not valid.
struct VersionNode {
    bool bValid = false;
    std::string key;
    WORD type = 0;
    WORD valueLength = 0;    // in WCHARs for text, in bytes otherwise
    std::wstring textValue;  // as stored, terminator included
    size_t childrenBegin = 0, end = 0;
};

size_t Align4(size_t offset) { return (offset + 3) & ~size_t{3}; }

VersionNode ReadVersionNode(const std::vector<BYTE>& block, size_t at) {
    VersionNode node;
    std::vector<BYTE> part;
    if (at + 6 > block.size()) return node;
    WORD length = 0;
    std::memcpy(&length, block.data() + at, 2);
    if (length < 6 || at + length > block.size()) return node;
    part.assign(block.begin() + static_cast<std::ptrdiff_t>(at),
                block.begin() + static_cast<std::ptrdiff_t>(at + length));
    Reader in(part);
    in.Skip(2);
    node.valueLength = in.Word();
    node.type = in.Word();
    node.key = in.String();
    in.AlignTo4();
    if (node.type == 1) {
        for (WORD i = 0; i < node.valueLength; ++i) {
            node.textValue += static_cast<wchar_t>(in.Word());
        }
    } else {
        in.Skip(node.valueLength);
    }
    node.bValid = !in.Overrun();
    node.childrenBegin = Align4(at + in.Pos());
    node.end = at + length;
    return node;
}

std::vector<VersionNode> VersionChildren(const std::vector<BYTE>& block,
                                         const VersionNode& parent) {
    std::vector<VersionNode> children;
    for (size_t at = parent.childrenBegin; at < parent.end; at = Align4(children.back().end)) {
        children.push_back(ReadVersionNode(block, at));
        if (!children.back().bValid || children.back().end > parent.end) break;
    }
    return children;
}

TEST(VersionBlock, StringsAreStoredInOrderAsNulTerminatedUtf16) {
    const std::vector<BYTE> block = LoadOwnResource(RT_VERSION, VS_VERSION_INFO);
    ASSERT_GE(block.size(), 6u);
    const VersionNode root = ReadVersionNode(block, 0);
    ASSERT_TRUE(root.bValid);
    EXPECT_EQ(block.size(), root.end);
    EXPECT_EQ("VS_VERSION_INFO", root.key);
    EXPECT_EQ(sizeof(VS_FIXEDFILEINFO), size_t{root.valueLength});

    const std::vector<VersionNode> parts = VersionChildren(block, root);
    ASSERT_EQ(2u, parts.size());
    EXPECT_EQ("StringFileInfo", parts[0].key);
    EXPECT_EQ("VarFileInfo", parts[1].key);
    const std::vector<VersionNode> tables = VersionChildren(block, parts[0]);
    ASSERT_EQ(1u, tables.size());
    EXPECT_EQ("041104B0", tables[0].key);

    const std::vector<VersionNode> strings = VersionChildren(block, tables[0]);
    ASSERT_EQ(std::size(kVersionStrings), strings.size());
    for (size_t i = 0; i < strings.size(); ++i) {
        SCOPED_TRACE(kVersionStrings[i].key);
        const VersionNode& s = strings[i];
        ASSERT_TRUE(s.bValid);
        EXPECT_EQ(kVersionStrings[i].key, s.key);
        EXPECT_EQ(1, s.type);  // text
        // The value length counts the terminating NUL, which is stored.
        ASSERT_GE(s.textValue.size(), 1u);
        EXPECT_EQ(L'\0', s.textValue.back());
        const int length = static_cast<int>(s.textValue.size()) - 1;
        EXPECT_EQ(kVersionStrings[i].value, ToCodePage932(s.textValue.c_str(), length));
    }
}

TEST(VersionBlock, ReadsBackThroughTheNarrowVersionCallsAsTheAboutBoxDoes) {
    ASSERT_EQ(932u, GetACP()) << "run under a Japanese locale: the texts are compared in 932";
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, sizeof path));
    const DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_NE(0u, size);
    std::vector<char> block(size + 1);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    DWORD translation = 0;
    std::memcpy(&translation, value, 4);
    EXPECT_EQ(0x0411, LOWORD(translation));
    EXPECT_EQ(1200, HIWORD(translation));

    // The key is stored as "041104B0"; the About box asks in lower case.
    for (const VersionString& entry : kVersionStrings) {
        SCOPED_TRACE(entry.key);
        const std::string query = std::string("\\StringFileInfo\\041104b0\\") + entry.key;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), &value, &length));
        EXPECT_EQ(entry.value, std::string(static_cast<const char*>(value)));
    }

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed.dwSignature);
    EXPECT_EQ(0x00010002u, fixed.dwFileVersionMS);  // 1.2.8.9
    EXPECT_EQ(0x00080009u, fixed.dwFileVersionLS);
    EXPECT_EQ(0x00010002u, fixed.dwProductVersionMS);
    EXPECT_EQ(0x00080009u, fixed.dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed.dwFileFlagsMask);
    EXPECT_EQ(0u, fixed.dwFileFlags);
    EXPECT_EQ(DWORD{VOS__WINDOWS32}, fixed.dwFileOS);
    EXPECT_EQ(DWORD{VFT_APP}, fixed.dwFileType);
    EXPECT_EQ(0u, fixed.dwFileSubtype);
    EXPECT_EQ(0u, fixed.dwFileDateMS);
    EXPECT_EQ(0u, fixed.dwFileDateLS);
}

}  // namespace
