#include "tilmar/palette.h"

#include <cstddef>
#include <string_view>

namespace tilmar {

namespace {

constexpr std::size_t most_entries = 256;

class Lines {
public:
    explicit Lines(std::vector<unsigned char> const& file)
        : text_(reinterpret_cast<char const*>(file.data()), file.size()) {}

    // The next line without its end, CR LF or LF; false at the end of the file.
    bool next(std::string_view& line) {
        if (at_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', at_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(at_, end - at_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at_ = end + 1;
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    int number_ = 0;
};

bool blank(char c) { return c == ' ' || c == '\t'; }

void skip_blanks(std::string_view line, std::size_t& at) {
    while (at < line.size() && blank(line[at])) ++at;
}

// A decimal number of 1 to 3 digits, at most `largest`, after any blanks.
bool number(std::string_view line, std::size_t& at, int largest, int& value) {
    skip_blanks(line, at);
    std::size_t const start = at;
    value = 0;
    while (at < line.size() && at - start < 4 && line[at] >= '0' && line[at] <= '9') value = value * 10 + (line[at++] - '0');
    return at > start && at - start <= 3 && value <= largest;
}

// "R G B", then blanks only (`name_allowed`: or a blank then any name).
bool colour_line(std::string_view line, bool name_allowed, std::uint32_t& colour) {
    std::size_t at = 0;
    int r, g, b;
    if (!number(line, at, 255, r) || !number(line, at, 255, g) || !number(line, at, 255, b)) return false;
    if (at < line.size() && !blank(line[at])) return false;
    skip_blanks(line, at);
    if (at < line.size() && !name_allowed) return false;
    colour = static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
    return true;
}

bool starts_with(std::vector<unsigned char> const& file, std::string_view prefix) {
    return file.size() >= prefix.size() && std::string_view(reinterpret_cast<char const*>(file.data()), prefix.size()) == prefix;
}

Palette_file refused(Palette_check check, int line) { return {check, line, {}}; }

Palette_file read_jasc(std::vector<unsigned char> const& file) {
    Lines lines(file);
    std::string_view line;
    lines.next(line);
    if (line != "JASC-PAL") return refused(Palette_check::bad_jasc, 1);
    if (!lines.next(line) || line != "0100") return refused(Palette_check::bad_jasc, 2);
    std::size_t at = 0;
    int count = 0;
    if (!lines.next(line) || !number(line, at, static_cast<int>(most_entries), count) || count == 0)
        return refused(Palette_check::bad_jasc, 3);
    skip_blanks(line, at);
    if (at != line.size()) return refused(Palette_check::bad_jasc, 3);
    Palette_file palette;
    for (int i = 0; i < count; ++i) {
        std::uint32_t colour = 0;
        if (!lines.next(line) || !colour_line(line, false, colour)) return refused(Palette_check::bad_jasc, 4 + i);
        palette.colours.push_back(colour);
    }
    return palette;
}

Palette_file read_gimp(std::vector<unsigned char> const& file) {
    Lines lines(file);
    std::string_view line;
    lines.next(line);
    if (line != "GIMP Palette") return refused(Palette_check::bad_gimp, 1);
    Palette_file palette;
    while (lines.next(line)) {
        std::size_t at = 0;
        skip_blanks(line, at);
        if (at == line.size() || line[at] == '#') continue;
        if (palette.colours.empty() && (line.substr(0, 5) == "Name:" || line.substr(0, 8) == "Columns:")) continue;
        std::uint32_t colour = 0;
        if (!colour_line(line, true, colour)) return refused(Palette_check::bad_gimp, lines.number());
        if (palette.colours.size() < most_entries) palette.colours.push_back(colour);
    }
    if (palette.colours.empty()) return refused(Palette_check::bad_gimp, lines.number() + 1);
    return palette;
}

}  // namespace

Palette_file read_palette(std::vector<unsigned char> const& file) {
    if (starts_with(file, "JASC-PAL")) return read_jasc(file);
    if (starts_with(file, "GIMP Palette")) return read_gimp(file);
    if (file.empty() || file.size() % 3 != 0 || file.size() / 3 > most_entries) return refused(Palette_check::bad_raw, 0);
    Palette_file palette;
    for (std::size_t i = 0; i < file.size(); i += 3)
        palette.colours.push_back(std::uint32_t{file[i]} << 16 | std::uint32_t{file[i + 1]} << 8 | file[i + 2]);
    return palette;
}

Colours grey_ramp(int count) {
    Colours ramp;
    for (int i = 0; i < count; ++i) {
        std::uint32_t const level = count > 1 ? static_cast<std::uint32_t>(i * 255 / (count - 1)) : 0;
        ramp.push_back(level << 16 | level << 8 | level);
    }
    return ramp;
}

}  // namespace tilmar
