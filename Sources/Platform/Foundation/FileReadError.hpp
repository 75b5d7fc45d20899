#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "TessarilCore/Support/MessageError.hpp"

namespace tessaril::platform {

// A file that could not be read whole: it is no regular file (a directory, a pipe, a device), it is
// larger than the reader takes, or the system refused (the description is then "<path>: <system
// reason>"). Callers word the first two for their users. A value.
class FileReadError final : public MessageError {
public:
    enum class Reason { notRegularFile, tooLarge, system };

    static FileReadError notRegularFile(const std::filesystem::path& path) {
        return FileReadError(Reason::notRegularFile, 0, path.string() + ": not a regular file");
    }
    static FileReadError tooLarge(const std::filesystem::path& path, std::int64_t actualBytes) {
        return FileReadError(Reason::tooLarge, actualBytes,
                             path.string() + ": too large (" + std::to_string(actualBytes) + " bytes)");
    }
    static FileReadError system(const std::filesystem::path& path, const std::string& reason) {
        return FileReadError(Reason::system, 0, path.string() + ": " + reason);
    }

    Reason reason() const noexcept { return reason_; }
    // For tooLarge: the size the file was found to have (at least one byte over the limit).
    std::int64_t actualBytes() const noexcept { return actualBytes_; }
    std::string typeName() const override { return "FileReadError"; }

private:
    FileReadError(Reason reason, std::int64_t actualBytes, std::string message)
        : MessageError(std::move(message)), reason_(reason), actualBytes_(actualBytes) {}

    Reason reason_;
    std::int64_t actualBytes_;
};

} // namespace tessaril::platform
