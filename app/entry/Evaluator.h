// Entry expressions. Every numeric entry of the program may be typed as an arithmetic expression,
// for example 12*2.54 or sqrt(2)/2.
//
// The text is evaluated by rewriting: blanks are removed, the innermost parentheses are replaced
// by their value written as text (so 2(3) reads 23 and sqrt(2+2) reads sqrt4), each minus is
// classified as a sign or a subtraction, and the operators are reduced left to right in four
// levels: ^ ; * / % & ; + - | ; =. Intermediate values are written in the general number format
// with 18 significant digits, using the decimal separator of the current locale.
//
// Operands: decimal numbers, the constants pi and e, a function name followed by its argument
// (sin, cos, tan, cotan, sec, cosec, csc, arcsin, arccos, arctan, sinh, cosh, tanh, arcsinh,
// arccosh, arctanh, abs, frac, int, round, ceil, floor, ln, log, sqrt), a trailing "!" for the
// factorial and a leading "$" for a hexadecimal integer (up to 16 digits, two's complement).
#pragma once

#include <string_view>

#include "EntryErrors.h"

namespace keldar {

// Raises EAssignError for a rejected entry and EMathError for an arithmetic fault; the result is
// always finite and, like every intermediate value, rounded to 18 significant digits.
long double Evaluate(std::string_view text);

// One operand, with no operators left in it.
long double EvaluateOperand(std::string_view text);

// True for a function name (any case) and for the single characters "!" and "$".
bool IsFunctionName(std::string_view text);

}  // namespace keldar
