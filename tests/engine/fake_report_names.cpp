#include "tests/engine/fake_report_names.h"

#include <algorithm>

namespace sorowa::testing {
namespace {

// The characters the fake's code page has besides ASCII, as the report shows them. Each of the
// double-byte ones ends in the byte of `\`.
struct ShownCharacter {
    const char* utf8;
    const char* shown;
};
constexpr ShownCharacter kShownCharacters[] = {
    {"\xE8\xA1\xA8", "\x95\x5C"},  // 表
    {"\xE3\x82\xBD", "\x83\x5C"},  // ソ
    {"\xE2\x80\x95", "\x81\x5C"},  // ― (horizontal bar)
    {"\xEF\xBD\xB1", "\xB1"},      // ｱ (half-width)
    {"\xE3\x80\x80", "\x81\x40"},  // the ideographic space
};

// The length of the UTF-8 sequence that begins with `lead`.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    return lead < 0xF0 ? 3 : 4;
}

}  // namespace

std::string FakeReportNames::ShownName(const std::string& name) {
    std::string shown;
    for (size_t i = 0; i < name.size();) {
        const size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(name[i])), name.size() - i);
        const std::string character = name.substr(i, length);
        i += length;
        if (length == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
            shown += character;
            continue;
        }
        const char* mapped = "?";
        for (const ShownCharacter& known : kShownCharacters) {
            if (character == known.utf8) mapped = known.shown;
        }
        shown += mapped;
    }
    return shown;
}

}  // namespace sorowa::testing
