#include "scene_format.h"

#include <xsihost/text.h>

#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "printable.h"

namespace minihost {

namespace {

bool SamePosition(const std::optional<xsihost::Position>& a,
                  const std::optional<xsihost::Position>& b) {
  if (a.has_value() != b.has_value())
    return false;
  return !a || (a->x == b->x && a->y == b->y && a->z == b->z);
}

bool IsWordChar(char c) {
  return c != ' ' && c != '\t' && c != '"' && c != '#';
}
bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

// A word of at most 15 decimal digits, with an optional sign, is a whole number that a double
// holds exactly: read without the general parser, to the same value.
bool WholeNumber(std::string_view word, double& out) {
  std::size_t at = word[0] == '-' || word[0] == '+' ? 1 : 0;
  if (word.size() == at || word.size() - at > 15)
    return false;
  long long value = 0;
  for (std::size_t i = at; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9')
      return false;
    value = value * 10 + (word[i] - '0');
  }
  out = static_cast<double>(word[0] == '-' ? -value : value);
  if (word[0] == '-' && value == 0)
    out = -0.0;
  return true;
}

// Reads the fields of one line after its indentation.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : m_text(text) {}

  void SkipSpace() {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
      ++m_pos;
  }
  // True at the end of the line or at a comment.
  bool AtEnd() {
    SkipSpace();
    return m_pos >= m_text.size() || m_text[m_pos] == '#';
  }
  bool Word(std::string& out) {
    size_t start = m_pos;
    while (m_pos < m_text.size() && IsWordChar(m_text[m_pos]))
      ++m_pos;
    out.assign(m_text.substr(start, m_pos - start));
    return !out.empty();
  }
  // A word or a quoted string; `error` says what is wrong.
  bool Name(std::string& out, std::string& error) {
    if (m_pos < m_text.size() && m_text[m_pos] == '"')
      return Quoted(out, error);
    if (!Word(out)) {
      error = m_pos < m_text.size()
                  ? "unexpected '" + Printable(m_text.substr(m_pos, 1)) + "' in name"
                  : "missing name";
      return false;
    }
    return true;
  }
  bool Number(double& out, std::string& error) {
    std::string word;
    if (!Word(word)) {
      error = "expected a number";
      return false;
    }
    for (char c : word) {
      if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
        error = "'" + Excerpt(word) + "' is not a decimal number";
        return false;
      }
    }
    if (WholeNumber(word, out))
      return true;
    const char* begin = word.data();
    if (*begin == '+')
      ++begin;  // from_chars takes no plus sign
    auto [end, ec] = std::from_chars(begin, word.data() + word.size(), out);
    if (ec == std::errc::result_out_of_range && end == word.data() + word.size()) {
      error = "'" + Excerpt(word) + "' is out of range (a double holds about 1e-308 to 1e308)";
      return false;
    }
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(out)) {
      error = "'" + Excerpt(word) + "' is not a decimal number";
      return false;
    }
    return true;
  }
  // Whether a comment starts here, and whether a space or tab comes just before.
  bool AtComment() const { return m_pos < m_text.size() && m_text[m_pos] == '#'; }
  bool AfterSpace() const {
    return m_pos > 0 && (m_text[m_pos - 1] == ' ' || m_text[m_pos - 1] == '\t');
  }
  // The words from here on that come before a position: all of them when the last three are
  // not numbers, "" when the next word is one. Reads nothing.
  std::string WordsBeforePosition() const {
    LineReader ahead(m_text.substr(m_pos));
    std::vector<std::string> words;
    std::string word;
    while (!ahead.AtEnd() && ahead.Word(word))
      words.push_back(word);
    const auto isNumber = [](const std::string& w) {
      double ignored = 0;
      std::string error;
      LineReader reader(w);
      return reader.Number(ignored, error);
    };
    // A word that begins as a number does is a number the user mistyped, not a name.
    if (words.empty() || words.front().find_first_of("0123456789+-.") == 0)
      return "";
    std::size_t count = words.size();
    if (count > 3 && isNumber(words[count - 1]) && isNumber(words[count - 2]) &&
        isNumber(words[count - 3]))
      count -= 3;
    std::string joined;
    for (std::size_t i = 0; i < count; ++i)
      joined += (i == 0 ? "" : " ") + words[i];
    return joined;
  }
  bool NextIsSpaceOrEnd() const {
    return m_pos >= m_text.size() || m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
           m_text[m_pos] == '#';
  }

 private:
  bool Quoted(std::string& out, std::string& error) {
    ++m_pos;  // the opening quote
    out.clear();
    while (m_pos < m_text.size()) {
      char c = m_text[m_pos++];
      if (c == '"')
        return true;
      if (c == '\\') {
        if (m_pos < m_text.size() && (m_text[m_pos] == '"' || m_text[m_pos] == '\\')) {
          out.push_back(m_text[m_pos++]);
          continue;
        }
        error = "unknown escape in quoted name (only \\\" and \\\\)";
        return false;
      }
      out.push_back(c);
    }
    error = "missing closing quote";
    return false;
  }

  std::string_view m_text;
  size_t m_pos = 0;
};

