#include "history/RichText.h"

#include "history/Gbk.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

namespace {

// Decodes one UTF-8 code point at text[i]; advances i. Invalid bytes give U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    std::size_t length = 0;
    char32_t cp = 0;
    if (c < 0x80) {
        ++i;
        return c;
    }
    if ((c & 0xE0) == 0xC0) {
        length = 2;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4;
        cp = c & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUnicodeEscape(std::string& out, std::uint16_t unit)
{
    out += "\\u";
    out += std::to_string(static_cast<std::int16_t>(unit));
    out += '?';
}

// Destinations whose text is not part of the document.
bool IsIgnoredDestination(std::string_view word)
{
    static constexpr std::string_view kIgnored[] = {
        "fonttbl",
        "colortbl",
        "stylesheet",
        "info",
        "pict",
        "object",
        "header",
        "footer",
        "headerl",
        "headerr",
        "footerl",
        "footerr",
        "footnote",
        "field",
        "fldinst",
        "themedata",
        "colorschememapping",
        "datastore",
        "latentstyles",
        "listtable",
        "listoverridetable",
        "rsidtbl",
        "generator",
        "xmlnstbl",
        "mmathPr",
        "pgdsctbl",
        "filetbl",
        "revtbl",
        "bkmkstart",
        "bkmkend",
    };
    for (const auto ignored : kIgnored)
        if (word == ignored)
            return true;
    return false;
}

struct GroupState
{
    bool Ignored = false;
    int SkipAfterUnicode = 1; // \ucN
};

class Reader
{
public:
    explicit Reader(std::string_view bytes) : m_in(bytes) {}

    std::string Run()
    {
        std::vector<GroupState> stack{GroupState{}};
        std::size_t pendingSkip = 0; // fallback characters still to skip after \uN
        bool groupStart = false;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '{') {
                FlushBytes();
                ++m_pos;
                if (stack.size() < 4096)
                    stack.push_back(stack.back());
                groupStart = true;
                pendingSkip = 0;
                continue;
            }
            if (c == '}') {
                FlushBytes();
                ++m_pos;
                if (stack.size() > 1)
                    stack.pop_back();
                groupStart = false;
                pendingSkip = 0;
                continue;
            }
            GroupState& group = stack.back();
            if (c == '\\') {
                const bool first = groupStart;
                groupStart = false;
                ControlWord(group, first, pendingSkip);
                continue;
            }
            groupStart = false;
            ++m_pos;
            if (c == '\r' || c == '\n')
                continue;
            if (pendingSkip > 0) {
                --pendingSkip;
                continue;
            }
            if (!group.Ignored)
                m_bytes += c;
        }
        FlushBytes();
        return m_out;
    }

private:
    void FlushBytes()
    {
        if (m_bytes.empty())
            return;
        m_out += GbkToUtf8(m_bytes);
        m_bytes.clear();
    }

    void Emit(std::string_view text, const GroupState& group)
    {
        if (group.Ignored)
            return;
        FlushBytes();
        m_out += text;
    }

