// The pasteboard text actions the keyboard pipeline asks for, until they exist: the request is written
// to the process log and nothing is done.
#include "Platform/Logging/ProcessLog.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

void logUnavailable(const AppDelegateServices& services, const std::string& action) {
    platform::ProcessLog(services.pipeline.logSink).write("Tessaril text action not available yet: " + action);
}

} // namespace

void AppDelegate::performTextPairInsertion(const std::string&, const std::string&) {
    logUnavailable(services_, "insertTextPair");
}

void AppDelegate::performPlainCopy() { logUnavailable(services_, "plainCopy"); }

void AppDelegate::performPlainPaste() { logUnavailable(services_, "plainPaste"); }

void AppDelegate::performCharacterCountCheck() { logUnavailable(services_, "characterCount"); }

void AppDelegate::performFixedPhraseInsertion(const FixedPhraseInsertion&) {
    logUnavailable(services_, "fixedPhrase");
}

} // namespace tessaril
