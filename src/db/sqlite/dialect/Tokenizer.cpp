#include "db/sqlite/dialect/Tokenizer.h"

namespace orv::sqlite {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, digits, _, $ and # make up names in the bank's database; bytes of multi-byte
// characters count as letters.
bool isNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '_' || c == '$' ||
           c == '#' || u >= 0x80;
}

bool isNameStart(char c) {
    return isNameChar(c) && !isDigit(c) && c != '$' && c != '#';
}

class Scanner {
public:
    explicit Scanner(std::string_view sql) : sql_(sql) {
        // SQLite reads a statement's text up to its first NUL byte, so whatever stood after one
        // would silently not be run. No statement holds one.
        const size_t nul = sql_.find('\0');
        if (nul != std::string_view::npos)
            throw TokenizeError("ORA-00911: invalid character (a NUL byte)", nul);
    }

    std::vector<Token> run() {
        std::vector<Token> tokens;
        while (skipBlanksAndComments())
            tokens.push_back(next());
        return tokens;
    }

    std::vector<PlacedToken> runPlaced() {
        std::vector<PlacedToken> tokens;
        visitPlaced([&](PlacedToken& placed) { tokens.push_back(std::move(placed)); });
        return tokens;
    }

    template <class Visit> void visitPlaced(Visit visit) {
        PlacedToken placed;
        while (skipBlanksAndComments()) {
            placed.begin = pos_;
            placed.token = next();
            placed.end = pos_;
            visit(placed);
        }
    }

private:
    std::string_view sql_;
    size_t pos_ = 0;

    char peek(size_t ahead = 0) const {
        return pos_ + ahead < sql_.size() ? sql_[pos_ + ahead] : '\0';
    }

    // Skips blanks and comments; false at the end of the text.
    bool skipBlanksAndComments() {
        while (pos_ < sql_.size()) {
            const char c = sql_[pos_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '-' && peek(1) == '-') {
                while (pos_ < sql_.size() && sql_[pos_] != '\n')
                    ++pos_;
            } else if (c == '/' && peek(1) == '*') {
                const size_t end = sql_.find("*/", pos_ + 2);
                if (end == std::string_view::npos)
                    throw TokenizeError("ORA-01742: comment not properly terminated", pos_);
                pos_ = end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    Token next() {
        const char c = sql_[pos_];
        if (c == '\'')
            return quoted('\'', Token::Kind::String,
                          "ORA-01756: quoted string not properly terminated");
        if (c == '"')
            return quoted('"', Token::Kind::QuotedIdent,
                          "ORA-01740: missing double quote in identifier");
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return number();
        if (isNameStart(c)) return word(Token::Kind::Word, pos_);
        if (c == ':' && isNameChar(peek(1))) return bind();
        return op();
    }

    Token quoted(char quote, Token::Kind kind, const char* unterminated) {
        std::string text;
        const size_t start = pos_++;
        for (;;) {
            if (pos_ >= sql_.size()) throw TokenizeError(unterminated, start);
            const char c = sql_[pos_++];
            if (c != quote) {
                text += c;
            } else if (peek() == quote) {
                text += quote;
                ++pos_;
            } else {
                break;
            }
        }
        if (kind == Token::Kind::String && text.empty()) return makeWord("NULL");
        Token token{kind, std::move(text), true};
        return token;
    }

    Token number() {
        const size_t start = pos_;
        while (isDigit(peek()))
            ++pos_;
        if (peek() == '.') {
            ++pos_;
            while (isDigit(peek()))
                ++pos_;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            pos_ += 2;
            while (isDigit(peek()))
                ++pos_;
        }
        return Token{Token::Kind::Number, std::string(sql_.substr(start, pos_ - start)), true};
    }

    // A name starting at nameStart; for a bind variable the colon before it belongs to the token.
    Token word(Token::Kind kind, size_t nameStart) {
        const size_t start = pos_;
        pos_ = nameStart;
        while (isNameChar(peek()))
            ++pos_;
        return Token{kind, std::string(sql_.substr(start, pos_ - start)), true};
    }

    // The bank's database matches variable names in any letter case; SQLite matches them exactly,
    // so they are written in upper case, the case in which the datasets declare them.
    Token bind() {
        Token token = word(Token::Kind::Bind, pos_ + 1);
        for (char& c : token.text)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return token;
    }

    Token op() {
        static constexpr std::string_view kTwoChar[] = {"||", "<=", ">=", "<>", "!=", "^="};
        for (std::string_view two : kTwoChar) {
            if (sql_.substr(pos_, 2) == two) {
                pos_ += 2;
                // ^= is the bank database's other spelling of <>.
                return makeOperator(two == "^=" ? "<>" : std::string(two));
            }
        }
        return makeOperator(std::string(1, sql_[pos_++]));
    }
};

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool Token::isWord(std::string_view upperWord) const {
    if (kind != Kind::Word || text.size() != upperWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (upper(text[i]) != upperWord[i]) return false;
    return true;
}

std::vector<Token> tokenize(std::string_view sql) {
    return Scanner(sql).run();
}

std::vector<PlacedToken> tokenizePlaced(std::string_view sql) {
    return Scanner(sql).runPlaced();
}

void forEachPlacedToken(std::string_view sql,
                        const std::function<void(const PlacedToken&)>& visit) {
    Scanner(sql).visitPlaced(visit);
}

Token makeWord(std::string text) {
    return Token{Token::Kind::Word, std::move(text), true};
}

Token makeOperator(std::string text) {
    return Token{Token::Kind::Operator, std::move(text), true};
}

Token makeInternalString(std::string text) {
    return Token{Token::Kind::String, std::move(text), false};
}

} // namespace orv::sqlite
