// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// INI files with the rules of the Windows profile functions: sections and keys match without
// regard to case, a value is one line, anything missing reads as the empty text, a value is
// cut to the caller's buffer size - 1, and writing one key leaves the rest of the file as it
// was. Files are UTF-8; a UTF-16 file with a byte-order mark is read as well.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::lang {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

// Bytes of a text file as UTF-8: a UTF-8 or UTF-16 byte-order mark is taken off and UTF-16 is
// converted; anything else is taken as UTF-8.
std::string DecodeText(std::string bytes, TextEncoding* encoding = nullptr);

// The file's bytes decoded to UTF-8, or nothing when it cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path, TextEncoding* encoding = nullptr);

// One parsed file. Lines are kept verbatim so that a write changes only the line it must.
class IniDocument {
public:
    explicit IniDocument(std::string_view utf8Text = {});

    // The value of the first matching key in the first matching section.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Replaces the key's value, or adds the key at the end of its section, or adds the
    // section at the end of the document.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    // A line is a range of `store_` (without its line end), with the ranges of its name and
    // value there. No line owns a string: files of many thousand lines parse in one pass
    // without an allocation per line.
    struct Range {
        size_t begin = 0, size = 0;
    };
    struct Line {
        Range text;
        enum Kind : unsigned char { Other, Section, Entry } kind = Other;
        Range name;   // section or key name, trimmed
        Range value;  // entry value, trimmed and unquoted
    };
    std::string_view View(Range range) const { return {store_.data() + range.begin, range.size}; }
    Range Trimmed(Range range) const;
    Line ParseLine(Range text) const;
    // Appends `text` to the store and parses it as one line.
    Line AddLine(std::string_view text);
    // Index range [first, end) of the section's lines after its header; end is the index of
    // the next header or the end. -1 when the section is missing.
    int FindSection(std::string_view section, size_t* end) const;

    // The file's text, followed by the lines that writes added or replaced.
    std::string store_;
    std::vector<Line> lines_;
    std::string newline_ = "\n";
    bool finalNewline_ = true;
};

// GetPrivateProfileString: the value cut to bufferChars - 1 UTF-16 units ("" when bufferChars
// is 0). A missing file, section or key gives "".
std::u16string ReadProfileString(const std::string& path, std::string_view section,
                                 std::string_view key, size_t bufferChars);

// WritePrivateProfileString for one key. Creates the file when needed; keeps its encoding.
// The new content is written to a temporary file and renamed over the old one, so a failed
// write never leaves a half-written file. False when the file cannot be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// Every (section, key) that ReadProfileString is asked for goes to the recorder, when one is
// set; the key-coverage test of the shipped language files uses it. Not thread-safe: the
// language files are only read on the user-interface thread.
using KeyRecorder = std::function<void(std::string_view section, std::string_view key)>;
void SetKeyRecorder(KeyRecorder recorder);

// UTF conversions used by the reader.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// Cuts to at most `units` UTF-16 units without splitting a surrogate pair.
std::u16string CutUtf16(std::u16string text, size_t units);

}  // namespace orvanta::lang
