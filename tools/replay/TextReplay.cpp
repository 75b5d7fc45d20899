#include "TextReplay.hpp"

#include "AttributedTextCoding.hpp"
#include "TextConverterReplay.hpp"
#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Foundation/HTMLReader.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "TessarilMac/RichText/FixedPhraseAttributedTextNormalizer.hpp"

namespace tessaril::replay {
namespace {

namespace data_encoding = platform::data_encoding;
namespace normalizer = FixedPhraseAttributedTextNormalizer;

// The RTF of a text, as the pasteboard gets it: none for the empty text.
nlohmann::json rtfBase64(const platform::AttributedText& text) {
    if (text.empty()) return {{"rtfBase64", nullptr}};
    const std::string rtf = platform::RTFWriter::write(text);
    return {{"rtfBase64", data_encoding::base64Encoded(std::span<const std::uint8_t>(
                              reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()))}};
}

// What becomes of the text just read: printed, or handed to the function named by "then", so that a
// long document goes on to a converter without its runs being printed. Read before the input, so
// that a request the tool cannot read fails as such.
using ReadStep = nlohmann::json (*)(const platform::AttributedText&);

nlohmann::json printed(const platform::AttributedText& text) {
    return {{"attributedText", encodeAttributedText(text)}};
}
nlohmann::json semanticHTML(const platform::AttributedText& text) {
    return {{"html", normalizer::semanticHTMLBody(text)}};
}
nlohmann::json plainText(const platform::AttributedText& text) {
    return {{"text", normalizer::plainText(text)}};
}
nlohmann::json markdown(const platform::AttributedText& text) {
    return {{"text", normalizer::markdownText(text)}};
}

ReadStep readStep(const nlohmann::json& request) {
    const auto then = request.find("then");
    if (then == request.end() || then->is_null()) return printed;
    const std::string name = then->is_string() ? then->get<std::string>() : std::string();
    if (name == "semantic-html") return semanticHTML;
    if (name == "rtf-write") return rtfBase64;
    if (name == "normalize-plain") return plainText;
    if (name == "normalize-markdown") return markdown;
    throw UnreadableRequest("\"then\" must be one of \"semantic-html\", \"rtf-write\", \"normalize-plain\", "
                            "\"normalize-markdown\"");
}

nlohmann::json rtfRead(const nlohmann::json& request) {
    const ReadStep step = readStep(request);
    const auto bytes = data_encoding::base64Decoded(requestString(request, "rtfBase64"));
    if (!bytes) throw UnreadableRequest("\"rtfBase64\" must be base64");
    return step(platform::RTFReader::read(*bytes));
}

nlohmann::json rtfWrite(const nlohmann::json& request) {
    const auto member = request.find("attributedText");
    if (member == request.end()) throw UnreadableRequest("\"attributedText\" is missing");
    return rtfBase64(decodeAttributedText(*member, "attributedText"));
}

nlohmann::json htmlRead(const nlohmann::json& request) {
    const ReadStep step = readStep(request);
    return step(platform::HTMLReader::read(requestString(request, "html")));
}

} // namespace

const std::vector<TextFunction>& textFunctions() {
    static const std::vector<TextFunction> codecs{
        {"rtf-read", "reads RTF bytes (rtfBase64) into attributed text, or hands it on to \"then\"", rtfRead},
        {"rtf-write", "writes attributed text as RTF bytes (rtfBase64; null for the empty text)", rtfWrite},
        {"html-read", "reads HTML into attributed text, or hands it on to \"then\"; nothing is ever fetched",
         htmlRead},
    };
    static const std::vector<TextFunction> all = [] {
        std::vector<TextFunction> functions = textConverterFunctions();
        functions.insert(functions.end(), codecs.begin(), codecs.end());
        return functions;
    }();
    return all;
}

const std::string& requestString(const nlohmann::json& request, const std::string& name) {
    const auto member = request.find(name);
    if (member == request.end() || !member->is_string()) throw UnreadableRequest("\"" + name + "\" must be a string");
    return member->get_ref<const std::string&>();
}

int runTextReplay(const Invocation& invocation) {
    if (invocation.arguments.empty() || invocation.arguments.front().starts_with("--")) {
        std::string names;
        for (const TextFunction& function : textFunctions()) names += (names.empty() ? "" : ", ") + function.name;
        throw UnreadableRequest("text needs a FUNCTION: " + names);
    }
    const std::string& name = invocation.arguments.front();
    for (const TextFunction& function : textFunctions()) {
        if (function.name != name) continue;
        const auto request = invocation.readRequest();
        if (!request.is_object()) throw UnreadableRequest("the request must be a JSON object");
        invocation.emit(function.run(request));
        return 0;
    }
    throw UnreadableRequest("unknown text function: " + name);
}

} // namespace tessaril::replay
