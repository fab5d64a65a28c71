#ifndef PARVOLIN_PATH_SYNTAX_H
#define PARVOLIN_PATH_SYNTAX_H

#include <cstddef>

// The rules every path text follows, whichever file system it names. Texts are wide,
// zero-terminated; '/' is the only separator once backslashes have been turned.
namespace PathSyntax {

// A new copy of `text` (delete[] it), null when out of memory or for a null text.
wchar_t* copyText(const wchar_t* text);

// A new text `first` + `separator` + `second` (delete[] it); null when out of memory.
// A null separator joins the two directly.
wchar_t* joinTexts(const wchar_t* first, const wchar_t* separator, const wchar_t* second);

// Splits "[scheme:]rest". The scheme starts with a letter and goes on with letters,
// digits, '+', '-' or '.' up to the first ':'; a character that breaks the rule means the
// text has no scheme. `scheme` and `rest` must each hold the whole text. A text that
// starts with ':' has an empty scheme and the rest after the colon.
void splitScheme(const wchar_t* text, wchar_t* scheme, wchar_t* rest);

// A text split as above, each part in a buffer of its own (as long as the whole text).
class SchemeSplit {
public:
    explicit SchemeSplit(const wchar_t* text);
    ~SchemeSplit();
    SchemeSplit(const SchemeSplit&) = delete;
    SchemeSplit& operator=(const SchemeSplit&) = delete;

    // False for a null text or when out of memory.
    bool isValid() const { return scheme && rest; }

    wchar_t* scheme;
    wchar_t* rest;
};

// Every backslash becomes '/'.
void toForwardSlashes(wchar_t* text);

// In place: drops empty components and "." followed by a separator, lets ".." followed by
// a separator take back the component kept before it (leading ones are kept; an absolute
// path never climbs above its root), keeps the last component as written and drops a
// final separator. False for a null or empty text, and when nothing is left.
bool normalise(wchar_t* text);

// The number of components: 0 for "/" and for the empty text.
unsigned long depthOf(const wchar_t* path);

// Where the name starts: just after the last '/', or the text's start when it has none.
const wchar_t* nameOf(const wchar_t* path);

} // namespace PathSyntax

#endif
