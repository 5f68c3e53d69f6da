#include "db/sqlite/SchemaChange.h"

#include "base/Besedilo.h"
#include "db/sqlite/dialect/Tokenizer.h"

#include <array>
#include <vector>

namespace orv::sqlite {

namespace {

// The first word of a statement, after blanks and comments, in upper case.
std::string firstWord(std::string_view sql) {
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++i;
        } else if (sql.substr(i, 2) == "--") {
            const size_t end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end;
        } else if (sql.substr(i, 2) == "/*") {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) return {};
            i = end + 2;
        } else {
            break;
        }
    }
    size_t end = i;
    while (end < sql.size() &&
           ((sql[end] >= 'a' && sql[end] <= 'z') || (sql[end] >= 'A' && sql[end] <= 'Z')))
        ++end;
    return toUpper(sql.substr(i, end - i));
}

class ChangeReader {
public:
    explicit ChangeReader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    SchemaChange read() {
        SchemaChange change;
        if (accept("CREATE")) {
            if (accept("OR")) accept("REPLACE");
            accept("GLOBAL");
            if (accept("TEMPORARY") || accept("TEMP")) return change;
            if (!accept("TABLE") && !accept("VIEW")) return change;
            change.kind = SchemaChange::Kind::Create;
            if (accept("IF") && accept("NOT")) accept("EXISTS");
        } else if (accept("DROP")) {
            if (!accept("TABLE") && !accept("VIEW")) return change;
            change.kind = SchemaChange::Kind::Drop;
            if (accept("IF")) accept("EXISTS");
        } else if (accept("ALTER")) {
            if (!accept("TABLE")) return change;
            change.kind = SchemaChange::Kind::Alter;
        } else if (accept("TRUNCATE")) {
            if (!accept("TABLE")) return change;
            change.kind = SchemaChange::Kind::Truncate;
        } else {
            return change;
        }
        std::string name;
        if (!readName(name)) return SchemaChange{};
        if (at(".")) {
            ++pos_;
            change.schema = toLowerAscii(name);
            if (!readName(name)) return SchemaChange{};
        }
        change.table = toUpper(name);
        if (change.kind == SchemaChange::Kind::Alter && accept("RENAME") && accept("TO")) {
            std::string renamed;
            if (readName(renamed)) change.renamedTo = toUpper(renamed);
        }
        return change;
    }

private:
    static std::string toLowerAscii(std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    }

    bool accept(std::string_view upperWord) {
        if (pos_ < tokens_.size() && tokens_[pos_].isWord(upperWord)) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool at(std::string_view op) const {
        return pos_ < tokens_.size() && tokens_[pos_].isOperator(op);
    }

    bool readName(std::string& name) {
        if (pos_ >= tokens_.size()) return false;
        const Token& token = tokens_[pos_];
        if (token.kind != Token::Kind::Word && token.kind != Token::Kind::QuotedIdent) return false;
        name = token.text;
        ++pos_;
        return true;
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

} // namespace

SchemaChange readSchemaChange(std::string_view bankSql) {
    static constexpr std::array<std::string_view, 4> kWords = {"CREATE", "DROP", "ALTER",
                                                               "TRUNCATE"};
    const std::string word = firstWord(bankSql);
    bool changes = false;
    for (std::string_view candidate : kWords)
        changes = changes || word == candidate;
    if (!changes) return {};
    try {
        return ChangeReader(tokenize(bankSql)).read();
    } catch (const DatabaseError&) {
        return {}; // the statement's own run reports what is wrong with its text
    }
}

} // namespace orv::sqlite
