// Pieces shared by the display commands: the evaluation of one item of an expression list and
// the end of such a list.
#pragma once
#include <memory>

#include "engine/kernel.h"
#include "model/messages.h"
#include "model/value.h"

namespace yav {

// Error 53 ("not an addressable variable") is accepted for the results that have no address.
inline bool acceptedResult(int error) { return error == 0 || error == msg::NotAddressable; }

// Moves past the blanks after an item and one `,`; false at the end of the list (`;`, `}` or
// the end of the text), with `p` on that character.
bool nextListItem(const char*& p);

// Skips to the next `;` (or the end of the text).
const char* skipStatement(const char* p);

// Display letter of a format option (`/D`, `/B`, `/H`, `/U`, `/S`, `/O`, `/C`, `/X`): the letter
// of the value printer; 0 for any other.
char displayLetter(char option);

}  // namespace yav
