#include "TessarilCore/Settings/KeyboardPresetReference.hpp"

#include <array>
#include <string_view>

namespace tessaril {
namespace {
constexpr std::array<std::string_view, 2> caseNames{"builtIn", "custom"};
} // namespace

std::optional<KeyboardPreset> KeyboardPresetReference::builtInPreset() const {
    if (kind_ == Kind::builtIn) return preset_;
    return std::nullopt;
}

bool operator==(const KeyboardPresetReference& left, const KeyboardPresetReference& right) {
    if (left.kind_ != right.kind_) return false;
    if (left.kind_ == KeyboardPresetReference::Kind::builtIn) return left.preset_ == right.preset_;
    return left.id_ == right.id_;
}

std::size_t KeyboardPresetReference::hashValue() const {
    std::size_t seed = static_cast<std::size_t>(kind_) * 0x9E3779B97F4A7C15ULL;
    std::size_t payload = kind_ == Kind::builtIn ? std::hash<std::string_view>{}(rawValue(preset_))
                                                 : std::hash<std::string>{}(id_);
    return seed ^ (payload + 0x9E3779B9 + (seed << 6) + (seed >> 2));
}

Json JSONCoding<KeyboardPresetReference>::encode(const KeyboardPresetReference& reference) {
    if (auto preset = reference.builtInPreset()) return coding::caseObject(caseNames[0], coding::encode(*preset));
    return coding::caseObject(caseNames[1], reference.customID());
}

KeyboardPresetReference JSONCoding<KeyboardPresetReference>::decode(const Json& value) {
    auto found = coding::decodeCaseObject(value, caseNames, "KeyboardPresetReference");
    if (found.caseIndex == 0) {
        return coding::atKey(caseNames[0], [&] {
            return KeyboardPresetReference::builtIn(coding::decodePayload<KeyboardPreset>(*found.value));
        });
    }
    return coding::atKey(caseNames[1], [&] {
        return KeyboardPresetReference::custom(coding::decodePayload<std::string>(*found.value));
    });
}

} // namespace tessaril
