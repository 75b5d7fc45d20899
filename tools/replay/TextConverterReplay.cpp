#include "TextConverterReplay.hpp"
#include "AttributedTextCoding.hpp"
#include "TessarilCore/Rules/FixedPhraseInsertion.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"
#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"
#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"
#include "TessarilMac/TextActions/CharacterCountSummary.hpp"
#include "TessarilMac/TextActions/FixedPhraseAttributedStrings.hpp"
#include "TessarilMac/TextActions/FixedPhraseLooksLikeHTML.hpp"
#include "TessarilMac/TextActions/FixedPhrasePayload.hpp"

namespace tessaril::replay {
namespace {

namespace normalizer = FixedPhraseAttributedTextNormalizer;
using nlohmann::json;

const json& requestMember(const json& request, const std::string& name) {
    const auto member = request.find(name);
    if (member == request.end()) throw UnreadableRequest("\"" + name + "\" is missing");
    return *member;
}

platform::AttributedText requestAttributedText(const json& request) {
    return decodeAttributedText(requestMember(request, "attributedText"), "attributedText");
}

// An insertion is decoded as the system decodes one, so its failures are the system's own.
FixedPhraseInsertion requestInsertion(const json& request) {
    return coding::decode<FixedPhraseInsertion>(requestMember(request, "insertion"));
}

template <class Value> json orNull(const std::optional<Value>& value) {
    return value ? json(*value) : json(nullptr);
}

json count(const json& request) {
    CharacterCountSummary summary(requestString(request, "text"));
    return {{"totalCharacters", summary.totalCharacters},
            {"nonWhitespaceCharacters", summary.nonWhitespaceCharacters},
            {"lineCount", summary.lineCount},
            {"halfWidthUnits", summary.halfWidthUnits},
            {"resultText", characterCountResultText(summary)}};
}

json normalize(const json& request) {
    const std::string& form = requestString(request, "form");
    if (form != "plain" && form != "markdown")
        throw UnreadableRequest("\"form\" must be \"plain\" or \"markdown\"");
    auto marker = form == "plain" ? normalizer::Marker::plainOutput : normalizer::Marker::markdownOutput;
    return {{"text", normalizer::normalizedText(requestAttributedText(request), marker)}};
}

json visual(const json& request) {
    auto text = fixedPhraseVisualAttributedString(requestInsertion(request));
    return {{"attributedText", text ? encodeAttributedText(*text) : json(nullptr)}};
}

json cssSize(const json& request) {
    const json& size = requestMember(request, "pointSize");
    if (!size.is_number()) throw UnreadableRequest("\"pointSize\" must be a number");
    return {{"css", normalizer::cssPointSize(size.get<double>())}};
}

json cssColor(const json& request) {
    return {{"css", orNull(normalizer::cssColor(decodeColor(requestMember(request, "color"), "color")))}};
}

} // namespace

const std::vector<TextFunction>& textConverterFunctions() {
    static const std::vector<TextFunction> all{
        {"markdown-html", "the HTML body of markdown (markdown → html)",
         [](const json& request) {
             return json{{"html", fixedPhraseMarkdownHTMLBody(requestString(request, "markdown"))}};
         }},
        {"sanitize", "the HTML sanitiser (html → html)",
         [](const json& request) {
             return json{{"html", FixedPhraseHTMLSanitizer::sanitize(requestString(request, "html"))}};
         }},
        {"looks-like-html", "whether a phrase's text counts as HTML (text → looksLikeHTML)",
         [](const json& request) {
             return json{{"looksLikeHTML", fixedPhraseLooksLikeHTML(requestString(request, "text"))}};
         }},
        {"plain-text-of-html", "the plain text that HTML renders to (html → text)",
         [](const json& request) {
             return json{{"text", fixedPhrasePlainText(requestString(request, "html"))}};
         }},
        {"text-payload", "the text typed or pasted for a phrase (insertion → text)",
         [](const json& request) {
             return json{{"text", fixedPhraseTextPayload(requestInsertion(request))}};
         }},
        {"clipboard-html", "the HTML flavour of a phrase (insertion → html or null)",
         [](const json& request) {
             return json{{"html", orNull(fixedPhraseClipboardHTML(requestInsertion(request)))}};
         }},
        {"visual", "the styled form of a plain phrase (insertion → attributedText or null)", visual},
        {"display-safe", "the editor's display-safe copy (attributedText → attributedText)",
         [](const json& request) {
             return json{{"attributedText", encodeAttributedText(fixedPhraseDisplaySafeAttributedString(
                                                requestAttributedText(request)))}};
         }},
        {"count", "the character count and its result text (text → counts, resultText)", count},
        {"normalize", "plain text or markdown of attributed text (attributedText, form → text)", normalize},
        {"semantic-html", "the semantic HTML body of attributed text (attributedText → html)",
         [](const json& request) {
             return json{{"html", normalizer::semanticHTMLBody(requestAttributedText(request))}};
         }},
        {"list-item-body", "a list item's text without its pasted marker (text → text)",
         [](const json& request) {
             return json{{"text", normalizer::normalizedListItemBody(requestString(request, "text"))}};
         }},
        {"escape-markdown", "inline markdown escaping (text → text)",
         [](const json& request) {
             return json{{"text", normalizer::escapeMarkdownInline(requestString(request, "text"))}};
         }},
        {"css-size", "the CSS point size (pointSize → css)", cssSize},
        {"css-color", "the CSS colour ([r, g, b, a] → css)", cssColor},
    };
    return all;
}

} // namespace tessaril::replay
