// The query language: words, texts and operators, read into the nodes of a
// SystemQuery by recursive descent.
//
//   query      = or
//   or         = and { "or" and }
//   and        = unary { "and" unary }
//   unary      = "not" unary | "(" or ")" | condition
//   condition  = field [ operator value ]       (alone: a yes-or-no field)
//              | "within" number "of" value     (hexes from the system named)
//   operator   = "=" | "!=" | "<" | "<=" | ">" | ">=" | "~"
//   value      = word | '"' text '"' | "'" text "'"

#include <algorithm>
#include <charconv>
#include <span>
#include <vector>

#include "core/case_fold.h"
#include "query/query_quote.h"
#include "query/system_query.h"

namespace nexmar {

namespace {

// Deep enough for any query written by hand, shallow enough for the stack.
constexpr int kMaxNesting = 100;

struct Token {
    enum class Kind { Word, Quoted, Operator, Open, Close, End };
    Kind kind = Kind::End;
    std::string_view text;  // a quoted text without its quotes
    std::size_t offset = 0;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Ends a word: a value of several words goes between quotes.
bool EndsWord(char c)
{
    return IsSpace(c) || std::string_view("()=!<>~\"'").find(c) != std::string_view::npos;
}

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered;
}


}  // namespace

class QueryParser {
public:
    QueryParser(std::string_view text, DetailLevel level) : text_(text), query_(level) {}

    SystemQueryParse Parse()
    {
        Tokenize();
        if (!failed_) {
            ParseOr(0);
        }
        if (!failed_ && Peek().kind != Token::Kind::End) {
            // A word straight after a value is most often the rest of a value of several words.
            const bool afterValue = next_ >= 2 && tokens_[next_ - 2].kind == Token::Kind::Operator;
            Fail(Peek().kind == Token::Kind::Close ? "')' closes no '('"
                                                   : ExpectedEnd(Peek(), afterValue && Peek().kind == Token::Kind::Word));
        }
        if (failed_) {
            return {std::nullopt, error_};
        }
        CloseScopes();
        SettleConjuncts();
        return {std::move(query_), {}};
    }

private:
    using Node = SystemQuery::Node;

    // Characters, not bytes, count towards a column.
    int Column(std::size_t offset) const
    {
        int column = 1;
        for (std::size_t i = 0; i < offset && i < text_.size(); ++i) {
            column += (static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80 ? 1 : 0;
        }
        return column;
    }

    void FailAt(std::size_t offset, const std::string& message)
    {
        if (!failed_) {
            failed_ = true;
            error_ = "column " + std::to_string(Column(offset)) + ": " + message;
        }
    }
    void Fail(const std::string& message) { FailAt(Peek().offset, message); }

    void Tokenize()
    {
        std::size_t at = 0;
        while (true) {
            while (at < text_.size() && IsSpace(text_[at])) {
                ++at;
            }
            if (at == text_.size()) {
                tokens_.push_back({Token::Kind::End, {}, at});
                return;
            }
            const char c = text_[at];
            const std::size_t start = at;
            if (c == '(' || c == ')') {
                tokens_.push_back({c == '(' ? Token::Kind::Open : Token::Kind::Close, text_.substr(at, 1), at});
                ++at;
            } else if (c == '"' || c == '\'') {
                const std::size_t close = text_.find(c, at + 1);
                if (close == std::string_view::npos) {
                    return FailAt(start, "the text opened here has no closing " + std::string(1, c));
                }
                tokens_.push_back({Token::Kind::Quoted, text_.substr(at + 1, close - at - 1), start});
                at = close + 1;
            } else if (c == '=' || c == '~' || c == '<' || c == '>' || c == '!') {
                const bool withEqual = c != '=' && c != '~' && at + 1 < text_.size() && text_[at + 1] == '=';
                if (c == '!' && !withEqual) {
                    return FailAt(start, "'!' alone is no operator: write 'not' or '!='");
                }
                at += withEqual ? 2 : 1;
                tokens_.push_back({Token::Kind::Operator, text_.substr(start, at - start), start});
            } else {
                while (at < text_.size() && !EndsWord(text_[at])) {
                    ++at;
                }
                tokens_.push_back({Token::Kind::Word, text_.substr(start, at - start), start});
            }
        }
    }

    const Token& Peek() const { return tokens_[next_]; }
    const Token& Take() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }
    bool PeekKeyword(std::string_view keyword) const
    {
        return Peek().kind == Token::Kind::Word && Lowered(Peek().text) == keyword;
    }
    static bool IsKeyword(const Token& token)
    {
        const std::string word = Lowered(token.text);
        return token.kind == Token::Kind::Word && (word == "and" || word == "or" || word == "not");
    }

