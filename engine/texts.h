// The report's Japanese texts, as the code page 932 bytes it emits. Each line says what the
// text reads and means. The window's own texts are in ui/texts.h, the console twin's in
// app/console/console_texts.h.
#pragma once

namespace sorowa::text {

// Report lines of one file pair (every line ends in CR LF).

// "は存在しません。" : "does not exist." (follows the name of the missing file)
constexpr char kDoesNotExist[] =
    "\x82\xcd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n";
// "ファイルが開けませんでした。" : "The file could not be opened."
constexpr char kCannotOpen[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5"
    "\x82\xb5\x82\xbd\x81\x42\r\n";
// "ファイルサイズが一致しません。" : "The file sizes differ."
constexpr char kSizesDiffer[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x83\x54\x83\x43\x83\x59\x82\xaa\x88\xea\x92\x76\x82\xb5"
    "\x82\xdc\x82\xb9\x82\xf1\x81\x42\r\n";
// "ファイルを読み込めませんでした。" : "The file could not be read."
constexpr char kCannotRead[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdf\x82\xdc\x82\xb9"
    "\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\r\n";
// "フォルダを開けませんでした。" : "The folder could not be opened." (follows the header
// naming a folder that could not be listed)
constexpr char kCannotList[] =
    "\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\xf0\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5"
    "\x82\xb5\x82\xbd\x81\x42\r\n";

// "パス2にのみ存在します。" : "Exists only under PATH2." (follows the header naming a file or a
// folder that only the second folder holds, when that is asked for)
constexpr char kOnlyUnderSecond[] =
    "\x83\x70\x83\x58\x32\x82\xc9\x82\xcc\x82\xdd\x91\xb6\x8d\xdd\x82\xb5\x82\xdc\x82\xb7\x81\x42\r"
    "\n";

}  // namespace sorowa::text
