#pragma once

// Reads a number the way the dialog reads its edits: leading white space skipped, one
// optional sign, then decimal digits up to the first other character; a text without
// digits gives 0. A number too large for an int saturates instead of overflowing, so it
// stays out of every accepted range.
int ParseDecimal(const char* pszText);