    static std::string Describe(const Token& token)
    {
        switch (token.kind) {
        case Token::Kind::End:
            return "the end of the query";
        case Token::Kind::Quoted:
            return Quote(token.text, '"');
        default:
            return Quote(token.text);
        }
    }

    int AddNode(Node node)
    {
        query_.nodes_.push_back(std::move(node));
        return static_cast<int>(query_.nodes_.size()) - 1;
    }

    // One or more operands joined by keyword; each is parsed by parseOperand.
    template <class ParseOperand>
    int ParseJoined(std::string_view keyword, Node::Kind kind, int depth, const ParseOperand& parseOperand)
    {
        std::vector<int> operands{parseOperand(depth)};
        while (!failed_ && PeekKeyword(keyword)) {
            Take();
            operands.push_back(parseOperand(depth));
        }
        if (operands.size() == 1) {
            return operands.front();
        }
        Node node{.kind = kind, .first = static_cast<int>(query_.operands_.size()),
                  .count = static_cast<int>(operands.size())};
        query_.operands_.insert(query_.operands_.end(), operands.begin(), operands.end());
        return AddNode(std::move(node));
    }

    int ParseOr(int depth)
    {
        return ParseJoined("or", Node::Kind::Or, depth, [this](int d) { return ParseAnd(d); });
    }
    int ParseAnd(int depth)
    {
        return ParseJoined("and", Node::Kind::And, depth, [this](int d) { return ParseUnary(d); });
    }

    int ParseUnary(int depth)
    {
        if (failed_) {
            return 0;
        }
        if (depth == kMaxNesting && (PeekKeyword("not") || Peek().kind == Token::Kind::Open)) {
            Fail("more than " + std::to_string(kMaxNesting) + " levels of 'not' and parentheses");
            return 0;
        }
        if (PeekKeyword("not")) {
            Take();
            const int negated = ParseUnary(depth + 1);
            return AddNode({.kind = Node::Kind::Not, .first = negated});
        }
        if (Peek().kind == Token::Kind::Open) {
            const Token open = Take();
            const int inner = ParseOr(depth + 1);
            if (!failed_ && Peek().kind != Token::Kind::Close) {
                Fail("expected ')' to close the '(' of column " + std::to_string(Column(open.offset)) + ", not " +
                     Describe(Peek()));
            }
            Take();
            return inner;
        }
        return ParseCondition();
    }

    // "within 2 of "Vessa Reach"": a system at most that many hexes from the one named.
    int ParseWithin()
    {
        Take();
        Node node{.kind = Node::Kind::Compare,
                  .field = &kWithinField,
                  .comparison = SystemQuery::Comparison::LessOrEqual};
        const Token hexes = Peek();
        const char* end = hexes.text.data() + hexes.text.size();
        const auto [stop, fault] = std::from_chars(hexes.text.data(), end, node.number);
        if (hexes.kind != Token::Kind::Word || fault != std::errc() || stop != end || node.number < 0) {
            Fail("expected a number of hexes after 'within', not " + Describe(hexes));
            return 0;
        }
        Take();
        if (!PeekKeyword("of")) {
            Fail("expected 'of' and a system's name after 'within " + std::string(hexes.text) + "', not " +
                 Describe(Peek()));
            return 0;
        }
        Take();
        const Token& name = Peek();
        if ((name.kind != Token::Kind::Word && name.kind != Token::Kind::Quoted) || IsKeyword(name)) {
            Fail("expected a system's name after 'of', not " + Describe(name));
            return 0;
        }
        node.text = FoldedSearch(name.text);
        Take();
        return AddField(&kWithinField, std::move(node));
    }

