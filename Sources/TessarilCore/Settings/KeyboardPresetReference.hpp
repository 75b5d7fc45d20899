#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Settings/KeyboardPreset.hpp"

namespace tessaril {

// Names one keyboard preset: a built-in one, or a custom one by its identifier (which need not
// exist). A plain value, used on any thread.
class KeyboardPresetReference {
public:
    enum class Kind : std::uint8_t { builtIn, custom };

    static KeyboardPresetReference builtIn(KeyboardPreset preset) { return KeyboardPresetReference(preset); }
    static KeyboardPresetReference custom(std::string id) { return KeyboardPresetReference(std::move(id)); }

    Kind kind() const { return kind_; }
    bool isBuiltIn() const { return kind_ == Kind::builtIn; }
    bool isCustom() const { return kind_ == Kind::custom; }
    // The preset of a built-in reference; none for a custom one.
    std::optional<KeyboardPreset> builtInPreset() const;
    // The identifier of a custom reference; empty for a built-in one.
    const std::string& customID() const { return id_; }

    friend bool operator==(const KeyboardPresetReference& left, const KeyboardPresetReference& right);
    std::size_t hashValue() const;

private:
    explicit KeyboardPresetReference(KeyboardPreset preset) : kind_(Kind::builtIn), preset_(preset) {}
    explicit KeyboardPresetReference(std::string id) : kind_(Kind::custom), id_(std::move(id)) {}

    Kind kind_;
    KeyboardPreset preset_ = KeyboardPreset::laptop;
    std::string id_;
};

template <> struct JSONCoding<KeyboardPresetReference> {
    static Json encode(const KeyboardPresetReference& reference);
    static KeyboardPresetReference decode(const Json& value);
};

} // namespace tessaril

template <> struct std::hash<tessaril::KeyboardPresetReference> {
    std::size_t operator()(const tessaril::KeyboardPresetReference& reference) const noexcept {
        return reference.hashValue();
    }
};
