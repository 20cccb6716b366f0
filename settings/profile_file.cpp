#include "settings/profile_file.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

#include "host/core/utf8.h"
#include "settings/file_replacement.h"

namespace orbelle::settings {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Only A..Z fold to a..z, as the names of the classic functions do, and never by the process's
// locale (a Turkish locale folds I to the dotless i, and DIRECTORY would not be found).
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// One line of a profile file as the private-profile functions see it.
struct ProfileLine {
  enum class Kind { kOther, kSection, kKey } kind = Kind::kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, quotes kept
};

std::string_view WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

ProfileLine Classify(std::string_view line) {
  const std::string_view text = Trim(WithoutCr(line));
  ProfileLine result;
  if (text.empty() || text.front() == ';') return result;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    result.kind = ProfileLine::Kind::kSection;
    result.name = Trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return result;
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return result;
  result.name = Trim(text.substr(0, equals));
  result.value = Trim(text.substr(equals + 1));
  if (!result.name.empty()) result.kind = ProfileLine::Kind::kKey;
  return result;
}

// With the mark, "[EPHEM]" on the first line would not read as a section.
std::string_view WithoutByteOrderMark(std::string_view contents) {
  if (contents.starts_with(host::kUtf8ByteOrderMark)) contents.remove_prefix(host::kUtf8ByteOrderMark.size());
  return contents;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A file saved as UTF-16 with its byte order mark (Notepad's "Unicode"), which the Windows
// functions read as well, as UTF-8 text; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes, bool little_endian) {
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    return little_endian ? second << 8 | first : first << 8 | second;
  };
  std::string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    text += host::Utf8(code);
  }
  return text;
}

// The file's bytes (a UTF-16 file's as UTF-8); empty, as for a missing file, when it is not a
// regular file (its type is checked before it is opened, so a pipe cannot block and a
// directory or device is never read), is larger than kProfileFileLimit or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  // file_size fails for anything but a regular file.
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size > kProfileFileLimit) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  // One byte more than the limit shows a file that grew since its size was taken.
  std::string contents(static_cast<std::size_t>(size) + 1, '\0');
  in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (in.bad() || static_cast<std::size_t>(in.gcount()) > kProfileFileLimit) return std::nullopt;
  contents.resize(static_cast<std::size_t>(in.gcount()));
  if (contents.starts_with("\xFF\xFE")) return Utf8FromUtf16(std::string_view(contents).substr(2), true);
  if (contents.starts_with("\xFE\xFF")) return Utf8FromUtf16(std::string_view(contents).substr(2), false);
  return contents;
}

// Where `key` of `section` is, or would go: the index of the key's line, or of the line
// after which a new key belongs (the last non-blank line of the section).
struct KeyPlace {
  std::optional<std::size_t> section_line;
  std::optional<std::size_t> key_line;
  std::size_t last_section_line = 0;
  std::string_view key_text;  // the key's line
};

// The pieces of a text between its '\n's, as views into it, a last empty piece after a final
// '\n' included (what std::views::split gives; clang 14, which builds the fuzzers, cannot
// compile that over the standard library of GCC 12).
class PiecesBetweenNewlines {
 public:
  explicit PiecesBetweenNewlines(std::string_view text) : text_(text) {}

  class Iterator {
   public:
    Iterator(std::string_view rest, bool end) : rest_(rest), end_(end) { Cut(); }
    std::string_view operator*() const { return piece_; }
    Iterator& operator++() {
      if (last_) {
        end_ = true;
      } else {
        rest_.remove_prefix(piece_.size() + 1);
        Cut();
      }
      return *this;
    }
    bool operator!=(const Iterator& other) const { return end_ != other.end_; }

   private:
    void Cut() {
      const std::size_t newline = rest_.find('\n');
      last_ = newline == std::string_view::npos;
      piece_ = rest_.substr(0, newline);
    }
    std::string_view rest_, piece_;
    bool end_ = false, last_ = false;
  };

  Iterator begin() const { return {text_, false}; }
  Iterator end() const { return {text_, true}; }

 private:
  std::string_view text_;
};