    int ParseCondition()
    {
        if (PeekKeyword("within")) {
            return ParseWithin();
        }
        if (Peek().kind != Token::Kind::Word || IsKeyword(Peek())) {
            Fail(Peek().kind == Token::Kind::End ? "expected a field" : "expected a field, not " + Describe(Peek()));
            return 0;
        }
        const Token name = Take();
        const QueryField* field = FindQueryField(query_.level_, name.text);
        if (!field) {
            FailAt(name.offset, NoSuchField(name.text));
            return 0;
        }
        const std::string fieldName = Quote(QueryFieldName(query_.level_, *field));
        if (Peek().kind != Token::Kind::Operator) {
            if (field->kind != QueryFieldKind::Flag) {
                Fail("expected = != < <= > >= or ~ after " + fieldName + ", not " + Describe(Peek()));
                return 0;
            }
            return AddField(field, {.kind = Node::Kind::Flag, .field = field});
        }
        const Token op = Take();
        if (field->kind == QueryFieldKind::Flag) {
            FailAt(op.offset, fieldName + " is yes or no: write it alone, or after 'not'");
            return 0;
        }
        Node node{.kind = Node::Kind::Compare, .field = field, .comparison = ComparisonOf(op.text)};
        const bool textOperator = node.comparison == SystemQuery::Comparison::Contains;
        const bool orderOperator = !textOperator && node.comparison != SystemQuery::Comparison::Equal &&
                                   node.comparison != SystemQuery::Comparison::NotEqual;
        if (field->kind == QueryFieldKind::Number && textOperator) {
            FailAt(op.offset, "'~' looks for a text, and " + fieldName + " is a number");
            return 0;
        }
        if (field->kind == QueryFieldKind::Text && orderOperator) {
            FailAt(op.offset, Quote(op.text) + " compares numbers, and " + fieldName + " is a text");
            return 0;
        }
        const Token& value = Peek();
        if ((value.kind != Token::Kind::Word && value.kind != Token::Kind::Quoted) || IsKeyword(value)) {
            Fail("expected a value after " + Quote(op.text) + ", not " + Describe(value));
            return 0;
        }
        if (field->kind == QueryFieldKind::Number) {
            const char* end = value.text.data() + value.text.size();
            const auto [stop, fault] = std::from_chars(value.text.data(), end, node.number);
            if (fault != std::errc() || stop != end || value.kind == Token::Kind::Quoted) {
                Fail(fault == std::errc::result_out_of_range
                         ? Describe(value) + " is out of range"
                         : "expected a whole number after " + Quote(op.text) + ", as " + fieldName +
                               " is a number, not " + Describe(value));
                return 0;
            }
        } else {
            node.text = FoldedSearch(value.text);
            if (!textOperator && field->names != nullptr && !IsNamed(field->names(), node.text.Folded())) {
                // "type = Gas Giant": the first word alone names nothing.
                const Token& after = tokens_[next_ + 1];
                if (value.kind == Token::Kind::Word && after.kind == Token::Kind::Word && !IsKeyword(after)) {
                    FailAt(after.offset, ExpectedEnd(after, true));
                } else {
                    Fail(NoSuchName(*field, value.text));
                }
                return 0;
            }
        }
        Take();
        return AddField(field, std::move(node));
    }

    // severalWords: token is a word after a value, most likely the value's next word.
    static std::string ExpectedEnd(const Token& token, bool severalWords)
    {
        return "expected 'and', 'or' or the end of the query, not " + Describe(token) +
               (severalWords ? "; a value of several words goes between quotes" : "");
    }

    static bool IsNamed(std::span<const std::string_view> names, std::string_view folded)
    {
        return std::any_of(names.begin(), names.end(), [&](std::string_view name) { return FoldCase(name) == folded; });
    }

