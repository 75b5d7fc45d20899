#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"

namespace tessaril {
namespace {

struct Describe {
    std::string operator()(const TessarilSettingsStoreError::FileTooLarge& failure) const {
        return "設定ファイルが大きすぎます。最大 " + std::to_string(failure.maximumBytes) + " bytes、選択ファイル " +
               std::to_string(failure.actualBytes) + " bytes です。";
    }
    std::string operator()(const TessarilSettingsStoreError::DocumentTooLarge& failure) const {
        return "設定ファイルの内容が大きすぎます。保存される設定は最大 " + std::to_string(failure.maximumBytes) +
               " bytes です。";
    }
    std::string operator()(const TessarilSettingsStoreError::TooManyValues& failure) const {
        return "設定ファイルの値が多すぎます。最大 " + std::to_string(failure.maximumCount) + " 個です。";
    }
    std::string operator()(const TessarilSettingsStoreError::UnsupportedSchemaVersion& failure) const {
        return "対応していない設定ファイル形式です。schemaVersion: " + std::to_string(failure.version);
    }
    std::string operator()(const TessarilSettingsStoreError::InvalidSettingsFile&) const {
        return "Tessaril の設定ファイルとして読み込めません。ファイルの形式を確認してください。";
    }
};

} // namespace

std::string TessarilSettingsStoreError::description() const { return std::visit(Describe{}, case_); }

} // namespace tessaril
