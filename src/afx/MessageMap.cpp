#include "afx/MessageMap.h"

namespace afx {

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message)
{
    if (message == WM_COMMAND)
        return nullptr;
    for (; map != nullptr; map = map->getBase != nullptr ? map->getBase() : nullptr) {
        for (const MessageEntry* e = map->entries; e->thunk != nullptr; ++e) {
            if (e->message == message)
                return e;
        }
    }
    return nullptr;
}

const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code)
{
    for (; map != nullptr; map = map->getBase != nullptr ? map->getBase() : nullptr) {
        for (const MessageEntry* e = map->entries; e->thunk != nullptr; ++e) {
            if (e->message == WM_COMMAND && e->code == code && e->firstId <= id && id <= e->lastId)
                return e;
        }
    }
    return nullptr;
}

}  // namespace afx