    // "Supergiants: no star size is named so; did you mean Supergiant?"
    std::string NoSuchName(const QueryField& field, std::string_view typed) const
    {
        std::string what = QueryFieldName(query_.level_, field);
        std::replace(what.begin(), what.end(), '.', ' ');
        std::string message = Unquoted(typed) + ": no " + what + " is named so";
        const std::string_view nearest = NearestName(typed, field.names());
        return nearest.empty() ? message : message + "; did you mean " + std::string(nearest) + "?";
    }

    // "'sise' is no field of High systems; did you mean size?"
    std::string NoSuchField(std::string_view typed) const
    {
        std::string message =
            Quote(typed) + " is no field of " + std::string(DetailLevelName(query_.level_)) + " systems";
        std::vector<std::string> names;
        for (const QueryField& field : QueryFields(query_.level_)) {
            names.push_back(QueryFieldName(query_.level_, field));
            if (!field.shortName.empty()) {
                names.emplace_back(field.shortName);
            }
        }
        const std::vector<std::string_view> candidates(names.begin(), names.end());
        const std::string_view nearest = NearestName(typed, candidates);
        return nearest.empty() ? message : message + "; did you mean " + std::string(nearest) + "?";
    }

    static SystemQuery::Comparison ComparisonOf(std::string_view op)
    {
        using enum SystemQuery::Comparison;
        if (op == "!=") {
            return NotEqual;
        }
        if (op == "<" || op == "<=") {
            return op.size() == 1 ? Less : LessOrEqual;
        }
        if (op == ">" || op == ">=") {
            return op.size() == 1 ? Greater : GreaterOrEqual;
        }
        return op == "~" ? Contains : Equal;
    }

    int AddField(const QueryField* field, Node node)
    {
        query_.scopes_ |= 1u << static_cast<unsigned>(field->scope);
        query_.readsRefereeText_ = query_.readsRefereeText_ || field->referee;
        return AddNode(std::move(node));
    }

    // A moon is chosen within an object, a High object or star within a component.
    void CloseScopes()
    {
        const auto bit = [](QueryScope scope) { return 1u << static_cast<unsigned>(scope); };
        unsigned& scopes = query_.scopes_;
        if (scopes & bit(QueryScope::Moon)) {
            scopes |= bit(QueryScope::Object);
        }
        if (query_.level_ == DetailLevel::High && (scopes & (bit(QueryScope::Object) | bit(QueryScope::Star)))) {
            scopes |= bit(QueryScope::Component);
        }
    }

    // The parts a node reads, one bit per scope.
    unsigned ScopesRead(int index) const
    {
        const Node& node = query_.nodes_[static_cast<std::size_t>(index)];
        switch (node.kind) {
        case Node::Kind::And:
        case Node::Kind::Or: {
            unsigned scopes = 0;
            for (int operand = node.first; operand < node.first + node.count; ++operand) {
                scopes |= ScopesRead(query_.operands_[static_cast<std::size_t>(operand)]);
            }
            return scopes;
        }
        case Node::Kind::Not:
            return ScopesRead(node.first);
        default:
            return 1u << static_cast<unsigned>(node.field->scope);
        }
    }

    // QueryScope lists the parts in the order they are chosen, outermost first.
    void SettleConjuncts()
    {
        const int root = static_cast<int>(query_.nodes_.size()) - 1;
        const Node& whole = query_.nodes_.back();
        std::vector<int> conjuncts{root};
        if (whole.kind == Node::Kind::And) {
            conjuncts.assign(query_.operands_.begin() + whole.first, query_.operands_.begin() + whole.first + whole.count);
        }
        for (const int conjunct : conjuncts) {
            const unsigned scopes = ScopesRead(conjunct);
            int innermost = 0;
            for (int scope = 0; scope < kQueryScopeCount; ++scope) {
                innermost = (scopes >> scope) & 1u ? scope : innermost;
            }
            query_.settledAt_[static_cast<std::size_t>(innermost)].push_back(conjunct);
        }
    }

    std::string_view text_;
    SystemQuery query_;
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    bool failed_ = false;
    std::string error_;
};

SystemQueryParse ParseSystemQuery(std::string_view text, DetailLevel level)
{
    return QueryParser(text, level).Parse();
}

}  // namespace nexmar
