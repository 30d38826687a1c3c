#include "platform/text.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace platform {

namespace {
std::string Upper(std::string text) {
  // CharUpperBuffA knows the code page's double-byte characters and leaves them whole.
  if (!text.empty()) ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// The characters of `text`, a double-byte character as one (a lead byte at the very end
// stands alone).
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < text.size();) {
    const bool lead = ::IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
    const size_t length = lead ? 2 : 1;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}
}  // namespace

bool ContainsWord(const std::string& text, const char* word) {
  const size_t length = std::strlen(word);
  if (length == 0) return true;
  for (size_t i = 0; i + length <= text.size();) {
    if (std::memcmp(text.data() + i, word, length) == 0) return true;
    const bool lead = ::IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
    i += lead ? 2 : 1;
  }
  return false;
}

bool SameTextNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  return Upper(a) == Upper(b);
}

std::string CaseKey(const std::string& text) { return Upper(text); }

bool MatchesWildcard(const std::string& name, const std::string& wildcard) {
  const std::vector<std::string> text = Characters(Upper(name));
  const std::vector<std::string> pattern = Characters(Upper(wildcard));
  // Left to right; on a mismatch the last `*` seen takes one character more.
  size_t t = 0, p = 0, star = std::string::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && (pattern[p] == "?" || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (star != std::string::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

size_t LastBackslash(const std::string& path) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\')
      last = i;
    else if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])))
      ++i;
  }
  return last;
}

bool PathWithin(const std::string& path, const std::string& parent) {
  if (parent.empty() || path.size() < parent.size()) return false;
  if (path.size() > parent.size() && path[parent.size()] != '\\') return false;
  return SameTextNoCase(path.substr(0, parent.size()), parent);
}

}  // namespace platform
