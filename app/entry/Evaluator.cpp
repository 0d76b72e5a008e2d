#include "Evaluator.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "NumberFormat.h"

namespace keldar {

static constexpr long double kPi = 3.141592653589793238462643383279502884L;
static constexpr long double kE = 2.718281828459045235360287471352662498L;

// Intermediate values keep 18 significant digits of the extended value.
static constexpr int kIntermediateDigits = 18;

[[noreturn]] static void reject(const char* reason) {
    throw EAssignError(std::string("Entry could not be evaluated:\r") + reason);
}

[[noreturn]] static void mathFault(const char* reason) {
    throw EMathError(std::string("Entry could not be evaluated:\r") + reason);
}

// Every result passes here: an infinite or NaN value is never handed on.
static long double finite(long double v) {
    if (std::isnan(v)) mathFault("argument outside the function's domain");
    if (std::isinf(v)) mathFault("number too large (floating-point overflow)");
    return v;
}

// Integer conversions of "%", "round", "ceil" and "floor" reject values outside their range
// instead of wrapping around.
static bool inInt64(long double v) { return v >= -0x1p63L && v < 0x1p63L; }
static bool inInt32(long double v) { return v >= -2147483648.0L && v <= 2147483647.0L; }

[[noreturn]] static void outOfIntegerRange() { mathFault("number outside the integer range"); }

// ---------------------------------------------------------------------------------------------
// Functions

using UnaryFunction = long double (*)(long double);

static long double reciprocal(long double denominator) {
    if (denominator == 0) mathFault("division by zero");
    return 1 / denominator;
}

static long double fnSin(long double x) { return std::sin(x); }
static long double fnCos(long double x) { return std::cos(x); }
static long double fnTan(long double x) { return std::tan(x); }
static long double fnCotan(long double x) { return reciprocal(std::tan(x)); }
static long double fnSec(long double x) { return reciprocal(std::cos(x)); }
static long double fnCosec(long double x) { return reciprocal(std::sin(x)); }
static long double fnArcsin(long double x) { return std::asin(x); }
static long double fnArccos(long double x) { return std::acos(x); }
static long double fnArctan(long double x) { return std::atan(x); }
static long double fnSinh(long double x) { return std::sinh(x); }
static long double fnCosh(long double x) { return std::cosh(x); }
static long double fnTanh(long double x) { return std::tanh(x); }
static long double fnArcsinh(long double x) { return std::asinh(x); }
// Below 1 the inverse hyperbolic cosine has no value; it is a domain error, not 0.
static long double fnArccosh(long double x) { return std::acosh(x); }
static long double fnArctanh(long double x) { return std::atanh(x); }
static long double fnAbs(long double x) { return std::fabs(x); }
static long double fnFrac(long double x) { return x - std::trunc(x); }
static long double fnInt(long double x) { return std::trunc(x); }

// Nearest integer, ties to even (the default rounding mode), as a 64-bit integer.
static long double fnRound(long double x) {
    const long double r = std::nearbyint(x);
    if (!inInt64(r)) outOfIntegerRange();
    return r;
}

static long double fnCeil(long double x) {
    const long double r = std::ceil(x);
    if (!inInt32(r)) outOfIntegerRange();
    return r;
}

static long double fnFloor(long double x) {
    const long double r = std::floor(x);
    if (!inInt32(r)) outOfIntegerRange();
    return r;
}

static long double fnLn(long double x) {
    if (x <= 0) mathFault("logarithm of zero or of a negative number");
    return std::log(x);
}

static long double fnLog(long double x) {
    if (x <= 0) mathFault("logarithm of zero or of a negative number");
    return std::log10(x);
}

static long double fnSqrt(long double x) {
    if (x < 0) mathFault("square root of a negative number");
    return std::sqrt(x);
}

struct Function {
    std::string_view name;
    UnaryFunction apply;
};

// Longest names first, so that arctanh wins over arctan, cosec and cosh over cos, sinh over sin.
static constexpr Function kFunctions[] = {
    {"arctanh", fnArctanh}, {"arccosh", fnArccosh}, {"arcsinh", fnArcsinh}, {"arctan", fnArctan},
    {"arccos", fnArccos},   {"arcsin", fnArcsin},   {"cotan", fnCotan},     {"cosec", fnCosec},
    {"round", fnRound},     {"floor", fnFloor},     {"tanh", fnTanh},       {"cosh", fnCosh},
    {"sinh", fnSinh},       {"frac", fnFrac},       {"ceil", fnCeil},       {"sqrt", fnSqrt},
    {"tan", fnTan},         {"cos", fnCos},         {"sec", fnSec},         {"sin", fnSin},
    {"csc", fnCosec},       {"abs", fnAbs},         {"int", fnInt},         {"log", fnLog},
    {"ln", fnLn},
};

static char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

static bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

bool IsFunctionName(std::string_view text) {
    if (text == "!" || text == "$") return true;
    for (const Function& f : kFunctions) {
        if (equalsIgnoreCase(text, f.name)) return true;
    }
    return false;
}

// n! for a whole n, carrying the sign of n (the operand -3! is -6). The product overflows the
// extended range long before n = 1755, which bounds the loop.
static long double factorial(long double n) {
    if (n != std::trunc(n)) reject("! (factoral) applicable to integers only");
    long double product = 1;
    for (long double k = std::fabs(n); k > 1; k -= 1) {
        product *= k;
        if (std::isinf(product)) mathFault("number too large (floating-point overflow)");
    }
    return n < 0 ? -product : product;
}

// "$" followed by up to 16 hexadecimal digits, read as a 64-bit two's complement integer (so the
// field's display of a negative value reads back).
static long double readHex(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 16) reject("invalid use of $ (hex function)");
    std::uint64_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else {
            reject("invalid use of $ (hex function)");
        }
        value = value * 16 + static_cast<std::uint64_t>(d);
    }
    return static_cast<long double>(static_cast<std::int64_t>(value));
}

