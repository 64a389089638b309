// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/IniFile.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvanta::lang {

namespace {

KeyRecorder& Recorder() {
    static KeyRecorder recorder;
    return recorder;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

constexpr std::string_view kBlanks = " \t\r";

void AppendUtf8(std::string& out, char32_t cp) {
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

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    }
    return Utf16ToUtf8(units);
}

std::string Utf8ToUtf16Bytes(std::string_view text, bool bigEndian) {
    std::u16string units = Utf8ToUtf16(text);
    std::string out;
    out.reserve(units.size() * 2 + 2);
    auto put = [&](char16_t u) {
        char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        if (bigEndian) {
            out += hi;
            out += lo;
        } else {
            out += lo;
            out += hi;
        }
    };
    put(0xFEFF);
    for (char16_t u : units) put(u);
    return out;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        size_t extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        }
        if (extra > 0 && i + extra >= text.size()) {
            out += u'\uFFFD';
            break;
        }
        bool valid = (c < 0x80) || extra > 0;
        for (size_t k = 1; k <= extra && valid; ++k) {
            auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        i += extra + 1;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += u'\uFFFD';
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = 0xFFFD;
        }
        AppendUtf8(out, u);
    }
    return out;
}

std::u16string CutUtf16(std::u16string text, size_t units) {
    if (text.size() <= units) return text;
    text.resize(units);
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
    return text;
}

std::optional<std::string> ReadTextFile(const std::string& path, TextEncoding* encoding) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return DecodeText(std::move(bytes), encoding);
}

std::string DecodeText(std::string bytes, TextEncoding* encoding) {
    TextEncoding found = TextEncoding::Utf8;
    std::string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        found = TextEncoding::Utf16LE;
        text = Utf16BytesToUtf8(std::string_view(bytes).substr(2), false);
    } else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
               static_cast<unsigned char>(bytes[1]) == 0xFF) {
        found = TextEncoding::Utf16BE;
        text = Utf16BytesToUtf8(std::string_view(bytes).substr(2), true);
    } else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        found = TextEncoding::Utf8Bom;
        text = bytes.substr(3);
    } else {
        text = std::move(bytes);
    }
    if (encoding) *encoding = found;
    return text;
}

IniDocument::Range IniDocument::Trimmed(Range range) const {
    std::string_view text = View(range);
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {range.begin, 0};
    size_t last = text.find_last_not_of(kBlanks);
    return {range.begin + first, last - first + 1};
}

IniDocument::Line IniDocument::ParseLine(Range text) const {
    Line line;
    line.text = text;
    Range trimmed = Trimmed(text);
    std::string_view view = View(trimmed);
    if (view.empty() || view[0] == ';' || view[0] == '#') return line;
    if (view[0] == '[') {
        size_t close = view.find(']');
        line.kind = Line::Section;
        line.name = Trimmed(
            {trimmed.begin + 1, close == std::string_view::npos ? trimmed.size - 1 : close - 1});
        return line;
    }
    size_t eq = view.find('=');
    if (eq == std::string_view::npos) return line;
    line.kind = Line::Entry;
    line.name = Trimmed({trimmed.begin, eq});
    line.value = Trimmed({trimmed.begin + eq + 1, trimmed.size - eq - 1});
    // A value in one pair of matching quotes is read without them.
    std::string_view value = View(line.value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        line.value = {line.value.begin + 1, line.value.size - 2};
    }
    return line;
}

IniDocument::Line IniDocument::AddLine(std::string_view text) {
    Range range{store_.size(), text.size()};
    store_.append(text);
    return ParseLine(range);
}

IniDocument::IniDocument(std::string_view utf8Text) : store_(utf8Text) {
    if (store_.find("\r\n") != std::string::npos) newline_ = "\r\n";
    finalNewline_ = store_.empty() || store_.back() == '\n';
    lines_.reserve(static_cast<size_t>(std::count(store_.begin(), store_.end(), '\n')) + 1);
    size_t start = 0;
    while (start < store_.size()) {
        size_t end = store_.find('\n', start);
        size_t stop = end == std::string::npos ? store_.size() : end;
        size_t size = stop - start;
        if (size > 0 && store_[stop - 1] == '\r') --size;
        lines_.push_back(ParseLine({start, size}));
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

int IniDocument::FindSection(std::string_view section, size_t* end) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Line::Section || !EqualNoCase(View(lines_[i].name), section))
            continue;
        size_t j = i + 1;
        while (j < lines_.size() && lines_[j].kind != Line::Section) ++j;
        *end = j;
        return static_cast<int>(i);
    }
    return -1;
}

