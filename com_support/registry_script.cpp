#include "com_support/registry_script.h"

#include <cctype>
#include <cstdlib>

namespace com_support {
namespace {

class Lexer {
public:
    Lexer(std::string_view text, const ScriptVariables& variables) : text_(text), variables_(variables) {}

    // The next token: a brace, '=', a quoted string (returned without quotes, quoted = true) or
    // a bare word. Empty at the end of the text.
    bool next(std::string& token, bool& quoted) {
        skipSpace();
        quoted = false;
        token.clear();
        if (pos_ >= text_.size()) return true;
        const char c = text_[pos_];
        // A brace directly followed by more text starts a name such as {clsid}; a block brace
        // stands apart.
        const bool bracedName = c == '{' && pos_ + 1 < text_.size() && !isSpace(text_[pos_ + 1]);
        if ((c == '{' && !bracedName) || c == '}' || c == '=') {
            token = c;
            ++pos_;
            return true;
        }
        if (c == '\'') return quotedString(token, quoted);
        while (pos_ < text_.size() && !isSpace(text_[pos_]) && text_[pos_] != '=' && text_[pos_] != '\'' &&
               (bracedName || (text_[pos_] != '{' && text_[pos_] != '}')))
            token += text_[pos_++];
        return substitute(token);
    }
    int line() const { return line_; }
    std::string error;

private:
    static bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void skipSpace() {
        while (pos_ < text_.size() && isSpace(text_[pos_])) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
    }
    bool quotedString(std::string& token, bool& quoted) {
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) return error = "unterminated string", false;
            const char c = text_[pos_++];
            if (c == '\n') ++line_;
            if (c != '\'') {
                token += c;
            } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                token += '\'';
                ++pos_;
            } else {
                break;
            }
        }
        quoted = true;
        return substitute(token);
    }
    bool substitute(std::string& token) {
        std::string out;
        for (std::size_t i = 0; i < token.size(); ++i) {
            if (token[i] != '%') {
                out += token[i];
                continue;
            }
            const std::size_t end = token.find('%', i + 1);
            if (end == std::string::npos) return error = "unmatched % in '" + token + "'", false;
            const std::string name = token.substr(i + 1, end - i - 1);
            if (name.empty()) {
                out += '%';
            } else {
                bool found = false;
                for (const auto& [key, value] : variables_)
                    if (key == name) out += value, found = true;
                if (!found) return error = "unknown variable %" + name + "%", false;
            }
            i = end;
        }
        token = out;
        return true;
    }

    std::string_view text_;
    const ScriptVariables& variables_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class Parser {
public:
    Parser(std::string_view text, const ScriptVariables& variables) : lex_(text, variables) {}

    bool parse(RegistryScript& script) {
        if (!advance()) return false;
        while (!atEnd()) {
            ScriptKey root;
            const std::string name = rootName(token_);
            if (name.empty() || quoted_) return fail("expected HKCR, HKLM or HKCU, found '" + token_ + "'");
            root.name = name;
            if (!advance() || !expect("{") || !keyBody(root)) return false;
            script.roots.push_back(std::move(root));
        }
        return true;
    }
    std::string error() const { return "line " + std::to_string(lex_.line()) + ": " + error_; }

private:
    static std::string rootName(const std::string& t) {
        if (t == "HKCR" || t == "HKEY_CLASSES_ROOT") return "HKCR";
        if (t == "HKLM" || t == "HKEY_LOCAL_MACHINE") return "HKLM";
        if (t == "HKCU" || t == "HKEY_CURRENT_USER") return "HKCU";
        return {};
    }
    bool atEnd() const { return token_.empty() && !quoted_; }
    bool advance() { return lex_.next(token_, quoted_) || fail(lex_.error); }
    bool fail(const std::string& message) {
        error_ = message;
        return false;
    }
    bool expect(const char* what) {
        if (quoted_ || token_ != what) return fail(std::string("expected '") + what + "', found '" + token_ + "'");
        return advance();
    }
    // After '{': keys and values up to the matching '}'.
    bool keyBody(ScriptKey& key) {
        while (quoted_ || token_ != "}") {
            if (atEnd()) return fail("missing '}'");
            if (!quoted_ && token_ == "val") {
                if (!advance()) return false;
                ScriptValue value;
                value.name = token_;
                if (!advance() || !expect("=") || !valueData(value)) return false;
                key.values.push_back(std::move(value));
                continue;
            }
            ScriptKey child;
            for (;;) {
                if (!quoted_ && token_ == "NoRemove")
                    child.noRemove = true;
                else if (!quoted_ && token_ == "ForceRemove")
                    child.forceRemove = true;
                else
                    break;
                if (!advance()) return false;
            }
            if (atEnd() || (!quoted_ && (token_ == "{" || token_ == "}" || token_ == "=")))
                return fail("expected a key name, found '" + token_ + "'");
            child.name = token_;
            if (!advance()) return false;
            if (!quoted_ && token_ == "=") {
                ScriptValue value;
                if (!advance() || !valueData(value)) return false;
                child.values.push_back(std::move(value));
            }
            if (!quoted_ && token_ == "{") {
                if (!advance() || !keyBody(child)) return false;
            }
            key.children.push_back(std::move(child));
        }
        return advance();  // past '}'
    }
    // "s 'text'" or "d 'number'".
    bool valueData(ScriptValue& value) {
        const std::string kind = token_;
        if (quoted_ || (kind != "s" && kind != "d")) return fail("expected s or d, found '" + kind + "'");
        if (!advance()) return false;
        if (!quoted_) return fail("expected a quoted value after " + kind);
        if (kind == "s") {
            value.kind = ScriptValue::Kind::string;
            value.text = token_;
        } else {
            // unsigned long is 32 bits on Windows and on 32-bit Linux: there strtoul would clamp an
            // oversized number to 0xFFFFFFFF instead of letting it be refused.
            char* end = nullptr;
            const unsigned long long n = std::strtoull(token_.c_str(), &end, 0);
            if (token_.empty() || *end != '\0' || n > 0xFFFFFFFFull) return fail("bad number '" + token_ + "'");
            value.kind = ScriptValue::Kind::dword;
            value.number = static_cast<std::uint32_t>(n);
        }
        return advance();
    }

    Lexer lex_;
    std::string token_;
    bool quoted_ = false;
    std::string error_;
};

}  // namespace

bool parseRegistryScript(std::string_view text, const ScriptVariables& variables, RegistryScript& script,
                         std::string& error) {
    script = RegistryScript{};
    Parser parser(text, variables);
    if (parser.parse(script)) return true;
    error = parser.error();
    script = RegistryScript{};
    return false;
}

}  // namespace com_support
