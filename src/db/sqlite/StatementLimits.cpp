#include "db/sqlite/StatementLimits.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <vector>

namespace orv::sqlite {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Name bytes as the tokenizer reads them (bytes of multi-byte characters count as letters).
bool isNameByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_' || c == '$' ||
           c == '#' || u >= 0x80;
}

bool sameWord(std::string_view word, std::string_view upperWord) {
    if (word.size() != upperWord.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if ((word[i] & ~0x20) != upperWord[i]) return false;
    return true;
}

// One pass over the bytes with the tokenizer's reading of texts, quoted names and comments;
// it keeps counts and the open groups, never a token.
class LimitScanner {
public:
    explicit LimitScanner(std::string_view sql) : sql_(sql) {}

    void run() {
        while (pos_ < sql_.size())
            if (!step()) return;
    }

private:
    // Handles what starts at pos_; false when a text, quoted name or comment is left open.
    bool step() {
        const char c = sql_[pos_];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++pos_;
            return true;
        }
        if (c == '-' && peek(1) == '-') {
            const size_t end = sql_.find('\n', pos_);
            pos_ = end == std::string_view::npos ? sql_.size() : end;
            return true;
        }
        if (c == '/' && peek(1) == '*') {
            const size_t end = sql_.find("*/", pos_ + 2);
            if (end == std::string_view::npos) return false;
            pos_ = end + 2;
            return true;
        }
        countToken();
        if (c == '\'' || c == '"') {
            if (c == '\'') countLiteral();
            return skipQuoted(c);
        }
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
            countLiteral();
            while (pos_ < sql_.size() && (isDigit(sql_[pos_]) || sql_[pos_] == '.'))
                ++pos_;
            return true;
        }
        if (isNameByte(c) || c == ':') {
            const size_t start = pos_++;
            while (pos_ < sql_.size() && isNameByte(sql_[pos_]))
                ++pos_;
            word(sql_.substr(start, pos_ - start));
            return true;
        }
        if (c == '(') open('(');
        if (c == ')') close('(');
        ++pos_;
        return true;
    }

    char peek(size_t ahead) const { return pos_ + ahead < sql_.size() ? sql_[pos_ + ahead] : '\0'; }

    bool skipQuoted(char quote) {
        for (size_t i = pos_ + 1; i < sql_.size(); ++i) {
            if (sql_[i] != quote) continue;
            if (i + 1 < sql_.size() && sql_[i + 1] == quote) {
                ++i;
                continue;
            }
            pos_ = i + 1;
            return true;
        }
        return false;
    }

    void word(std::string_view text) {
        if (sameWord(text, "CASE"))
            open('C');
        else if (sameWord(text, "END"))
            close('C');
    }

    void open(char kind) {
        groups_.push_back(kind);
        if (groups_.size() > kMaxNestingDepth) throw DatabaseError(nestedTooDeeplyText());
    }

    // A group closed by what does not open it is the tree builder's error to report; the
    // count only needs to stay an upper bound of the depth it will find.
    void close(char kind) {
        if (!groups_.empty() && groups_.back() == kind) groups_.pop_back();
    }

    void countToken() {
        if (++tokens_ > kMaxStatementTokens)
            throw DatabaseError("statement too large: more than " +
                                std::to_string(kMaxStatementTokens) +
                                " names, literals and operators");
    }

    void countLiteral() {
        if (++literals_ > kMaxStatementLiterals)
            throw DatabaseError("statement too large: more than " +
                                std::to_string(kMaxStatementLiterals) + " literals");
    }

    std::string_view sql_;
    size_t pos_ = 0;
    size_t tokens_ = 0;
    size_t literals_ = 0;
    std::vector<char> groups_; // '(' or 'C' (CASE) for each group open at pos_
};

} // namespace

void checkStatementLimits(std::string_view sql) {
    if (sql.size() > kMaxStatementBytes)
        throw DatabaseError("statement too long: " + std::to_string(sql.size()) +
                            " bytes, more than the " + std::to_string(kMaxStatementBytes) +
                            " a statement may have");
    // Every open group, literal and token takes at least one byte of the text.
    if (sql.size() <= kMaxNestingDepth) return;
    LimitScanner(sql).run();
}

} // namespace orv::sqlite