bool IniDocument::HasSection(std::string_view section) const {
    size_t end = 0;
    return FindSection(section, &end) >= 0;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    size_t end = 0;
    int header = FindSection(section, &end);
    if (header < 0) return std::nullopt;
    for (size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Entry && EqualNoCase(View(lines_[i].name), key))
            return std::string(View(lines_[i].value));
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in the value would make a second line: values are one line by rule.
    std::string entry =
        std::string(key) + "=" + std::string(value.substr(0, value.find_first_of("\r\n")));
    auto blank = [&](const Line& line) { return Trimmed(line.text).size == 0; };
    size_t end = 0;
    int header = FindSection(section, &end);
    if (header < 0) {
        if (!lines_.empty() && !blank(lines_.back())) lines_.push_back(AddLine(""));
        lines_.push_back(AddLine("[" + std::string(section) + "]"));
        lines_.push_back(AddLine(entry));
        finalNewline_ = true;
        return;
    }
    size_t lastContent = header;
    for (size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Line::Entry && EqualNoCase(View(lines_[i].name), key)) {
            // The key keeps its spelling in the file.
            entry.replace(0, key.size(), View(lines_[i].name));
            lines_[i] = AddLine(entry);
            return;
        }
        if (!blank(lines_[i])) lastContent = i;
    }
    lines_.insert(lines_.begin() + static_cast<long>(lastContent) + 1, AddLine(entry));
    if (lastContent + 1 == lines_.size() - 1) finalNewline_ = true;
}

std::string IniDocument::Text() const {
    std::string out;
    out.reserve(store_.size() + lines_.size() * newline_.size());
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += View(lines_[i].text);
        if (i + 1 < lines_.size() || finalNewline_) out += newline_;
    }
    return out;
}

namespace {

// The loaders read a few hundred keys from one file in a row: parse it once while its size
// and modification time stay the same.
struct DocumentCache {
    std::string path;
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    std::optional<IniDocument> document;
};

DocumentCache& Cache() {
    static DocumentCache cache;
    return cache;
}

const IniDocument* CachedDocument(const std::string& path) {
    std::error_code ec;
    auto modified = std::filesystem::last_write_time(path, ec);
    if (ec) return nullptr;
    auto size = std::filesystem::file_size(path, ec);
    if (ec) return nullptr;
    DocumentCache& cache = Cache();
    if (cache.document && cache.path == path && cache.modified == modified && cache.size == size)
        return &*cache.document;
    cache.document.reset();
    std::optional<std::string> text = ReadTextFile(path);
    if (!text) return nullptr;
    cache.path = path;
    cache.modified = modified;
    cache.size = size;
    cache.document.emplace(*text);
    return &*cache.document;
}

}  // namespace

void SetKeyRecorder(KeyRecorder recorder) {
    Recorder() = std::move(recorder);
}

std::u16string ReadProfileString(const std::string& path, std::string_view section,
                                 std::string_view key, size_t bufferChars) {
    if (Recorder()) Recorder()(section, key);
    if (bufferChars == 0) return {};
    const IniDocument* doc = CachedDocument(path);
    if (!doc) return {};
    std::optional<std::string> value = doc->Get(section, key);
    if (!value) return {};
    return CutUtf16(Utf8ToUtf16(*value), bufferChars - 1);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    TextEncoding encoding = TextEncoding::Utf8;
    std::optional<std::string> text = ReadTextFile(path, &encoding);
    IniDocument doc(text ? *text : std::string());
    doc.Set(section, key, value);
    std::string out = doc.Text();
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            out = "\xEF\xBB\xBF" + out;
            break;
        case TextEncoding::Utf16LE:
            out = Utf8ToUtf16Bytes(out, false);
            break;
        case TextEncoding::Utf16BE:
            out = Utf8ToUtf16Bytes(out, true);
            break;
        case TextEncoding::Utf8:
            break;
    }
    Cache().document.reset();
    std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file.write(out.data(), static_cast<std::streamsize>(out.size()));
        file.flush();
        if (!file) {
            file.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace orvanta::lang