static void removeDoubleMinus(std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            ++i;
        } else {
            out += s[i];
        }
    }
    s.swap(out);
}

static const Function* leadingFunction(std::string_view s) {
    for (const Function& f : kFunctions) {
        if (s.substr(0, f.name.size()) == f.name) return &f;
    }
    return nullptr;
}

long double EvaluateOperand(std::string_view text) {
    // A double sign cancels; names are compared in lower case. Neither step can create new work
    // for itself, so both are done once for the whole operand.
    std::string lowered(text);
    removeDoubleMinus(lowered);
    for (char& c : lowered) c = lowerAscii(c);

    // A function name applies to the rest of the operand and a trailing "!" to what precedes it,
    // nested to any depth (sinsqrt16, 3!!). They are peeled off in a loop, outermost first, and
    // applied innermost first, so a long operand cannot exhaust the stack.
    std::vector<UnaryFunction> pending;
    std::string_view s = lowered;
    long double value = 0;
    for (;;) {
        if (s == "pi" || s == "-pi") {
            value = s[0] == '-' ? -kPi : kPi;
            break;
        }
        if (s == "e" || s == "-e") {
            value = s[0] == '-' ? -kE : kE;
            break;
        }
        if (const Function* f = leadingFunction(s)) {
            pending.push_back(f->apply);
            s.remove_prefix(f->name.size());
            continue;
        }
        if (!s.empty() && s.back() == '!') {
            pending.push_back(factorial);
            s.remove_suffix(1);
            continue;
        }
        if (!s.empty() && s.front() == '$') {
            value = readHex(s.substr(1));
            break;
        }
        const DecimalRead read = readDecimal(s, localeDecimalPoint(), value);
        if (read == DecimalRead::Overflow) mathFault("number too large (floating-point overflow)");
        if (read != DecimalRead::Ok) reject("invalid character(s) in expression");
        break;
    }
    for (auto f = pending.rbegin(); f != pending.rend(); ++f) value = finite((*f)(value));
    return value;
}

// ---------------------------------------------------------------------------------------------
// Reduction

static bool isTruth(long double v) { return v != 0; }

// The remainder of both operands truncated to 64-bit integers, written as an exact integer.
static std::string remainderText(long double left, long double right) {
    if (!inInt64(std::trunc(left)) || !inInt64(std::trunc(right))) outOfIntegerRange();
    const auto a = static_cast<std::int64_t>(left);
    const auto b = static_cast<std::int64_t>(right);
    if (b == 0) mathFault("division by zero");
    return std::to_string(b == -1 ? 0 : a % b);  // INT64_MIN % -1 would trap
}

static long double power(long double base, long double exponent) {
    if (base == 0 && exponent < 0) mathFault("division by zero");
    return std::pow(base, exponent);
}

// '-' stands for the subtraction operator; signs never reach the operator list.
static std::string combine(char op, const std::string& leftText, const std::string& rightText) {
    const long double left = EvaluateOperand(leftText);
    const long double right = EvaluateOperand(rightText);
    long double result = 0;
    switch (op) {
        case '^':
            result = power(left, right);
            break;
        case '*':
            result = left * right;
            break;
        case '/':
            if (right == 0) mathFault("division by zero");
            result = left / right;
            break;
        case '%':
            return remainderText(left, right);
        case '&':
            result = isTruth(left) && isTruth(right) ? 1 : 0;
            break;
        case '+':
            result = left + right;
            break;
        case '-':
            result = left - right;
            break;
        case '|':
            result = isTruth(left) || isTruth(right) ? 1 : 0;
            break;
        case '=':
            result = left == right ? 1 : 0;
            break;
    }
    return formatGeneral(finite(result), kIntermediateDigits, localeDecimalPoint());
}

