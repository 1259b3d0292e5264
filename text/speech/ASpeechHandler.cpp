#include "text/speech/ASpeechHandler.h"

#include <memory>
#include <new>

#include "platform/speech/choice/SpeechChoice.h"
#include "text/speech/SpeechHandler.h"
#include "text/speech/SpeechSurroundings.h"

namespace {

std::unique_ptr<ASpeechHandler>& instance() {
    static std::unique_ptr<ASpeechHandler> handler;
    return handler;
}

}  // namespace

ASpeechHandler* ASpeechHandler::GetInstance() {
    std::unique_ptr<ASpeechHandler>& handler = instance();
    if (!handler) handler.reset(new (std::nothrow) SpeechHandler(plat::speechBackend(), CurrentSpeechSurroundings()));
    return handler.get();
}

void ASpeechHandler::DestroyInstance() { instance().reset(); }
