#pragma once
// The tokens of one statement in the bank database's dialect.

#include "db/DatabaseError.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

struct Token {
    enum class Kind {
        Word,        // identifier or keyword, as written
        QuotedIdent, // "name", text without the quotes
        String,      // 'text', text without the quotes and with '' undone
        Number,      // as written: 12, 0.5, 0., .5, 1e3
        Bind,        // :NAME with its colon, the name in upper case
        Operator     // || <= >= <> != = < > + - * / , ; . ( ) and any other single character
    };
    Kind kind = Kind::Operator;
    std::string text;
    /// False for literals whose text shapes the statement (format masks, units) and for literals
    /// the translation itself wrote: these never become shared parameters.
    bool shareable = true;

    bool isWord(std::string_view upperWord) const;
    bool isOperator(std::string_view op) const { return kind == Kind::Operator && text == op; }
    bool isLiteral() const { return kind == Kind::String || kind == Kind::Number; }
};

/// A text the tokenizer cannot read: an unterminated string, quoted name or comment, or a NUL
/// byte. `offset` is where in the text the fault lies.
class TokenizeError : public DatabaseError {
public:
    TokenizeError(const std::string& text, size_t faultOffset)
        : DatabaseError(text), offset(faultOffset) {}
    size_t offset;
};

/// Splits a statement into tokens, dropping blanks and comments. The empty string literal ''
/// becomes the word NULL, because the bank's database has no empty text. Throws TokenizeError on
/// an unterminated string, quoted name or comment, and on a NUL byte anywhere in the text.
std::vector<Token> tokenize(std::string_view sql);

/// A token and the bytes [begin, end) of the text it was read from.
struct PlacedToken {
    Token token;
    size_t begin = 0;
    size_t end = 0;
};

/// Like `tokenize`, keeping where each token stands: for cutting a script into statements with
/// the same reading of quotes and comments as the statements themselves get.
std::vector<PlacedToken> tokenizePlaced(std::string_view sql);

/// Reads the tokens one at a time and hands each to `visit`, keeping none: for a script of any
/// length, cut into statements without holding all its tokens at once.
void forEachPlacedToken(std::string_view sql, const std::function<void(const PlacedToken&)>& visit);

/// A word token (identifier or keyword).
Token makeWord(std::string text);

/// An operator token.
Token makeOperator(std::string text);

/// A string literal written by the translation itself (never shared).
Token makeInternalString(std::string text);

} // namespace orv::sqlite
