#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "Platform/Foundation/ParagraphStyle.hpp"

namespace tessaril::platform {

// A paragraph style or none, as a run carries it: copies share one storage, so that the many runs of
// a paragraph (and paragraphs alike) cost one style, tab stops and lists included, not one each. It
// reads like std::optional<ParagraphStyle>; changing it through a non-const access first takes a copy
// of its own when the storage is shared, so every copy stays an independent value.
class SharedParagraphStyle {
public:
    SharedParagraphStyle() = default;
    SharedParagraphStyle(std::nullopt_t) {}
    SharedParagraphStyle(ParagraphStyle style) : storage_(std::make_shared<ParagraphStyle>(std::move(style))) {}
    SharedParagraphStyle(const std::optional<ParagraphStyle>& style) {
        if (style) storage_ = std::make_shared<ParagraphStyle>(*style);
    }

    explicit operator bool() const { return storage_ != nullptr; }
    bool has_value() const { return storage_ != nullptr; }
    // The style, or null for none.
    const ParagraphStyle* get() const { return storage_.get(); }
    const ParagraphStyle& operator*() const { return *storage_; }
    const ParagraphStyle* operator->() const { return storage_.get(); }
    ParagraphStyle& operator*() { return own(); }
    ParagraphStyle* operator->() { return &own(); }
    ParagraphStyle value_or(ParagraphStyle fallback) const { return storage_ ? *storage_ : std::move(fallback); }
    operator std::optional<ParagraphStyle>() const {
        return storage_ ? std::optional<ParagraphStyle>(*storage_) : std::nullopt;
    }
    void reset() { storage_.reset(); }
    bool sharesStorageWith(const SharedParagraphStyle& other) const { return storage_ == other.storage_; }

    friend bool operator==(const SharedParagraphStyle& left, const SharedParagraphStyle& right) {
        if (left.storage_ == right.storage_) return true;
        return left.storage_ && right.storage_ && *left.storage_ == *right.storage_;
    }
    friend bool operator==(const SharedParagraphStyle& left, const ParagraphStyle& right) {
        return left.storage_ && *left.storage_ == right;
    }
    friend bool operator==(const SharedParagraphStyle& left, std::nullopt_t) { return !left.storage_; }

private:
    ParagraphStyle& own() {
        if (storage_.use_count() != 1) storage_ = std::make_shared<ParagraphStyle>(storage_ ? *storage_ : ParagraphStyle{});
        return *storage_;
    }

    std::shared_ptr<ParagraphStyle> storage_;
};

} // namespace tessaril::platform