// The file's lines, without the empty piece after a final '\n'.
std::vector<std::string> SplitLines(std::string_view contents) {
  std::vector<std::string> lines;
  for (const std::string_view piece : PiecesBetweenNewlines(contents)) lines.emplace_back(piece);
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

// `lines`: any range of lines (strings, or the pieces of a file's text between its '\n's).
template <class Lines>
KeyPlace FindKey(Lines&& lines, std::string_view section, std::string_view key) {
  KeyPlace place;
  bool inside = false;
  std::size_t i = 0;
  for (const auto& piece : lines) {
    const std::string_view text(piece.begin(), piece.end());
    const ProfileLine line = Classify(text);
    if (line.kind == ProfileLine::Kind::kSection) {
      if (inside) break;  // only the first section of that name counts
      inside = SameName(line.name, Trim(section));
      if (inside) place.section_line = place.last_section_line = i;
    } else if (inside) {
      if (!Trim(WithoutCr(text)).empty()) place.last_section_line = i;
      if (line.kind == ProfileLine::Kind::kKey && SameName(line.name, Trim(key))) {
        place.key_line = i;
        place.key_text = text;
        break;
      }
    }
    ++i;
  }
  return place;
}

}  // namespace

std::filesystem::path ProfileDirectory() {
  const auto from_env = [](const char* name) -> std::filesystem::path {
    const char* value = std::getenv(name);
    return value ? value : "";
  };
  if (auto dir = from_env("ZODRIX_PROFILE_DIR"); !dir.empty()) return dir;
  // $XDG_CONFIG_HOME and $HOME count only when absolute, as the XDG base directory rules say:
  // a relative one (or none) would name a place below whatever the working directory is, and
  // a ZODRIX.INI lying there would choose the ephemeris files. Without a home in the
  // environment, the account's own from the password database.
  if (auto config = from_env("XDG_CONFIG_HOME"); config.is_absolute()) return config / "zodrix";
  std::filesystem::path home = from_env("HOME");
  if (!home.is_absolute()) {
    const passwd* account = getpwuid(getuid());
    home = account && account->pw_dir ? account->pw_dir : "/";
  }
  return home / ".config" / "zodrix";
}

std::filesystem::path ProfilePath(std::string_view file_name) { return ProfileDirectory() / file_name; }

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view default_text,
                                    std::size_t buffer_size, const std::filesystem::path& file) {
  std::string_view found = default_text;
  while (!found.empty() && IsBlank(found.back())) found.remove_suffix(1);
  const std::optional<std::string> contents = ReadWholeFile(file);
  if (contents) {
    // Scanned in place: a file of a million short lines costs no vector of them.
    const KeyPlace place = FindKey(PiecesBetweenNewlines(WithoutByteOrderMark(*contents)), section, key);
    if (place.key_line) found = Unquote(Classify(place.key_text).value);
  }
  if (buffer_size == 0) return {};
  return std::string(found.substr(0, std::min(found.size(), buffer_size - 1)));
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::filesystem::path& file) {
  return WritePrivateProfileStrings(section, {{std::string(key), std::string(value)}}, file);
}

bool WritePrivateProfileStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& values,
                                const std::filesystem::path& file) {
  const std::optional<std::string> existing = ReadWholeFile(file);
  std::error_code ec;
  // A file that is there but cannot be read would lose everything else it holds.
  if (!existing && std::filesystem::exists(file, ec)) return false;
  const std::string_view whole = existing ? std::string_view(*existing) : std::string_view();
  const std::string_view contents = WithoutByteOrderMark(whole);
  std::vector<std::string> lines = SplitLines(contents);
  const std::size_t first_break = contents.find('\n');
  const bool crlf = first_break != std::string::npos && first_break > 0 && contents[first_break - 1] == '\r';
  const std::string cr = crlf ? "\r" : "";

  for (const auto& [key, value] : values) {
    const KeyPlace place = FindKey(lines, section, key);
    if (place.key_line) {
      const std::string& old = lines[*place.key_line];
      const std::size_t key_start = old.find_first_not_of(" \t");
      const std::string_view old_key = Trim(std::string_view(old).substr(0, old.find('=')));
      lines[*place.key_line] = old.substr(0, key_start) + std::string(old_key) + "=" + value + cr;
    } else {
      const std::string key_line = std::string(Trim(key)) + "=" + value + cr;
      if (place.section_line) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.last_section_line + 1), key_line);
      } else {
        lines.push_back("[" + std::string(Trim(section)) + "]" + cr);
        lines.push_back(key_line);
      }
    }
  }
  std::string out(whole.substr(0, whole.size() - contents.size()));  // the mark stays
  for (const std::string& line : lines) out += line + "\n";
  // A file past the limit would read as missing from then on, everything in it lost to the reader.
  return out.size() <= kProfileFileLimit && ReplaceFileContents(file, out);
}

}  // namespace orbelle::settings
