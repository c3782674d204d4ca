// The program's Japanese texts, each pinned once to the code page 932 bytes written out here
// and to what those bytes read as: a text is never its own expectation, so a byte changed in
// a constant fails here even where every other test compares with the constant itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "app/console/console_texts.h"
#include "engine/texts.h"
#include "ui/texts.h"

namespace sorowa::testing {
namespace {

// The bytes of a character array, without its closing NUL.
template <size_t N>
constexpr std::string_view Bytes(const char (&text)[N]) {
    return {text, N - 1};
}

// What `bytes` read as in code page 932; empty when they are not valid there.
std::wstring Reading(std::string_view bytes) {
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), length);
    return text;
}

struct Text {
    const char* name;
    std::string_view constant;  // the program's own
    std::string_view bytes;     // as written out here
    const wchar_t* reads;       // what the bytes read as
    const char* means;          // in English
};

TEST(Texts, EachIsTheCodePage932BytesOfWhatItReads) {
    const Text texts[] = {
        // The report's lines of a file pair or folder.
        {"kDoesNotExist", Bytes(text::kDoesNotExist),
         Bytes("\x82\xcd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n"),
         L"は存在しません。\r\n", "does not exist. (after the missing file's name)"},
        {"kCannotOpen", Bytes(text::kCannotOpen),
         Bytes("\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9"
               "\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\r\n"),
         L"ファイルが開けませんでした。\r\n", "The file could not be opened."},
        {"kSizesDiffer", Bytes(text::kSizesDiffer),
         Bytes("\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x54\x83\x43\x83\x59\x82\xaa\x88\xea"
               "\x92\x76\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n"),
         L"ファイルサイズが一致しません。\r\n", "The file sizes differ."},
        {"kCannotRead", Bytes(text::kCannotRead),
         Bytes("\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf"
               "\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\r\n"),
         L"ファイルを読み込めませんでした。\r\n", "The file could not be read."},
        {"kCannotList", Bytes(text::kCannotList),
         Bytes("\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xf0\x8a\x4a\x82\xaf\x82\xdc\x82\xb9"
               "\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\r\n"),
         L"フォルダを開けませんでした。\r\n", "The folder could not be opened."},
        {"kOnlyUnderSecond", Bytes(text::kOnlyUnderSecond),
         Bytes("\x83\x70\x83\x58\x32\x82\xc9\x82\xcc\x82\xdd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc"
               "\x82\xb7\x81\x42\r\n"),
         L"パス2にのみ存在します。\r\n", "Exists only under PATH2."},
        // The result box and the result file.
        {"kOverflowNotice1", Bytes(text::kOverflowNotice1),
         Bytes("\x8f\x6f\x97\xcd\x82\xaa"
               "30000\x83\x6f\x83\x43\x83\x67\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x95\x5c\x8e\xa6"
               "\x82\xc5\x82\xab\x82\xc8\x82\xa2\x88\xd7\x81\x41\r\n"),
         L"出力が30000バイトを超えて表示できない為、\r\n",
         "The output exceeds 30000 bytes and cannot be shown, so"},
        {"kOverflowNotice2", Bytes(text::kOverflowNotice2),
         Bytes("\x82\xc9\r\n"
               "\x8c\x8b\x89\xca\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x81\x42"),
         L"に\r\n結果を保存します。", "to (the file named before it): the result is saved."},
        {"kAllEqual", Bytes(text::kAllEqual),
         Bytes("\x91\x53\x82\xc4\x88\xea\x92\x76\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"),
         L"全て一致しました。", "Everything matched."},
        {"kStopped", Bytes(text::kStopped),
         Bytes("\x94\xe4\x8a\x72\x82\xf0\x92\x86\x8e\x7e\x82\xb5\x82\xdc\x82\xb5\x82\xbd"
               "\x81\x42"),
         L"比較を中止しました。", "The comparison was stopped."},
        {"kCannotCreateResult", Bytes(text::kCannotCreateResult),
         Bytes("\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xec\x90\xac"
               "\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42"),
         L"結果ファイルを作成できませんでした。", "The result file could not be created."},
        {"kCannotWriteResult", Bytes(text::kCannotWriteResult),
         Bytes("\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xd6\x82\xcc\x8f\x91"
               "\x82\xab\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5"
               "\x82\xbd\x81\x42"),
         L"結果ファイルへの書き込みに失敗しました。", "Writing the result file failed."},
        // The window's face and its folder browser.
        {"kResultFontFace", Bytes(text::kResultFontFace),
         Bytes("\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"), L"ＭＳ ゴシック",
         "MS Gothic, the fixed-pitch face"},
        {"kBrowseTitle", Bytes(text::kBrowseTitle),
         Bytes("\x94\xe4\x8a\x72\x82\xcc\x91\xce\x8f\xdb\x82\xf0\x91\x49\x91\xf0\x82\xb5"
               "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42"),
         L"比較の対象を選択してください。", "Choose what to compare."},
        // The console twin: messages on standard error, the help text on standard output.
        {"kWrongArguments", Bytes(console_text::kWrongArguments),
         Bytes("\x88\xf8\x90\x94\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc"
               "\x82\xb9\x82\xf1\x81\x42"),
         L"引数が正しくありません。", "The arguments are wrong."},
        {"kCannotWriteOutput", Bytes(console_text::kCannotWriteOutput),
         Bytes("\x95\x57\x8f\x80\x8f\x6f\x97\xcd\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf"
               "\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42"),
         L"標準出力に書き込めませんでした。", "Standard output could not be written."},
        {"console kStopped", Bytes(console_text::kStopped),
         Bytes("\x94\xe4\x8a\x72\x82\xf0\x92\x86\x8e\x7e\x82\xb5\x82\xdc\x82\xb5\x82\xbd"
               "\x81\x42"),
         L"比較を中止しました。", "The comparison was stopped."},
        {"kUsageLine", Bytes(console_text::kUsageLine),
         Bytes("\x8e\x67\x82\xa2\x95\xfb: sorowa [-s] \x83\x70\x83\x58"
               "1 \x83\x70\x83\x58"
               "2\r\n"),
         L"使い方: sorowa [-s] パス1 パス2\r\n", "Usage: sorowa [-s] PATH1 PATH2"},
        {"kUsageDetails", Bytes(console_text::kUsageDetails),
         Bytes("  \x83p\x83X1\x82\xc6\x83p\x83X2\x82\xcc\x83t\x83@\x83"
               "C\x83\x8b\x82\xf0\x83o\x83"
               "C\x83g\x92P\x88\xca\x82\xc5\x94\xe4\x8ar\x82\xb5\x81"
               "A\x88\xd9\x82\xc8\x82\xe9\x83o\x83"
               "C\x83g\x82\xf0\x88\xea\x97\x97\x82\xc9\x82\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  \x83p\x83X1\x82\xaa\x83t\x83H\x83\x8b\x83_\x82\xc8\x82\xe7\x81"
               "A\x82\xbb\x82\xcc\x92\x86\x82\xcc\x91S\x82\xc4\x82\xcc\x83t\x83@"
               "\x83"
               "C\x83\x8b\x82\xf0\x83p\x83X2\x82\xcc\x93\xaf\x82\xb6\x88\xca\x92"
               "u\x82\xcc\x83t\x83@\x83"
               "C\x83\x8b\x82\xc6\x94\xe4\x8ar\x82\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -s  \x89\xbd\x82\xe0\x8fo\x97\xcd\x82\xb9\x82\xb8\x81"
               "A\x8d\xc5\x8f\x89\x82\xcc\x91\x8a\x88\xe1\x82\xc5\x94\xe4\x8ar\x82"
               "\xf0\x8fI\x82\xa6\x82\xc4\x8fI\x97\xb9\x83R\x81[\x83h\x82\xbe\x82"
               "\xaf\x82\xf0\x95\xd4\x82\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -a, --all  \x83p\x83X2\x82\xc9\x82\xbe\x82\xaf\x82\xa0\x82\xe9"
               "\x83t\x83@\x83"
               "C\x83\x8b\x82\xc6\x83t\x83H\x83\x8b\x83_\x82\xe0\x81"
               "A\x83p\x83X1\x82\xcc\x82\xe0\x82\xcc\x82\xcc\x8c\xe3\x82\xc9\x95"
               "\xf1\x8d\x90\x82\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -g, --ranges  \x98"
               "A\x91\xb1\x82\xb5\x82\xc4\x88\xd9\x82\xc8\x82\xe9\x83o\x83"
               "C\x83g\x82\xf0\x81u\x90\xe6\x93\xaa-\x96\x96\x94\xf6 : \x92\xb7\x82"
               "\xb3\x81v\x82\xcc"
               "1\x8ds\x82\xc9\x82\xdc\x82\xc6\x82\xdf\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -v, --summary  \x8fI\x82\xed\x82\xe8\x82\xc9\x8fW\x8cv\x82\xf0"
               "\x95W\x8f\x80\x83G\x83\x89\x81[\x82\xc9"
               "1\x8ds\x82\xc5\x95\x5c\x8e\xa6\x82\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -x \x83p\x83^\x81[\x83\x93, --exclude=\x83p\x83^\x81[\x83\x93 "
               " \x96\xbc\x91O\x82\xaa\x83p\x83^\x81[\x83\x93\x82\xc9\x8d\x87\x82"
               "\xa4\x82\xe0\x82\xcc\x82\xf0\x8f\x9c\x82\xab\x82\xdc\x82\xb7(\x8c"
               "J\x82\xe8\x95\xd4\x82\xb5\x89\xc2)\x81"
               "B\r\n"
               "      * \x82\xc6 ? \x82\xaa\x8eg\x82\xa6\x81"
               "A\x91\xe5\x95\xb6\x8e\x9a\x82\xc6\x8f\xac\x95\xb6\x8e\x9a\x82\xcd"
               "\x8b\xe6\x95\xca\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81"
               "B\x5c \x82\xf0\x8a\xdc\x82\xdf\x82\xce\x83p\x83X1\x82\xa9\x82\xe7"
               "\x82\xcc\x91\x8a\x91\xce\x83p\x83X\x82\xc9\x8d\x87\x82\xed\x82\xb9"
               "\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "  -h  \x82\xb1\x82\xcc\x90\xe0\x96\xbe\x82\xf0\x95\x5c\x8e\xa6\x82"
               "\xb5\x82\xdc\x82\xb7\x81"
               "B\r\n"
               "\x8fI\x97\xb9\x83R\x81[\x83h: 0 \x91\x8a\x88\xe1\x82\xc8\x82\xb5"
               "\x81"
               "A1 \x91\x8a\x88\xe1\x82\xa0\x82\xe8\x81"
               "A2 \x94\xe4\x8ar\x82\xc5\x82\xab\x82\xc8\x82\xa2\x82\xe0\x82\xcc"
               "\x81"
               "E\x88\xf8\x90\x94\x82\xcc\x8c\xeb\x82\xe8\x81"
               "E\x8fo\x97\xcd\x82\xcc\x8e\xb8\x94s\x81"
               "E\x92\x86\x8e~\r\n"),
         L"  パス1とパス2のファイルをバイト単位で比較し、異なるバイトを一覧にします。\r\n  "
         L"パス1がフォルダなら、その中の全てのファイルをパス2の同じ位置のファイルと比較します。\r\n"
         L"  -s  何も出力せず、最初の相違で比較を終えて終了コードだけを返します。\r\n  -a, --all  "
         L"パス2にだけあるファイルとフォルダも、パス1のものの後に報告します。\r\n  -g, --ranges  "
         L"連続して異なるバイトを「先頭-末尾 : 長さ」の1行にまとめます。\r\n  -v, --summary  "
         L"終わりに集計を標準エラーに1行で表示します。\r\n  -x パターン, --exclude=パターン  "
         L"名前がパターンに合うものを除きます(繰り返し可)。\r\n      * と ? "
         L"が使え、大文字と小文字は区別しません。\\ を含めばパス1からの相対パスに合わせます。\r\n  "
         L"-h  この説明を表示します。\r\n終了コード: 0 相違なし、1 相違あり、2 "
         L"比較できないもの・引数の誤り・出力の失敗・中止\r\n",
         "The help text's lines after the usage line"},
    };
    for (const Text& text : texts) {
        EXPECT_EQ(text.constant, text.bytes) << text.name << ": " << text.means;
        EXPECT_TRUE(Reading(text.bytes) == text.reads) << text.name << ": " << text.means;
    }
}

}  // namespace
}  // namespace sorowa::testing