static bool isOperatorChar(char c) {
    switch (c) {
        case '^':
        case '*':
        case '/':
        case '%':
        case '+':
        case '=':
        case '|':
        case '&':
            return true;
        default:
            return false;
    }
}

// A minus is a sign at the start, after a bare function name (sin-pi), after an operator, an
// exponent letter or another minus; otherwise it subtracts.
static bool minusIsSign(const std::string& s, std::size_t i) {
    if (i == 0) return true;
    constexpr std::size_t kLongestName = 7;
    if (i <= kLongestName && IsFunctionName(std::string_view(s).substr(0, i))) return true;
    switch (s[i - 1]) {
        case '%':
        case '&':
        case '*':
        case '+':
        case '/':
        case '=':
        case 'E':
        case '^':
        case 'e':
        case '|':
        case '-':
            return true;
        default:
            return false;
    }
}

// The result keeps the same 18 significant digits as every intermediate value. The last bits of
// the processor's extended logarithm, sine and power differ between makers (log(1000) is
// 3.0000000000000000002 on some), and an entry must give the same number on every machine.
static long double roundedToIntermediateDigits(long double value) {
    long double rounded = value;
    const char point = localeDecimalPoint();
    if (readDecimal(formatGeneral(value, kIntermediateDigits, point), point, rounded) !=
        DecimalRead::Ok) {
        return value;
    }
    return rounded;
}

static long double evaluateExpression(std::string_view text);

static std::string withoutBlanks(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t') s += c;
    }
    return s;
}

// Innermost parentheses first: the first ")" closes the last "(" before it, and the value of
// their content is spliced in as text. Scanning once with a stack of open positions visits the
// pairs in that same order; a spliced value holds no parenthesis.
static std::string parenthesesEvaluated(const std::string& s) {
    std::string spliced;
    spliced.reserve(s.size());
    std::vector<std::size_t> open;
    for (char c : s) {
        if (c == ')') {
            if (open.empty()) reject("() (parentheses) do not match");
            const std::size_t at = open.back();
            open.pop_back();
            const long double inner = evaluateExpression(std::string_view(spliced).substr(at + 1));
            spliced.resize(at);
            spliced += formatGeneral(inner, kIntermediateDigits, localeDecimalPoint());
        } else {
            if (c == '(') open.push_back(spliced.size());
            spliced += c;
        }
    }
    return spliced;
}

// A flat expression as its operands with the operator between each pair.
namespace {
struct OperatorChain {
    std::vector<std::string> operands;
    std::string ops;
};
}  // namespace

static OperatorChain splitAtOperators(const std::string& s) {
    OperatorChain chain;
    std::string operand;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (isOperatorChar(c) || (c == '-' && !minusIsSign(s, i))) {
            chain.operands.push_back(std::move(operand));
            operand.clear();
            chain.ops += c;
        } else {
            operand += c;
        }
    }
    if (!operand.empty()) chain.operands.push_back(std::move(operand));
    if (chain.operands.size() != chain.ops.size() + 1) reject("invalid expression");
    return chain;
}

// Folds the operators of one precedence level left to right, so a^b^c is (a^b)^c.
static void foldLevel(OperatorChain& chain, std::string_view level) {
    std::vector<std::string> keptOperands{std::move(chain.operands[0])};
    std::string keptOps;
    for (std::size_t i = 0; i < chain.ops.size(); ++i) {
        const char op = chain.ops[i];
        if (level.find(op) != std::string_view::npos) {
            keptOperands.back() = combine(op, keptOperands.back(), chain.operands[i + 1]);
        } else {
            keptOps += op;
            keptOperands.push_back(std::move(chain.operands[i + 1]));
        }
    }
    chain.operands.swap(keptOperands);
    chain.ops.swap(keptOps);
}

static long double evaluateExpression(std::string_view text) {
    if (text.empty()) reject("entry cannot be blank");
    OperatorChain chain = splitAtOperators(parenthesesEvaluated(withoutBlanks(text)));
    static constexpr std::string_view kLevels[] = {"^", "*/%&", "+-|", "="};
    for (std::string_view level : kLevels) foldLevel(chain, level);
    return EvaluateOperand(chain.operands[0]);
}

long double Evaluate(std::string_view text) {
    return roundedToIntermediateDigits(evaluateExpression(text));
}

}  // namespace keldar
