// The message and tip texts in the language of the options record.
#include "game/Texts.h"

#include "engine/Options.h"
#include "res/Strings.h"

static_assert(kMessageCount == res::kMessageCount);
static_assert(kTipCount == res::kTipCount);
static_assert(kLanguageCount == res::kLanguageCount);

int TextLanguage(const COptions& options) {
    return res::LanguageIndex(options.GetLanguage());
}

std::string_view MessageText(const COptions& options, MessageId id) {
    return res::MessageText(TextLanguage(options), static_cast<int>(id));
}

std::string_view MessageName(MessageId id) {
    return res::MessageName(static_cast<int>(id));
}

std::string_view TipText(const COptions& options, int index) {
    return res::TipText(TextLanguage(options), index);
}

std::string_view FaultText(const COptions& options, savefile::Fault fault) {
    return res::FileReasonText(TextLanguage(options), fault);
}

std::string_view PageFaultText(const COptions& options, const SPageOpen& open) {
    if (open.opened) {
        return {};
    }
    if (open.problem == fileio::Problem::kNone) {
        return res::FileReasonText(TextLanguage(options), res::FileReason::kNoBrowser);
    }
    return FaultText(options, savefile::FaultOf(open.problem));
}

std::string WithValue(std::string_view text, std::string_view value) {
    std::string out(text);
    const std::size_t at = out.find("%s");
    if (at != std::string::npos) {
        out.replace(at, 2, value);
    }
    return out;
}
