#include "album_viz/d3dx/effect_parser.h"

#include <cctype>
#include <string_view>

#include "album_viz/d3dx/effect_states.h"

namespace tevaro::album::d3dx {

int EffectDescription::parameterIndex(const std::string& name) const {
    for (std::size_t i = 0; i < parameters.size(); ++i)
        if (parameters[i].name == name) return static_cast<int>(i);
    return -1;
}

bool EffectDescription::techniqueUses(int technique, int parameter) const {
    if (technique < 0 || technique >= static_cast<int>(techniques.size()) || parameter < 0) return false;
    for (const EffectPass& pass : techniques[technique].passes)
        for (const StateAssignment& s : pass.states)
            if (s.parameter == parameter) return true;
    return false;
}

namespace {

enum class Tok { End, Ident, Number, Punct };

struct Token {
    Tok kind = Tok::End;
    std::string_view text;
    std::size_t offset = 0;
    std::uint32_t number = 0;
};

bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class Parser {
public:
    Parser(const char* text, std::size_t length) : text_(text, length) {}

    EffectParseResult run() {
        EffectParseResult result;
        if (text_.size() > EffectLimits::MaxTextBytes) {
            fail("effect text too long", 0);
        } else {
            advance();
            while (ok_ && token_.kind != Tok::End) declaration();
            if (ok_ && effect_.techniques.empty()) fail("no technique", token_.offset);
        }
        result.ok = ok_;
        result.error = error_;
        result.offset = errorOffset_;
        if (ok_) result.effect = std::move(effect_);
        return result;
    }

private:
    void fail(const char* what, std::size_t offset) {
        if (!ok_) return;
        ok_ = false;
        error_ = what;
        errorOffset_ = offset;
        token_ = Token{Tok::End, {}, offset, 0};
    }

    // Moves to the next token, skipping blanks and comments.
    void advance() {
        if (!ok_) return;
        for (;;) {
            while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            if (text_.compare(pos_, 2, "//") == 0) {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                const std::size_t close = text_.find("*/", pos_ + 2);
                if (close == std::string_view::npos) return fail("unterminated comment", pos_);
                pos_ = close + 2;
            } else {
                break;
            }
        }
        const std::size_t start = pos_;
        if (pos_ >= text_.size()) {
            token_ = Token{Tok::End, {}, start, 0};
            return;
        }
        const char c = text_[pos_];
        if (isIdentStart(c)) {
            while (pos_ < text_.size() && isIdentChar(text_[pos_])) ++pos_;
            if (pos_ - start > EffectLimits::MaxIdentifier) return fail("name too long", start);
            token_ = Token{Tok::Ident, text_.substr(start, pos_ - start), start, 0};
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            number(start);
        } else if (std::string_view("{}[]()<>=;|").find(c) != std::string_view::npos) {
            ++pos_;
            token_ = Token{Tok::Punct, text_.substr(start, 1), start, 0};
        } else {
            fail("unexpected character", start);
        }
    }

    void number(std::size_t start) {
        unsigned base = 10;
        if (text_.compare(pos_, 2, "0x") == 0 || text_.compare(pos_, 2, "0X") == 0) {
            base = 16;
            pos_ += 2;
        }
        std::uint64_t value = 0;
        std::size_t digits = 0;
        while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
            const char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
            const unsigned digit = d <= '9' ? unsigned(d - '0') : unsigned(d - 'a' + 10);
            if (digit >= base) break;
            value = value * base + digit;
            if (value > 0xFFFFFFFFull) return fail("number too large", start);
            ++pos_;
            ++digits;
        }
        if (digits == 0 || (pos_ < text_.size() && isIdentChar(text_[pos_]))) return fail("malformed number", start);
        token_ = Token{Tok::Number, text_.substr(start, pos_ - start), start, static_cast<std::uint32_t>(value)};
    }

    bool isPunct(char c) const { return token_.kind == Tok::Punct && token_.text[0] == c; }
    bool isWord(std::string_view w) const { return token_.kind == Tok::Ident && token_.text == w; }

    void expect(char c) {
        if (!ok_) return;
        if (!isPunct(c)) return fail(c == ';' ? "expected ';'" : "unexpected token", token_.offset);
        advance();
    }

    std::string identifier(const char* what) {
        if (!ok_) return {};
        if (token_.kind != Tok::Ident) {
            fail(what, token_.offset);
            return {};
        }
        std::string name(token_.text);
        advance();
        return name;
    }

