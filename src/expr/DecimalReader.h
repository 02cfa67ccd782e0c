#pragma once

// Reads a number token the way atof reads it in the "C" locale, whatever locale the process has
// switched to (a Qt application sets LC_NUMERIC to the user's, and a German one would make atof
// stop at the '.'). The longest prefix of [begin, end) of the form digits, '.', digits counts;
// there is no sign and no exponent. Nothing readable ("", ".", "..5") gives 0, a value beyond the
// range of a double gives infinity, one below the smallest denormal gives 0. The text may be of
// any length.
double ReadDecimal(const char* begin, const char* end);
