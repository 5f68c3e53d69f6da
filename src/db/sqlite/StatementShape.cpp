#include "db/sqlite/StatementShape.h"

#include "base/Besedilo.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace orv::sqlite {

namespace {

// Sentinels: a text sentinel starts with a byte no statement holds; a number sentinel is a
// large integer that no statement of the program writes.
constexpr char kTextSentinelMark = '\x01';
constexpr long long kNumberSentinelBase = 9100000000000000000LL;
constexpr std::string_view kNumberSentinelPrefix = "91000000000000";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

SharedLiteral numberLiteral(std::string_view text) {
    SharedLiteral literal;
    const std::string copy(text);
    const bool whole = copy.find_first_of(".eE") == std::string::npos;
    if (whole) {
        errno = 0;
        const long long value = std::strtoll(copy.c_str(), nullptr, 10);
        if (errno == 0) {
            literal.kind = SharedLiteral::Kind::Integer;
            literal.integer = value;
            return literal;
        }
    }
    literal.kind = SharedLiteral::Kind::Real;
    literal.real = std::strtod(copy.c_str(), nullptr);
    return literal;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isComparisonChar(char c) {
    return c == '<' || c == '>' || c == '=' || c == '!';
}

bool isRownum(std::string_view name) {
    constexpr std::string_view kRownum = "ROWNUM";
    if (name.size() != kRownum.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if ((name[i] & ~0x20) != kRownum[i]) return false;
    return true;
}

// Most literals only take part in the statement's computation; the scanner takes them out. A
// few decide what the translation writes, and stay in the shape's key, so that statements that
// differ in them get translations of their own:
// * the arguments of a function that its catalogue row keeps inline (TO_CHAR's format mask);
// * a number compared with ROWNUM, which the translation turns into a count of rows.
class ShapeScanner {
public:
    ShapeScanner(std::string_view sql, const std::vector<size_t>& keepInline)
        : sql_(sql), keepInline_(keepInline) {}

    std::optional<StatementShape> run() {
        // A NUL byte is no part of any statement; the translation reports it.
        if (sql_.find('\0') != std::string_view::npos) return std::nullopt;
        shape_.key.reserve(sql_.size() + 1);
        // The key of a shape with literals written out never equals a key of a plain shape,
        // whose literals count differently.
        if (!keepInline_.empty()) shape_.key += '\x03';
        shape_.sentinelText.reserve(sql_.size() + 16);
        while (pos_ < sql_.size()) {
            if (!step()) return std::nullopt;
        }
        flush();
        return std::move(shape_);
    }

private:
    char peek(size_t ahead = 0) const {
        return pos_ + ahead < sql_.size() ? sql_[pos_ + ahead] : '\0';
    }

    // Text that stays as it is: passed over now, and copied into the key and the sentinel text
    // in one piece when the next literal is taken out (or at the end).
    void copy(size_t end) { pos_ = end; }

    void flush() {
        const std::string_view kept = sql_.substr(flushed_, pos_ - flushed_);
        shape_.key.append(kept);
        shape_.sentinelText.append(kept);
        flushed_ = pos_;
    }

    // Handles what starts at pos_; false when the text cannot be scanned. Blanks and comments
    // leave what the scanner remembers of the tokens before them as it is.
    bool step() {
        const char c = sql_[pos_];
        if (isBlank(c)) {
            size_t end = pos_ + 1;
            while (end < sql_.size() && isBlank(sql_[end]))
                ++end;
            copy(end);
            return true;
        }
        if (c == '-' && peek(1) == '-') {
            const size_t end = sql_.find('\n', pos_);
            copy(end == std::string_view::npos ? sql_.size() : end);
            return true;
        }
        if (c == '/' && peek(1) == '*') {
            const size_t end = sql_.find("*/", pos_ + 2);
            if (end == std::string_view::npos) return false;
            copy(end + 2);
            return true;
        }
        const bool afterDot = previous_ == '.';
        previous_ = c;
        const bool nameBefore = nameBefore_;
        nameBefore_ = false;
        if (c == '"') {
            const size_t end = sql_.find('"', pos_ + 1);
            if (end == std::string_view::npos) return false;
            rownum_ = Rownum::None;
            copy(end + 1);
        } else if (c == '\'') {
            rownum_ = Rownum::None;
            return text();
        } else if ((isDigit(c) || (c == '.' && isDigit(peek(1)))) && !afterName()) {
            number();
        } else if (isNameByte(c) || c == ':') {
            size_t end = pos_ + 1;
            while (end < sql_.size() && isNameByte(sql_[end]))
                ++end;
            name(sql_.substr(pos_, end - pos_), afterDot);
            copy(end);
        } else {
            punctuation(c, nameBefore);
            copy(pos_ + 1);
        }
        return true;
    }

    // A name, or a bind variable (:NAME).
    void name(std::string_view word, bool qualified) {
        const bool rownum = !qualified && isRownum(word);
        if (rownum && rownum_ == Rownum::NumberCompared) keepLastNumberInline();
        rownum_ = rownum ? Rownum::Rownum : Rownum::None;
        nameBefore_ = word[0] != ':';
        lastName_ = word;
        lastNameQualified_ = qualified;
    }

    void punctuation(char c, bool nameBefore) {
        if (c == '(') {
            const bool call = nameBefore && !lastNameQualified_;
            groups_.push_back(Group{call ? firstInlineArgument(lastName_) : 0, 1});
        } else if (c == ',' && !groups_.empty()) {
            ++groups_.back().argument;
        } else if (c == ')' && !groups_.empty()) {
            groups_.pop_back();
        }
        if (isComparisonChar(c)) {
            if (rownum_ == Rownum::Rownum || rownum_ == Rownum::RownumCompared)
                rownum_ = Rownum::RownumCompared;
            else if (rownum_ == Rownum::Number || rownum_ == Rownum::NumberCompared)
                rownum_ = Rownum::NumberCompared;
            else
                rownum_ = Rownum::None;
        } else if (!((c == '-' || c == '+') && rownum_ == Rownum::RownumCompared)) {
            rownum_ = Rownum::None; // a sign may stand before the compared number
        }
    }

    // The literal at pos_ is an argument that the function around it keeps inline.
    bool inlineArgument() const {
        return !groups_.empty() && groups_.back().firstInline > 0 &&
               groups_.back().argument >= groups_.back().firstInline;
    }

    // "number comparison ROWNUM": the number, already taken out, goes back into the text.
    void keepLastNumberInline() {
        const std::string_view text = lastNumber_.text;
        shape_.key.replace(lastNumber_.keyAt, lastNumber_.keySize, text);
        shape_.sentinelText.replace(lastNumber_.sentinelAt, lastNumber_.sentinelSize, text);
        shape_.literals.pop_back();
    }

    bool afterName() const { return pos_ > 0 && isNameByte(sql_[pos_ - 1]); }

    bool keptInline(size_t ordinal) const {
        return std::binary_search(keepInline_.begin(), keepInline_.end(), ordinal);
    }

    bool text() {
        std::string value;
        size_t i = pos_ + 1;
        for (;;) {
            if (i >= sql_.size()) return false;
            if (sql_[i] != '\'') {
                value += sql_[i++];
            } else if (i + 1 < sql_.size() && sql_[i + 1] == '\'') {
                value += '\'';
                i += 2;
            } else {
                ++i;
                break;
            }
        }
        if (value.empty() || inlineArgument()) {
            copy(i); // '' is NULL: it shapes the statement
            return true;
        }
        const size_t ordinal = shape_.literals.size();
        SharedLiteral literal;
        literal.kind = SharedLiteral::Kind::Text;
        literal.text = std::move(value);
        shape_.literals.push_back(std::move(literal));
        if (keptInline(ordinal)) {
            copy(i);
            return true;
        }
        flush();
        shape_.key += "\x02s";
        shape_.sentinelText += '\'';
        shape_.sentinelText += kTextSentinelMark;
        shape_.sentinelText += std::to_string(ordinal);
        shape_.sentinelText += '\'';
        pos_ = flushed_ = i;
        return true;
    }

    void number() {
        size_t end = pos_;
        while (end < sql_.size() && isDigit(sql_[end]))
            ++end;
        if (end < sql_.size() && sql_[end] == '.') {
            ++end;
            while (end < sql_.size() && isDigit(sql_[end]))
                ++end;
        }
        if (end < sql_.size() && (sql_[end] == 'e' || sql_[end] == 'E')) {
            size_t exponent = end + 1;
            if (exponent < sql_.size() && (sql_[exponent] == '+' || sql_[exponent] == '-'))
                ++exponent;
            if (exponent < sql_.size() && isDigit(sql_[exponent])) {
                end = exponent;
                while (end < sql_.size() && isDigit(sql_[end]))
                    ++end;
            }
        }
        if (inlineArgument() || rownum_ == Rownum::RownumCompared) {
            rownum_ = Rownum::None;
            copy(end);
            return;
        }
        const size_t ordinal = shape_.literals.size();
        const std::string_view written = sql_.substr(pos_, end - pos_);
        shape_.literals.push_back(numberLiteral(written));
        const std::string sentinel =
            keptInline(ordinal)
                ? std::string(written)
                : std::to_string(kNumberSentinelBase + static_cast<long long>(ordinal));
        const std::string_view marker = keptInline(ordinal) ? written : "\x02n";
        flush();
        lastNumber_ = {written, shape_.key.size(), marker.size(), shape_.sentinelText.size(),
                       sentinel.size()};
        shape_.key += marker;
        shape_.sentinelText += sentinel;
        rownum_ = Rownum::Number;
        pos_ = flushed_ = end;
    }

    // An open parenthesis: of a call when firstInline > 0, and the argument it is at.
    struct Group {
        int firstInline = 0;
        int argument = 1;
    };
    // The last number literal taken out, to put back when ROWNUM follows its comparison.
    struct TakenNumber {
        std::string_view text;
        size_t keyAt = 0;
        size_t keySize = 0;
        size_t sentinelAt = 0;
        size_t sentinelSize = 0;
    };
    // Where the tokens just before stand in "ROWNUM comparison number" or its mirror.
    enum class Rownum { None, Rownum, RownumCompared, Number, NumberCompared };

    std::string_view sql_;
    const std::vector<size_t>& keepInline_;
    size_t pos_ = 0;
    size_t flushed_ = 0; // sql_ up to here is in the key and the sentinel text
    StatementShape shape_;
    char previous_ = ' '; // the last character that is no blank or comment
    bool nameBefore_ = false;
    std::string_view lastName_;
    bool lastNameQualified_ = false;
    std::vector<Group> groups_;
    Rownum rownum_ = Rownum::None;
    TakenNumber lastNumber_;
};

} // namespace

std::optional<StatementShape> scanShape(std::string_view sql,
                                        const std::vector<size_t>& keepInline) {
    return ShapeScanner(sql, keepInline).run();
}

std::optional<size_t> sentinelOrdinal(const SharedLiteral& literal) {
    if (literal.kind == SharedLiteral::Kind::Text) {
        if (literal.text.size() < 2 || literal.text[0] != kTextSentinelMark) return std::nullopt;
        char* end = nullptr;
        const unsigned long ordinal = std::strtoul(literal.text.c_str() + 1, &end, 10);
        if (*end != '\0') return std::nullopt;
        return static_cast<size_t>(ordinal);
    }
    if (literal.kind == SharedLiteral::Kind::Integer && literal.integer >= kNumberSentinelBase)
        return static_cast<size_t>(literal.integer - kNumberSentinelBase);
    return std::nullopt;
}

bool containsSentinel(std::string_view sql) {
    return sql.find(kTextSentinelMark) != std::string_view::npos ||
           sql.find(kNumberSentinelPrefix) != std::string_view::npos;
}

std::vector<size_t> inlineSentinels(std::string_view sql) {
    std::vector<size_t> ordinals;
    auto digitsAt = [&](size_t at) {
        size_t end = at;
        while (end < sql.size() && isDigit(sql[end]))
            ++end;
        return sql.substr(at, end - at);
    };
    for (size_t at = sql.find(kTextSentinelMark); at != std::string_view::npos;
         at = sql.find(kTextSentinelMark, at + 1)) {
        // A text sentinel stands alone in its quotes; a date key also starts with the mark.
        const std::string digits(digitsAt(at + 1));
        const size_t after = at + 1 + digits.size();
        if (!digits.empty() && digits.size() < 10 && after < sql.size() && sql[after] == '\'')
            ordinals.push_back(std::stoul(digits));
    }
    for (size_t at = sql.find(kNumberSentinelPrefix); at != std::string_view::npos;
         at = sql.find(kNumberSentinelPrefix, at + 1)) {
        const std::string digits(digitsAt(at));
        errno = 0;
        const long long value = std::strtoll(digits.c_str(), nullptr, 10);
        if (errno == 0 && value >= kNumberSentinelBase)
            ordinals.push_back(static_cast<size_t>(value - kNumberSentinelBase));
        at += digits.size() - 1;
    }
    std::sort(ordinals.begin(), ordinals.end());
    ordinals.erase(std::unique(ordinals.begin(), ordinals.end()), ordinals.end());
    return ordinals;
}

} // namespace orv::sqlite
