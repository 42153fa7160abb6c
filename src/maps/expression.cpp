#include "maps/expression.h"

#include <cmath>

#include "text/numbers.h"

namespace qmx::maps {

namespace {

// Parenthesised expressions nested deeper than this are refused, so that a hostile
// configuration line cannot exhaust the stack.
constexpr int MaxDepth = 200;

bool endsToken(char c) {
    return c == '(' || c == ')' || c == '+' || c == '-' || c == '*' || c == '/';
}

// Recursive descent over the three levels; every intermediate result is a float.
class Evaluator {
public:
    Evaluator(std::string_view text, float x) : m_text(text), m_x(x) {}

    Converted<float> run() {
        const float value = expression(0);
        if (m_code != ConversionCode::Ok)
            return {m_code, 0.0f};
        if (!std::isfinite(value))
            return {ConversionCode::DivisionByZero, 0.0f};
        return {ConversionCode::Ok, value};
    }

private:
    bool failed() const { return m_code != ConversionCode::Ok; }
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool atEnd() const { return m_pos >= m_text.size(); }

    float fail(ConversionCode code) {
        if (!failed())
            m_code = code;
        return 0.0f;
    }

    float expression(int depth) {
        float value = term(depth);
        while (!failed() && !atEnd() && (peek() == '+' || peek() == '-')) {
            const char op = m_text[m_pos++];
            const float right = term(depth);
            value = (op == '+') ? value + right : value - right;
        }
        return value;
    }

    float term(int depth) {
        float value = factor(depth);
        while (!failed() && !atEnd() && (peek() == '*' || peek() == '/')) {
            const char op = m_text[m_pos++];
            const float right = factor(depth);
            if (failed())
                break;
            if (op == '*') {
                value = value * right;
            } else {
                if (right == 0.0f)
                    return fail(ConversionCode::DivisionByZero);
                value = value / right;
            }
        }
        return value;
    }

    float factor(int depth) {
        if (failed())
            return 0.0f;
        if (peek() == 'x') {
            ++m_pos;
            return m_x;
        }
        if (peek() == '(') {
            if (depth >= MaxDepth)
                return fail(ConversionCode::ParenthesisMissing);
            ++m_pos;
            const float value = expression(depth + 1);
            if (failed())
                return 0.0f;
            if (peek() != ')')
                return fail(ConversionCode::ParenthesisMissing);
            ++m_pos;
            return value;
        }
        return number();
    }

    float number() {
        const std::size_t start = m_pos;
        while (!atEnd() && !endsToken(peek()))
            ++m_pos;
        if (m_pos == start)
            return fail(ConversionCode::OperandMissing);
        // A token without digits reads 0, like the C library's text-to-double conversion.
        const auto scanned = text::scanDouble(m_text.substr(start, m_pos - start));
        return scanned ? text::narrowToFloat(scanned->value) : 0.0f;
    }

    std::string_view m_text;
    float m_x;
    std::size_t m_pos = 0;
    ConversionCode m_code = ConversionCode::Ok;
};

} // namespace

Converted<float> evaluateExpression(std::string_view text, float x) {
    return Evaluator(text, x).run();
}

} // namespace qmx::maps