// The Unicode space that `text` starts with, named ("a non-breaking space (U+00A0)"), or "":
// what an editor or a web page may put where spaces were meant.
std::string UnicodeSpace(std::string_view text) {
  const std::pair<std::string_view, const char*> spaces[] = {
      {"\xC2\xA0", "a non-breaking space (U+00A0)"},
      {"\xE2\x80\xAF", "a narrow non-breaking space (U+202F)"},
      {"\xE3\x80\x80", "an ideographic space (U+3000)"},
      {"\xE2\x80\x80", "an en quad (U+2000)"}};
  for (const auto& [bytes, name] : spaces) {
    if (text.substr(0, bytes.size()) == bytes)
      return name;
  }
  // U+2001 to U+200A, the other typographic spaces.
  if (text.size() >= 3 && text.substr(0, 2) == "\xE2\x80" &&
      static_cast<unsigned char>(text[2]) >= 0x81 && static_cast<unsigned char>(text[2]) <= 0x8A)
    return "a typographic space (U+20" + std::string(1, "0123456789A"[text[2] - '\x80']) + ")";
  return "";
}

// The first control character of `text`, escaped, or "" when there is none.
std::string FirstControl(std::string_view text) {
  for (char c : text) {
    if (IsControl(static_cast<unsigned char>(c)))
      return Printable(std::string_view(&c, 1));
  }
  return "";
}

// Parses the fields of one line into `line`.
bool ParseFields(std::string_view fields, SceneLine& line, std::string& error) {
  LineReader reader(fields);
  if (!reader.Word(line.type)) {
    error = "expected a type word at the start of the line";
    return false;
  }
  // A mark there would be read as the file's byte-order mark when the scene is printed.
  if (line.type.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    error = "a byte-order mark (U+FEFF) may only open the file";
    return false;
  }
  if (const std::string control = FirstControl(line.type); !control.empty()) {
    error = "control character " + control + " in the type";
    return false;
  }
  if (!reader.NextIsSpaceOrEnd()) {
    error = "unexpected character after the type";
    return false;
  }
  line.isProperty = line.type == "property";
  if (reader.AtEnd()) {
    error = "missing name after '" + Excerpt(line.type) + "'";
    return false;
  }
  if (!reader.Name(line.name, error))
    return false;
  if (line.name.empty()) {
    error = "empty name";
    return false;
  }
  if (const std::string control = FirstControl(line.name); !control.empty()) {
    error = "control character " + control + " in the name";
    return false;
  }
  // A full name joins names with ".": one inside a name would make two objects look alike.
  if (line.name.find('.') != std::string::npos) {
    error = "'.' in the name '" + Excerpt(line.name) + "': '.' separates the names of a full name";
    return false;
  }
  if (reader.AtComment() && !reader.AfterSpace()) {
    error = "'#' right after the name '" + Excerpt(line.name) +
            "' starts a comment: put a space before the comment, or quote the name";
    return false;
  }
  if (!reader.NextIsSpaceOrEnd()) {
    error = "unexpected character after the name";
    return false;
  }
  if (reader.AtEnd())
    return true;
  if (line.isProperty) {
    error = "a property has no position";
    return false;
  }
  if (const std::string words = reader.WordsBeforePosition(); !words.empty()) {
    error = "a name with a space must be quoted: \"" + Excerpt(line.name + " " + words) + "\"";
    return false;
  }
  xsihost::Position p;
  double* coordinates[] = {&p.x, &p.y, &p.z};
  for (double* c : coordinates) {
    if (reader.AtEnd()) {
      error = "a position needs three numbers X Y Z";
      return false;
    }
    if (!reader.Number(*c, error))
      return false;
  }
  if (!reader.AtEnd()) {
    error = "unexpected text after the position";
    return false;
  }
  line.position = p;
  return true;
}

bool NeedsQuotes(std::string_view name) {
  if (name.empty())
    return true;
  for (char c : name) {
    if (!IsWordChar(c))
      return true;
  }
  return false;
}

std::string Quote(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"' || c == '\\')
      out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

}  // namespace

std::string NameAsWritten(std::string_view name) {
  return NeedsQuotes(name) ? Quote(name) : std::string(name);
}

