#include "settings/ini_profile_file.h"

#include "settings/ini_text.h"

#include <cctype>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

namespace tavrin::settings {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

// "[name]" gives name; any other line gives nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos
                                 ? std::string_view::npos
                                 : close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)),
                 Trim(trimmed.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where the named section's lines stand: its header and one past its last
// key line. Only the first section of that name counts, as on Windows.
struct SectionSpan {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines,
                                       std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (!name || !EqualsIgnoringCase(*name, section)) continue;
    SectionSpan span{i, i + 1};
    for (std::size_t j = i + 1; j < lines.size() && !SectionName(lines[j]);
         ++j) {
      if (!Trim(lines[j]).empty()) span.end = j + 1;
    }
    return span;
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines,
                                   SectionSpan span, std::string_view key) {
  for (std::size_t i = span.header + 1; i < span.end; ++i) {
    const auto parsed = ParseKeyLine(lines[i]);
    if (parsed && EqualsIgnoringCase(parsed->key, key)) return i;
  }
  return std::nullopt;
}

bool WriteLines(const std::filesystem::path& path,
                const std::vector<std::string>& lines) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& line : lines) out << line << "\r\n";
    out.flush();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    // A folder standing at the path, for one: leave nothing behind.
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

// Whether the folder takes new entries: one is made there under a name
// nobody uses, and removed again. A folder serves as the probe because
// making one fails, rather than reuses, when the name is taken.
bool FolderTakesNewEntries(const std::filesystem::path& folder) {
  std::random_device random;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::filesystem::path probe =
        folder / ("~tavrin-probe-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(probe, error)) {
      std::filesystem::remove(probe, error);
      return true;
    }
    if (error) return false;
  }
  return false;
}

}  // namespace

IniProfileFile::IniProfileFile(std::filesystem::path root)
    : root_(std::move(root)) {}

std::filesystem::path IniProfileFile::HostPath(std::string_view file) const {
  std::string relative(file);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  if (relative.size() >= 2 && relative[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(relative[0]))) {
    const char drive =
        static_cast<char>(std::tolower(static_cast<unsigned char>(relative[0])));
    relative = std::string("drive_") + drive + relative.substr(2);
  }
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  return root_ / relative;
}

std::string IniProfileFile::Read(std::string_view section,
                                 std::string_view key, std::string_view file) {
  const auto lines = ReadLines(HostPath(file));
  const auto span = FindSection(lines, section);
  if (!span) return {};
  const auto line = FindKey(lines, *span, key);
  if (!line) return {};
  return std::string(Unquote(ParseKeyLine(lines[*line])->value));
}

bool IniProfileFile::Write(std::string_view section, std::string_view key,
                           std::string_view value, std::string_view file) {
  const auto path = HostPath(file);
  auto lines = ReadLines(path);
  const std::string_view stored = Trim(value);
  const auto span = FindSection(lines, section);
  if (!span) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(std::string(key) + "=" + std::string(stored));
  } else if (const auto line = FindKey(lines, *span, key)) {
    // The key keeps the spelling it was stored with.
    const std::string storedKey(ParseKeyLine(lines[*line])->key);
    lines[*line] = storedKey + "=" + std::string(stored);
  } else {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(span->end),
                 std::string(key) + "=" + std::string(stored));
  }
  return WriteLines(path, lines);
}

bool IniProfileFile::Exists(std::string_view file) {
  std::error_code error;
  return std::filesystem::is_regular_file(HostPath(file), error);
}

bool IniProfileFile::CanWrite(std::string_view file) {
  const auto path = HostPath(file);
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::is_directory(status)) return false;
  if (std::filesystem::exists(status)) {
    // Opened for update: neither created nor cut short.
    std::fstream existing(path,
                          std::ios::in | std::ios::out | std::ios::binary);
    if (!existing) return false;
  }
  // A write replaces the file through a new one beside it.
  return FolderTakesNewEntries(path.parent_path());
}

bool IniProfileFile::CreateFolderOf(std::string_view file) {
  const auto folder = HostPath(file).parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

}  // namespace tavrin::settings
