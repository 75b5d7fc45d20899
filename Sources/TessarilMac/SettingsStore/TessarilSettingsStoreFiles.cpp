#include "TessarilMac/SettingsStore/TessarilSettingsStoreFiles.hpp"

#include "Platform/Foundation/FileReadError.hpp"
#include "Platform/Foundation/RegularFile.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreError.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStoreSystemError.hpp"

namespace tessaril::settings_store_files {

std::string readRegularFile(const std::filesystem::path& path, std::int64_t maximumBytes) {
    try {
        return platform::RegularFile::read(path, maximumBytes);
    } catch (const platform::FileReadError& error) {
        switch (error.reason()) {
        case platform::FileReadError::Reason::notRegularFile: throw TessarilSettingsStoreError::invalidSettingsFile();
        case platform::FileReadError::Reason::tooLarge:
            throw TessarilSettingsStoreError::fileTooLarge(maximumBytes, error.actualBytes());
        case platform::FileReadError::Reason::system: throw TessarilSettingsStoreSystemError(error.description());
        }
        throw;
    }
}

} // namespace tessaril::settings_store_files
