#include "settings/profile_document.h"

#include <vector>

namespace oriwen::profile {
namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal without regard to ASCII case; both bytes of a GBK character compare
// exactly.
bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto c = static_cast<unsigned char>(a[i]);
    if (IsLeadByte(c) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

struct Line {
  std::size_t begin;  // first byte of the line
  std::size_t end;    // one past the last byte before the line break
  std::size_t next;   // first byte of the following line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) {
      lines.push_back({pos, text.size(), text.size()});
      break;
    }
    std::size_t end = (lf > pos && text[lf - 1] == '\r') ? lf - 1 : lf;
    lines.push_back({pos, end, lf + 1});
    pos = lf + 1;
  }
  return lines;
}

// The section name of a header line "[name]", or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  std::size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, eq)), Trim(trimmed.substr(eq + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

struct Location {
  std::optional<std::size_t> keyLine;      // index of the key's line
  std::optional<std::size_t> sectionLast;  // last non-blank line of the first matching section
};

Location Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
  Location where;
  bool inSection = false;
  bool firstSectionOpen = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (auto name = SectionName(line)) {
      inSection = NamesEqual(*name, section);
      if (firstSectionOpen) firstSectionOpen = false;
      if (inSection && !where.sectionLast) {
        where.sectionLast = i;
        firstSectionOpen = true;
      }
      continue;
    }
    if (!inSection) continue;
    if (firstSectionOpen && !Trim(line).empty()) where.sectionLast = i;
    if (auto kv = ParseKeyLine(line); kv && NamesEqual(kv->key, key)) {
      where.keyLine = i;
      return where;
    }
  }
  return where;
}

}  // namespace

std::optional<std::string> Find(std::string_view text, std::string_view section,
                                std::string_view key) {
  std::vector<Line> lines = SplitLines(text);
  Location where = Locate(text, lines, section, key);
  if (!where.keyLine) return std::nullopt;
  const Line& line = lines[*where.keyLine];
  auto kv = ParseKeyLine(text.substr(line.begin, line.end - line.begin));
  return std::string(Unquote(kv->value));
}

bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
  auto hasBreak = [](std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
  };
  if (hasBreak(section) || hasBreak(key) || hasBreak(value)) return false;
  std::string_view trimmedSection = Trim(section);
  std::string_view trimmedKey = Trim(key);
  if (trimmedSection.empty() || trimmedKey.empty()) return false;
  if (trimmedSection != section || trimmedKey != key) return false;
  if (section.find(']') != std::string_view::npos) return false;
  if (key.find('=') != std::string_view::npos || key.front() == ';' || key.front() == '[') {
    return false;
  }
  return true;
}

std::string Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value) {
  std::vector<Line> lines = SplitLines(text);
  Location where = Locate(text, lines, section, key);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  if (where.keyLine) {
    const Line& line = lines[*where.keyLine];
    std::string_view old = text.substr(line.begin, line.end - line.begin);
    std::string_view oldKey = ParseKeyLine(old)->key;
    out.append(text.substr(0, line.begin));
    out.append(oldKey).append("=").append(value);
    out.append(text.substr(line.end));
    return out;
  }
  if (where.sectionLast) {
    const Line& last = lines[*where.sectionLast];
    out.append(text.substr(0, last.next));
    if (last.next == last.end) out.append("\r\n");  // last line of the file had no break
    out.append(key).append("=").append(value).append("\r\n");
    out.append(text.substr(last.next));
    return out;
  }
  out.append(text);
  if (!out.empty() && out.back() != '\n') out.append("\r\n");
  out.append("[").append(section).append("]\r\n");
  out.append(key).append("=").append(value).append("\r\n");
  return out;
}

std::string TruncateGbk(std::string value, std::size_t maxBytes) {
  if (value.size() <= maxBytes) return value;
  std::size_t keep = 0;
  while (keep < maxBytes) {
    std::size_t width = IsLeadByte(static_cast<unsigned char>(value[keep])) ? 2 : 1;
    if (keep + width > maxBytes) break;
    keep += width;
  }
  value.resize(keep);
  return value;
}

}  // namespace oriwen::profile
