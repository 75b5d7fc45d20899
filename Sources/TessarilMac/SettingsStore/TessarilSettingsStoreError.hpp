#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// Why a settings file cannot be imported; the settings window shows the description in an alert.
// A value, made and thrown on the main thread.
class TessarilSettingsStoreError final : public Error {
public:
    struct FileTooLarge {
        std::int64_t maximumBytes;
        std::int64_t actualBytes;
        friend bool operator==(const FileTooLarge&, const FileTooLarge&) = default;
    };
    // A file within the size limit whose document, filled out with every default, would be stored
    // larger than the store takes from an import. Decoding stops at the limit, so the document's whole
    // size is never known.
    struct DocumentTooLarge {
        std::int64_t maximumBytes;
        friend bool operator==(const DocumentTooLarge&, const DocumentTooLarge&) = default;
    };
    // A file within the size limit that holds more JSON values than a document within the stored
    // limit can: counted before anything is built, as a few bytes make a value.
    struct TooManyValues {
        std::int64_t maximumCount;
        friend bool operator==(const TooManyValues&, const TooManyValues&) = default;
    };
    struct UnsupportedSchemaVersion {
        std::int64_t version;
        friend bool operator==(const UnsupportedSchemaVersion&, const UnsupportedSchemaVersion&) = default;
    };
    struct InvalidSettingsFile {
        friend bool operator==(const InvalidSettingsFile&, const InvalidSettingsFile&) = default;
    };
    using Case =
        std::variant<FileTooLarge, UnsupportedSchemaVersion, InvalidSettingsFile, DocumentTooLarge, TooManyValues>;

    static TessarilSettingsStoreError fileTooLarge(std::int64_t maximumBytes, std::int64_t actualBytes) {
        return TessarilSettingsStoreError(FileTooLarge{maximumBytes, actualBytes});
    }
    static TessarilSettingsStoreError documentTooLarge(std::int64_t maximumBytes) {
        return TessarilSettingsStoreError(DocumentTooLarge{maximumBytes});
    }
    static TessarilSettingsStoreError tooManyValues(std::int64_t maximumCount) {
        return TessarilSettingsStoreError(TooManyValues{maximumCount});
    }
    static TessarilSettingsStoreError unsupportedSchemaVersion(std::int64_t version) {
        return TessarilSettingsStoreError(UnsupportedSchemaVersion{version});
    }
    static TessarilSettingsStoreError invalidSettingsFile() { return TessarilSettingsStoreError(InvalidSettingsFile{}); }

    const Case& errorCase() const { return case_; }

    std::string description() const override;
    std::string typeName() const override { return "TessarilSettingsStoreError"; }

    friend bool operator==(const TessarilSettingsStoreError& left, const TessarilSettingsStoreError& right) {
        return left.case_ == right.case_;
    }

private:
    explicit TessarilSettingsStoreError(Case errorCase) : case_(errorCase) {}

    Case case_;
};

} // namespace tessaril
