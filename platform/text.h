// Text in the system's ANSI code page: maker words are matched as whole characters, so
// that the trail byte of a double-byte character never starts or ends a match.
#pragma once
#include <string>

namespace platform {

// True when `word` occurs in `text` at a character boundary (case-sensitive).
bool ContainsWord(const std::string& text, const char* word);

// True when `a` and `b` are the same text without regard to letter case, double-byte
// characters compared as units and upper-cased by the system's locale mapping.
bool SameTextNoCase(const std::string& a, const std::string& b);
// `text` upper-cased as SameTextNoCase compares it: two texts are the same without regard
// to case exactly when their keys are equal, so the keys can index a map.
std::string CaseKey(const std::string& text);

// True when the whole of `name` matches `wildcard`: `*` stands for any run of characters,
// `?` for exactly one, and the rest compare as SameTextNoCase does, a double-byte character
// being one character. Unlike FindFirstFileA it knows no 8.3 short names and no MS-DOS
// rules: "*.*" matches only names with a dot.
bool MatchesWildcard(const std::string& name, const std::string& wildcard);

// The position of the last backslash of `path` that is a character of its own, never the
// trail byte of a double-byte character; npos when there is none.
size_t LastBackslash(const std::string& path);

// True when the key or file path `path` is `parent` or lies below it, without regard to
// letter case.
bool PathWithin(const std::string& path, const std::string& parent);

}  // namespace platform
