#include "AttributedTextCoding.hpp"

#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "ReplayCommand.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::replay {
namespace {

using platform::AttributedText;
using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;
using platform::TextList;

[[noreturn]] void fail(const std::string& path, const std::string& what) { throw UnreadableRequest(path + ": " + what); }

const nlohmann::json& object(const nlohmann::json& value, const std::string& path) {
    if (!value.is_object()) fail(path, "must be an object");
    return value;
}

// Calls `read` for every member of the object, refusing members it does not know.
void readMembers(const nlohmann::json& value, const std::string& path,
                 const std::map<std::string, std::function<void(const nlohmann::json&, const std::string&)>>& readers) {
    for (const auto& [name, member] : object(value, path).items()) {
        const auto reader = readers.find(name);
        if (reader == readers.end()) fail(path, "unknown member \"" + name + "\"");
        reader->second(member, path + "." + name);
    }
}

double number(const nlohmann::json& value, const std::string& path) {
    if (!value.is_number()) fail(path, "must be a number");
    return value.get<double>();
}

bool boolean(const nlohmann::json& value, const std::string& path) {
    if (!value.is_boolean()) fail(path, "must be true or false");
    return value.get<bool>();
}

int integer(const nlohmann::json& value, const std::string& path) {
    if (!value.is_number_integer() || value.get<long long>() < std::numeric_limits<int>::min() ||
        value.get<long long>() > std::numeric_limits<int>::max()) {
        fail(path, "must be an integer");
    }
    return static_cast<int>(value.get<long long>());
}

const std::string& text(const nlohmann::json& value, const std::string& path) {
    if (!value.is_string()) fail(path, "must be a string");
    return value.get_ref<const std::string&>();
}

nlohmann::json encodeFont(const Font& font) {
    return {{"family", font.family.str()},
            {"pointSize", jsonNumber(font.pointSize)},
            {"bold", font.isBold()},
            {"italic", font.italic},
            {"fixedPitch", font.fixedPitch}};
}

Font decodeFont(const nlohmann::json& value, const std::string& path) {
    Font font;
    readMembers(value, path,
                {{"family", [&](const auto& member, const auto& at) { font.family = text(member, at); }},
                 {"pointSize", [&](const auto& member, const auto& at) { font.pointSize = number(member, at); }},
                 {"bold",
                  [&](const auto& member, const auto& at) {
                      font.weight = boolean(member, at) ? FontWeight::bold : FontWeight::regular;
                  }},
                 {"italic", [&](const auto& member, const auto& at) { font.italic = boolean(member, at); }},
                 {"fixedPitch", [&](const auto& member, const auto& at) { font.fixedPitch = boolean(member, at); }}});
    return font;
}

nlohmann::json encodeParagraphStyle(const ParagraphStyle& style) {
    nlohmann::json lists = nlohmann::json::array();
    for (const TextList& list : style.textLists) lists.push_back(list.markerFormat);
    return {{"alignment", std::string(rawValue(style.alignment))},
            {"headIndent", jsonNumber(style.headIndent)},
            {"firstLineHeadIndent", jsonNumber(style.firstLineHeadIndent)},
            {"paragraphSpacing", jsonNumber(style.paragraphSpacing)},
            {"paragraphSpacingBefore", jsonNumber(style.paragraphSpacingBefore)},
            {"textLists", lists}};
}

ParagraphStyle decodeParagraphStyle(const nlohmann::json& value, const std::string& path) {
    ParagraphStyle style;
    readMembers(
        value, path,
        {{"alignment",
          [&](const auto& member, const auto& at) {
              const auto alignment = enumFromRawValue<TextAlignment>(text(member, at));
              if (!alignment) fail(at, "must be natural, left, center, right or justified");
              style.alignment = *alignment;
          }},
         {"headIndent", [&](const auto& member, const auto& at) { style.headIndent = number(member, at); }},
         {"firstLineHeadIndent",
          [&](const auto& member, const auto& at) { style.firstLineHeadIndent = number(member, at); }},
         {"paragraphSpacing", [&](const auto& member, const auto& at) { style.paragraphSpacing = number(member, at); }},
         {"paragraphSpacingBefore",
          [&](const auto& member, const auto& at) { style.paragraphSpacingBefore = number(member, at); }},
         {"textLists", [&](const auto& member, const auto& at) {
              if (!member.is_array()) fail(at, "must be an array of marker formats");
              for (std::size_t index = 0; index < member.size(); ++index) {
                  style.textLists.push_back(TextList{text(member[index], at + "[" + std::to_string(index) + "]")});
              }
          }}});
    return style;
}

nlohmann::json encodeAttributes(const TextAttributes& attributes) {
    nlohmann::json result = nlohmann::json::object();
    if (attributes.font) result["font"] = encodeFont(*attributes.font);
    if (attributes.paragraphStyle) result["paragraphStyle"] = encodeParagraphStyle(*attributes.paragraphStyle);
    if (attributes.foregroundColor) result["foregroundColor"] = encodeColor(*attributes.foregroundColor);
    if (attributes.backgroundColor) result["backgroundColor"] = encodeColor(*attributes.backgroundColor);
    if (attributes.underlineStyle) result["underlineStyle"] = *attributes.underlineStyle;
    if (attributes.strikethroughStyle) result["strikethroughStyle"] = *attributes.strikethroughStyle;
    if (attributes.link) result["link"] = attributes.link->str();
    return result;
}

TextAttributes decodeAttributes(const nlohmann::json& value, const std::string& path) {
    TextAttributes attributes;
    readMembers(
        value, path,
        {{"font", [&](const auto& member, const auto& at) { attributes.font = decodeFont(member, at); }},
         {"paragraphStyle",
          [&](const auto& member, const auto& at) { attributes.paragraphStyle = decodeParagraphStyle(member, at); }},
         {"foregroundColor",
          [&](const auto& member, const auto& at) { attributes.foregroundColor = decodeColor(member, at); }},
         {"backgroundColor",
          [&](const auto& member, const auto& at) { attributes.backgroundColor = decodeColor(member, at); }},
         {"underlineStyle", [&](const auto& member, const auto& at) { attributes.underlineStyle = integer(member, at); }},
         {"strikethroughStyle",
          [&](const auto& member, const auto& at) { attributes.strikethroughStyle = integer(member, at); }},
         {"link", [&](const auto& member, const auto& at) { attributes.link = text(member, at); }}});
    return attributes;
}

} // namespace

