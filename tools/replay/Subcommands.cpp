#include "ReplayCommand.hpp"

#include "EngineReplay.hpp"
#include "PasteboardReplay.hpp"
#include "SessionReplay.hpp"
#include "SettingsDecodeReplay.hpp"
#include "SettingsResolveReplay.hpp"
#include "SettingsStoreReplay.hpp"
#include "TextReplay.hpp"
#include "WindowReplay.hpp"

namespace tessaril::replay {

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> all{
        {{"engine"}, "runs one RuleEngine over the request's steps", runEngineReplay},
        {{"settings", "decode"}, "decodes a settings document and prints it as the store encodes it",
         runSettingsDecode},
        {{"settings", "import"}, "previews the import of FILE", runSettingsImport},
        {{"settings", "load"}, "runs the store's load over an in-memory defaults domain", runSettingsLoad},
        {{"settings", "resolve"}, "resolves the values in force for a keyboard and an application",
         runSettingsResolve},
        {{"session"}, "runs the whole keyboard pipeline in the simulated login session", runSessionReplay},
        {{"text"}, "text FUNCTION: one rich-text codec or converter on a JSON request (without FUNCTION: the list)", runTextReplay},
        {{"window"}, "drives the settings window off screen around the real application delegate", runWindowReplay},
        {{"pasteboard"}, "runs the text actions against an in-memory pasteboard and a scripted frontmost application",
         runPasteboardReplay},
    };
    return all;
}

} // namespace tessaril::replay