    void declaration() {
        if (isWord("technique")) return technique();
        ParameterType type;
        if (isWord("matrix")) {
            type = ParameterType::Matrix;
        } else if (isWord("texture")) {
            type = ParameterType::Texture;
        } else if (isWord("dword")) {
            type = ParameterType::Dword;
        } else {
            return fail("expected a parameter or a technique", token_.offset);
        }
        advance();
        const std::size_t at = token_.offset;
        std::string name = identifier("expected a parameter name");
        if (!ok_) return;
        if (effect_.parameterIndex(name) >= 0) return fail("parameter declared twice", at);
        if (effect_.parameters.size() >= EffectLimits::MaxParameters) return fail("too many parameters", at);
        effect_.parameters.push_back({std::move(name), type});
        expect(';');
    }

    void technique() {
        advance();
        const std::size_t at = token_.offset;
        EffectTechnique t;
        t.name = identifier("expected a technique name");
        if (!ok_) return;
        for (const EffectTechnique& other : effect_.techniques)
            if (other.name == t.name) return fail("technique declared twice", at);
        if (effect_.techniques.size() >= EffectLimits::MaxTechniques) return fail("too many techniques", at);
        expect('{');
        while (ok_ && !isPunct('}')) {
            if (token_.kind == Tok::End) return fail("unexpected end of text", token_.offset);
            if (!isWord("pass")) return fail("expected a pass", token_.offset);
            if (t.passes.size() >= EffectLimits::MaxPasses) return fail("too many passes", token_.offset);
            advance();
            t.passes.push_back(pass());
        }
        expect('}');
        if (ok_ && t.passes.empty()) return fail("technique without a pass", at);
        if (ok_) effect_.techniques.push_back(std::move(t));
    }

    EffectPass pass() {
        EffectPass p;
        p.name = identifier("expected a pass name");
        expect('{');
        while (ok_ && !isPunct('}')) {
            if (token_.kind == Tok::End) {
                fail("unexpected end of text", token_.offset);
                break;
            }
            if (p.states.size() >= EffectLimits::MaxStatesPerPass) {
                fail("too many states in a pass", token_.offset);
                break;
            }
            p.states.push_back(assignment());
        }
        expect('}');
        return p;
    }

    StateAssignment assignment() {
        StateAssignment a{};
        const std::size_t at = token_.offset;
        const std::string name = identifier("expected a state name");
        if (!ok_) return a;
        const std::optional<StateInfo> info = findState(name);
        if (!info) {
            fail("unknown state", at);
            return a;
        }
        a.target = info->target;
        a.state = info->state;
        if (isPunct('[')) {
            if (!info->takesStage) {
                fail("state takes no stage", token_.offset);
                return a;
            }
            advance();
            if (token_.kind != Tok::Number || token_.number > unsigned(EffectLimits::MaxStage)) {
                fail("bad stage", token_.offset);
                return a;
            }
            a.stage = static_cast<int>(token_.number);
            advance();
            expect(']');
        }
        expect('=');
        if (!ok_) return a;
        if (isPunct('<')) {
            parameterValue(a);
        } else if (a.target == StateTarget::StageTexture || a.target == StateTarget::TextureTransform) {
            fail("expected <parameter>", token_.offset);
        } else {
            a.value = literalValue(info->values);
        }
        expect(';');
        return a;
    }

    void parameterValue(StateAssignment& a) {
        advance();
        const std::size_t at = token_.offset;
        const std::string name = identifier("expected a parameter name");
        if (!ok_) return;
        a.parameter = effect_.parameterIndex(name);
        if (a.parameter < 0) return fail("undeclared parameter", at);
        const ParameterType type = effect_.parameters[a.parameter].type;
        const ParameterType wanted = a.target == StateTarget::StageTexture       ? ParameterType::Texture
                                     : a.target == StateTarget::TextureTransform ? ParameterType::Matrix
                                                                                 : ParameterType::Dword;
        if (type != wanted) return fail("parameter of the wrong type", at);
        expect('>');
    }

    // A number, a name of the state's value set, or such terms joined by '|', optionally in
    // one pair of parentheses (the vertex-format style).
    std::uint32_t literalValue(ValueSet set) {
        const bool parenthesised = isPunct('(');
        if (parenthesised) advance();
        std::uint32_t value = 0;
        for (;;) {
            if (token_.kind == Tok::Number) {
                value |= token_.number;
            } else if (token_.kind == Tok::Ident) {
                const std::optional<std::uint32_t> v = findValue(set, token_.text);
                if (!v) {
                    fail("unknown value", token_.offset);
                    return 0;
                }
                value |= *v;
            } else {
                fail("expected a value", token_.offset);
                return 0;
            }
            advance();
            if (!isPunct('|')) break;
            advance();
        }
        if (parenthesised) expect(')');
        return value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    Token token_;
    bool ok_ = true;
    std::string error_;
    std::size_t errorOffset_ = 0;
    EffectDescription effect_;
};

}  // namespace

EffectParseResult parseEffect(const char* text, std::size_t length) {
    if (text == nullptr) length = 0;
    return Parser(text == nullptr ? "" : text, length).run();
}

}  // namespace tevaro::album::d3dx
