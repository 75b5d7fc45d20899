#include "TessarilMac/TextActions/FixedPhraseHTMLFrame.hpp"

namespace tessaril {

std::string_view fixedPhraseHTMLFrameHead() {
    return "<html>\n"
           "<head>\n"
           "<meta charset=\"utf-8\">\n"
           "<style>\n"
           "body { font-family: -apple-system, BlinkMacSystemFont, sans-serif; font-size: 14px; line-height: "
           "1.55; }\n"
           "h2 { font-size: 1.45em; margin: 0.6em 0 0.3em; }\n"
           "h3 { font-size: 1.2em; margin: 0.55em 0 0.25em; }\n"
           "blockquote { border-left: 3px solid #999; margin: 0.5em 0; padding-left: 0.8em; }\n"
           "code, pre { font-family: ui-monospace, SFMono-Regular, Menlo, monospace; background: "
           "rgba(127,127,127,0.16); }\n"
           "pre { padding: 0.55em 0.7em; white-space: pre-wrap; }\n"
           "</style>\n"
           "</head>\n"
           "<body>";
}

std::string_view fixedPhraseHTMLFrameTail() {
    return "</body>\n</html>";
}

std::string fixedPhraseHTMLDocument(std::string_view body) {
    std::string document;
    document.reserve(fixedPhraseHTMLFrameHead().size() + body.size() + fixedPhraseHTMLFrameTail().size());
    document.append(fixedPhraseHTMLFrameHead()).append(body).append(fixedPhraseHTMLFrameTail());
    return document;
}

} // namespace tessaril
