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
