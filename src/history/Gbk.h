#pragma once

#include <string>
#include <string_view>

namespace qv {

// Code page 936 on disk, UTF-8 in memory. Bytes that are not valid GBK decode to U+FFFD;
// characters GBK cannot hold encode to "?". Neither direction ever fails.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// True when every byte is below 0x80 (the same text in both encodings).
bool IsAscii(std::string_view text);

} // namespace qv
