#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tessaril::platform {

// An immutable string whose copies share one storage, for attribute values (a link target, a font
// family) that many runs of a text carry: a copy costs a reference count, not the string's length, so
// a long value over many runs stays linear in memory. Equal storage compares equal at once and a
// stored hash tells most unequal values apart without reading them. Copies may cross threads.
class SharedString {
public:
    SharedString() = default;
    // Implicit both ways, so that it stands where a std::string member stood.
    SharedString(std::string text) {
        const std::size_t hash = std::hash<std::string>{}(text);
        storage_ = std::make_shared<const Storage>(Storage{std::move(text), hash});
    }
    SharedString(const char* text) : SharedString(std::string(text)) {}
    explicit SharedString(std::string_view text) : SharedString(std::string(text)) {}

    const std::string& str() const { return storage_ ? storage_->text : emptyText(); }
    operator const std::string&() const { return str(); }
    bool empty() const { return str().empty(); }
    std::size_t size() const { return str().size(); }
    std::size_t hash() const { return storage_ ? storage_->hash : std::hash<std::string>{}(std::string()); }
    // Whether both share one storage (two empty strings without storage count as sharing).
    bool sharesStorageWith(const SharedString& other) const { return storage_ == other.storage_; }

    friend bool operator==(const SharedString& left, const SharedString& right) {
        if (left.storage_ == right.storage_) return true;
        return left.hash() == right.hash() && left.str() == right.str();
    }
    friend bool operator==(const SharedString& left, std::string_view right) { return left.str() == right; }
    friend bool operator==(const SharedString& left, const std::string& right) { return left.str() == right; }
    friend bool operator==(const SharedString& left, const char* right) { return left.str() == right; }
    friend auto operator<=>(const SharedString& left, const SharedString& right) { return left.str() <=> right.str(); }
    template <class Stream> friend Stream& operator<<(Stream& stream, const SharedString& text) {
        stream << text.str();
        return stream;
    }

private:
    struct Storage {
        std::string text;
        std::size_t hash;
    };
    static const std::string& emptyText() {
        static const std::string empty;
        return empty;
    }

    std::shared_ptr<const Storage> storage_;
};

} // namespace tessaril::platform

template <> struct std::hash<tessaril::platform::SharedString> {
    std::size_t operator()(const tessaril::platform::SharedString& text) const noexcept { return text.hash(); }
};
