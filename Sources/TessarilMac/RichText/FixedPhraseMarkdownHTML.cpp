#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"

#include <optional>
#include <vector>

#include "TessarilCore/Support/Unicode.hpp"
#include "TessarilMac/RichText/FixedPhraseLinkTarget.hpp"
#include "TessarilMac/RichText/HTMLEscaping.hpp"
#include "TessarilMac/RichText/ScalarScanning.hpp"

namespace tessaril {
namespace {

namespace scan = scalar_scanning;
constexpr std::size_t none = std::string_view::npos;

// The first occurrence of one character at or after a position that only ever grows, so a scanner
// that asks again and again reads the text once.
class NextOccurrence {
public:
    NextOccurrence(std::string_view text, char character) : text_(text), character_(character) {}

    std::size_t from(std::size_t position) {
        if (!known_ || (found_ != none && found_ < position)) {
            found_ = text_.find(character_, position);
            known_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    char character_;
    std::size_t found_ = none;
    bool known_ = false;
};

// Each inline rule rewrites the whole text once, leftmost match first, without overlaps, the way a
// global regular-expression replacement does, but in one pass.
class Rewriter {
public:
    explicit Rewriter(std::string_view text) : text_(text) { result_.reserve(text.size() + text.size() / 8); }

    void replace(std::size_t start, std::size_t end, std::string_view replacement) {
        result_.append(text_.substr(copied_, start - copied_));
        result_.append(replacement);
        copied_ = end;
    }
    std::string finish() {
        result_.append(text_.substr(copied_));
        return std::move(result_);
    }

private:
    std::string_view text_;
    std::string result_;
    std::size_t copied_ = 0;
};

std::string wrapped(std::string_view tag, std::string_view content) {
    std::string element;
    element.reserve(content.size() + 2 * tag.size() + 5);
    element.append("<").append(tag).append(">").append(content).append("</").append(tag).append(">");
    return element;
}

// "`code`": a backtick, at least one other character, a backtick.
std::string replaceInlineCode(std::string_view text) {
    Rewriter rewriter(text);
    std::size_t position = 0;
    while (true) {
        std::size_t open = text.find('`', position);
        if (open == none) break;
        std::size_t close = text.find('`', open + 1);
        if (close == none) break;
        if (close == open + 1) {
            position = close;
            continue;
        }
        rewriter.replace(open, close + 1, wrapped("code", text.substr(open + 1, close - open - 1)));
        position = close + 1;
    }
    return rewriter.finish();
}

// "[text](target)": neither part empty, the text without "]", the target without ")". A target with
// a scheme other than the allowed ones loses its anchor; the link's text stays.
std::string replaceLinks(std::string_view text) {
    Rewriter rewriter(text);
    NextOccurrence closingBracket(text, ']');
    NextOccurrence closingParenthesis(text, ')');
    std::size_t position = 0;
    while (true) {
        std::size_t open = text.find('[', position);
        if (open == none) break;
        position = open + 1;
        std::size_t bracket = closingBracket.from(open + 1);
        if (bracket == none) break;
        if (bracket == open + 1 || bracket + 1 >= text.size() || text[bracket + 1] != '(') continue;
        std::size_t parenthesis = closingParenthesis.from(bracket + 2);
        if (parenthesis == none) break;
        if (parenthesis == bracket + 2) continue;
        std::string_view label = text.substr(open + 1, bracket - open - 1);
        std::string_view target = text.substr(bracket + 2, parenthesis - bracket - 2);
        if (fixedPhraseLinkTargetIsAllowed(target)) {
            std::string anchor = "<a href=\"";
            anchor.append(target).append("\">").append(label).append("</a>");
            rewriter.replace(open, parenthesis + 1, anchor);
        } else {
            rewriter.replace(open, parenthesis + 1, label);
        }
        position = parenthesis + 1;
    }
    return rewriter.finish();
}

// "**strong**": two asterisks, at least one character other than an asterisk, two asterisks.
std::string replaceStrong(std::string_view text) {
    Rewriter rewriter(text);
    NextOccurrence star(text, '*');
    std::size_t position = 0;
    while (true) {
        std::size_t open = text.find("**", position);
        if (open == none) break;
        std::size_t close = star.from(open + 2);
        if (close == none) break;
        if (close == open + 2 || close + 1 >= text.size() || text[close + 1] != '*') {
            position = open + 1;
            continue;
        }
        rewriter.replace(open, close + 2, wrapped("strong", text.substr(open + 2, close - open - 2)));
        position = close + 2;
    }
    return rewriter.finish();
}

// "*emphasis*": single asterisks, neither doubled on its outer side, around characters other than
// an asterisk. The neighbours are those of the text before this rule, as a look-around would see them.
std::string replaceEmphasis(std::string_view text) {
    Rewriter rewriter(text);
    NextOccurrence star(text, '*');
    std::size_t position = 0;
    while (true) {
        std::size_t open = text.find('*', position);
        if (open == none) break;
        position = open + 1;
        if (open > 0 && text[open - 1] == '*') continue;
        std::size_t close = star.from(open + 1);
        if (close == none) break;
        if (close == open + 1 || (close + 1 < text.size() && text[close + 1] == '*')) continue;
        rewriter.replace(open, close + 1, wrapped("em", text.substr(open + 1, close - open - 1)));
        position = close + 1;
    }
    return rewriter.finish();
}

// Lines split at every newline character on its own: a CR LF pair leaves an empty line between.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t lineStart = 0;
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t scalarStart = offset;
        char32_t scalar = scan::next(text, offset);
        bool isNewline =
            (scalar >= 0x0A && scalar <= 0x0D) || scalar == 0x85 || scalar == 0x2028 || scalar == 0x2029;
        if (isNewline) {
            lines.push_back(text.substr(lineStart, scalarStart - lineStart));
            lineStart = offset;
        }
    }
    lines.push_back(text.substr(lineStart));
    return lines;
}

std::string_view trimmedBlanks(std::string_view line) {
    std::size_t start = scan::skipScalars(line, 0, scan::isBlank);
    std::size_t end = scan::dropTrailingScalars(line, start, line.size(), scan::isBlank);
    return line.substr(start, end - start);
}

// The item text of a numbered line ("12.  text"): digits of any script, a full stop, at least one blank.
std::optional<std::string_view> numberedItemText(std::string_view trimmed) {
    std::size_t digitsEnd = scan::skipScalars(trimmed, 0, scan::isDecimalDigit);
    if (digitsEnd == 0 || digitsEnd >= trimmed.size() || trimmed[digitsEnd] != '.') return std::nullopt;
    std::size_t textStart = scan::skipScalars(trimmed, digitsEnd + 1, scan::isBlank);
    if (textStart == digitsEnd + 1) return std::nullopt;
    return trimmed.substr(textStart);
}

std::optional<std::string_view> bulletItemRest(std::string_view trimmed) {
    static constexpr std::string_view markers[] = {"- ", "* ", "\u2022 ", "\u2022\t", "\u25CF ", "\u25CF\t"};
    for (auto marker : markers) {
        if (trimmed.starts_with(marker)) return trimmed.substr(marker.size());
    }
    return std::nullopt;
}

// The block converter's state between lines.
class BlockWriter {
public:
    void line(std::string_view line) {
        std::string_view trimmed = trimmedBlanks(line);
        if (trimmed.starts_with("```")) {
            if (inCodeBlock_) {
                appendCodeBlock();
            } else {
                closeList();
                inCodeBlock_ = true;
            }
            return;
        }
        if (inCodeBlock_) {
            codeLines_.push_back(line);
            return;
        }
        if (trimmed.empty()) return block("<p><br></p>");
        if (trimmed.starts_with("### "))
            return block(wrapped("h3", fixedPhraseMarkdownInlineHTML(trimmed.substr(4))));
        if (trimmed.starts_with("## "))
            return block(wrapped("h2", fixedPhraseMarkdownInlineHTML(trimmed.substr(3))));
        if (trimmed.starts_with("# "))
            return block(wrapped("h2", fixedPhraseMarkdownInlineHTML(trimmed.substr(2))));
        if (trimmed.starts_with("> ")) {
            return block(wrapped("blockquote", fixedPhraseMarkdownInlineHTML(trimmed.substr(2))));
        }
        if (auto rest = bulletItemRest(trimmed))
            return item("ul", unicode::trimmingWhitespaceAndNewlines(*rest));
        if (auto text = numberedItemText(trimmed)) return item("ol", *text);
        block(wrapped("p", fixedPhraseMarkdownInlineHTML(line)));
    }

