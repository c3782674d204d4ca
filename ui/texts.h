// The window's own Japanese texts, as the code page 932 bytes they are written in; the window
// converts each from code page 932 where it sets it. Each line says what the text reads and
// means. The report's texts are in engine/texts.h.
#pragma once

namespace sorowa::text {

// The result box and the result file.

// "出力が30000バイトを超えて表示できない為、" : "The output exceeds 30000 bytes and cannot be
// shown, so" (first line of the overflow notice)
constexpr char kOverflowNotice1[] =
    "\x8f\x6f\x97\xcd\x82\xaa\x33\x30\x30\x30\x30\x83\x6f\x83\x43\x83\x67\x82\xf0\x92\xb4\x82"
    "\xa6\x82\xc4\x95\x5c\x8e\xa6\x82\xc5\x82\xab\x82\xc8\x82\xa2\x88\xd7\x81\x41\r\n";
// "に" CR LF "結果を保存します。" : "the result is saved to" (follows the file's name)
constexpr char kOverflowNotice2[] =
    "\x82\xc9\r\n\x8c\x8b\x89\xca\x82\xf0\x95\xdb\x91\xb6\x82\xb5\x82\xdc\x82\xb7\x81\x42";
// "全て一致しました。" : "Everything matched." (closing line of a run that showed nothing)
constexpr char kAllEqual[] =
    "\x91\x53\x82\xc4\x88\xea\x92\x76\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// "比較を中止しました。" : "The comparison was stopped." (closing line of a run that Stop ended
// before everything was compared)
constexpr char kStopped[] =
    "\x94\xe4\x8a\x72\x82\xf0\x92\x86\x8e\x7e\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// "結果ファイルを作成できませんでした。" : "The result file could not be created."
constexpr char kCannotCreateResult[] =
    "\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42";
// "結果ファイルへの書き込みに失敗しました。" : "Writing the result file failed."
constexpr char kCannotWriteResult[] =
    "\x8c\x8b\x89\xca\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xd6\x82\xcc\x8f\x91\x82\xab\x8d\x9e"
    "\x82\xdd\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

// "ＭＳ ゴシック" : "MS Gothic", the fixed-pitch face of the result box
constexpr char kResultFontFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

// The folder browser.

// "比較の対象を選択してください。" : "Choose what to compare."
constexpr char kBrowseTitle[] =
    "\x94\xe4\x8a\x72\x82\xcc\x91\xce\x8f\xdb\x82\xf0\x91\x49\x91\xf0\x82\xb5\x82\xc4\x82\xad"
    "\x82\xbe\x82\xb3\x82\xa2\x81\x42";

}  // namespace sorowa::text
