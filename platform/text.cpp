#include "platform/text.h"

#include <windows.h>

#include <cstring>

namespace platform {

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
  std::string upperA = a, upperB = b;
  // CharUpperBuffA knows the code page's double-byte characters and leaves them whole.
  if (!upperA.empty()) ::CharUpperBuffA(&upperA[0], static_cast<DWORD>(upperA.size()));
  if (!upperB.empty()) ::CharUpperBuffA(&upperB[0], static_cast<DWORD>(upperB.size()));
  return upperA == upperB;
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