    std::string finish() {
        closeList();
        if (inCodeBlock_) appendCodeBlock();
        std::string body;
        for (std::size_t index = 0; index < pieces_.size(); ++index) {
            if (index > 0) body += '\n';
            body += pieces_[index];
        }
        return body;
    }

private:
    void block(std::string piece) {
        closeList();
        pieces_.push_back(std::move(piece));
    }

    void item(std::string_view kind, std::string_view text) {
        if (openList_ != kind) {
            closeList();
            pieces_.push_back("<" + std::string(kind) + ">");
            openList_ = kind;
        }
        pieces_.push_back(wrapped("li", fixedPhraseMarkdownInlineHTML(text)));
    }

    void closeList() {
        if (openList_.empty()) return;
        pieces_.push_back("</" + std::string(openList_) + ">");
        openList_ = {};
    }

    void appendCodeBlock() {
        std::string code;
        for (std::size_t index = 0; index < codeLines_.size(); ++index) {
            if (index > 0) code += '\n';
            code += codeLines_[index];
        }
        pieces_.push_back("<pre><code>" + escapedHTML(code, HTMLEscaping::text) + "</code></pre>");
        codeLines_.clear();
        inCodeBlock_ = false;
    }

    std::vector<std::string> pieces_;
    std::string_view openList_;
    bool inCodeBlock_ = false;
    std::vector<std::string_view> codeLines_;
};

} // namespace

std::string fixedPhraseMarkdownInlineHTML(std::string_view line) {
    return replaceEmphasis(
        replaceStrong(replaceLinks(replaceInlineCode(escapedHTML(line, HTMLEscaping::text)))));
}

std::string fixedPhraseMarkdownHTMLBody(std::string_view markdown) {
    BlockWriter writer;
    for (auto line : splitLines(markdown))
        writer.line(line);
    return writer.finish();
}

} // namespace tessaril
