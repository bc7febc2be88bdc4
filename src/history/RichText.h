#pragma once

#include <string>
#include <string_view>

namespace qv {

// The notepad's file format: a Rich Text Format document of plain text in one font.
// Non-ASCII characters are written as \uN? escapes, so the file itself is pure ASCII.
// Lines are separated by "\n" in the text and by \par in the document.
std::string WriteRichText(std::string_view utf8Text);

// Reads the text of a Rich Text Format document (any reasonable writer's: \uN with \ucN,
// \'hh bytes in code page 936, \par, \line, \tab, groups, ignorable destinations). A file
// that does not start with "{\rtf" is read as plain GBK text. Never fails; malformed
// documents give whatever text could be recovered.
std::string ReadRichText(std::string_view bytes);

bool LooksLikeRichText(std::string_view bytes);

} // namespace qv
