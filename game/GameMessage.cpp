// ShowGameMessage: a message of the list in the current language, shown through the data
// manager. Apart from the text lookups, which thus link without the platform's file and bitmap
// code.
#include "game/Texts.h"
#include "platform/DataManager.h"

int ShowGameMessage(DataManager& data, const COptions& options, MessageId id, MsgStyle style) {
    return data.ShowMessage(MessageText(options, id), style, MessageName(id));
}
