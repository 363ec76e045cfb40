// The character filters of the dialogs' edit kinds: which typed characters each accepts.
// A refused character beeps, except in the read-only kind, which refuses silently.
#pragma once

namespace yav {

enum class EditKind {
  General,   // "GENEDIT": hexadecimal digits, 'x', 'X', '%', '$'
  Hex,       // "HEXEDIT": hexadecimal digits, 'x', 'X'
  Mask,      // "MASKEDIT": as Hex, and '?'
  Number,    // "NUMEDIT": decimal digits
  ReadOnly,  // "READEDIT": nothing
};

// True when a typed `c` goes into an edit of this kind. Control characters pass every kind
// except the read-only one.
bool editAccepts(EditKind kind, char c);

// True when a refused character sounds the beep.
bool editBeepsOnRefusal(EditKind kind);

}  // namespace yav
