#include "framework/MessageMap.h"

namespace {
bool TakesCodeAndId(unsigned message) {
    return message == kMsgCommand || message == kMsgNotify || message == kReflectBase + kMsgCommand ||
           message == kReflectBase + kMsgNotify;
}
} // namespace

const MessageEntry* FindMessageEntry(const MessageMap* map, unsigned message, unsigned code, unsigned id) {
    for (; map; map = map->base) {
        for (const MessageEntry* e = map->entries; e && e->message != 0; ++e) {
            if (e->message == kRegisteredMarker) {
                if (e->registered && *e->registered == message && message != 0)
                    return e;
                continue;
            }
            if (e->message != message)
                continue;
            if (TakesCodeAndId(message)) {
                // Reflected rows carry no id: the control itself is the target.
                bool reflected = message >= kReflectBase;
                if (e->code != code)
                    continue;
                if (!reflected && (id < e->idFirst || id > e->idLast))
                    continue;
            }
            return e;
        }
    }
    return nullptr;
}