    void ControlWord(GroupState& group, bool groupStart, std::size_t& pendingSkip)
    {
        ++m_pos; // the backslash
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        const auto isAlpha = [](char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); };
        if (!isAlpha(c)) {
            ++m_pos;
            if (c == '*') {
                if (groupStart)
                    group.Ignored = true;
                return;
            }
            if (c == '\'') {
                int value = 0;
                int digits = 0;
                while (digits < 2 && m_pos < m_in.size()) {
                    const char h = m_in[m_pos];
                    int v = -1;
                    if (h >= '0' && h <= '9')
                        v = h - '0';
                    else if (h >= 'a' && h <= 'f')
                        v = h - 'a' + 10;
                    else if (h >= 'A' && h <= 'F')
                        v = h - 'A' + 10;
                    if (v < 0)
                        break;
                    value = value * 16 + v;
                    ++digits;
                    ++m_pos;
                }
                if (pendingSkip > 0) {
                    --pendingSkip;
                    return;
                }
                if (!group.Ignored)
                    m_bytes += static_cast<char>(value);
                return;
            }
            if (pendingSkip > 0) {
                --pendingSkip;
                return;
            }
            if (c == '\\' || c == '{' || c == '}')
                Emit(std::string(1, c), group);
            else if (c == '~')
                Emit(" ", group);
            else if (c == '\r' || c == '\n')
                Emit("\n", group);
            return;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && isAlpha(m_in[m_pos]) && m_pos - start < 32)
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && m_in[m_pos] >= '0' && m_in[m_pos] <= '9') {
            if (digits < 10)
                param = param * 10 + (m_in[m_pos] - '0');
            ++digits;
            hasParam = true;
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the delimiting blank belongs to the control word

        if (groupStart && IsIgnoredDestination(word)) {
            group.Ignored = true;
            return;
        }
        if (word == "uc") {
            group.SkipAfterUnicode =
                hasParam ? static_cast<int>(std::max<long long>(0, std::min<long long>(param, 8))) : 1;
            return;
        }
        if (word == "u" && hasParam) {
            long long unit = param;
            if (unit < 0)
                unit += 65536;
            pendingSkip = 0;
            EmitUnit(static_cast<std::uint32_t>(unit & 0xFFFF), group);
            pendingSkip = static_cast<std::size_t>(group.SkipAfterUnicode);
            return;
        }
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        if (word == "par" || word == "line")
            Emit("\n", group);
        else if (word == "tab")
            Emit("\t", group);
        else if (word == "emdash")
            Emit("\xE2\x80\x94", group);
        else if (word == "endash")
            Emit("\xE2\x80\x93", group);
        else if (word == "bullet")
            Emit("\xE2\x80\xA2", group);
        else if (word == "lquote")
            Emit("\xE2\x80\x98", group);
        else if (word == "rquote")
            Emit("\xE2\x80\x99", group);
        else if (word == "ldblquote")
            Emit("\xE2\x80\x9C", group);
        else if (word == "rdblquote")
            Emit("\xE2\x80\x9D", group);
        else if (word == "bin" && hasParam && param > 0) {
            const auto skip =
                static_cast<std::size_t>(std::min<long long>(param, static_cast<long long>(m_in.size())));
            m_pos = std::min(m_in.size(), m_pos + skip);
        }
    }

    void EmitUnit(std::uint32_t unit, const GroupState& group)
    {
        if (group.Ignored)
            return;
        FlushBytes();
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (m_highSurrogate) {
                const char32_t cp = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
                AppendUtf8(m_out, cp);
            } else {
                AppendUtf8(m_out, 0xFFFD);
            }
            m_highSurrogate = 0;
            return;
        }
        if (m_highSurrogate)
            AppendUtf8(m_out, 0xFFFD);
        m_highSurrogate = 0;
        AppendUtf8(m_out, unit);
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::string m_out;
    std::string m_bytes; // raw bytes waiting for code page decoding
    std::uint32_t m_highSurrogate = 0;
};

} // namespace

bool LooksLikeRichText(std::string_view bytes)
{
    // A byte order mark or blanks before the document are tolerated.
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.substr(i, 5) == "{\\rtf";
}

std::string WriteRichText(std::string_view utf8Text)
{
    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang2052"
                      "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
                      "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs20 ";
    std::size_t i = 0;
    while (i < utf8Text.size()) {
        const char c = utf8Text[i];
        if (c == '\r') {
            ++i;
            continue;
        }
        if (c == '\n') {
            out += "\\par\r\n";
            ++i;
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
            ++i;
            continue;
        }
        if (c == '\t') {
            out += "\\tab ";
            ++i;
            continue;
        }
        const char32_t cp = NextCodePoint(utf8Text, i);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x10000) {
            AppendUnicodeEscape(out, static_cast<std::uint16_t>(cp));
        } else {
            const char32_t v = cp - 0x10000;
            AppendUnicodeEscape(out, static_cast<std::uint16_t>(0xD800 + (v >> 10)));
            AppendUnicodeEscape(out, static_cast<std::uint16_t>(0xDC00 + (v & 0x3FF)));
        }
    }
    out += "\r\n}\r\n";
    return out;
}

std::string ReadRichText(std::string_view bytes)
{
    if (!LooksLikeRichText(bytes)) {
        std::string text = GbkToUtf8(bytes);
        // Plain text: CR LF and lone CR become "\n".
        std::string out;
        out.reserve(text.size());
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == '\r') {
                out += '\n';
                if (k + 1 < text.size() && text[k + 1] == '\n')
                    ++k;
            } else {
                out += text[k];
            }
        }
        return out;
    }
    return Reader(bytes).Run();
}

} // namespace qv