nlohmann::json jsonNumber(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15) {
        return static_cast<long long>(value);
    }
    return value;
}

nlohmann::json encodeColor(const Color& color) {
    return nlohmann::json::array(
        {jsonNumber(color.red), jsonNumber(color.green), jsonNumber(color.blue), jsonNumber(color.alpha)});
}

Color decodeColor(const nlohmann::json& value, const std::string& path) {
    if (!value.is_array() || value.size() != 4) fail(path, "must be [r, g, b, a]");
    double components[4];
    for (std::size_t index = 0; index < 4; ++index) {
        components[index] = number(value[index], path + "[" + std::to_string(index) + "]");
        if (!(components[index] >= 0 && components[index] <= 1)) fail(path, "components run from 0 to 1");
    }
    return Color{components[0], components[1], components[2], components[3]};
}

nlohmann::json encodeAttributedText(const AttributedText& attributedText) {
    nlohmann::json runs = nlohmann::json::array();
    for (const auto& run : attributedText.runs()) {
        runs.push_back({{"text", unicode::fromUTF16(std::u16string_view(attributedText.string())
                                                        .substr(run.range.location, run.range.length))},
                        {"attributes", encodeAttributes(run.attributes)}});
    }
    return {{"runs", runs}};
}

AttributedText decodeAttributedText(const nlohmann::json& value, const std::string& path) {
    AttributedText result;
    const nlohmann::json* runs = nullptr;
    readMembers(value, path, {{"runs", [&](const auto& member, const auto&) { runs = &member; }}});
    if (runs == nullptr || !runs->is_array()) fail(path + ".runs", "must be an array of runs");
    for (std::size_t index = 0; index < runs->size(); ++index) {
        const std::string at = path + ".runs[" + std::to_string(index) + "]";
        std::string runText;
        TextAttributes attributes;
        bool hasText = false;
        readMembers((*runs)[index], at,
                    {{"text",
                      [&](const auto& member, const auto& memberPath) {
                          runText = text(member, memberPath);
                          hasText = true;
                      }},
                     {"attributes", [&](const auto& member, const auto& memberPath) {
                          attributes = decodeAttributes(member, memberPath);
                      }}});
        if (!hasText) fail(at, "a run needs its \"text\"");
        result.append(unicode::toUTF16(runText), attributes);
    }
    return result;
}

} // namespace tessaril::replay