bool SceneLine::operator==(const SceneLine& other) const {
  return depth == other.depth && isProperty == other.isProperty && type == other.type &&
         name == other.name && SamePosition(position, other.position);
}

bool ParseScene(std::string_view text, const std::string& fileName, Scene& scene,
                std::string& error) {
  scene.clear();
  return ParseScene(
      text, fileName, [&](const SceneLine& line) { scene.push_back(line); }, error);
}

bool ParseScene(std::string_view text, const std::string& fileName,
                const std::function<void(const SceneLine&)>& onLine, std::string& error) {
  int lineNumber = 0;
  int previousDepth = -1;
  bool previousIsProperty = false;
  SceneLine line;
  // A UTF-8 byte-order mark, as some editors write one, is no part of the first line.
  const std::string_view bom = "\xEF\xBB\xBF";
  size_t start = text.substr(0, bom.size()) == bom ? bom.size() : 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    std::string_view raw = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!raw.empty() && raw.back() == '\r')
      raw.remove_suffix(1);  // CRLF line ends
    auto fail = [&](const std::string& what) {
      error = fileName + ":" + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (raw.find('\0') != std::string_view::npos)
      return fail("NUL byte: this is not a text file");
    if (raw.find('\r') != std::string_view::npos)
      return fail("carriage return inside the line (line ends must be LF or CRLF)");
    if (!xsihost::IsUtf8(raw))
      return fail("not valid UTF-8 text");

    size_t indent = 0;
    while (indent < raw.size() && (raw[indent] == ' ' || raw[indent] == '\t')) {
      if (raw[indent] == '\t') {
        // A tab only matters where the line holds something.
        std::string_view rest = raw.substr(indent);
        size_t content = rest.find_first_not_of(" \t");
        if (content != std::string_view::npos && rest[content] != '#') {
          return fail("tab in the indentation (indent with two spaces per level)");
        }
      }
      ++indent;
    }
    std::string_view fields = raw.substr(indent);
    if (fields.empty() || fields.front() == '#')
      continue;
    if (const std::string space = UnicodeSpace(fields); !space.empty())
      return fail("indentation with " + space + ": indent with spaces (U+0020), two per level");
    if (indent % 2 != 0)
      return fail("indentation is not a multiple of two spaces");

    // One line object for the whole file, so that its strings keep their room.
    line.position.reset();
    line.depth = static_cast<int>(indent / 2);
    line.lineNumber = lineNumber;
    if (line.depth > previousDepth + 1) {
      return fail(previousDepth < 0 ? "the first object must not be indented"
                                    : "more than one level deeper than the line before");
    }
    if (previousIsProperty && line.depth > previousDepth) {
      return fail("a property has no children");
    }
    std::string what;
    if (!ParseFields(fields, line, what))
      return fail(what);
    previousDepth = line.depth;
    previousIsProperty = line.isProperty;
    onLine(line);
  }
  return true;
}

namespace {

void AppendNumber(std::string& out, double value) {
  if (value == 0) {
    out += '0';  // -0 too
    return;
  }
  char buffer[64];
  // A whole number not ending in 0 reads shortest as its digits (the exponent form would need
  // every digit and more), as integer digits are quicker to make. One ending in 0 may be shorter
  // with an exponent ("1e+06"): the general form decides.
  constexpr double kExact = 9007199254740992.0;  // 2^53: every whole number below is exact
  if (value > -kExact && value < kExact) {
    const auto whole = static_cast<long long>(value);
    if (static_cast<double>(whole) == value && whole % 10 != 0) {
      auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, whole);
      out.append(buffer, end);
      return;
    }
  }
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec == std::errc())
    out.append(buffer, end);
  else
    out += '0';
}

}  // namespace

std::string FormatNumber(double value) {
  std::string out;
  AppendNumber(out, value);
  return out;
}

void AppendSceneLine(std::string& out, int depth, bool isProperty, std::string_view type,
                     std::string_view name, const xsihost::Position* position) {
  out.append(static_cast<size_t>(depth) * 2, ' ');
  out += isProperty ? std::string_view("property") : type;
  out += ' ';
  if (NeedsQuotes(name))
    out += Quote(name);
  else
    out += name;
  if (position != nullptr && !isProperty) {
    for (double coordinate : {position->x, position->y, position->z}) {
      out += ' ';
      AppendNumber(out, coordinate);
    }
  }
  out += '\n';
}

std::string PrintScene(const Scene& scene) {
  std::string out;
  for (const SceneLine& line : scene) {
    AppendSceneLine(out, line.depth, line.isProperty, line.type, line.name,
                    line.position ? &*line.position : nullptr);
  }
  return out;
}

}  // namespace minihost
